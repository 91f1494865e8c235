#pragma once

#include "codegen/StageObjects.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

#include <vector>

namespace kestrava::codegen {

// The tables of a stage as the game reads them when the stage starts: a
// resource of the jar, "Etap<n>.dat" (n = level - 1), which the stage class's
// load() hands to StageState.tables(). Big-endian, as DataInputStream reads:
// counts and indices as unsigned 16-bit numbers, every other number as a
// 32-bit one, texts as DataOutput's UTF, and each distinct map once, its
// cells one byte each (255 and two more bytes for a tile above 254). In order:
//   format (kStageTablesFormat)
//   pictures: count, each its jar name ("/tree.png")
//   backgrounds: count, each picture, tile width and height, columns, rows,
//     x, y, obstacle (one byte), list slot, map
//   maps: count, each its byte length and its cells row by row
//   group movement types: count (groups + 1, index 0 unused), each type
//   active objects: count, each group, picture, frame width and height, x, y,
//     list slot, path points (count, then x and y of each)
//   frames of rest, movement and death: for each of the 4 directions, for
//     each active object, count, then the frame numbers (from 0)
//   chase targets: count (groups + 1), each the group aimed at, 0 for none
//   texts: count, each line count and lines, x, y, face, size, style, colour
//   lives bar: present (one byte), picture ("" for none), x, y, width,
//     height, vertical (one byte)
//   the right soft key asked by the sheet (one byte)
//   group motion: count (groups + 1), each speed, acceleration, braking,
//     gravity, largest fall speed and jump (model::MotionData, hundredths)
//   the on-screen buttons for touch screens (one byte)
inline constexpr int kStageTablesFormat = 3;

// What a stage of the game loads and holds once it has started, for the
// handset budget: estimated, as a phone's heap would hold it.
struct StageLoad {
    int level = 0;
    QStringList pictures;     // the jar names of the pictures it decodes, each once
    qint64 tableBytes = 0;    // its tables: map cells, objects, frames, paths, texts
};

// The resource of a stage. pictureInJar: the jar's name of a picture the
// stage names, when the jar holds it under another (the same picture already
// there by another name); livesPicture: the lives bar's picture in the jar,
// empty for none. A text longer than a game can read is an io::Error naming
// the stage and the text.
// touchButtons: the project's "Экранные кнопки для сенсорных телефонов".
QByteArray stageTables(const model::StageData& stage, const StageObjects& objects,
                       const QHash<QString, QString>& pictureInJar, const QString& livesPicture,
                       StageLoad* load = nullptr, bool touchButtons = false);

// "Etap0.dat" for level 1.
QString stageTablesFileName(int level);

// Per active group g (index g, 0 unused): the group named by the last event row
// action that sets g to chase, attack or avoid ("objtip[gr_obj[g][krg]]=2;kd=krT;"),
// 0 when none does.
std::vector<int> chaseGroups(const model::StageData& stage);

// True when a condition of the stage's sheet asks about the right soft key (a
// press, release or double press of it): the game then hands that key to the
// sheet, where it is otherwise the way out of the game.
bool asksRightSoftKey(const model::StageData& stage);

// True when a condition of the stage's sheet asks about the key of this code
// and double-press name (35 and "pound" for "#").
bool asksKey(const model::StageData& stage, int code, const QString& doubleName);

} // namespace kestrava::codegen
