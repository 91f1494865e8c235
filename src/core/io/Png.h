#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace kestrava::io {

// PNG pictures, decoded and encoded by libpng directly. Decoded pictures come
// back as QImage::Format_ARGB32 (or Format_RGB32 when the file has no alpha).
QImage decodePng(const QByteArray& bytes, const QString& pathForMessages);
QImage readPng(const QString& path);

struct PngOptions {
    int compressionLevel = 6;   // zlib level 0..9
    bool filterRows = true;     // adaptive row filters; off is faster, larger
    // The Sub row filter with run-length matching only (zlib's Z_RLE strategy):
    // several times faster than the adaptive filters, and flat game art packs
    // nearly as small. Takes the place of filterRows.
    bool runLength = false;
    // A picture of at most 256 colours (transparency included) is written as an
    // indexed PNG: a quarter of the data to compress, and a smaller file.
    bool indexedWhenFew = false;
};
QByteArray encodePng(const QImage& image, const QString& pathForMessages, const PngOptions& options = {});
void writePng(const QImage& image, const QString& path, const PngOptions& options = {});

// BMP pictures go through Qt's own reader and writer.
QImage readBmp(const QString& path);
QByteArray encodeBmp(const QImage& image, const QString& pathForMessages);
void writeBmp(const QImage& image, const QString& path);

} // namespace kestrava::io
