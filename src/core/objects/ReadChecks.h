#pragma once

#include <QString>

namespace kestrava::io { class LineReader; }

namespace kestrava::objects {

// Counts and sizes read from a file must fit the tables that receive them:
// a value outside 0..max is refused with a message naming it, never clamped.
int readBounded(io::LineReader& reader, int max, const QString& what);
// The same rule before a value is written; the message names the file.
void checkBounded(const QString& path, int value, int max, const QString& what);
// The message both use ("" when value lies within 0..max).
QString boundsProblem(int value, int max, const QString& what);
// Reads the first line and refuses a file of another kind.
void expectKeyword(io::LineReader& reader, const QString& keyword, const QString& kindName);

} // namespace kestrava::objects
