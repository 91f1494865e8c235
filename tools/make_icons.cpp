// Paints the editor's icons (event sheet marks and headers, text object
// icons) and writes them as BMP files into the folder given on the command
// line. Shapes only, no fonts, so the pictures do not depend on the machine.

#include "io/Error.h"
#include "io/Png.h"

#include <QColor>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <cstdio>
#include <functional>

namespace {

using Paint = std::function<void(QPainter&)>;

const QColor kInk(40, 40, 40);

QImage icon(int width, int height, const Paint& paint)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    paint(painter);
    return image;
}

QPen pen(const QColor& colour, qreal width)
{
    return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// A sans-serif "T" as two bars inside the rectangle.
void letterT(QPainter& p, const QRectF& box, const QColor& colour)
{
    const qreal bar = box.height() * 0.2;
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawRect(QRectF(box.left(), box.top(), box.width(), bar));
    p.drawRect(QRectF(box.center().x() - bar / 2, box.top(), bar, box.height()));
}

void labelEvent(QPainter& p)
{
    p.setPen(pen(QColor(0, 140, 0), 3));
    p.drawPolyline(QPolygonF({{3.5, 9}, {7, 13}, {14, 4}}));
}

// Screen and its special settings: a phone with a lit display.
void event1(QPainter& p)
{
    p.setPen(pen(kInk, 1.5));
    p.setBrush(QColor(90, 90, 90));
    p.drawRoundedRect(QRectF(7.5, 2.5, 16, 26), 3, 3);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(80, 170, 240));
    p.drawRect(QRectF(10, 6, 11, 14));
    p.setBrush(QColor(200, 200, 200));
    p.drawEllipse(QPointF(15.5, 24), 1.8, 1.8);
}

// Sound: a loudspeaker with two waves.
void event2(QPainter& p)
{
    p.setPen(pen(kInk, 1.5));
    p.setBrush(QColor(70, 70, 70));
    p.drawPolygon(QPolygonF({{4, 12}, {9, 12}, {16, 6}, {16, 25}, {9, 19}, {4, 19}}));
    p.setBrush(Qt::NoBrush);
    p.setPen(pen(QColor(30, 110, 200), 2));
    p.drawArc(QRectF(13, 10, 8, 11), -50 * 16, 100 * 16);
    p.drawArc(QRectF(13, 5, 14, 21), -50 * 16, 100 * 16);
}

// Stage: a flag on a pole.
void event3(QPainter& p)
{
    p.setPen(pen(kInk, 2));
    p.drawLine(QPointF(8, 4), QPointF(8, 28));
    p.setPen(pen(QColor(150, 20, 20), 1));
    p.setBrush(QColor(220, 40, 40));
    p.drawPolygon(QPolygonF({{9, 5}, {25, 9}, {9, 15}}));
    p.setPen(pen(QColor(60, 140, 60), 2));
    p.drawLine(QPointF(3, 28), QPointF(28, 28));
}

// Objects: a circle, a square and a triangle.
void event4(QPainter& p)
{
    p.setPen(pen(kInk, 1));
    p.setBrush(QColor(220, 60, 60));
    p.drawEllipse(QRectF(3, 3, 12, 12));
    p.setBrush(QColor(60, 110, 220));
    p.drawRect(QRectF(16.5, 4.5, 11, 11));
    p.setBrush(QColor(60, 170, 60));
    p.drawPolygon(QPolygonF({{15.5, 17}, {23, 28}, {8, 28}}));
}

// Keyboard control: a cross of four arrow keys.
void event5(QPainter& p)
{
    p.setPen(pen(kInk, 1));
    p.setBrush(QColor(210, 210, 210));
    const QRectF keys[] = {{11.5, 2.5, 8, 8}, {11.5, 20.5, 8, 8}, {2.5, 11.5, 8, 8}, {20.5, 11.5, 8, 8},
                           {11.5, 11.5, 8, 8}};
    for (const QRectF& key : keys)
        p.drawRoundedRect(key, 1.5, 1.5);
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawPolygon(QPolygonF({{15.5, 4}, {18.5, 8.5}, {12.5, 8.5}}));
    p.drawPolygon(QPolygonF({{15.5, 27}, {18.5, 22.5}, {12.5, 22.5}}));
    p.drawPolygon(QPolygonF({{4, 15.5}, {8.5, 12.5}, {8.5, 18.5}}));
    p.drawPolygon(QPolygonF({{27, 15.5}, {22.5, 12.5}, {22.5, 18.5}}));
}

