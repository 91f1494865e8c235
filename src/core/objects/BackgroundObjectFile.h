#pragma once

#include <QString>

#include <vector>

namespace kestrava::io { class LineReader; class LineWriter; }

namespace kestrava::objects {

// A background object (.obf): a tile map over one tile sheet.
//   fon / picture name / tile width / tile height / C / R / R*C cells row by row
struct BackgroundObjectFile {
    static QString keyword(); // "fon"

    QString PictureName;
    int TileWidth = 0;
    int TileHeight = 0;
    int Columns = 0;
    int Rows = 0;
    // Rows x Columns tile numbers (0 = empty), row by row from the top.
    std::vector<int> cells;

    // Cell [row][column], both 1-based; 0 outside the map.
    int cell(int row, int column) const;
    void setCell(int row, int column, int tile);
    // Sets the map size and clears every cell.
    void setMapSize(int columns, int rows);

    // Reads and checks a whole file; a map larger than the project holds
    // (100 x 100) is refused, as is any negative size.
    static BackgroundObjectFile read(const QString& path);
    // The lines after the keyword.
    static BackgroundObjectFile readBody(io::LineReader& reader);
    // Writes the file (replacing it); refuses what read() would refuse.
    void write(const QString& path) const;
    void writeTo(io::LineWriter& writer) const;

    bool operator==(const BackgroundObjectFile&) const = default;
};

} // namespace kestrava::objects
