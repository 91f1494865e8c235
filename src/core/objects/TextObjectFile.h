#pragma once

#include "io/TextFile.h"
#include "objects/ReadChecks.h"

#include <QString>
#include <QStringList>

namespace kestrava::objects {

// The six integers of a text object, in the order of the .obt file and of the
// project file: face, size, bold, italic, underline, colour. Any record with
// these fields (the file, the model's text object) reads, writes and copies them.
// Face 0..2, size -1..2, flags 0 or 1, the colour 0x00BBGGRR: anything else is
// refused at its line, and before it is written.
template <class Text>
void readTextStyle(io::LineReader& r, Text& t)
{
    t.FontFace = readInRange(r, 0, 2, QStringLiteral("вид шрифта"));
    t.FontSize = readInRange(r, -1, 2, QStringLiteral("размер шрифта"));
    t.Bold = readInRange(r, 0, 1, QStringLiteral("жирный"));
    t.Italic = readInRange(r, 0, 1, QStringLiteral("курсив"));
    t.Underline = readInRange(r, 0, 1, QStringLiteral("подчёркнутый"));
    t.Colour = readInRange(r, 0, 0xFFFFFF, QStringLiteral("цвет"));
}

template <class Text>
void writeTextStyle(io::LineWriter& w, const Text& t)
{
    checkInRange(w.path(), t.FontFace, 0, 2, QStringLiteral("вид шрифта"));
    checkInRange(w.path(), t.FontSize, -1, 2, QStringLiteral("размер шрифта"));
    for (int flag : {t.Bold, t.Italic, t.Underline})
        checkInRange(w.path(), flag, 0, 1, QStringLiteral("начертание шрифта"));
    checkInRange(w.path(), t.Colour, 0, 0xFFFFFF, QStringLiteral("цвет"));
    for (int value : {t.FontFace, t.FontSize, t.Bold, t.Italic, t.Underline, t.Colour})
        w.integer(value);
}

template <class To, class From>
void copyTextStyle(To& to, const From& from)
{
    to.FontFace = from.FontFace;
    to.FontSize = from.FontSize;
    to.Bold = from.Bold;
    to.Italic = from.Italic;
    to.Underline = from.Underline;
    to.Colour = from.Colour;
}

// A text object (.obt): text / face / size / bold / italic / underline /
// colour / n / n lines. Flags are 1 or 0; the colour is 0x00BBGGRR.
struct TextObjectFile {
    static QString keyword(); // "text"

    int FontFace = 0;   // 0 system, 1 monospaced, 2 proportional
    int FontSize = -1;  // 0 small, 1 medium, 2 large, -1 none chosen
    int Bold = 0;
    int Italic = 0;
    int Underline = 0;
    int Colour = 0;
    QStringList lines;  // at most 10, what a text object of the project holds

    static TextObjectFile read(const QString& path);
    static TextObjectFile readBody(io::LineReader& reader);
    void write(const QString& path) const;
    void writeTo(io::LineWriter& writer) const;

    bool operator==(const TextObjectFile&) const = default;
};

} // namespace kestrava::objects
