#pragma once

#include <QString>

namespace kestrava::io {

// The name with its last extension replaced (or added): "a.b.obf" -> "a.b.png".
QString changeExtension(const QString& fileName, const QString& extension);
// The name without folder.
QString fileNamePart(const QString& path);
// The folder of a path, without a trailing separator.
QString folderPart(const QString& path);
// True for a bare file name: not empty, no folder separator, not "." or "..",
// no drive colon. Names that come from files must pass this before use.
bool isPlainFileName(const QString& name);
// Copies a file unless the target exists; false when nothing was copied.
bool copyFileNoOverwrite(const QString& from, const QString& to);
// Creates a folder (and its parents) unless it exists; an Error when it cannot.
void makeFolder(const QString& path);

} // namespace kestrava::io
