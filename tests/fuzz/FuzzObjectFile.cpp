// One object file reader, fed whole files. The kind's keyword is put in
// front of the input so that the fuzzer spends its time in the body.
#include "io/Error.h"
#include "io/TextFile.h"
#include "objects/ActiveObjectFile.h"
#include "objects/BackgroundObjectFile.h"
#include "objects/BarObjectFile.h"
#include "objects/TextObjectFile.h"

#include <cstddef>
#include <cstdint>

using namespace kestrava;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using File = objects::KESTRAVA_FUZZ_OBJECT;
    QByteArray bytes = File::keyword().toLatin1() + "\r\n";
    bytes.append(reinterpret_cast<const char*>(data), qsizetype(size));
    io::LineReader reader(QStringLiteral("fuzz.obj"), bytes);
    try {
        reader.text();
        File::readBody(reader);
        reader.expectEnd(QStringLiteral("после данных объекта"));
    } catch (const io::Error&) {
    }
    return 0;
}
