#include "media/MapZoom.h"

#include <QPainter>
#include <QRegularExpression>
#include <QString>

#include <algorithm>
#include <vector>

namespace kestrava::media {

namespace zoom {

int clamp(int percent)
{
    return std::clamp(percent, kMin, kMax);
}

int in(int percent)
{
    for (int step : kSteps)
        if (step > percent)
            return step;
    return kMax;
}

int out(int percent)
{
    int below = kMin;
    for (int step : kSteps)
        if (step < percent)
            below = step;
    return below;
}

int parse(const QString& text)
{
    static const QRegularExpression number(QStringLiteral("^\\s*(\\d{1,4})\\s*%?\\s*$"));
    const QRegularExpressionMatch match = number.match(text);
    return match.hasMatch() ? match.captured(1).toInt() : 0;
}

int toGame(int view, int percent)
{
    const qint64 scaled = qint64(view) * 100;
    // Division that rounds towards minus infinity.
    return int(scaled >= 0 ? scaled / percent : -((-scaled + percent - 1) / percent));
}

qint64 toView(qint64 game, int percent)
{
    return game * percent / 100;
}

int scrollAbout(int scroll, int pointer, int oldPercent, int newPercent)
{
    const double game = double(qint64(scroll) + pointer) * 100.0 / oldPercent;
    return std::max(0, int(game * newPercent / 100.0 - pointer + 0.5));
}

} // namespace zoom

namespace {

void drawMap(QPainter& painter, const QImage& map, int percent, const QRect& exposed)
{
    if (percent == 100) {
        painter.drawImage(exposed.topLeft(), map, exposed);
        return;
    }
    // The game pixels the exposed part shows, whole, drawn as squares.
    const int left = zoom::toGame(exposed.left(), percent);
    const int top = zoom::toGame(exposed.top(), percent);
    const int right = zoom::toGame(exposed.right(), percent);
    const int bottom = zoom::toGame(exposed.bottom(), percent);
    const QRect source = QRect(QPoint(left, top), QPoint(right, bottom)).intersected(map.rect());
    if (source.isEmpty())
        return;
    const QRectF target(double(zoom::toView(source.left(), percent)), double(zoom::toView(source.top(), percent)),
                        source.width() * percent / 100.0, source.height() * percent / 100.0);
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.setClipRect(exposed);
    painter.drawImage(target, map, source);
    painter.restore();
}

// `colour` over `pixel` by its alpha.
inline QRgb blend(QRgb pixel, QRgb colour, int alpha)
{
    const auto mix = [alpha](int over, int under) { return (over * alpha + under * (255 - alpha) + 127) / 255; };
    return qRgb(mix(qRed(colour), qRed(pixel)), mix(qGreen(colour), qGreen(pixel)), mix(qBlue(colour), qBlue(pixel)));
}

} // namespace

void paintZoomed(QPainter& painter, const QImage& map, int percent, const QRect& exposed, QSize cell, QRgb gridColour)
{
    // Lines closer than 4 view pixels would hide the map.
    const bool grid = cell.isValid() && cell.width() >= 1 && cell.height() >= 1
                      && qint64(cell.width()) * percent >= 400 && qint64(cell.height()) * percent >= 400;
    if (!grid || exposed.isEmpty()) {
        drawMap(painter, map, percent, exposed);
        return;
    }
    // The grid is blended into a copy of the exposed part pixel by pixel:
    // lines one pixel wide through a painter cost a span per pixel.
    thread_local QImage shown;
    if (shown.size() != exposed.size())
        shown = QImage(exposed.size(), QImage::Format_RGB32);
    shown.fill(Qt::white);
    {
        QPainter into(&shown);
        into.translate(-exposed.topLeft());
        drawMap(into, map, percent, exposed);
    }
    const int alpha = qAlpha(gridColour);
    std::vector<int> columns;
    for (qint64 c = std::max(0, zoom::toGame(exposed.left(), percent) / cell.width());; ++c) {
        const qint64 x = zoom::toView(c * cell.width(), percent);
        if (x > exposed.right())
            break;
        if (x >= exposed.left())
            columns.push_back(int(x - exposed.left()));
    }
    qint64 nextRow = std::max(0, zoom::toGame(exposed.top(), percent) / cell.height());
    qint64 rowAt = zoom::toView(nextRow * cell.height(), percent);
    for (int y = 0; y < shown.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(shown.scanLine(y));
        const qint64 viewY = qint64(exposed.top()) + y;
        while (rowAt < viewY)
            rowAt = zoom::toView(++nextRow * cell.height(), percent);
        if (rowAt == viewY) {
            for (int x = 0; x < shown.width(); ++x)
                line[x] = blend(line[x], gridColour, alpha);
        } else {
            for (int x : columns)
                line[x] = blend(line[x], gridColour, alpha);
        }
    }
    painter.drawImage(exposed.topLeft(), shown);
}

} // namespace kestrava::media