// Player: a little man.
void event6(QPainter& p)
{
    p.setPen(pen(kInk, 1));
    p.setBrush(QColor(250, 200, 150));
    p.drawEllipse(QPointF(15.5, 7), 4.5, 4.5);
    p.setBrush(QColor(40, 120, 210));
    p.drawRoundedRect(QRectF(10, 12.5, 11, 10), 3, 3);
    p.setPen(pen(QColor(40, 40, 120), 3));
    p.drawLine(QPointF(13, 23), QPointF(12, 28));
    p.drawLine(QPointF(18, 23), QPointF(19, 28));
}

// A generic object: a box.
void event7(QPainter& p)
{
    p.setPen(pen(kInk, 1));
    p.setBrush(QColor(240, 170, 60));
    p.drawPolygon(QPolygonF({{5, 11}, {20, 11}, {20, 27}, {5, 27}}));
    p.setBrush(QColor(250, 205, 120));
    p.drawPolygon(QPolygonF({{5, 11}, {12, 4}, {27, 4}, {20, 11}}));
    p.setBrush(QColor(200, 130, 40));
    p.drawPolygon(QPolygonF({{20, 11}, {27, 4}, {27, 20}, {20, 27}}));
}

// Timer: a clock face.
void event8(QPainter& p)
{
    p.setPen(pen(kInk, 2));
    p.setBrush(QColor(255, 250, 220));
    p.drawEllipse(QPointF(15.5, 15.5), 12, 12);
    p.setPen(pen(kInk, 1.2));
    for (int hour = 0; hour < 12; hour += 3) {
        p.save();
        p.translate(15.5, 15.5);
        p.rotate(hour * 30);
        p.drawLine(QPointF(0, -10), QPointF(0, -8));
        p.restore();
    }
    p.setPen(pen(kInk, 2));
    p.drawLine(QPointF(15.5, 15.5), QPointF(15.5, 7.5));
    p.setPen(pen(QColor(200, 30, 30), 1.5));
    p.drawLine(QPointF(15.5, 15.5), QPointF(21.5, 18.5));
}

// Text object in the object list: a large "T" on a page.
void text(QPainter& p)
{
    p.setPen(pen(QColor(120, 120, 120), 1));
    p.setBrush(QColor(255, 255, 240));
    p.drawRect(QRectF(2.5, 2.5, 33, 35));
    letterT(p, QRectF(8, 7, 22, 26), QColor(20, 20, 20));
}

// Text object marker on the level map.
void text1(QPainter& p)
{
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QColor(0, 0, 160));
    p.setBrush(QColor(255, 255, 200));
    p.drawRect(0, 0, 15, 15);
    letterT(p, QRectF(3, 3, 10, 10), QColor(0, 0, 160));
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_icons OUTPUT_DIR\n");
        return 2;
    }
    const QString dir = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    QDir().mkpath(dir);

    struct Icon {
        const char* name;
        int width;
        int height;
        Paint paint;
    };
    const Icon icons[] = {
        {"labelEvent.bmp", 17, 17, labelEvent}, {"event1.bmp", 31, 31, event1}, {"event2.bmp", 31, 31, event2},
        {"event3.bmp", 31, 31, event3},         {"event4.bmp", 31, 31, event4}, {"event5.bmp", 31, 31, event5},
        {"event6.bmp", 31, 31, event6},         {"event7.bmp", 31, 31, event7}, {"event8.bmp", 31, 31, event8},
        {"text.bmp", 38, 40, text},             {"text1.bmp", 16, 16, text1},
    };
    try {
        for (const Icon& each : icons) {
            const QString path = dir + QLatin1Char('/') + QString::fromLatin1(each.name);
            kestrava::io::writeBmp(icon(each.width, each.height, each.paint), path);
            std::printf("%s\n", qPrintable(path));
        }
    } catch (const kestrava::io::Error& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
