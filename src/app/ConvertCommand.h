#pragma once

#include <QTextStream>

namespace kestrava::model { class Project; }
namespace kestrava::io { class AppFolder; }

namespace kestrava::app {

// kestrava --convert PROJECT.prg: converts a project already read, without a
// window. Prints every file written to `out`, one a line; on failure prints the
// message to `err` and returns non-zero.
int runConvertCommand(model::Project& loadedProject, const io::AppFolder& app, QTextStream& out, QTextStream& err);

// Reads PROJECT.prg with the same reader as "Открыть", then converts it as above.
int runConvertFile(const QString& projectFile, const io::AppFolder& app, QTextStream& out, QTextStream& err);

// kestrava --package PROJECT.prg: reads the project as "Открыть" does and packages
// it (converts, compiles, writes bin/<name>.jar and .jad). Prints each step to
// `out`, then the jar and jad written and the game against its handset's
// budget (packaging::BudgetReport), what is over it also to `err` as a
// warning; on failure prints the message to `err` and returns non-zero.
// shrink: "--shrink", through ProGuard; strict: "--strict", a game over its
// budget is refused.
int runPackageFile(const QString& projectFile, const io::AppFolder& app, QTextStream& out, QTextStream& err,
                   bool shrink = false, bool strict = false);

} // namespace kestrava::app
