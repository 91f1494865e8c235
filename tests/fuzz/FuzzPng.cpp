// The PNG decoder, fed whole files. Whatever our own reader takes, libpng
// must take too, with the very same pixels.
#include "io/Error.h"
#include "io/Png.h"
#include "io/QuickPng.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

using namespace kestrava;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    try {
        io::decodePng(bytes, QStringLiteral("fuzz.png"));
    } catch (const io::Error&) {
    }
    // The cheap check of a converted picture reads the same size as the header.
    if (const std::optional<QSize> whole = io::quickpng::wellFormedSize(bytes, 64LL * 1024 * 1024, 32768))
        if (io::pngHeaderSize(bytes) != whole || !io::isWholePngOfSize(bytes, *whole))
            std::abort();
    if (const std::optional<QImage> ours = io::quickpng::decode(bytes, 64LL * 1024 * 1024, 32768)) {
        try {
            if (io::decodePngWithLibpng(bytes, QStringLiteral("fuzz.png")) != *ours)
                std::abort();
        } catch (const io::Error&) {
            std::abort();
        }
    }
    return 0;
}
