#pragma once

#include <QString>
#include <QStringList>

namespace kestrava::io { class LineReader; class LineWriter; }

namespace kestrava::objects {

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
