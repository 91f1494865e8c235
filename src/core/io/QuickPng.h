#pragma once

#include <QByteArray>
#include <QImage>

#include <optional>

namespace kestrava::io::quickpng {

// PNG files of the common kinds (8 bits a sample, a palette's index also 1, 2
// or 4, not interlaced: what the object editors, the converter and most
// painting programs write) read and
// written without libpng. libdeflate inflates several times faster than zlib,
// and the row filters and the pixel layout are undone here in one pass; a
// conversion reads thousands of pictures, so this is most of its time.

// The picture exactly as decodePng's libpng reader makes it, when bytes are a
// flawless PNG of a common kind (every chunk and checksum right, the data
// exactly as long as the picture). nullopt for anything else, damage
// included: libpng then decodes it or refuses it in its own words.
std::optional<QImage> decode(const QByteArray& bytes, qint64 maxPixels, int maxSide);

// The picture size of a file decode would take, checked chunk by chunk (every
// checksum, the header first, the end last, nothing after it) without
// inflating anything; nullopt for anything else.
std::optional<QSize> wellFormedSize(const QByteArray& bytes, qint64 maxPixels, int maxSide);

// A file decode takes, of 8-bit RGB or RGBA without tRNS, made again from its
// header and its deflated pixel data alone, every other chunk left out: the
// same pixels without deflating them again. Empty for any other file.
QByteArray keepPixelData(const QByteArray& bytes, qint64 maxPixels, int maxSide);

// The bits an index of a palette of `count` colours takes in a PNG: the
// fewest of 1, 2, 4 and 8 that hold it, so two colours take an eighth of
// what 256 take.
int indexBits(int count);

// An indexed PNG: width x height palette indices row by row, colours[0..count)
// as PLTE and the alpha of the first `translucent` of them as tRNS, each index
// in indexBits(count) bits. No row filter: neighbouring indices repeat as
// they are. level: libdeflate's 1..12.
QByteArray encodeIndexed(const unsigned char* indices, int width, int height, const QRgb* colours, int count,
                         int translucent, int level);

// A true-colour PNG of an ARGB32 or RGB32 picture, RGBA when alpha, else RGB,
// every row with the Sub filter, which turns runs of one colour into zeros.
QByteArray encodeTrueColour(const QImage& image, bool alpha, int level);

} // namespace kestrava::io::quickpng
