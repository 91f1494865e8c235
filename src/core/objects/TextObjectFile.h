#pragma once

#include "io/TextFile.h"

#include <QString>
#include <QStringList>

namespace kestrava::objects {

// The six integers of a text object, in the order of the .obt file and of the
// project file: face, size, bold, italic, underline, colour. Any record with
// these fields (the file, the model's text object) reads, writes and copies them.
template <class Text>
void readTextStyle(io::LineReader& r, Text& t)
{
    t.FontFace = r.integer();
    t.FontSize = r.integer();
    t.Bold = r.integer();
    t.Italic = r.integer();
    t.Underline = r.integer();
    t.Colour = r.integer();
}

template <class Text>
void writeTextStyle(io::LineWriter& w, const Text& t)
{
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
