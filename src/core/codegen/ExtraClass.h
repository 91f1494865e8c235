#pragma once

#include "codegen/JavaText.h"
#include "codegen/StageObjects.h"

#include <QString>

#include <vector>

namespace kestrava::codegen {

// What the game needs of a stage that its data class has no line for, written
// beside it as Etap<n>extra.java: the path points of the placed active objects
// (in data class order), the group each active group's chase, attack or avoid
// action aims at, the text objects, the lives bar, and whether the sheet asks
// about the right soft key. Texts are written as
// \u escapes, so the class reads the same in any encoding.
void writeExtraClass(JavaText& out, const model::StageData& stage, const StageObjects& objects,
                     const QString& livesPicture);

// True when a condition of the stage's sheet asks about the right soft key (a
// press, release or double press of it): the game then hands that key to the
// sheet, where it is otherwise the way out of the game.
bool asksRightSoftKey(const model::StageData& stage);

// "Etap0extra.java" for level 1.
QString extraClassFileName(int level);

// Per active group g (index g, 0 unused): the group named by the last event row
// action that sets g to chase, attack or avoid ("objtip[gr_obj[g][krg]]=2;kd=krT;"),
// 0 when none does.
std::vector<int> chaseGroups(const model::StageData& stage);

// A Java string literal of any text: quotes, backslashes and every character
// outside printable ASCII escaped.
QString javaString(const QString& text);

// The colour of the object files (0x00BBGGRR, or a system colour) as the game draws it (0xRRGGBB).
int gameColour(int bgr);
// A text's face (0..2) and size (0..2; one never chosen reads as the middle
// one) as the game's Font class numbers them, and its style bits.
int gameFontFace(int face);
int gameFontSize(int size);
int gameFontStyle(bool bold, bool italic, bool underline);

} // namespace kestrava::codegen
