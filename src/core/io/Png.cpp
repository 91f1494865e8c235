#include "io/Png.h"

#include "io/Error.h"
#include "io/QuickPng.h"
#include "io/TextFile.h"

#include <QBuffer>

#include <png.h>
#include <zlib.h>

#include <csetjmp>
#include <optional>
#include <cstdlib>
#include <cstring>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

using namespace Qt::Literals::StringLiterals;

namespace kestrava::io {
namespace {

// Pictures larger than this are refused rather than allocated.
constexpr qint64 kMaxPixels = 64LL * 1024 * 1024;
constexpr png_uint_32 kMaxSide = 32768;

struct PngIo {
    const unsigned char* data = nullptr;
    size_t size = 0;
    size_t pos = 0;
    QByteArray* out = nullptr;
    char message[256] = {};
};

void onError(png_structp png, png_const_charp message)
{
    auto* io = static_cast<PngIo*>(png_get_error_ptr(png));
    std::strncpy(io->message, message ? message : "", sizeof io->message - 1);
    longjmp(png_jmpbuf(png), 1);
}

void onWarning(png_structp, png_const_charp) {}

void readBytes(png_structp png, png_bytep out, png_size_t count)
{
    auto* io = static_cast<PngIo*>(png_get_io_ptr(png));
    if (count > io->size - io->pos)
        png_error(png, "file ends too early");
    std::memcpy(out, io->data + io->pos, count);
    io->pos += count;
}

void writeBytes(png_structp png, png_bytep data, png_size_t count)
{
    auto* io = static_cast<PngIo*>(png_get_io_ptr(png));
    io->out->append(reinterpret_cast<const char*>(data), static_cast<qsizetype>(count));
}

void flushBytes(png_structp) {}

// libpng and zlib allocate the same few buffers of some 64 KB for every
// picture. Fresh memory costs a page fault per page, which for a run of many
// pictures costs more than the coding itself, so each thread keeps the blocks
// it freed and hands them out again.
class BlockPool {
public:
    ~BlockPool()
    {
        for (Header* block : m_free)
            std::free(block);
    }

    void* take(size_t size)
    {
        for (size_t k = 0; k < m_free.size(); ++k) {
            Header* block = m_free[k];
            if (block->size == size) {
                m_free[k] = m_free.back();
                m_free.pop_back();
                m_kept -= size;
                return block + 1;
            }
        }
        auto* block = static_cast<Header*>(std::malloc(sizeof(Header) + size));
        if (!block)
            return nullptr;
        block->size = size;
        return block + 1;
    }

    void give(void* p)
    {
        if (!p)
            return;
        Header* block = static_cast<Header*>(p) - 1;
        if (block->size >= kSmallest && m_kept + block->size <= kMostKept) {
            m_free.push_back(block);
            m_kept += block->size;
            return;
        }
        std::free(block);
    }

private:
    struct alignas(16) Header {
        size_t size;
    };
    static constexpr size_t kSmallest = 4096;
    static constexpr size_t kMostKept = 2 * 1024 * 1024;
    std::vector<Header*> m_free;
    size_t m_kept = 0;
};

BlockPool& pool()
{
    thread_local BlockPool p;
    return p;
}

png_voidp poolMalloc(png_structp, png_alloc_size_t size)
{
    return pool().take(size);
}

void poolFree(png_structp, png_voidp p)
{
    pool().give(p);
}

// The colours of an ARGB32/RGB32 picture and each pixel's index among them;
// false as soon as a 257th colour turns up. Colours with transparency come
// first, so the tRNS chunk can stop at the last of them.
bool indexColours(const QImage& image, std::vector<QRgb>& colours, std::vector<unsigned char>& indices, int* translucent)
{
    constexpr int kSlots = 1024; // a power of two, well above 256
    QRgb keys[kSlots];
    short slot[kSlots];
    std::fill(std::begin(slot), std::end(slot), short(-1));
    colours.clear();
    const int width = image.width();
    const int height = image.height();
    indices.resize(size_t(width) * size_t(height));
    unsigned char* out = indices.data();
    for (int y = 0; y < height; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        QRgb last = ~line[0];
        unsigned char lastIndex = 0;
        for (int x = 0; x < width; ++x) {
#if defined(__SSE2__)
            // Game art is runs of one colour: eight pixels like the last cost two comparisons.
            const __m128i same = _mm_set1_epi32(int(last));
            auto four = [&](int at) {
                return _mm_cmpeq_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(line + at)), same);
            };
            while (x + 8 <= width && _mm_movemask_epi8(_mm_and_si128(four(x), four(x + 4))) == 0xFFFF) {
                std::memset(out, lastIndex, 8);
                out += 8;
                x += 8;
            }
            while (x + 4 <= width && _mm_movemask_epi8(four(x)) == 0xFFFF) {
                std::memset(out, lastIndex, 4);
                out += 4;
                x += 4;
            }
            if (x == width)
                break;
#endif
            const QRgb c = line[x];
            if (c != last) {
                unsigned h = (c * 0x9E3779B1u) >> 22;
                while (slot[h] >= 0 && keys[h] != c)
                    h = (h + 1) & (kSlots - 1);
                if (slot[h] < 0) {
                    if (colours.size() == 256)
                        return false;
                    keys[h] = c;
                    slot[h] = short(colours.size());
                    colours.push_back(c);
                }
                last = c;
                lastIndex = static_cast<unsigned char>(slot[h]);
            }
            *out++ = lastIndex;
        }
    }
    // Translucent colours to the front.
    unsigned char remap[256];
    std::vector<QRgb> ordered;
    ordered.reserve(colours.size());
    for (int pass = 0; pass < 2; ++pass)
        for (size_t k = 0; k < colours.size(); ++k)
            if ((qAlpha(colours[k]) < 255) == (pass == 0)) {
                remap[k] = static_cast<unsigned char>(ordered.size());
                ordered.push_back(colours[k]);
            }
    *translucent = 0;
    while (*translucent < int(ordered.size()) && qAlpha(ordered[size_t(*translucent)]) < 255)
        ++*translucent;
    bool identity = true;
    for (size_t k = 0; k < colours.size(); ++k)
        identity = identity && remap[k] == k;
    if (!identity)
        for (unsigned char& i : indices)
            i = remap[i];
    colours.swap(ordered);
    return true;
}

} // namespace

