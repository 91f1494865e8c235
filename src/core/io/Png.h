#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include <optional>

namespace kestrava::io {

// PNG pictures. Decoded pictures come back as QImage::Format_ARGB32 (or
// Format_RGB32 when the file has no alpha). The common kinds are read by our
// own reader (QuickPng.h), everything else, damaged files included, by libpng,
// which both give exactly the same pixels.
QImage decodePng(const QByteArray& bytes, const QString& pathForMessages);
QImage readPng(const QString& path);
// The libpng reader alone, which decodePng falls back to.
QImage decodePngWithLibpng(const QByteArray& bytes, const QString& pathForMessages);

struct PngOptions {
    int compressionLevel = 6;   // zlib level 0..9; libdeflate's 0..12 when quick
    bool filterRows = true;     // adaptive row filters; off is faster, larger
    // Written by our own writer with libdeflate, the rows with the Sub filter
    // (none when indexed): several times faster than libpng's adaptive
    // filters, and flat game art packs as small. Takes the place of filterRows.
    bool quick = false;
    // A picture of at most 256 colours (transparency included) is written as an
    // indexed PNG, each index in as few bits as its colours need (1, 2, 4 or
    // 8): a quarter of the data to compress or less, and a smaller file.
    bool indexedWhenFew = false;
};
QByteArray encodePng(const QImage& image, const QString& pathForMessages, const PngOptions& options = {});
// A PNG file's picture as encodePng(decodePng(file)) writes it, except that a
// true-colour picture (more than 256 colours, or indexedWhenFew off) whose
// file our own reader takes as 8-bit RGB or RGBA keeps that file's deflated
// pixel data: deflating them again would cost far more than all the rest.
QByteArray recodePng(const QByteArray& file, const QString& sourcePath, const QString& targetPath,
                     const PngOptions& options);
void writePng(const QImage& image, const QString& path, const PngOptions& options = {});

// The size a PNG file's header gives, when the file starts as a PNG does (the
// signature, then a whole header chunk with its checksum); nullopt for
// anything else. Reads nothing beyond the header.
std::optional<QSize> pngHeaderSize(const QByteArray& bytes);
// Whether bytes are a whole PNG of a kind encodePng writes, of that size,
// every chunk checked; nothing is inflated.
bool isWholePngOfSize(const QByteArray& bytes, QSize size);

// BMP pictures go through Qt's own reader and writer.
QImage readBmp(const QString& path);
QByteArray encodeBmp(const QImage& image, const QString& pathForMessages);
void writeBmp(const QImage& image, const QString& path);

} // namespace kestrava::io
