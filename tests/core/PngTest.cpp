#include "io/Error.h"
#include "io/Png.h"
#include "io/QuickPng.h"
#include "support/TempAppFolder.h"

#include <QFile>

#include <QElapsedTimer>
#include <QRandomGenerator>

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdlib>
#include <vector>

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
    fast.quick = true;
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
        EXPECT_EQ(io::decodePngWithLibpng(bytes, u"x.png"_s), back);
        QImage viaQt;
        ASSERT_TRUE(viaQt.loadFromData(bytes, "PNG"));
        EXPECT_EQ(viaQt.convertToFormat(QImage::Format_ARGB32).pixel(3, 5), image.pixel(3, 5));
    }
    EXPECT_EQ(io::decodePng(io::encodePng(opaque, u"o.png"_s, fast), u"o.png"_s).pixel(7, 7), qRgb(9, 8, 7));
}

// A picture of few colours is a palette PNG of as few bits an index as it
// needs, with its exact colours, transparent and translucent ones included,
// whichever writer makes it and whichever reader reads it; a width that
// leaves spare bits in a row's last byte included.
TEST(Png, APaletteOfFewColoursTakesFewBitsAndKeepsEveryPixel)
{
    for (const bool quick : {true, false}) {
        io::PngOptions options;
        options.compressionLevel = quick ? 1 : 6;
        options.quick = quick;
        options.indexedWhenFew = true;
        for (const auto& [colours, bits] : {std::pair{1, 1}, std::pair{2, 1}, std::pair{3, 2}, std::pair{4, 2},
                                            std::pair{5, 4}, std::pair{16, 4}, std::pair{17, 8}}) {
            SCOPED_TRACE(testing::Message() << (quick ? "quick " : "libpng ") << colours << " colours");
            QImage image(13, 5, QImage::Format_ARGB32);
            for (int y = 0; y < 5; ++y)
                for (int x = 0; x < 13; ++x) {
                    const int k = (x * 7 + y * 3) % colours;
                    // Colour 0 clear, colour 1 half seen, the rest opaque.
                    image.setPixel(x, y, qRgba(k * 15, 255 - k * 9, 40, k == 0 ? 0 : k == 1 ? 128 : 255));
                }
            const QByteArray bytes = io::encodePng(image, u"p.png"_s, options);
            EXPECT_EQ(static_cast<unsigned char>(bytes.at(25)), 3) << "colour type of IHDR: palette";
            EXPECT_EQ(static_cast<unsigned char>(bytes.at(24)), bits) << "bit depth of IHDR";
            const QImage ours = io::decodePng(bytes, u"p.png"_s);
            EXPECT_TRUE(io::quickpng::decode(bytes, 1 << 20, 1024).has_value());
            EXPECT_EQ(io::decodePngWithLibpng(bytes, u"p.png"_s), ours);
            ASSERT_EQ(ours.size(), image.size());
            for (int y = 0; y < 5; ++y)
                for (int x = 0; x < 13; ++x)
                    ASSERT_EQ(ours.pixel(x, y), image.pixel(x, y)) << x << "," << y;
            EXPECT_TRUE(io::isWholePngOfSize(bytes, image.size()));
        }
    }
}

namespace {

void put32(QByteArray& out, quint32 v)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.append(char(v >> shift));
}

void chunk(QByteArray& out, const char* type, const QByteArray& body)
{
    put32(out, quint32(body.size()));
    const QByteArray typed = QByteArray(type, 4) + body;
    out += typed;
    put32(out, quint32(crc32(0, reinterpret_cast<const Bytef*>(typed.constData()), uInt(typed.size()))));
}

int paeth(int a, int b, int c)
{
    const int p = a + b - c;
    const int pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
    return pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
}

// An 8-bit PNG made by hand from raw samples: row y filtered with filter
// y % 5, so every filter occurs, deflated with the given zlib window.
QByteArray handMade(int width, int height, int type, const QByteArray& raw, const QByteArray& plte,
                    const QByteArray& trns, int windowBits = 15, bool badAdler = false)
{
    const int bpp = type == 6 ? 4 : type == 2 ? 3 : type == 4 ? 2 : 1;
    const int n = width * bpp;
    QByteArray filtered;
    for (int y = 0; y < height; ++y) {
        const int f = y % 5;
        filtered.append(char(f));
        auto at = [&](int row, int i) { return row < 0 || i < 0 ? 0 : int(quint8(raw[row * n + i])); };
        for (int i = 0; i < n; ++i) {
            const int x = at(y, i), a = at(y, i - bpp), b = at(y - 1, i), c = at(y - 1, i - bpp);
            const int predictor = f == 1 ? a : f == 2 ? b : f == 3 ? (a + b) / 2 : f == 4 ? paeth(a, b, c) : 0;
            filtered.append(char(x - predictor));
        }
    }
    z_stream z{};
    deflateInit2(&z, 9, Z_DEFLATED, windowBits, 8, Z_DEFAULT_STRATEGY);
    QByteArray packed(int(deflateBound(&z, uLong(filtered.size()))), '\0');
    z.next_in = reinterpret_cast<Bytef*>(filtered.data());
    z.avail_in = uInt(filtered.size());
    z.next_out = reinterpret_cast<Bytef*>(packed.data());
    z.avail_out = uInt(packed.size());
    deflate(&z, Z_FINISH);
    packed.truncate(int(z.total_out));
    deflateEnd(&z);
    if (badAdler)
        packed[packed.size() - 1] = char(packed[packed.size() - 1] ^ 1);

    QByteArray png("\x89PNG\r\n\x1a\n", 8);
    QByteArray header;
    put32(header, quint32(width));
    put32(header, quint32(height));
    header.append(char(8)).append(char(type)).append(3, '\0');
    chunk(png, "IHDR", header);
    if (!plte.isEmpty())
        chunk(png, "PLTE", plte);
    if (!trns.isEmpty())
        chunk(png, "tRNS", trns);
    chunk(png, "tEXt", QByteArray("Comment\0hand made", 17));
    chunk(png, "IDAT", packed.left(packed.size() / 2));
    chunk(png, "IDAT", packed.mid(packed.size() / 2));
    chunk(png, "IEND", {});
    return png;
}

} // namespace

