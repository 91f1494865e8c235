#pragma once

#include "io/AppFolder.h"

#include <QString>

namespace kestrava::test {

// Writes a small object library into app's objects folder:
//   forest.obf (3 x 2 map) with forest.png / forest.bmp,
//   hero.oba and ghost.oba with their pictures, lives.obl with lives.bmp,
//   title.obt (two Cyrillic lines), empty.obf (0 rows), blank.obt (no lines).
void writeSampleLibrary(const io::AppFolder& app);

// The files of a folder with their bytes, to see that nothing changed.
QString folderSnapshot(const QString& folder);

} // namespace kestrava::test
