#pragma once

#include "model/Capacities.h"

#include <QString>

namespace kestrava::io { class LineReader; class LineWriter; }

namespace kestrava::objects {

// An active object (.oba): a sprite strip and its animation table.
//   active / picture name / N frames / frame width / frame height / 96 entries
// Always 101 lines.
struct ActiveObjectFile {
    static QString keyword(); // "active"

    QString PictureName;
    int FrameCount = 0;
    int TileWidth = 0;  // frame width
    int TileHeight = 0; // frame height
    // [sequence position 1..6][direction 1..4][state 1..4]: a frame number
    // 1..FrameCount, 0 = empty. Index 0 of each dimension is unused.
    int Anim[model::kAnimPositions + 1][model::kAnimDirections + 1][model::kAnimStates + 1] = {};

    static ActiveObjectFile read(const QString& path);
    static ActiveObjectFile readBody(io::LineReader& reader);
    void write(const QString& path) const;
    void writeTo(io::LineWriter& writer) const;

    bool operator==(const ActiveObjectFile&) const = default;
};

} // namespace kestrava::objects