// Whether every chunk's stated length fits in the bytes that follow it. The
// whole file is in memory, so a chunk claiming more is damage; libpng would
// first allocate and clear what it claims (a 88-byte file, a gigabyte).
static bool chunksFit(const QByteArray& bytes)
{
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.constData());
    qsizetype at = 8;
    while (at < bytes.size()) {
        if (bytes.size() - at < 12)
            return false;
        const quint32 length = quint32(data[at]) << 24 | quint32(data[at + 1]) << 16 | quint32(data[at + 2]) << 8
            | quint32(data[at + 3]);
        if (qint64(length) > qint64(bytes.size() - at - 12))
            return false;
        if (std::memcmp(data + at + 4, "IEND", 4) == 0)
            return true;
        at += 12 + qsizetype(length);
    }
    return false;
}

QImage decodePng(const QByteArray& bytes, const QString& path)
{
    if (std::optional<QImage> image = quickpng::decode(bytes, kMaxPixels, int(kMaxSide)))
        return *std::move(image);
    return decodePngWithLibpng(bytes, path);
}

// libpng reports an error by longjmp to the setjmp below. Everything that
// changes after the setjmp lives in the caller's frame (picture, rows, io), so
// nothing here is left indeterminate by the jump, and no object with a
// destructor is skipped by it.
struct LibpngRead {
    png_structp png = nullptr;
    png_infop info = nullptr;
    QImage image;
    std::vector<png_bytep> rows;
};

