// The journal of a staging folder, fed whole files: it is read from a folder a
// stranger may have made, so whatever it accepts must name plain files inside
// the project only.
#include "io/Paths.h"
#include "io/Staging.h"

#include <QStringList>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

using namespace kestrava;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    if (const auto moves = io::readJournal(bytes))
        for (const io::StagingFolder::Move& move : *moves)
            for (const QString& path : {move.staged, move.target})
                for (const QString& part : path.split(u'/'))
                    if (!io::isPlainFileName(part))
                        std::abort();
    return 0;
}
