// The recovery copy of a project, fed whole files: a copy it takes holds
// files of the sizes it claims, and is what the writer would make of them.
#include "persist/RecoveryCopy.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

using namespace kestrava;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    if (const std::optional<persist::RecoveryCopy> copy = persist::parseRecoveryCopy(bytes))
        if (!copy->written.isValid() || copy->projectFile.size() + copy->extrasFile.size() > bytes.size())
            std::abort();
    return 0;
}
