#include "io/QuickPng.h"

#include <libdeflate.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace kestrava::io::quickpng {
namespace {

constexpr unsigned char kSignature[8] = {137, 'P', 'N', 'G', '\r', '\n', 26, '\n'};
// IDAT chunks no longer than libpng writes them, for readers with small buffers.
constexpr size_t kIdatChunk = 8192;
// A thread keeps at most this much scratch memory between pictures.
constexpr size_t kKeptScratch = size_t(8) << 20;
// libpng refuses a chunk longer than this (its default limit on chunk memory).
constexpr quint32 kLongestChunk = 8000000;

quint32 be32(const unsigned char* p)
{
    return quint32(p[0]) << 24 | quint32(p[1]) << 16 | quint32(p[2]) << 8 | quint32(p[3]);
}

bool isType(const unsigned char* type, const char (&name)[5])
{
    return std::memcmp(type, name, 4) == 0;
}

bool isLetter(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// Memory reused from picture to picture: fresh memory costs a page fault per
// page, more than decoding flat art does.
class Scratch {
public:
    unsigned char* take(size_t bytes)
    {
        if (bytes > m_size) {
            m_data.reset(new unsigned char[bytes]);
            m_size = bytes;
        }
        return m_data.get();
    }
    void trim()
    {
        if (m_size > kKeptScratch) {
            m_data.reset();
            m_size = 0;
        }
    }

private:
    std::unique_ptr<unsigned char[]> m_data;
    size_t m_size = 0;
};

// One inflater and deflaters per thread: each keeps large tables, and the
// converter codes pictures on several threads at once.
struct Coders {
    libdeflate_decompressor* inflater = nullptr;
    std::array<libdeflate_compressor*, 13> deflaters{};
    Scratch joined;  // the IDAT data of several chunks, one after the other
    Scratch rows;    // inflated rows, or filtered rows to deflate
    Scratch packed;  // the deflated stream
    Scratch zeros;   // the row above the first one

    ~Coders()
    {
        if (inflater)
            libdeflate_free_decompressor(inflater);
        for (libdeflate_compressor* d : deflaters)
            if (d)
                libdeflate_free_compressor(d);
    }
    libdeflate_decompressor* inflate()
    {
        if (!inflater)
            inflater = libdeflate_alloc_decompressor();
        return inflater;
    }
    libdeflate_compressor* deflate(int level)
    {
        libdeflate_compressor*& d = deflaters[size_t(level)];
        if (!d)
            d = libdeflate_alloc_compressor(level);
        return d;
    }
    void trim()
    {
        for (Scratch* s : {&joined, &rows, &packed, &zeros})
            s->trim();
    }
};

Coders& coders()
{
    thread_local Coders c;
    return c;
}

// ---- row filters ----

int paeth(int a, int b, int c)
{
    const int pa = std::abs(b - c);
    const int pb = std::abs(a - c);
    const int pc = std::abs(a + b - 2 * c);
    if (pa <= pb && pa <= pc)
        return a;
    return pb <= pc ? b : c;
}

void unfilterSub(unsigned char* row, size_t n, size_t bpp)
{
    for (size_t i = bpp; i < n; ++i)
        row[i] = static_cast<unsigned char>(row[i] + row[i - bpp]);
}

void unfilterUp(unsigned char* row, const unsigned char* up, size_t n)
{
    size_t i = 0;
#if defined(__SSE2__)
    for (; i + 16 <= n; i += 16) {
        const __m128i sum = _mm_add_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(row + i)),
                                         _mm_loadu_si128(reinterpret_cast<const __m128i*>(up + i)));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(row + i), sum);
    }
#endif
    for (; i < n; ++i)
        row[i] = static_cast<unsigned char>(row[i] + up[i]);
}

void unfilterAverage(unsigned char* row, const unsigned char* up, size_t n, size_t bpp)
{
    for (size_t i = 0; i < bpp; ++i)
        row[i] = static_cast<unsigned char>(row[i] + (up[i] >> 1));
    for (size_t i = bpp; i < n; ++i)
        row[i] = static_cast<unsigned char>(row[i] + ((row[i - bpp] + up[i]) >> 1));
}

