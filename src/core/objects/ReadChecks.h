#pragma once

#include "io/TextFile.h"

#include <QString>

namespace kestrava::objects {

// Counts and sizes read from a file must fit the tables that receive them:
// a value outside 0..max is refused with a message naming it, never clamped.
int readBounded(io::LineReader& reader, int max, const QString& what);
// The same rule before a value is written; the message names the file.
void checkBounded(const QString& path, int value, int max, const QString& what);
// A value outside min..max (sizes, frame numbers, codes of a few choices) is
// refused at its line, and before it is written.
int readInRange(io::LineReader& reader, int min, int max, const QString& what);
void checkInRange(const QString& path, int value, int min, int max, const QString& what);
// A picture name: a plain file name (or none), looked up in the objects folders only.
QString readPictureName(io::LineReader& reader);

// Reads the first line and refuses a file of another kind.
void expectKeyword(io::LineReader& reader, const QString& keyword, const QString& kindName);

// The whole file of one kind: its keyword, then its body.
template <class File>
File readObjectFileOfKind(const QString& path, const QString& kindName)
{
    io::LineReader reader = io::LineReader::open(path, io::kMaxObjectFileBytes);
    expectKeyword(reader, File::keyword(), kindName);
    File file = File::readBody(reader);
    reader.expectEnd(QStringLiteral("после данных объекта"));
    return file;
}

// Writes a whole file (replacing it) once every value was accepted.
template <class File>
void writeObjectFile(const File& file, const QString& path)
{
    io::LineWriter writer(path);
    file.writeTo(writer);
    writer.commit();
}

} // namespace kestrava::objects
