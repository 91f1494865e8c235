#include "objects/FonPictures.h"

#include "model/Numbers.h"
#include "objects/FonEditor.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace kestrava::objects {
namespace {

constexpr QRgb kEmptyCellLine = 0xffdcdcdc;
constexpr QRgb kSelectionFrame = 0xff0050c8;
// The map is composed at full size up to this many pixels a side, scaled
// down beyond: a 100 x 100 map of large tiles would not fit in memory.
constexpr int kMaxCanvas = 1500;

// Tile k's pixels that lie inside the picture (a rounded cut may reach past its edge).
QRect tileSource(const FonEditor& editor, int tile)
{
    return editor.tileRect(tile).intersected(editor.bitmap().rect());
}

} // namespace

QImage paletteImage(const FonEditor& editor)
{
    constexpr int cell = FonEditor::kPaletteCell;
    QImage image(editor.paletteColumns() * cell, FonEditor::kPaletteRows * cell, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    for (int column = 0; column < editor.paletteColumns(); ++column) {
        for (int row = 0; row < FonEditor::kPaletteRows; ++row) {
            const int tile = editor.paletteTile(column, row);
            const QRect source = tileSource(editor, tile);
            if (tile == 0 || source.isEmpty())
                continue;
            const QRect target(column * cell, row * cell, cell, cell);
            painter.drawImage(target, editor.bitmap(), source);
            if (editor.isSolid(tile)) {
                // A solid tile is crossed out in red, as a wall is on a plan.
                painter.setPen(QPen(QColor(220, 0, 0), 2));
                painter.drawLine(target.topLeft() + QPoint(2, 2), target.bottomRight() - QPoint(2, 2));
                painter.drawLine(target.topRight() + QPoint(-2, 2), target.bottomLeft() + QPoint(2, -2));
            }
            if (tile == editor.selectedTile()) {
                painter.setPen(QColor::fromRgb(kSelectionFrame));
                painter.drawRect(target.adjusted(0, 0, -1, -1));
            }
        }
    }
    return image;
}

void paintMap(QPainter& painter, const FonEditor& editor, const QRect& clip)
{
    painter.fillRect(clip, Qt::white);
    const int tw = editor.tileWidth();
    const int th = editor.tileHeight();
    const QRect area = clip.intersected(QRect(QPoint(0, 0), editor.gridSize()));
    if (area.isEmpty())
        return;
    painter.setPen(QColor::fromRgb(kEmptyCellLine));
    for (int row = area.top() / th; row <= area.bottom() / th; ++row) {
        for (int column = area.left() / tw; column <= area.right() / tw; ++column) {
            const QRect target(column * tw, row * th, tw, th);
            const QRect source = tileSource(editor, editor.cell(column, row));
            if (source.isEmpty())
                painter.drawRect(target.adjusted(0, 0, -1, -1));
            else
                painter.drawImage(target.topLeft(), editor.bitmap(), source);
        }
    }
}

QImage mapImage(const FonEditor& editor)
{
    QImage image(editor.gridSize(), QImage::Format_RGB32);
    QPainter painter(&image);
    paintMap(painter, editor, image.rect());
    return image;
}

QImage sourceImage(const FonEditor& editor, QSize box)
{
    QImage image(box, QImage::Format_RGB32);
    image.fill(Qt::white);
    const QImage& picture = editor.bitmap();
    if (picture.isNull())
        return image;
    const double scale = std::min({1.0, double(box.width()) / picture.width(), double(box.height()) / picture.height()});
    QPainter painter(&image);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.scale(scale, scale);
    painter.drawImage(QPoint(0, 0), picture);
    QPen pen(QColor(255, 0, 0, 160));
    pen.setCosmetic(true);
    painter.setPen(pen);
    const double width = double(editor.tilesAcross()) * editor.tileWidth();
    const double height = double(editor.tilesDown()) * editor.tileHeight();
    for (int i = 1; i < editor.tilesAcross(); ++i)
        painter.drawLine(QLineF(i * editor.tileWidth(), 0, i * editor.tileWidth(), height));
    for (int j = 1; j < editor.tilesDown(); ++j)
        painter.drawLine(QLineF(0, j * editor.tileHeight(), width, j * editor.tileHeight()));
    return image;
}

QImage selectedTileImage(const FonEditor& editor)
{
    QImage image(kSelectedTileSize, kSelectedTileSize, QImage::Format_RGB32);
    image.fill(Qt::white);
    const QRect source = tileSource(editor, editor.selectedTile());
    if (!source.isEmpty()) {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(image.rect(), editor.bitmap(), source);
    }
    return image;
}

QImage previewImage(const FonEditor& editor)
{
    QImage preview(kPreviewWidth, kPreviewHeight, QImage::Format_RGB32);
    preview.fill(Qt::white);
    const int tw = editor.tileWidth();
    const int th = editor.tileHeight();
    const double a = double(editor.mapColumns()) * tw;
    const double b = double(editor.mapRows()) * th;
    // The side that would overflow first fills the preview, so nothing is cut off.
    const double f = std::max(a / kPreviewWidth, b / kPreviewHeight);
    const QRect target(0, 0, model::nearest(a / f), model::nearest(b / f));

    const double s = std::min(1.0, kMaxCanvas / std::max(a, b));
    QImage canvas(int(std::ceil(a * s)), int(std::ceil(b * s)), QImage::Format_RGB32);
    canvas.fill(QColor::fromRgb(kPreviewCanvas));
    {
        QPainter painter(&canvas);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.scale(s, s);
        for (int row = 0; row < editor.mapRows(); ++row) {
            for (int column = 0; column < editor.mapColumns(); ++column) {
                const QRect source = tileSource(editor, editor.cell(column, row));
                if (!source.isEmpty())
                    painter.drawImage(QPoint(column * tw, row * th), editor.bitmap(), source);
            }
        }
    }
    QPainter painter(&preview);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRectF(target), canvas, QRectF(0, 0, a * s, b * s));
    return preview;
}

} // namespace kestrava::objects