void unfilterPaeth(unsigned char* row, const unsigned char* up, size_t n, size_t bpp)
{
    for (size_t i = 0; i < bpp; ++i)
        row[i] = static_cast<unsigned char>(row[i] + up[i]);
    for (size_t i = bpp; i < n; ++i)
        row[i] = static_cast<unsigned char>(row[i] + paeth(row[i - bpp], up[i], up[i - bpp]));
}

#if defined(__SSE2__)
// A pixel of 3 or 4 bytes at a time: the filters that depend on the pixel to
// the left cannot go wider, but all of its bytes can go at once.
template <size_t Bpp>
__m128i loadPixel(const unsigned char* p)
{
    int v = 0;
    std::memcpy(&v, p, Bpp);
    return _mm_cvtsi32_si128(v);
}

template <size_t Bpp>
void storePixel(unsigned char* p, __m128i v)
{
    const int x = _mm_cvtsi128_si32(v);
    std::memcpy(p, &x, Bpp);
}

template <size_t Bpp>
void unfilterSubWide(unsigned char* row, size_t n)
{
    __m128i left = _mm_setzero_si128();
    for (size_t i = 0; i < n; i += Bpp) {
        left = _mm_add_epi8(loadPixel<Bpp>(row + i), left);
        storePixel<Bpp>(row + i, left);
    }
}

template <size_t Bpp>
void unfilterAverageWide(unsigned char* row, const unsigned char* up, size_t n)
{
    const __m128i one = _mm_set1_epi8(1);
    __m128i left = _mm_setzero_si128();
    for (size_t i = 0; i < n; i += Bpp) {
        const __m128i b = loadPixel<Bpp>(up + i);
        // _mm_avg_epu8 rounds up; the filter rounds down.
        const __m128i mean = _mm_sub_epi8(_mm_avg_epu8(left, b), _mm_and_si128(_mm_xor_si128(left, b), one));
        left = _mm_add_epi8(loadPixel<Bpp>(row + i), mean);
        storePixel<Bpp>(row + i, left);
    }
}

__m128i absolute16(__m128i v)
{
    return _mm_max_epi16(v, _mm_sub_epi16(_mm_setzero_si128(), v));
}

__m128i select(__m128i mask, __m128i ifSet, __m128i ifClear)
{
    return _mm_or_si128(_mm_and_si128(mask, ifSet), _mm_andnot_si128(mask, ifClear));
}

template <size_t Bpp>
void unfilterPaethWide(unsigned char* row, const unsigned char* up, size_t n)
{
    const __m128i zero = _mm_setzero_si128();
    const __m128i low = _mm_set1_epi16(0xFF);
    __m128i a = zero; // left, in 16-bit lanes
    __m128i c = zero; // above left
    for (size_t i = 0; i < n; i += Bpp) {
        const __m128i b = _mm_unpacklo_epi8(loadPixel<Bpp>(up + i), zero);
        const __m128i x = _mm_unpacklo_epi8(loadPixel<Bpp>(row + i), zero);
        const __m128i bc = _mm_sub_epi16(b, c);
        const __m128i ac = _mm_sub_epi16(a, c);
        const __m128i pa = absolute16(bc);
        const __m128i pb = absolute16(ac);
        const __m128i pc = absolute16(_mm_add_epi16(bc, ac));
        const __m128i notA = _mm_or_si128(_mm_cmpgt_epi16(pa, pb), _mm_cmpgt_epi16(pa, pc));
        const __m128i predictor = select(notA, select(_mm_cmpgt_epi16(pb, pc), c, b), a);
        a = _mm_and_si128(_mm_add_epi16(x, predictor), low);
        storePixel<Bpp>(row + i, _mm_packus_epi16(a, zero));
        c = b;
    }
}
#endif