static bool readWithLibpng(LibpngRead& read)
{
    png_structp png = read.png;
    png_infop info = read.info;
    if (setjmp(png_jmpbuf(png)))
        return false;
#ifdef PNG_IGNORE_ADLER32
    // Every chunk's CRC is still checked, which covers the compressed data; the
    // second checksum over the inflated pixels only costs time.
    png_set_option(png, PNG_IGNORE_ADLER32, PNG_OPTION_ON);
#endif
    png_set_user_limits(png, kMaxSide, kMaxSide);
    png_read_info(png, info);

    const png_uint_32 width = png_get_image_width(png, info);
    const png_uint_32 height = png_get_image_height(png, info);
    const int colorType = png_get_color_type(png, info);
    if (qint64(width) * qint64(height) > kMaxPixels)
        png_error(png, "picture too large");

    png_set_expand(png);
    png_set_strip_16(png);
    if (colorType == PNG_COLOR_TYPE_GRAY || colorType == PNG_COLOR_TYPE_GRAY_ALPHA)
        png_set_gray_to_rgb(png);
    png_set_bgr(png);
    png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    const bool alpha = (png_get_color_type(png, info) & PNG_COLOR_MASK_ALPHA) != 0;

    read.image = QImage(int(width), int(height), alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    if (read.image.isNull())
        png_error(png, "out of memory");
    read.rows.resize(height);
    for (png_uint_32 y = 0; y < height; ++y)
        read.rows[y] = read.image.scanLine(int(y));
    png_read_image(png, read.rows.data());
    png_read_end(png, nullptr);
    return true;
}

QImage decodePngWithLibpng(const QByteArray& bytes, const QString& path)
{
    if (bytes.size() < 8 || png_sig_cmp(reinterpret_cast<png_const_bytep>(bytes.constData()), 0, 8) != 0)
        throw Error::inFile(path, u"это не рисунок PNG"_s);
    if (!chunksFit(bytes))
        throw Error::inFile(path, u"рисунок PNG повреждён (файл обрывается или длина блока неверна)"_s);

    PngIo io;
    io.data = reinterpret_cast<const unsigned char*>(bytes.constData());
    io.size = static_cast<size_t>(bytes.size());
    LibpngRead read;
    read.png = png_create_read_struct_2(PNG_LIBPNG_VER_STRING, &io, onError, onWarning, nullptr, poolMalloc, poolFree);
    if (!read.png)
        throw Error::inFile(path, u"не хватает памяти для чтения рисунка PNG"_s);
    read.info = png_create_info_struct(read.png);
    png_set_read_fn(read.png, &io, readBytes);
    if (!read.info)
        std::strcpy(io.message, "out of memory");
    const bool ok = read.info && readWithLibpng(read);
    png_destroy_read_struct(&read.png, &read.info, nullptr);
    if (!ok)
        throw Error::inFile(path, u"рисунок PNG повреждён (%1)"_s.arg(QString::fromLatin1(io.message)));
    return std::move(read.image);
}

QImage readPng(const QString& path)
{
    return decodePng(readWholeFile(path, kMaxPictureFileBytes), path);
}

static QByteArray encodeWithLibpng(const QImage& image, const QString& path, const PngOptions& options, bool indexed,
                                   const std::vector<QRgb>& colours, const std::vector<unsigned char>& indices,
                                   int translucent);

// file: the PNG file source was decoded from, when its deflated pixel data may be kept.
static QByteArray encode(const QImage& source, const QString& path, const PngOptions& options, const QByteArray* file)
{
    if (source.isNull())
        throw Error::inFile(path, u"пустой рисунок нельзя записать"_s);
    const bool alpha = source.hasAlphaChannel();
    const QImage image = source.convertToFormat(alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);

    std::vector<QRgb> colours;
    std::vector<unsigned char> indices;
    int translucent = 0;
    const bool indexed = options.indexedWhenFew && indexColours(image, colours, indices, &translucent);
    if (!options.quick)
        return encodeWithLibpng(image, path, options, indexed, colours, indices, translucent);
    if (indexed)
        return quickpng::encodeIndexed(indices.data(), image.width(), image.height(), colours.data(),
                                       int(colours.size()), translucent, options.compressionLevel);
    if (file) {
        QByteArray kept = quickpng::keepPixelData(*file, kMaxPixels, int(kMaxSide));
        if (!kept.isEmpty())
            return kept;
    }
    return quickpng::encodeTrueColour(image, alpha, options.compressionLevel);
}

QByteArray encodePng(const QImage& source, const QString& path, const PngOptions& options)
{
    return encode(source, path, options, nullptr);
}

QByteArray recodePng(const QByteArray& file, const QString& sourcePath, const QString& targetPath,
                     const PngOptions& options)
{
    // Only a file our own reader takes, every chunk and the pixel data checked, may be kept.
    if (std::optional<QImage> image = quickpng::decode(file, kMaxPixels, int(kMaxSide)))
        return encode(*image, targetPath, options, &file);
    return encode(decodePngWithLibpng(file, sourcePath), targetPath, options, nullptr);
}

// As for reading: what changes after the setjmp (the output, the rows) lives
// in the caller's frame.
static bool writeWithLibpng(png_structp png, png_infop info, const QImage& image, const PngOptions& options,
                            bool indexed, const std::vector<QRgb>& colours, const std::vector<unsigned char>& indices,
                            int translucent, std::vector<png_bytep>& rows)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    const bool alpha = image.hasAlphaChannel();
    png_set_compression_level(png, options.compressionLevel);
    if (!options.filterRows || indexed)
        png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
    png_set_IHDR(png, info, png_uint_32(image.width()), png_uint_32(image.height()),
                 indexed ? quickpng::indexBits(int(colours.size())) : 8,
                 indexed ? PNG_COLOR_TYPE_PALETTE : alpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_BASE, PNG_FILTER_TYPE_BASE);
    if (indexed) {
        png_color plte[256];
        png_byte trns[256];
        for (size_t k = 0; k < colours.size(); ++k) {
            plte[k] = {png_byte(qRed(colours[k])), png_byte(qGreen(colours[k])), png_byte(qBlue(colours[k]))};
            trns[k] = png_byte(qAlpha(colours[k]));
        }
        png_set_PLTE(png, info, plte, int(colours.size()));
        if (translucent > 0)
            png_set_tRNS(png, info, trns, translucent, nullptr);
        png_write_info(png, info);
        // An index a byte in, as few bits as the palette needs out.
        png_set_packing(png);
        for (int y = 0; y < image.height(); ++y)
            rows[size_t(y)] = const_cast<png_bytep>(indices.data()) + size_t(y) * size_t(image.width());
    } else {
        png_write_info(png, info);
        png_set_bgr(png);
        if (!alpha)
            png_set_filler(png, 0, PNG_FILLER_AFTER);
        for (int y = 0; y < image.height(); ++y)
            rows[size_t(y)] = const_cast<png_bytep>(image.constScanLine(y));
    }
    png_write_image(png, rows.data());
    png_write_end(png, nullptr);
    return true;
}

