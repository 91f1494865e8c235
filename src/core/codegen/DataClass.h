#pragma once

#include "codegen/JavaText.h"
#include "codegen/StageObjects.h"

#include <QByteArray>

namespace kestrava::codegen {

// The data class Etap<n>data.java of a stage (n = level - 1): 32 lines of
// constant tables, windows-1251, CR LF. Only the objects in `objects` appear.
// A stage whose tables would not fit the 64 KB of code a class file allows a
// constructor has its maps and frame lists written as string constants,
// unpacked when the stage starts (a few more lines).
void writeDataClass(JavaText& out, const model::StageData& stage, const StageObjects& objects);
QByteArray dataClass(const model::Project& project, int level);

// "Etap0data.java" for level 1.
QString dataClassFileName(int level);

} // namespace kestrava::codegen