// Undoes the filter of one row of n bytes against the row above (zeros for
// the first); false for a filter type PNG does not have.
bool unfilter(int filter, unsigned char* row, const unsigned char* up, size_t n, size_t bpp)
{
    switch (filter) {
    case 0:
        return true;
    case 1:
#if defined(__SSE2__)
        if (bpp == 4)
            unfilterSubWide<4>(row, n);
        else if (bpp == 3)
            unfilterSubWide<3>(row, n);
        else
#endif
            unfilterSub(row, n, bpp);
        return true;
    case 2:
        unfilterUp(row, up, n);
        return true;
    case 3:
#if defined(__SSE2__)
        if (bpp == 4)
            unfilterAverageWide<4>(row, up, n);
        else if (bpp == 3)
            unfilterAverageWide<3>(row, up, n);
        else
#endif
            unfilterAverage(row, up, n, bpp);
        return true;
    case 4:
#if defined(__SSE2__)
        if (bpp == 4)
            unfilterPaethWide<4>(row, up, n);
        else if (bpp == 3)
            unfilterPaethWide<3>(row, up, n);
        else
#endif
            unfilterPaeth(row, up, n, bpp);
        return true;
    default:
        return false;
    }
}

// ---- reading ----

enum ColourType { Gray = 0, Rgb = 2, Palette = 3, GrayAlpha = 4, Rgba = 6 };

int channelsOf(int type)
{
    switch (type) {
    case Gray: return 1;
    case Rgb: return 3;
    case Palette: return 1;
    case GrayAlpha: return 2;
    case Rgba: return 4;
    default: return 0;
    }
}

struct Picture {
    int width = 0;
    int height = 0;
    int type = -1;
    int depth = 8;                   // bits an index, below 8 only for a palette
    std::array<QRgb, 256> palette{}; // alpha from tRNS, else opaque
    int paletteSize = 0;
    bool transparency = false;       // a tRNS chunk
    int key[3] = {-1, -1, -1};       // the transparent grey or colour
};

// One unfiltered row into the picture's pixels as libpng's reader gives them
// (expanded to 8-bit RGB or RGBA, BGR order, opaque filler).
bool convertRow(const Picture& p, const unsigned char* in, QRgb* out)
{
    const int w = p.width;
    switch (p.type) {
    case Rgba: {
        int x = 0;
#if defined(__SSE2__)
        // R G B A to B G R A, four pixels at a time.
        const __m128i keep = _mm_set1_epi32(int(0xFF00FF00u));
        const __m128i low = _mm_set1_epi32(0xFF);
        for (; x + 4 <= w; x += 4) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + 4 * x));
            const __m128i swapped = _mm_or_si128(_mm_and_si128(v, keep),
                                                 _mm_or_si128(_mm_and_si128(_mm_srli_epi32(v, 16), low),
                                                              _mm_slli_epi32(_mm_and_si128(v, low), 16)));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out + x), swapped);
        }
#endif
        for (; x < w; ++x) {
            quint32 v;
            std::memcpy(&v, in + 4 * x, 4); // R G B A in memory
            out[x] = (v & 0xFF00FF00u) | ((v >> 16) & 0xFFu) | ((v & 0xFFu) << 16);
        }
        return true;
    }
    case Rgb:
        if (p.transparency) {
            for (int x = 0; x < w; ++x) {
                const unsigned char* s = in + 3 * x;
                const bool clear = s[0] == p.key[0] && s[1] == p.key[1] && s[2] == p.key[2];
                out[x] = qRgba(s[0], s[1], s[2], clear ? 0 : 255);
            }
        } else {
            for (int x = 0; x < w; ++x)
                out[x] = 0xFF000000u | quint32(in[3 * x]) << 16 | quint32(in[3 * x + 1]) << 8 | in[3 * x + 2];
        }
        return true;
    case Palette: {
        unsigned char highest = 0;
        if (p.depth == 8) {
            for (int x = 0; x < w; ++x)
                highest = std::max(highest, in[x]);
        } else {
            // Several indices a byte, the leftmost in the highest bits.
            const int perByte = 8 / p.depth;
            const unsigned mask = (1u << p.depth) - 1;
            for (int x = 0; x < w; ++x) {
                const unsigned char index = (in[x / perByte] >> (8 - p.depth * (x % perByte + 1))) & mask;
                highest = std::max(highest, index);
                out[x] = index;
            }
        }
        // An index past the palette: libpng's reader decides what it shows.
        if (highest >= p.paletteSize)
            return false;
        if (p.depth == 8) {
            for (int x = 0; x < w; ++x)
                out[x] = p.palette[in[x]];
        } else {
            for (int x = 0; x < w; ++x)
                out[x] = p.palette[out[x]];
        }
        return true;
    }
    case Gray:
        for (int x = 0; x < w; ++x)
            out[x] = qRgba(in[x], in[x], in[x], p.transparency && in[x] == p.key[0] ? 0 : 255);
        return true;
    case GrayAlpha:
        for (int x = 0; x < w; ++x)
            out[x] = qRgba(in[2 * x], in[2 * x], in[2 * x], in[2 * x + 1]);
        return true;
    default:
        return false;
    }
}

