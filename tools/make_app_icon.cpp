// Paints the program's own icon (a phone whose screen shows a bird over a
// hill) in the sizes desktop menus use, as PNG files:
//   make_app_icon OUTPUT_DIR   ->  OUTPUT_DIR/<n>x<n>/kestrava.png
// Shapes only, no fonts, so the pictures do not depend on the machine.

#include "io/Error.h"
#include "io/Png.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <cstdio>

namespace {

QImage appIcon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 64.0, size / 64.0);

    // The phone.
    p.setPen(QPen(QColor(30, 30, 40), 2));
    p.setBrush(QColor(60, 64, 80));
    p.drawRoundedRect(QRectF(14, 3, 36, 58), 7, 7);
    // Its screen: sky and a green hill.
    const QRectF screen(18, 9, 28, 38);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(120, 190, 240));
    p.drawRect(screen);
    QPainterPath hill;
    hill.moveTo(18, 47);
    hill.cubicTo(24, 34, 36, 34, 46, 42);
    hill.lineTo(46, 47);
    hill.closeSubpath();
    p.setBrush(QColor(70, 160, 70));
    p.drawPath(hill);
    // The bird: two swept wings.
    QPainterPath bird;
    bird.moveTo(22, 22);
    bird.quadTo(28, 16, 32, 23);
    bird.quadTo(36, 15, 43, 19);
    bird.quadTo(36, 19, 32, 28);
    bird.quadTo(29, 20, 22, 22);
    p.setBrush(QColor(200, 110, 40));
    p.drawPath(bird);
    // The key below the screen.
    p.setBrush(QColor(220, 220, 230));
    p.drawEllipse(QRectF(28, 51, 8, 6));
    return image;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_app_icon OUTPUT_DIR\n");
        return 2;
    }
    const QString dir = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    try {
        for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
            const QString folder = dir + QStringLiteral("/%1x%1").arg(size);
            QDir().mkpath(folder);
            const QString path = folder + QStringLiteral("/kestrava.png");
            kestrava::io::writePng(appIcon(size), path);
            std::printf("%s\n", qPrintable(path));
        }
    } catch (const kestrava::io::Error& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
