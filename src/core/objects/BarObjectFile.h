#pragma once

#include <QString>

namespace kestrava::io { class LineReader; class LineWriter; }

namespace kestrava::objects {

// A bar object (.obl), the lives indicator: lives / width / height / direction.
// Its picture is the .bmp of the same base name.
struct BarObjectFile {
    static QString keyword();    // "lives"
    static QString vertical();   // "vert"
    static QString horizontal(); // "gor"
    // Why a direction is not one a bar can have; empty when it is.
    static QString directionProblem(const QString& direction);

    int Width = 0;
    int Height = 0;
    QString Direction = horizontal();

    static BarObjectFile read(const QString& path);
    static BarObjectFile readBody(io::LineReader& reader);
    void write(const QString& path) const;
    void writeTo(io::LineWriter& writer) const;

    bool operator==(const BarObjectFile&) const = default;
};

} // namespace kestrava::objects
