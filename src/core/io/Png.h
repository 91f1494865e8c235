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
};
QByteArray encodePng(const QImage& image, const QString& pathForMessages, const PngOptions& options = {});
void writePng(const QImage& image, const QString& path, const PngOptions& options = {});

// BMP pictures go through Qt's own reader and writer.
QImage readBmp(const QString& path);
void writeBmp(const QImage& image, const QString& path);

} // namespace kestrava::io