bool readHeader(Picture& p, const unsigned char* body, quint32 length, qint64 maxPixels, int maxSide)
{
    if (length != 13)
        return false;
    const quint32 width = be32(body);
    const quint32 height = be32(body + 4);
    if (width < 1 || height < 1 || width > quint32(maxSide) || height > quint32(maxSide)
        || qint64(width) * qint64(height) > maxPixels)
        return false;
    // 8 bits a sample, a palette's index also 1, 2 or 4; compression, filter method and interlace all 0.
    const int depth = body[8];
    const bool packed = body[9] == Palette && (depth == 1 || depth == 2 || depth == 4);
    if ((depth != 8 && !packed) || channelsOf(body[9]) == 0 || body[10] != 0 || body[11] != 0 || body[12] != 0)
        return false;
    p.width = int(width);
    p.height = int(height);
    p.type = body[9];
    p.depth = depth;
    return true;
}

bool readTransparency(Picture& p, const unsigned char* body, quint32 length)
{
    // A sample tRNS cannot hold at 8 bits is left to libpng.
    auto sample = [&](int k) {
        const int v = body[2 * k] << 8 | body[2 * k + 1];
        return v <= 255 ? v : -1;
    };
    switch (p.type) {
    case Palette:
        if (p.paletteSize == 0 || length < 1 || length > quint32(p.paletteSize))
            return false;
        for (quint32 k = 0; k < length; ++k)
            p.palette[k] = (p.palette[k] & 0x00FFFFFFu) | quint32(body[k]) << 24;
        break;
    case Gray:
        if (length != 2 || (p.key[0] = sample(0)) < 0)
            return false;
        break;
    case Rgb:
        if (length != 6)
            return false;
        for (int k = 0; k < 3; ++k)
            if ((p.key[k] = sample(k)) < 0)
                return false;
        break;
    default:
        return false;
    }
    p.transparency = true;
    return true;
}

} // namespace

