#pragma once

namespace kestrava::model {

// The fixed capacities of a project. Every operation that adds to a table
// checks these and refuses, changing nothing, when the table is full.
inline constexpr int kMaxLevels = 20;
inline constexpr int kMaxFonGroups = 100;
inline constexpr int kMaxFonObjects = 100;
inline constexpr int kMaxActiveGroups = 100;
inline constexpr int kMaxActiveObjects = 100;
inline constexpr int kMaxTextObjects = 20;
inline constexpr int kMaxTextLines = 10;
inline constexpr int kMaxMapRows = 100;
inline constexpr int kMaxMapColumns = 100;
inline constexpr int kAnimPositions = 6;   // sequence positions s
inline constexpr int kAnimDirections = 4;  // d: 1 right, 2 up, 3 left, 4 down
inline constexpr int kAnimStates = 4;      // b: 1 rest, 2 moving, 3 attack, 4 destroyed
inline constexpr int kAnimEntries = kAnimPositions * kAnimDirections * kAnimStates;
inline constexpr int kMaxPathPoints = 40;
inline constexpr int kMaxEventRows = 50;
inline constexpr int kMaxActions = 20;
inline constexpr int kMaxObjectRefs = 5;   // object numbers per condition or action
inline constexpr int kMaxListSlots = 100;  // icons of a stage's object list
inline constexpr int kMaxTiles = 500;      // tiles of one tile sheet
inline constexpr int kMapSize = 1000;      // the level map is kMapSize x kMapSize pixels
// A tile, a frame or a bar is at most this wide and high: no larger than the
// level map or any phone screen.
inline constexpr int kMaxPictureSide = kMapSize;
inline constexpr int kMaxFrames = 1000;    // frames of a sprite strip, each at least a pixel wide
// "Наибольшее число объектов на экране": objects of an active group the game may make while it runs.
inline constexpr int kDefaultMadeObjects = 10;
inline constexpr int kMaxMadeObjects = 50;

} // namespace kestrava::model