static QByteArray encodeWithLibpng(const QImage& image, const QString& path, const PngOptions& options, bool indexed,
                                   const std::vector<QRgb>& colours, const std::vector<unsigned char>& indices,
                                   int translucent)
{
    QByteArray out;
    out.reserve(image.width() * image.height() / (indexed ? 8 : 2) + 1024);
    PngIo io;
    io.out = &out;
    png_structp png = png_create_write_struct_2(PNG_LIBPNG_VER_STRING, &io, onError, onWarning, nullptr, poolMalloc, poolFree);
    if (!png)
        throw Error::inFile(path, u"не хватает памяти для записи рисунка PNG"_s);
    png_infop info = png_create_info_struct(png);
    std::vector<png_bytep> rows(static_cast<size_t>(image.height()));
    png_set_write_fn(png, &io, writeBytes, flushBytes);
    if (!info)
        std::strcpy(io.message, "out of memory");
    const bool ok = info && writeWithLibpng(png, info, image, options, indexed, colours, indices, translucent, rows);
    png_destroy_write_struct(&png, &info);
    if (!ok)
        throw Error::inFile(path, u"рисунок PNG не удалось закодировать (%1)"_s.arg(QString::fromLatin1(io.message)));
    return out;
}

void writePng(const QImage& image, const QString& path, const PngOptions& options)
{
    writeFileAtomically(path, encodePng(image, path, options));
}

QImage readBmp(const QString& path)
{
    const QByteArray bytes = readWholeFile(path, kMaxPictureFileBytes);
    QImage image;
    if (!image.loadFromData(bytes, "BMP"))
        throw Error::inFile(path, u"это не рисунок BMP или он повреждён"_s);
    return image;
}

QByteArray encodeBmp(const QImage& image, const QString& pathForMessages)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (image.isNull() || !image.save(&buffer, "BMP"))
        throw Error::inFile(pathForMessages, u"рисунок BMP не удалось закодировать"_s);
    return bytes;
}

void writeBmp(const QImage& image, const QString& path)
{
    writeFileAtomically(path, encodeBmp(image, path));
}

std::optional<QSize> pngHeaderSize(const QByteArray& bytes)
{
    static const QByteArray start("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR", 16);
    if (bytes.size() < 33 || !bytes.startsWith(start))
        return std::nullopt;
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.constData());
    auto be32 = [&](int at) {
        return quint32(data[at]) << 24 | quint32(data[at + 1]) << 16 | quint32(data[at + 2]) << 8 | quint32(data[at + 3]);
    };
    if (quint32(crc32(0, data + 12, 17)) != be32(29))
        return std::nullopt;
    const quint32 width = be32(16);
    const quint32 height = be32(20);
    if (width < 1 || height < 1 || width > kMaxSide || height > kMaxSide)
        return std::nullopt;
    return QSize(int(width), int(height));
}

bool isWholePngOfSize(const QByteArray& bytes, QSize size)
{
    return quickpng::wellFormedSize(bytes, kMaxPixels, int(kMaxSide)) == size;
}

} // namespace kestrava::io
