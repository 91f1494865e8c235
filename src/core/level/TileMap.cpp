#include "level/TileMap.h"

#include "io/Error.h"
#include "model/Numbers.h"

#include <QPainter>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::level {

std::vector<QRect> tileRects(const QImage& sheet, int tileWidth, int tileHeight, const QString& sheetPath)
{
    if (tileWidth <= 0 || tileHeight <= 0)
        throw io::Error::inFile(sheetPath, u"размер плитки %1 x %2 — плитки должны быть не меньше 1 x 1 точки"_s
                                               .arg(tileWidth).arg(tileHeight));
    const int across = model::nearest(double(sheet.width()) / tileWidth);
    const int down = model::nearest(double(sheet.height()) / tileHeight);
    const qint64 count = qint64(across) * down;
    if (count > model::kMaxTiles)
        throw io::Error::inFile(sheetPath, u"рисунок делится на %1 плиток %2 x %3, а больше %4 плиток не поддерживается"_s
                                               .arg(count).arg(tileWidth).arg(tileHeight).arg(model::kMaxTiles));
    std::vector<QRect> rects(size_t(count) + 1);
    int n = 1;
    for (int r = 0; r < down; ++r)
        for (int c = 0; c < across; ++c)
            rects[size_t(n++)] = QRect(tileWidth * c, tileHeight * r, tileWidth, tileHeight);
    return rects;
}

namespace {

// The rectangle of a cell's tile, or an empty one for 0 and numbers past the sheet.
QRect cellSource(const std::vector<QRect>& rects, int tile)
{
    if (tile < 1 || size_t(tile) >= rects.size())
        return {};
    return rects[size_t(tile)];
}

} // namespace

QImage renderTileMap(const QImage& sheet, const std::vector<QRect>& rects, const model::FonGroupData& group)
{
    const int tw = group.TileWidth;
    const int th = group.TileHeight;
    QImage out(tw * group.Columns, th * group.Rows, QImage::Format_ARGB32_Premultiplied);
    out.fill(Qt::transparent);
    // A tile reaching past the sheet's edge (the count is rounded) leaves the rest uncovered.
    bool covered = !sheet.hasAlphaChannel();
    {
        QPainter painter(&out);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        for (int c = 1; c <= group.Columns; ++c) {
            for (int r = 1; r <= group.Rows; ++r) {
                const QRect source = cellSource(rects, group.cell(r, c)).intersected(sheet.rect());
                if (source.width() < tw || source.height() < th)
                    covered = false;
                if (source.isEmpty())
                    continue;
                painter.drawImage(QPoint(tw * (c - 1), th * (r - 1)), sheet, source);
            }
        }
    }
    if (covered)
        return out.convertToFormat(QImage::Format_RGB32);
    return out;
}

void drawTileMap(QPainter& painter, int x, int y, const QImage& sheet, const std::vector<QRect>& rects,
                 const model::FonGroupData& group, const QRect& clip)
{
    const qint64 tw = group.TileWidth;
    const qint64 th = group.TileHeight;
    for (int c = 1; c <= group.Columns; ++c) {
        const qint64 left = x + tw * (c - 1);
        if (left >= clip.x() + clip.width() || left + tw <= clip.x())
            continue;
        for (int r = 1; r <= group.Rows; ++r) {
            const qint64 top = y + th * (r - 1);
            if (top >= clip.y() + clip.height() || top + th <= clip.y())
                continue;
            const QRect source = cellSource(rects, group.cell(r, c)).intersected(sheet.rect());
            if (!source.isEmpty())
                painter.drawImage(QPoint(int(left), int(top)), sheet, source);
        }
    }
}

} // namespace kestrava::level
