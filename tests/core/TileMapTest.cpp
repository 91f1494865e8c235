#include "level/TileMap.h"
#include "model/Project.h"
#include "support/ErrorOf.h"

#include <QImage>

#include <gtest/gtest.h>

using namespace kestrava;
using namespace Qt::Literals::StringLiterals;

TEST(TileMap, TileCountsRoundToTheNearestAndTooManyTilesAreRefused)
{
    const QImage sheet(40, 56, QImage::Format_RGB32);
    // 40 / 16 = 2.5 rounds to 2, 56 / 16 = 3.5 to 4: halves go to the even count.
    const std::vector<QRect> rects = level::tileRects(sheet, 16, 16, u"s.png"_s);
    ASSERT_EQ(rects.size(), 2u * 4u + 1u);
    EXPECT_TRUE(rects[0].isNull());
    EXPECT_EQ(rects[3], QRect(0, 16, 16, 16)); // left to right, then down
    EXPECT_EQ(rects[8], QRect(16, 48, 16, 16));

    EXPECT_TRUE(test::errorOf([&] { level::tileRects(sheet, 0, 16, u"s.png"_s); }).contains(u"0 x 16"_s));
    const QImage wide(500, 1, QImage::Format_RGB32);
    EXPECT_EQ(level::tileRects(wide, 1, 1, u"w.png"_s).size(), size_t(model::kMaxTiles) + 1);
    const QImage wider(501, 1, QImage::Format_RGB32);
    EXPECT_TRUE(test::errorOf([&] { level::tileRects(wider, 1, 1, u"w.png"_s); }).contains(u"501 плиток"_s));
}

TEST(TileMap, EmptyAndUnknownCellsStayTransparentAndAFullOpaqueMapIsPlain)
{
    QImage sheet(8, 4, QImage::Format_RGB32);
    sheet.fill(Qt::red);
    for (int y = 0; y < 4; ++y)
        for (int x = 4; x < 8; ++x)
            sheet.setPixel(x, y, qRgb(0, 0, 255));
    const std::vector<QRect> rects = level::tileRects(sheet, 4, 4, u"s.png"_s);
    model::FonGroupData group;
    group.TileWidth = group.TileHeight = 4;
    group.setMapSize(3, 1);
    group.setCell(1, 1, 2);
    group.setCell(1, 2, 1);
    group.setCell(1, 3, 3); // the sheet has two tiles

    const QImage map = level::renderTileMap(sheet, rects, group);
    ASSERT_EQ(map.size(), QSize(12, 4));
    EXPECT_EQ(map.pixel(0, 0), qRgb(0, 0, 255));
    EXPECT_EQ(map.pixel(4, 3), qRgb(255, 0, 0));
    EXPECT_EQ(qAlpha(map.pixel(8, 0)), 0);
    EXPECT_TRUE(map.hasAlphaChannel());

    group.setCell(1, 3, 1);
    EXPECT_EQ(level::renderTileMap(sheet, rects, group).format(), QImage::Format_RGB32);
}
