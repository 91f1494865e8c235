// The PNG decoder, fed whole files.
#include "io/Error.h"
#include "io/Png.h"

#include <cstddef>
#include <cstdint>

using namespace kestrava;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    try {
        io::decodePng(bytes, QStringLiteral("fuzz.png"));
    } catch (const io::Error&) {
    }
    return 0;
}
