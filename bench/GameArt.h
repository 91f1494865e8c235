#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QRandomGenerator>

// A 256 x 256 picture of game art: flat shapes on a transparent ground, and
// with trueColour a patch of noise in many colours.
inline QImage gameArt(quint32 seed, bool trueColour = false)
{
    QRandomGenerator random(seed);
    QImage image(256, 256, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setPen(Qt::NoPen);
    for (int k = 0; k < 16; ++k) {
        painter.setBrush(QColor::fromRgb(random.generate() | 0xFF000000u));
        const QRect r(random.bounded(200), random.bounded(200), random.bounded(10, 120), random.bounded(10, 120));
        if (k % 2)
            painter.drawEllipse(r);
        else
            painter.drawRect(r);
    }
    painter.end();
    for (int y = 96; y < (trueColour ? 160 : 96); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 96; x < 160; ++x)
            line[x] = qRgba(random.bounded(256), random.bounded(256), random.bounded(256), 255);
    }
    return image;
}
