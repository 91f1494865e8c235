#include "io/Error.h"
#include "io/Png.h"
#include "support/TempAppFolder.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace kestrava;
using namespace Qt::Literals::StringLiterals;

TEST(Png, EncodeDecodeKeepsPixelsWithAndWithoutAlpha)
{
    QImage rgb(5, 3, QImage::Format_RGB32);
    rgb.fill(QColor(10, 20, 30));
    rgb.setPixel(4, 2, qRgb(200, 100, 50));
    const QImage back = io::decodePng(io::encodePng(rgb, u"a.png"_s), u"a.png"_s);
    ASSERT_EQ(back.size(), rgb.size());
    EXPECT_FALSE(back.hasAlphaChannel());
    EXPECT_EQ(back.pixel(0, 0), qRgb(10, 20, 30));
    EXPECT_EQ(back.pixel(4, 2), qRgb(200, 100, 50));

    QImage argb(2, 2, QImage::Format_ARGB32);
    argb.fill(qRgba(1, 2, 3, 0));
    argb.setPixel(1, 1, qRgba(255, 0, 0, 128));
    const QImage back2 = io::decodePng(io::encodePng(argb, u"b.png"_s), u"b.png"_s);
    EXPECT_TRUE(back2.hasAlphaChannel());
    EXPECT_EQ(back2.pixel(1, 1), qRgba(255, 0, 0, 128));
    EXPECT_EQ(qAlpha(back2.pixel(0, 0)), 0);
}

TEST(Png, QtCanReadWhatWeWriteAndWeReadWhatQtWrites)
{
    test::TempAppFolder tmp;
    QImage img(4, 4, QImage::Format_RGB32);
    img.fill(Qt::green);
    const QString ours = tmp.root() + u"/ours.png"_s;
    io::writePng(img, ours);
    QImage viaQt;
    ASSERT_TRUE(viaQt.load(ours, "PNG"));
    EXPECT_EQ(viaQt.pixel(2, 2), qRgb(0, 255, 0));

    QImage pal(3, 1, QImage::Format_Indexed8);
    pal.setColorTable({qRgb(255, 0, 0), qRgb(0, 0, 255)});
    pal.fill(1);
    const QString theirs = tmp.root() + u"/theirs.png"_s;
    ASSERT_TRUE(pal.save(theirs, "PNG"));
    const QImage read = io::readPng(theirs);
    EXPECT_EQ(read.pixel(0, 0), qRgb(0, 0, 255));
}

TEST(Png, CorruptOrMissingFilesAreClearErrors)
{
    EXPECT_THROW(io::decodePng(QByteArray("not a png at all"), u"x.png"_s), io::Error);
    QImage img(8, 8, QImage::Format_RGB32);
    img.fill(Qt::red);
    QByteArray bytes = io::encodePng(img, u"x.png"_s);
    bytes.truncate(bytes.size() / 2);
    try {
        io::decodePng(bytes, u"tiles.png"_s);
        FAIL();
    } catch (const io::Error& e) {
        EXPECT_TRUE(e.message().contains(u"tiles.png"_s));
    }
    EXPECT_THROW(io::readPng(u"/no/such/file.png"_s), io::Error);
    EXPECT_THROW(io::readBmp(u"/no/such/file.bmp"_s), io::Error);
}
