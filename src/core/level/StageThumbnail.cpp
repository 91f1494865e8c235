#include "level/StageThumbnail.h"

#include "io/AppFolder.h"
#include "io/Png.h"

#include <QRect>

#include <algorithm>
#include <cmath>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::level {

QString stageThumbnailPath(const io::AppFolder& app, int level)
{
    return app.objectFile(u"etap%1.bmp"_s.arg(level));
}

QImage storeStageThumbnail(const io::AppFolder& app, int level, const QImage& map)
{
    const QString path = stageThumbnailPath(app, level);
    io::writeBmp(map, path);
    return io::readBmp(path);
}

QImage stageThumbnail(const QImage& map, QSize cell)
{
    constexpr int kMargin = 8;
    const QImage rgb = map.convertToFormat(QImage::Format_RGB32);
    int left = rgb.width();
    int top = rgb.height();
    int right = -1;
    int bottom = -1;
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x) {
            if ((line[x] & RGB_MASK) == RGB_MASK)
                continue;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    QRectF area = right < 0 ? QRectF(0, 0, cell.width(), cell.height())
                            : QRectF(left - kMargin, top - kMargin, right - left + 1 + 2 * kMargin,
                                     bottom - top + 1 + 2 * kMargin);
    // The cell's shape, and no smaller than the cell: a lone sprite is shown at its own size, not blown up.
    const double shape = double(cell.width()) / cell.height();
    double width = std::max({area.width(), area.height() * shape, double(cell.width())});
    double height = width / shape;
    width = std::min(width, double(rgb.width()));
    height = std::min(height, double(rgb.height()));
    const QPointF centre = area.center();
    const double x = std::clamp(centre.x() - width / 2, 0.0, rgb.width() - width);
    const double y = std::clamp(centre.y() - height / 2, 0.0, rgb.height() - height);
    const QRect region(int(std::lround(x)), int(std::lround(y)), int(std::lround(width)), int(std::lround(height)));
    return rgb.copy(region).scaled(cell, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

} // namespace kestrava::level
