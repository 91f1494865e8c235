#include "level/PlacedHits.h"

#include "level/MapKind.h"

namespace kestrava::level {

bool fonValid(const model::StageData& s, int i)
{
    if (i < 1 || i > std::min(s.FonObjCount, model::kMaxFonObjects))
        return false;
    const int g = s.FonObject[size_t(i)].Group;
    return g >= 1 && g <= std::min(s.FonGroupCount, model::kMaxFonGroups);
}

bool activeValid(const model::StageData& s, int i)
{
    return i >= 1 && i <= std::min(s.ActiveObjCount, model::kMaxActiveObjects);
}

bool exists(const model::StageData& s, PlacedRef object)
{
    return onMap(object.kind).exists(s, object.index);
}

int placedCount(const model::StageData& s, ObjectKind kind)
{
    return onMap(kind).placedCount(s);
}

std::optional<SelectionRect> frameOf(const model::StageData& s, PlacedRef object)
{
    if (!exists(s, object))
        return std::nullopt;
    return onMap(object.kind).frame(s, object.index);
}

std::optional<PlacedRef> topmostAt(const model::StageData& s, int x, int y)
{
    // What the map draws on top is tried first.
    for (ObjectKind kind : kDrawnOnTopFirst) {
        const MapKind& on = onMap(kind);
        if (on.menu() == ContextMenu::None)
            continue;
        if (const std::optional<int> top = on.topmostAt(s, QPoint(x, y)))
            return PlacedRef{kind, *top};
    }
    return std::nullopt;
}

QString hoverTextAt(const model::StageData& s, int x, int y)
{
    for (ObjectKind kind : kDrawnOnTopFirst) {
        const MapKind& on = onMap(kind);
        if (const std::optional<int> top = on.topmostAt(s, QPoint(x, y)))
            return on.hoverText(s, *top);
    }
    return QString();
}

} // namespace kestrava::level
