#pragma once

#include <QByteArray>
#include <QString>

namespace kestrava::test {

// A stage's tables (codegen/StageTables.h) read back as the game's
// StageState.tables() reads them, written out one table a line, so that a
// golden file shows what the game gets. Anything the game would read
// differently (a short resource, bytes after its end, an unknown format) is
// a line starting with "error:" at the end.
QString dumpStageTables(const QByteArray& tables);

} // namespace kestrava::test
