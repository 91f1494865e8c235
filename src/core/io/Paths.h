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
// Copies a file unless something (a link too) is in the target's place; false
// when nothing was copied. Reads and writes as readWholeFile and
// writeFileAtomically do: never through a link.
bool copyFileNoOverwrite(const QString& from, const QString& to);
// Creates a folder (and its parents) unless it exists; an Error when it
// cannot, or when a folder on the way leads out of its trusted folder.
void makeFolder(const QString& path);

} // namespace kestrava::io
