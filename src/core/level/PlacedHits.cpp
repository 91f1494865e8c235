#include "level/PlacedHits.h"

namespace kestrava::level {

namespace {

// Strictly inside (low, low + extent).
bool within(int value, qint64 low, qint64 extent)
{
    return low < value && value < low + extent;
}

} // namespace

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
    switch (object.kind) {
    case ObjectKind::Background:
        return fonValid(s, object.index) && s.FonObject[size_t(object.index)].Exists;
    case ObjectKind::Active:
        return activeValid(s, object.index) && s.ActiveObject[size_t(object.index)].Exists;
    case ObjectKind::LivesBar:
        return !s.LivesBar.BmpName.isEmpty();
    case ObjectKind::Text:
        return object.index >= 1 && object.index <= std::min(s.TextCount, model::kMaxTextObjects);
    }
    return false;
}

int placedCount(const model::StageData& s, ObjectKind kind)
{
    switch (kind) {
    case ObjectKind::Background: return std::min(s.FonObjCount, model::kMaxFonObjects);
    case ObjectKind::Active: return std::min(s.ActiveObjCount, model::kMaxActiveObjects);
    case ObjectKind::LivesBar: return 0;
    case ObjectKind::Text: return std::min(s.TextCount, model::kMaxTextObjects);
    }
    return 0;
}

bool hitsFon(const model::StageData& s, int i, int x, int y, int shrink)
{
    const model::FonObjectData& o = s.FonObject[size_t(i)];
    const model::FonGroupData& g = s.FonGroup[size_t(o.Group)];
    return within(x, o.X, qint64(o.Width - shrink) * g.Columns) && within(y, o.Y, qint64(o.Height - shrink) * g.Rows);
}

bool hitsActive(const model::StageData& s, int i, int x, int y)
{
    const model::ActiveObjectData& o = s.ActiveObject[size_t(i)];
    return within(x, o.X, o.Width) && within(y, o.Y, o.Height);
}

bool hitsLivesBar(const model::StageData& s, int x, int y)
{
    const model::LivesBarData& bar = s.LivesBar;
    return !bar.BmpName.isEmpty() && within(x, bar.X, bar.Width) && within(y, bar.Y, bar.Height);
}

std::optional<SelectionRect> frameOf(const model::StageData& s, PlacedRef object)
{
    if (!exists(s, object))
        return std::nullopt;
    switch (object.kind) {
    case ObjectKind::Background: {
        const model::FonObjectData& o = s.FonObject[size_t(object.index)];
        const model::FonGroupData& g = s.FonGroup[size_t(o.Group)];
        return SelectionRect{o.X, clampToInt(o.X + qint64(o.Width) * g.Columns), o.Y,
                             clampToInt(o.Y + qint64(o.Height) * g.Rows)};
    }
    case ObjectKind::Active: {
        const model::ActiveObjectData& o = s.ActiveObject[size_t(object.index)];
        return SelectionRect{o.X, clampToInt(qint64(o.X) + o.Width), o.Y, clampToInt(qint64(o.Y) + o.Height)};
    }
    case ObjectKind::LivesBar: // never framed or selected by a band
    case ObjectKind::Text:
        return std::nullopt;
    }
    return std::nullopt;
}

std::optional<PlacedRef> topmostAt(const model::StageData& s, int x, int y)
{
    // What the map draws on top is tried first.
    for (ObjectKind kind : kDrawnOnTopFirst) {
        switch (kind) {
        case ObjectKind::Active:
            // Over every background, in placing order.
            for (int i = std::min(s.ActiveObjCount, model::kMaxActiveObjects); i >= 1; --i)
                if (s.ActiveObject[size_t(i)].Exists && hitsActive(s, i, x, y))
                    return PlacedRef{ObjectKind::Active, i};
            break;
        case ObjectKind::Background: {
            // Backgrounds layer by list slot, within a slot in placing order;
            // only what the map draws can be seen there.
            std::optional<PlacedRef> top;
            int topLayer = 0;
            for (int i = 1; i <= std::min(s.FonObjCount, model::kMaxFonObjects); ++i) {
                const model::FonObjectData& o = s.FonObject[size_t(i)];
                if (!fonValid(s, i) || !o.Exists || o.Layer < 1 || o.Layer > s.ListSlotCount || !hitsFon(s, i, x, y, 0))
                    continue;
                if (!top || o.Layer >= topLayer) {
                    top = PlacedRef{ObjectKind::Background, i};
                    topLayer = o.Layer;
                }
            }
            if (top)
                return top;
            break;
        }
        case ObjectKind::LivesBar: // has no menu of its own
        case ObjectKind::Text:
            break;
        }
    }
    return std::nullopt;
}

} // namespace kestrava::level
