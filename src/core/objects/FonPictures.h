#pragma once

#include <QColor>
#include <QImage>
#include <QRect>
#include <QSize>

class QPainter;

namespace kestrava::objects {

class FonEditor;

// What the background editor shows, painted from its state only: nothing
// here reads a file, so the grid can be painted on every pointer move.

inline constexpr int kSelectedTileSize = 49;
inline constexpr int kPreviewWidth = 137;
inline constexpr int kPreviewHeight = 129;
// The background of the map in the preview, where cells hold no tile.
inline constexpr QRgb kPreviewCanvas = 0xfffff5ff; // RGB (255, 245, 255)

// The palette: paletteColumns() x kPaletteRows cells of kPaletteCell
// pixels, each tile stretched into its cell, solid ones crossed out in red,
// the selected one framed.
QImage paletteImage(const FonEditor& editor);

// The part `clip` of the map grid (grid pixels): each cell's tile at full
// size; an empty cell shows only its outline.
void paintMap(QPainter& painter, const FonEditor& editor, const QRect& clip);
// The whole grid (for small maps and tests).
QImage mapImage(const FonEditor& editor);

// The loaded picture scaled to fit `box` (never enlarged), top left, with
// the lines of the cut over it; white for no picture.
QImage sourceImage(const FonEditor& editor, QSize box);

// The selected tile stretched into kSelectedTileSize square; white for none.
QImage selectedTileImage(const FonEditor& editor);

// The preview saved as the object's .bmp: the whole map scaled to fit
// kPreviewWidth x kPreviewHeight at the top left, its longer side filling
// the preview, the rest white.
QImage previewImage(const FonEditor& editor);

} // namespace kestrava::objects
