// The JSON reader of the extras file, fed whole documents; every value of a
// document it takes is walked and read.
#include "io/JsonTape.h"

#include <cstddef>
#include <cstdint>

using namespace kestrava;

namespace {

void walk(const io::JsonTape::Value& v, int& sink)
{
    sink += int(v.raw().size()) + int(v.number() != 0) + int(v.string().size());
    if (v.isArray())
        v.elements([&](const io::JsonTape::Value& e) { walk(e, sink); });
    if (v.isObject()) {
        v.members([&](const io::JsonTape::Value& name, const io::JsonTape::Value& value) {
            sink += int(v.member(name.string()).has_value());
            walk(value, sink);
        });
        sink += int(v.size());
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    qsizetype at = 0;
    if (const std::optional<io::JsonTape> tape = io::JsonTape::parse(bytes, &at)) {
        int sink = 0;
        walk(tape->root(), sink);
    } else if (at < 0 || at > bytes.size()) {
        __builtin_trap(); // the fault must lie inside the document
    }
    return 0;
}
