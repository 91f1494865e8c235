#pragma once

#include "level/LevelCommands.h"
#include "level/MapRenderer.h"
#include "model/ObjectKind.h"
#include "model/Project.h"

#include <QtGlobal>

#include <algorithm>
#include <array>
#include <limits>
#include <optional>

namespace kestrava::level {

// Where the pointer meets the placed objects of a stage. Tests are strict
// (a point on an object's left or top edge is outside), as the map always had them.

inline int clampToInt(qint64 v)
{
    return int(std::clamp<qint64>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

// The kinds as the map stacks them (MapRenderer draws them in reverse), the top first.
inline constexpr std::array kDrawnOnTopFirst{model::ObjectKind::Text, model::ObjectKind::LivesBar,
                                             model::ObjectKind::Active, model::ObjectKind::Background};
static_assert(model::namesEveryKindOnce(kDrawnOnTopFirst));

// A placed background object with a group the stage has.
bool fonValid(const model::StageData& stage, int i);
bool activeValid(const model::StageData& stage, int i);
bool exists(const model::StageData& stage, PlacedRef object);
// How many objects of a kind the stage places by number (1..n); the lives bar has none.
int placedCount(const model::StageData& stage, model::ObjectKind kind);
// shrink: pixels taken off every tile's width and height (the release's test).
bool hitsFon(const model::StageData& stage, int i, int x, int y, int shrink);
bool hitsActive(const model::StageData& stage, int i, int x, int y);
bool hitsLivesBar(const model::StageData& stage, int x, int y);
// The full extent of an existing object; none for the lives bar or a hidden object.
std::optional<SelectionRect> frameOf(const model::StageData& stage, PlacedRef object);
// The topmost object the map draws at (x, y): sprites over backgrounds,
// backgrounds by list slot, then placing order; none over empty map.
std::optional<PlacedRef> topmostAt(const model::StageData& stage, int x, int y);

} // namespace kestrava::level