// Our reader takes every common kind and gives exactly libpng's pixels; what
// it does not take, libpng decodes as before.
TEST(Png, OurReaderGivesLibpngsPixelsForEveryCommonKind)
{
    QRandomGenerator random(5);
    const int width = 37, height = 11;
    auto samples = [&](int bpp, int below) {
        QByteArray raw;
        for (int i = 0; i < width * height * bpp; ++i)
            raw.append(char(i % 7 < 3 ? 40 : random.bounded(below))); // runs and noise
        return raw;
    };
    QByteArray plte;
    for (int k = 0; k < 200; ++k)
        plte.append(char(k)).append(char(255 - k)).append(char(k * 3));
    const QByteArray keyGray("\0\x28", 2);
    const QByteArray keyRgb("\0\x28\0\x28\0\x28", 6);
    struct Kind {
        int type;
        QByteArray raw, plte, trns;
        bool ours = true;
        int windowBits = 15;
        bool badAdler = false;
    };
    std::vector<Kind> kinds = {
        {6, samples(4, 256), {}, {}},          {2, samples(3, 256), {}, {}},
        {2, samples(3, 256), plte, keyRgb},    {0, samples(1, 256), {}, {}},
        {0, samples(1, 256), {}, keyGray},     {4, samples(2, 256), {}, {}},
        {3, samples(1, 200), plte, {}},        {3, samples(1, 200), plte, QByteArray(150, '\x80')},
        // Left to libpng: an index past the palette, a match beyond a small
        // window, a wrong Adler-32 (which libpng passes over).
        {3, samples(1, 256), plte, {}, false}, {6, samples(4, 256), {}, {}, false, 9},
        {6, samples(4, 256), {}, {}, false, 15, true},
    };
    for (const Kind& k : kinds) {
        SCOPED_TRACE(k.type);
        const QByteArray png = handMade(width, height, k.type, k.raw, k.plte, k.trns, k.windowBits, k.badAdler);
        const QImage libpng = io::decodePngWithLibpng(png, u"x.png"_s);
        EXPECT_EQ(io::quickpng::decode(png, 1 << 20, 1024).has_value(), k.ours);
        const QImage ours = io::decodePng(png, u"x.png"_s);
        EXPECT_EQ(ours.format(), libpng.format());
        EXPECT_EQ(ours, libpng);
    }

    // Damage is never read past: a wrong checksum anywhere, even in a chunk
    // the picture does not need, leaves the file to libpng.
    QByteArray damaged = handMade(width, height, 6, samples(4, 256), {}, {});
    damaged[damaged.indexOf("hand made") + 2] = 'X';
    EXPECT_FALSE(io::quickpng::decode(damaged, 1 << 20, 1024).has_value());
    EXPECT_EQ(io::decodePng(damaged, u"x.png"_s), io::decodePngWithLibpng(damaged, u"x.png"_s));
}

// The converter keeps a true-colour file's deflated pixels (re-deflating them
// is most of a conversion's time) and leaves out every other chunk; a file
// with any flaw is decoded by libpng and encoded afresh.
TEST(Png, ATrueColourFileKeepsItsPixelDataAndNothingElse)
{
    io::PngOptions fast;
    fast.compressionLevel = 1;
    fast.quick = true;
    fast.indexedWhenFew = true;
    QRandomGenerator random(9);
    QByteArray raw;
    for (int i = 0; i < 40 * 30 * 4; ++i)
        raw.append(char(random.bounded(256)));
    const QByteArray file = handMade(40, 30, 6, raw, {}, {});
    const QByteArray kept = io::recodePng(file, u"a.png"_s, u"b.png"_s, fast);
    EXPECT_EQ(io::decodePngWithLibpng(kept, u"b.png"_s), io::decodePngWithLibpng(file, u"a.png"_s));
    EXPECT_FALSE(kept.contains("tEXt"));
    EXPECT_EQ(kept.size(), file.size() - (12 + 17) - 12) << "one IDAT instead of two, no tEXt";

    const QByteArray flawed = handMade(40, 30, 6, raw, {}, {}, 15, true);
    const QByteArray fresh = io::recodePng(flawed, u"a.png"_s, u"b.png"_s, fast);
    EXPECT_TRUE(io::quickpng::decode(fresh, 1 << 20, 1024).has_value()) << "a whole Adler-32 again";
    EXPECT_EQ(io::decodePng(fresh, u"b.png"_s), io::decodePngWithLibpng(flawed, u"a.png"_s));
}
