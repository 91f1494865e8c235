#include "persist/ImportKind.h"

using namespace Qt::Literals::StringLiterals;

namespace kestrava::persist {

int addEntry(model::Project& project, int level, const QString& path, int (model::Project::*add)(int))
{
    try {
        return (project.*add)(level);
    } catch (const io::Error& e) {
        throw io::Error::inFile(path, u"объект не загружен: %1"_s.arg(e.message()));
    }
}

const ImportKind& imported(model::ObjectKind kind)
{
    static const auto kinds = model::byKind([]<model::ObjectKind K>() { return &importKind<K>(); });
    return *kinds[model::positionOf(kind)];
}

} // namespace kestrava::persist
