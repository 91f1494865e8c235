#include "media/MapZoom.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

using namespace kestrava;
namespace zoom = media::zoom;

TEST(MapZoom, StepsStopAtTheEndsAndViewPixelsMapToGamePixels)
{
    EXPECT_EQ(zoom::in(100), 150);
    EXPECT_EQ(zoom::in(120), 150) << "a typed value goes to the next step";
    EXPECT_EQ(zoom::in(600), 800);
    EXPECT_EQ(zoom::in(800), 800);
    EXPECT_EQ(zoom::out(33), 25);
    EXPECT_EQ(zoom::out(25), 25);
    EXPECT_EQ(zoom::clamp(24), 25);
    EXPECT_EQ(zoom::clamp(801), 800);
    EXPECT_EQ(zoom::parse(QStringLiteral("150 %")), 150);
    EXPECT_EQ(zoom::parse(QStringLiteral(" 75%")), 75);
    EXPECT_EQ(zoom::parse(QStringLiteral("1,5")), 0);
    EXPECT_EQ(zoom::parse(QString()), 0);

    // At 400 % view pixels 0..3 show game pixel 0 and 4 the next; left of the origin too.
    EXPECT_EQ(zoom::toGame(3, 400), 0);
    EXPECT_EQ(zoom::toGame(4, 400), 1);
    EXPECT_EQ(zoom::toGame(-1, 400), -1);
    EXPECT_EQ(zoom::toGame(-4, 400), -1);
    EXPECT_EQ(zoom::toGame(-5, 400), -2);
    EXPECT_EQ(zoom::toGame(1, 25), 4);
    EXPECT_EQ(zoom::toView(250, 400), 1000);
    // The game pixel under the pointer stays under it.
    const int scroll = zoom::scrollAbout(1200, 440, 400, 300);
    EXPECT_EQ(zoom::toGame(scroll + 440, 300), zoom::toGame(1200 + 440, 400));
    EXPECT_EQ(zoom::scrollAbout(0, 10, 400, 25), 0) << "never before the map's start";
}

TEST(MapZoom, PaintingShowsGamePixelsAsSquaresAndTheGridOnCellEdges)
{
    QImage map(8, 8, QImage::Format_RGB32);
    map.fill(Qt::white);
    map.setPixel(2, 1, qRgb(255, 0, 0));
    QImage view(32, 32, QImage::Format_RGB32);
    view.fill(Qt::black);
    {
        QPainter painter(&view);
        media::paintZoomed(painter, map, 400, view.rect());
    }
    EXPECT_EQ(view.pixel(8, 4), qRgb(255, 0, 0));
    EXPECT_EQ(view.pixel(11, 7), qRgb(255, 0, 0));
    EXPECT_EQ(view.pixel(12, 7), qRgb(255, 255, 255));
    EXPECT_EQ(view.pixel(7, 4), qRgb(255, 255, 255));
    // A part exposed alone is painted the same.
    view.fill(Qt::black);
    {
        QPainter painter(&view);
        media::paintZoomed(painter, map, 400, QRect(9, 5, 3, 3));
    }
    EXPECT_EQ(view.pixel(9, 5), qRgb(255, 0, 0));
    EXPECT_EQ(view.pixel(8, 4), qRgb(0, 0, 0)) << "outside the exposed part nothing is painted";

    // A grid of 2 x 2 game pixels: lines every 8 view pixels, opaque here to be seen exactly.
    view.fill(Qt::black);
    {
        QPainter painter(&view);
        media::paintZoomed(painter, map, 400, view.rect(), QSize(2, 2), 0xff0000ff);
    }
    EXPECT_EQ(view.pixel(16, 20), qRgb(0, 0, 255));
    EXPECT_EQ(view.pixel(20, 16), qRgb(0, 0, 255));
    EXPECT_EQ(view.pixel(17, 20), qRgb(255, 255, 255));
    EXPECT_EQ(view.pixel(15, 21), qRgb(255, 255, 255));
    // Cells under 4 view pixels get no lines.
    view.fill(Qt::black);
    {
        QPainter painter(&view);
        media::paintZoomed(painter, map, 100, view.rect(), QSize(3, 3), 0xff0000ff);
    }
    EXPECT_EQ(view.pixel(3, 1), qRgb(255, 255, 255));
}
