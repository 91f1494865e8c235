#include "level/MapKind.h"

namespace kestrava::level {

const MapKind& onMap(model::ObjectKind kind)
{
    static const auto kinds = model::byKind([]<model::ObjectKind K>() { return &kindOnMap<K>(); });
    return *kinds[model::positionOf(kind)];
}

} // namespace kestrava::level
