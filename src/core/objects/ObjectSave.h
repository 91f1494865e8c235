#pragma once

#include "io/TextFile.h"

#include <QString>

#include <vector>

namespace kestrava::objects {

// Writes an object file and its pictures as one save: every file was built
// in memory before, and all of them are written beside their targets and
// only then renamed, so a failed save leaves the old files as they were.
// An object file named like one of its own pictures ("hero.png" saved as an
// active object) is refused: one would overwrite the other.
void saveObjectFiles(const io::FileBytes& object, const std::vector<io::FileBytes>& pictures);

} // namespace kestrava::objects