namespace {

using Parts = std::vector<std::pair<const unsigned char*, size_t>>;

// Walks the chunks of a flawless file of a common kind: the picture's header,
// palette and transparency into p, the IDAT data into parts, the IHDR body
// into *header. false for anything else.
bool parse(const QByteArray& bytes, qint64 maxPixels, int maxSide, Picture& p, Parts& parts,
           const unsigned char** header)
{
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.constData());
    const size_t size = size_t(bytes.size());
    if (size < 8 || std::memcmp(data, kSignature, 8) != 0)
        return false;
    enum { Before, Inside, After } idat = Before;
    bool first = true;
    for (size_t at = 8;;) {
        if (size - at < 12)
            return false;
        const quint32 length = be32(data + at);
        if (length > kLongestChunk || length > size - at - 12)
            return false;
        const unsigned char* type = data + at + 4;
        const unsigned char* body = type + 4;
        if (!isLetter(type[0]) || !isLetter(type[1]) || !isLetter(type[2]) || !isLetter(type[3]))
            return false;
        if (libdeflate_crc32(0, type, size_t(length) + 4) != be32(body + length))
            return false;
        if (first != isType(type, "IHDR"))
            return false;
        first = false;
        if (isType(type, "IHDR")) {
            if (!readHeader(p, body, length, maxPixels, maxSide))
                return false;
            *header = body;
        } else if (isType(type, "PLTE")) {
            if (idat != Before || p.paletteSize > 0 || p.transparency || length == 0 || length % 3 != 0
                || length > 768 || p.type == Gray || p.type == GrayAlpha)
                return false;
            p.paletteSize = int(length / 3);
            for (int k = 0; k < p.paletteSize; ++k)
                p.palette[size_t(k)] = qRgb(body[3 * k], body[3 * k + 1], body[3 * k + 2]);
        } else if (isType(type, "tRNS")) {
            if (idat != Before || p.transparency || !readTransparency(p, body, length))
                return false;
        } else if (isType(type, "IDAT")) {
            if (idat == After || (p.type == Palette && p.paletteSize == 0))
                return false;
            idat = Inside;
            parts.emplace_back(body, size_t(length));
        } else if (isType(type, "IEND")) {
            return length == 0 && idat != Before;
        } else {
            if (!(type[0] & 0x20))
                return false; // a critical chunk we do not know
            if (idat == Inside)
                idat = After;
        }
        at += 12 + size_t(length);
    }
}

// The IDAT data in one piece: the single chunk's own bytes, or the chunks joined in scratch.
std::pair<const unsigned char*, size_t> joined(const Parts& parts, Scratch& scratch)
{
    if (parts.size() == 1)
        return parts.front();
    size_t size = 0;
    for (const auto& part : parts)
        size += part.second;
    unsigned char* all = scratch.take(size);
    size_t k = 0;
    for (const auto& part : parts) {
        std::memcpy(all + k, part.first, part.second);
        k += part.second;
    }
    return {all, size};
}

void chunk(QByteArray& out, const char* type, const unsigned char* body, size_t length);

} // namespace

std::optional<QSize> wellFormedSize(const QByteArray& bytes, qint64 maxPixels, int maxSide)
{
    Picture p;
    Parts parts;
    const unsigned char* header = nullptr;
    static const QByteArray end("\0\0\0\0IEND\xae\x42\x60\x82", 12);
    // parse() stops at the first end chunk: the file must end right there.
    if (!parse(bytes, maxPixels, maxSide, p, parts, &header) || !bytes.endsWith(end))
        return std::nullopt;
    const auto* last = reinterpret_cast<const unsigned char*>(bytes.constData()) + bytes.size() - 12;
    for (const auto& part : parts)
        if (part.first + part.second > last)
            return std::nullopt;
    return QSize(p.width, p.height);
}

