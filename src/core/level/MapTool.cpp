#include "level/MapTool.h"

#include "document/ProjectDocument.h"

#include <climits>

#include <algorithm>

namespace kestrava::level {

namespace {

// The multiple of `step` at or below `value`, or nearest to it.
qint64 onGrid(qint64 value, int step, bool nearest)
{
    if (nearest)
        value += step / 2;
    const qint64 cells = value >= 0 ? value / step : -((-value + step - 1) / step);
    return cells * step;
}

} // namespace

QSize gridCell(const model::StageData& s)
{
    for (int g = 1; g <= std::min(s.FonGroupCount, model::kMaxFonGroups); ++g) {
        const model::FonGroupData& group = s.FonGroup[size_t(g)];
        if (group.TileWidth >= 1 && group.TileHeight >= 1 && group.TileWidth <= model::kMapSize
            && group.TileHeight <= model::kMapSize)
            return {group.TileWidth, group.TileHeight};
    }
    return {16, 16};
}

QPoint ToolContext::snapped(QPoint at, bool nearest) const
{
    if (!project().LevelGrid.Snap)
        return at;
    const QSize cell = gridCell(stage());
    return QPoint(int(std::clamp<qint64>(onGrid(at.x(), cell.width(), nearest), INT_MIN, INT_MAX)),
                  int(std::clamp<qint64>(onGrid(at.y(), cell.height(), nearest), INT_MIN, INT_MAX)));
}

QPoint ToolContext::placedCorner() const
{
    if (project().LevelGrid.Snap)
        return snapped(last, false);
    const auto stick = [](int v) { return v >= 0 && v < kEdgeStick ? 0 : v; };
    return QPoint(stick(last.x()), stick(last.y()));
}

const model::Project& ToolContext::project() const
{
    return document.project();
}

const model::StageData& ToolContext::stage() const
{
    return document.project().current();
}

int ToolContext::level() const
{
    return document.project().CurLevel;
}

} // namespace kestrava::level
