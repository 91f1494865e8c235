#include "io/Error.h"
#include "io/Png.h"
#include "support/TempAppFolder.h"

#include <QFile>

#include <QElapsedTimer>

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

    // 88 bytes whose text chunk claims a gigabyte: refused at once, not after
    // allocating and clearing what it claims.
    const QByteArray claim = QByteArray::fromBase64(
        "iVBORw0KGgoAAAANSUhEUgAAAAMAAAACCAQAAAFAep4HAAAABGdBTUEAAE9w9AOfAAAAAABqS0dEAGUAzTwSACV0RVh0ZQBLQ0QA/4ePz5D4UgAAAEA=");
    QElapsedTimer timer;
    timer.start();
    EXPECT_THROW(io::decodePng(claim, u"claim.png"_s), io::Error);
    EXPECT_LT(timer.elapsed(), 1000);
    // A chunk that fits exactly, followed by IEND, is still a picture.
    EXPECT_EQ(io::decodePng(io::encodePng(img, u"x.png"_s), u"x.png"_s).pixel(0, 0), qRgb(255, 0, 0));
}

TEST(Png, FastOptionsKeepEveryPixelIndexedOrNot)
{
    io::PngOptions fast;
    fast.compressionLevel = 1;
    fast.runLength = true;
    fast.indexedWhenFew = true;

    // 256 colours, some translucent: an indexed picture with a tRNS chunk.
    QImage few(32, 16, QImage::Format_ARGB32);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 32; ++x)
            few.setPixel(x, y, qRgba((x % 16) * 16, y * 16, 7, (x % 16 + y) % 2 ? 255 : (x % 16) * 16));
    const QByteArray indexed = io::encodePng(few, u"few.png"_s, fast);
    EXPECT_EQ(static_cast<unsigned char>(indexed.at(25)), 3) << "colour type of IHDR: palette";
    EXPECT_TRUE(indexed.contains("tRNS"));
    // 257 colours: true colour.
    QImage many = few;
    many.setPixel(0, 0, qRgba(1, 2, 3, 4));
    const QByteArray truecolour = io::encodePng(many, u"many.png"_s, fast);
    EXPECT_EQ(static_cast<unsigned char>(truecolour.at(25)), 6) << "colour type of IHDR: RGBA";
    // Opaque and few colours: no tRNS.
    QImage opaque(8, 8, QImage::Format_RGB32);
    opaque.fill(qRgb(9, 8, 7));
    EXPECT_FALSE(io::encodePng(opaque, u"o.png"_s, fast).contains("tRNS"));

    for (const auto& [image, bytes] : {std::pair{few, indexed}, std::pair{many, truecolour}}) {
        const QImage back = io::decodePng(bytes, u"x.png"_s);
        ASSERT_EQ(back.size(), image.size());
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                ASSERT_EQ(back.pixel(x, y), image.pixel(x, y)) << x << "," << y;
        QImage viaQt;
        ASSERT_TRUE(viaQt.loadFromData(bytes, "PNG"));
        EXPECT_EQ(viaQt.convertToFormat(QImage::Format_ARGB32).pixel(3, 5), image.pixel(3, 5));
    }
    EXPECT_EQ(io::decodePng(io::encodePng(opaque, u"o.png"_s, fast), u"o.png"_s).pixel(7, 7), qRgb(9, 8, 7));
}