std::optional<QImage> decode(const QByteArray& bytes, qint64 maxPixels, int maxSide)
{
    Coders& coder = coders();
    Picture p;
    Parts parts;
    const unsigned char* header = nullptr;
    if (!parse(bytes, maxPixels, maxSide, p, parts, &header))
        return std::nullopt;
    const auto [stream, streamSize] = joined(parts, coder.joined);

    const size_t bpp = size_t(channelsOf(p.type));
    const size_t rowBytes = (size_t(p.width) * bpp * size_t(p.depth) + 7) / 8;
    const size_t expected = size_t(p.height) * (rowBytes + 1);
    // The zlib header: deflate, no preset dictionary. zlib (in libpng) keeps
    // only the window the header declares and refuses a match reaching further
    // back; libdeflate sees all the output. Only where no match can reach past
    // the window do both agree.
    if (streamSize < 6 || (stream[0] & 0x0F) != 8 || (stream[0] >> 4) > 7 || (stream[1] & 0x20) != 0
        || (stream[0] * 256 + stream[1]) % 31 != 0
        || ((stream[0] >> 4) < 7 && expected > (size_t(1) << ((stream[0] >> 4) + 8))))
        return std::nullopt;
    // The Adler-32 of the rows is checked too, though libpng's reader is told
    // to pass over it: a file whose pixel data is kept as it is must be whole.
    unsigned char* rows = coder.rows.take(expected);
    size_t consumed = 0;
    size_t produced = 0;
    if (libdeflate_zlib_decompress_ex(coder.inflate(), stream, streamSize, rows, expected, &consumed, &produced)
            != LIBDEFLATE_SUCCESS
        || consumed != streamSize || produced != expected)
        return std::nullopt;

    const bool alpha = p.transparency || p.type == GrayAlpha || p.type == Rgba;
    QImage image(p.width, p.height, alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    if (image.isNull())
        return std::nullopt;
    unsigned char* zeros = coder.zeros.take(rowBytes);
    std::memset(zeros, 0, rowBytes);
    const unsigned char* up = zeros;
    for (int y = 0; y < p.height; ++y) {
        unsigned char* row = rows + size_t(y) * (rowBytes + 1);
        if (!unfilter(row[0], row + 1, up, rowBytes, bpp)
            || !convertRow(p, row + 1, reinterpret_cast<QRgb*>(image.scanLine(y))))
            return std::nullopt;
        up = row + 1;
    }
    coder.trim();
    return image;
}

QByteArray keepPixelData(const QByteArray& bytes, qint64 maxPixels, int maxSide)
{
    Picture p;
    Parts parts;
    const unsigned char* header = nullptr;
    if (!parse(bytes, maxPixels, maxSide, p, parts, &header) || (p.type != Rgb && p.type != Rgba) || p.transparency)
        return {};
    Coders& coder = coders();
    const auto [stream, streamSize] = joined(parts, coder.joined);
    QByteArray out;
    out.reserve(qsizetype(8 + 25 + streamSize + 12 * (streamSize / kIdatChunk + 1) + 12));
    out.append(reinterpret_cast<const char*>(kSignature), 8);
    chunk(out, "IHDR", header, 13);
    for (size_t at = 0; at < streamSize; at += kIdatChunk)
        chunk(out, "IDAT", stream + at, std::min(kIdatChunk, streamSize - at));
    chunk(out, "IEND", nullptr, 0);
    coder.trim();
    return out;
}

// ---- writing ----

namespace {

void put32(QByteArray& out, quint32 v)
{
    const char b[4] = {char(v >> 24), char(v >> 16), char(v >> 8), char(v)};
    out.append(b, 4);
}

void chunk(QByteArray& out, const char* type, const unsigned char* body, size_t length)
{
    put32(out, quint32(length));
    const qsizetype start = out.size();
    out.append(type, 4);
    out.append(reinterpret_cast<const char*>(body), qsizetype(length));
    put32(out, libdeflate_crc32(0, out.constData() + start, length + 4));
}

// The whole file around `raw` (the filtered rows), deflated at level.
QByteArray assemble(Coders& coder, int width, int height, int colourType, int depth, const QRgb* colours, int count,
                    int translucent, const unsigned char* raw, size_t rawSize, int level)
{
    libdeflate_compressor* deflater = coder.deflate(std::clamp(level, 0, 12));
    if (!deflater)
        throw std::bad_alloc();
    const size_t bound = libdeflate_zlib_compress_bound(deflater, rawSize);
    unsigned char* packed = coder.packed.take(bound);
    const size_t packedSize = libdeflate_zlib_compress(deflater, raw, rawSize, packed, bound);

    QByteArray out;
    out.reserve(qsizetype(8 + 25 + 12 + 3 * count + 12 + translucent + packedSize + 12 * (packedSize / kIdatChunk + 1) + 12));
    out.append(reinterpret_cast<const char*>(kSignature), 8);
    unsigned char header[13] = {};
    for (int k = 0; k < 4; ++k) {
        header[k] = static_cast<unsigned char>(quint32(width) >> (24 - 8 * k));
        header[4 + k] = static_cast<unsigned char>(quint32(height) >> (24 - 8 * k));
    }
    header[8] = static_cast<unsigned char>(depth);
    header[9] = static_cast<unsigned char>(colourType);
    chunk(out, "IHDR", header, sizeof header);
    if (count > 0) {
        unsigned char plte[768];
        unsigned char trns[256];
        for (int k = 0; k < count; ++k) {
            plte[3 * k] = static_cast<unsigned char>(qRed(colours[k]));
            plte[3 * k + 1] = static_cast<unsigned char>(qGreen(colours[k]));
            plte[3 * k + 2] = static_cast<unsigned char>(qBlue(colours[k]));
            trns[k] = static_cast<unsigned char>(qAlpha(colours[k]));
        }
        chunk(out, "PLTE", plte, size_t(count) * 3);
        if (translucent > 0)
            chunk(out, "tRNS", trns, size_t(translucent));
    }
    for (size_t at = 0; at < packedSize; at += kIdatChunk)
        chunk(out, "IDAT", packed + at, std::min(kIdatChunk, packedSize - at));
    chunk(out, "IEND", nullptr, 0);
    coder.trim();
    return out;
}

} // namespace

int indexBits(int count)
{
    return count <= 2 ? 1 : count <= 4 ? 2 : count <= 16 ? 4 : 8;
}

QByteArray encodeIndexed(const unsigned char* indices, int width, int height, const QRgb* colours, int count,
                         int translucent, int level)
{
    Coders& coder = coders();
    const int depth = indexBits(count);
    const size_t w = size_t(width);
    const size_t rowBytes = (w * size_t(depth) + 7) / 8;
    const size_t rawSize = size_t(height) * (rowBytes + 1);
    unsigned char* raw = coder.rows.take(rawSize);
    for (size_t y = 0; y < size_t(height); ++y) {
        unsigned char* row = raw + y * (rowBytes + 1);
        row[0] = 0; // no filter
        const unsigned char* in = indices + y * w;
        if (depth == 8) {
            std::memcpy(row + 1, in, w);
            continue;
        }
        // Several indices a byte, the leftmost in the highest bits; the last byte's spare bits 0.
        const size_t perByte = size_t(8 / depth);
        std::memset(row + 1, 0, rowBytes);
        for (size_t x = 0; x < w; ++x)
            row[1 + x / perByte] |= static_cast<unsigned char>(in[x] << (8 - depth * int(x % perByte + 1)));
    }
    return assemble(coder, width, height, Palette, depth, colours, count, translucent, raw, rawSize, level);
}

namespace {

// One row as RGB or RGBA bytes with the Sub filter: each byte less the same byte of the pixel to its left.
template <size_t Bpp>
void subRow(const QRgb* line, size_t width, unsigned char* out)
{
    quint32 left = 0;
    for (size_t x = 0; x < width; ++x) {
        const quint32 v = line[x];
        out[0] = static_cast<unsigned char>(((v >> 16) & 0xFF) - ((left >> 16) & 0xFF));
        out[1] = static_cast<unsigned char>(((v >> 8) & 0xFF) - ((left >> 8) & 0xFF));
        out[2] = static_cast<unsigned char>((v & 0xFF) - (left & 0xFF));
        if constexpr (Bpp == 4)
            out[3] = static_cast<unsigned char>((v >> 24) - (left >> 24));
        out += Bpp;
        left = v;
    }
}

} // namespace

QByteArray encodeTrueColour(const QImage& image, bool alpha, int level)
{
    Coders& coder = coders();
    const size_t w = size_t(image.width());
    const size_t rowBytes = w * (alpha ? 4 : 3);
    const size_t rawSize = size_t(image.height()) * (rowBytes + 1);
    unsigned char* raw = coder.rows.take(rawSize);
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        unsigned char* row = raw + size_t(y) * (rowBytes + 1);
        row[0] = 1; // Sub
        if (alpha)
            subRow<4>(line, w, row + 1);
        else
            subRow<3>(line, w, row + 1);
    }
    return assemble(coder, image.width(), image.height(), alpha ? Rgba : Rgb, 8, nullptr, 0, 0, raw, rawSize, level);
}

} // namespace kestrava::io::quickpng
