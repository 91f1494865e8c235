#include "io/Png.h"

#include "io/Error.h"
#include "io/TextFile.h"

#include <QBuffer>

#include <png.h>

#include <csetjmp>
#include <cstring>
#include <vector>

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

} // namespace

QImage decodePng(const QByteArray& bytes, const QString& path)
{
    if (bytes.size() < 8 || png_sig_cmp(reinterpret_cast<png_const_bytep>(bytes.constData()), 0, 8) != 0)
        throw Error::inFile(path, u"это не рисунок PNG"_s);

    PngIo io;
    io.data = reinterpret_cast<const unsigned char*>(bytes.constData());
    io.size = static_cast<size_t>(bytes.size());
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &io, onError, onWarning);
    if (!png)
        throw Error::inFile(path, u"не хватает памяти для чтения рисунка PNG"_s);
    png_infop info = png_create_info_struct(png);
    QImage image;
    std::vector<png_bytep> rows;
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        throw Error::inFile(path, u"рисунок PNG повреждён (%1)"_s.arg(QString::fromLatin1(io.message)));
    }
    png_set_read_fn(png, &io, readBytes);
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

    image = QImage(int(width), int(height), alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    if (image.isNull())
        png_error(png, "out of memory");
    rows.resize(height);
    for (png_uint_32 y = 0; y < height; ++y)
        rows[y] = image.scanLine(int(y));
    png_read_image(png, rows.data());
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    return image;
}

QImage readPng(const QString& path)
{
    return decodePng(readWholeFile(path), path);
}

QByteArray encodePng(const QImage& source, const QString& path, const PngOptions& options)
{
    if (source.isNull())
        throw Error::inFile(path, u"пустой рисунок нельзя записать"_s);
    const bool alpha = source.hasAlphaChannel();
    const QImage image = source.convertToFormat(alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);

    QByteArray out;
    out.reserve(image.width() * image.height() / 2 + 1024);
    PngIo io;
    io.out = &out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &io, onError, onWarning);
    if (!png)
        throw Error::inFile(path, u"не хватает памяти для записи рисунка PNG"_s);
    png_infop info = png_create_info_struct(png);
    std::vector<png_bytep> rows(static_cast<size_t>(image.height()));
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        throw Error::inFile(path, u"рисунок PNG не удалось закодировать (%1)"_s.arg(QString::fromLatin1(io.message)));
    }
    png_set_write_fn(png, &io, writeBytes, flushBytes);
    png_set_compression_level(png, options.compressionLevel);
    if (!options.filterRows)
        png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
    png_set_IHDR(png, info, png_uint_32(image.width()), png_uint_32(image.height()), 8,
                 alpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_BASE, PNG_FILTER_TYPE_BASE);
    png_write_info(png, info);
    png_set_bgr(png);
    if (!alpha)
        png_set_filler(png, 0, PNG_FILLER_AFTER);
    for (int y = 0; y < image.height(); ++y)
        rows[size_t(y)] = const_cast<png_bytep>(image.constScanLine(y));
    png_write_image(png, rows.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

void writePng(const QImage& image, const QString& path, const PngOptions& options)
{
    writeFileAtomically(path, encodePng(image, path, options));
}

QImage readBmp(const QString& path)
{
    const QByteArray bytes = readWholeFile(path);
    QImage image;
    if (!image.loadFromData(bytes, "BMP"))
        throw Error::inFile(path, u"это не рисунок BMP или он повреждён"_s);
    return image;
}

void writeBmp(const QImage& image, const QString& path)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (image.isNull() || !image.save(&buffer, "BMP"))
        throw Error::inFile(path, u"рисунок BMP не удалось закодировать"_s);
    writeFileAtomically(path, bytes);
}

} // namespace kestrava::io
