#pragma once

#include "level/LevelCommands.h"
#include "level/MapRenderer.h"
#include "model/ObjectKind.h"
#include "model/Project.h"

#include <QPoint>
#include <QString>
#include <QtGlobal>

#include <algorithm>
#include <limits>
#include <optional>

namespace kestrava::level {

// Where the pointer meets the placed objects of a stage. Tests are strict
// (a point on an object's left or top edge is outside), as the map always
// had them; each kind's own tests are in level/kinds/.

inline int clampToInt(qint64 v)
{
    return int(std::clamp<qint64>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

// Strictly inside (low, low + extent).
inline bool within(int value, qint64 low, qint64 extent)
{
    return low < value && value < low + extent;
}

// A placed background object with a group the stage has.
bool fonValid(const model::StageData& stage, int i);
bool activeValid(const model::StageData& stage, int i);
bool exists(const model::StageData& stage, PlacedRef object);
// How many objects of a kind the stage places by number (1..n); the lives bar has none.
int placedCount(const model::StageData& stage, model::ObjectKind kind);
// The full extent of an existing object; none for the lives bar or a hidden object.
std::optional<SelectionRect> frameOf(const model::StageData& stage, PlacedRef object);
// The topmost object with a menu the map draws at (x, y): sprites over
// backgrounds, backgrounds by list slot, then placing order; none over empty map.
std::optional<PlacedRef> topmostAt(const model::StageData& stage, int x, int y);
// The topmost object of any kind under (x, y) in the status line's words; empty over empty map.
QString hoverTextAt(const model::StageData& stage, int x, int y);

// The group of `groups` (1..count) made from `file`: `own` when it is
// (an object's own group, as a file may be loaded twice), else the first; 0 for none.
template <class Groups>
int groupOfFile(const Groups& groups, int count, const QString& file, int own)
{
    if (own >= 1 && own <= count && groups[size_t(own)].FileName == file)
        return own;
    for (int g = 1; g <= count; ++g)
        if (groups[size_t(g)].FileName == file)
            return g;
    return 0;
}

} // namespace kestrava::level
