#pragma once

#include "model/Project.h"

#include <QImage>
#include <QRect>

#include <vector>

class QPainter;

namespace kestrava::level {

// Source rectangle of every tile of a sheet, numbered from 1 left to right,
// then top to bottom; element 0 stays empty. Tiles across and down are the
// sheet's size over the tile size, each rounded to the nearest integer
// (halves to even). Throws io::Error (naming
// sheetPath) when the tile size is not positive or the sheet holds more
// than model::kMaxTiles tiles.
std::vector<QRect> tileRects(const QImage& sheet, int tileWidth, int tileHeight, const QString& sheetPath);

// The whole map of a background group drawn from its sheet, cell by cell,
// Columns * TileWidth by Rows * TileHeight. Cells holding 0 or a number the
// sheet has no tile for stay transparent. When every pixel is covered by an
// opaque tile the result is RGB32, so it blits as a plain copy.
QImage renderTileMap(const QImage& sheet, const std::vector<QRect>& rects, const model::FonGroupData& group);

// Draws the map of a group with its top-left at (x, y), one tile at a time;
// tiles wholly outside clip are skipped.
void drawTileMap(QPainter& painter, int x, int y, const QImage& sheet, const std::vector<QRect>& rects,
                 const model::FonGroupData& group, const QRect& clip);

} // namespace kestrava::level
