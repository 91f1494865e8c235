// The extras file beside a project, fed whole documents and applied to a small
// project: the screen, the game's properties, the map grid, lives bars, paths,
// movement types, object lists and catalogue records. Whatever it applies must
// be saved again and read back to the very same project.
#include "io/Error.h"
#include "model/Project.h"
#include "persist/ProjectExtras.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

using namespace kestrava;
using namespace Qt::Literals::StringLiterals;

namespace {

const QString kPath = u"project.kestrava.json"_s;
const QByteArray kProjectBytes = "project file";

// Two stages: the first with groups, objects and filled event cells for the
// document to refer to, the second empty.
model::Project base()
{
    model::Project p;
    p.LevelCount = 2;
    model::StageData& s = p.stage(1);
    s.ActiveGroupCount = 2;
    s.ActiveObjCount = 3;
    s.EventCount = s.EventCurRow = 3;
    s.EventRow[1].Kind = u"event"_s;
    s.EventRow[1].CondText = u"Начало игры"_s;
    s.EventRow[2].Kind = u"event"_s;
    s.EventRow[2].ActionText[1] = u"Уничтожить"_s;
    s.EventRow[3].ActionCode[20] = u"a();"_s;
    return p;
}

// The document applied to a fresh base; nullopt when it is refused.
std::optional<model::Project> applied(const QByteArray& bytes, bool anyHash)
{
    model::Project project = base();
    try {
        persist::ExtrasDocument doc = persist::extrasFromBytes(kPath, bytes, kProjectBytes);
        // The fuzzer cannot make a SHA-256 match: take the document's own.
        if (anyHash)
            if (const auto hash = doc.root->root().member(u"projectSha256"))
                doc.projectHash = hash->string().toLower().toLatin1();
        if (!persist::applyExtras(project, kPath, doc).isEmpty())
            return std::nullopt;
    } catch (const io::Error&) {
        return std::nullopt;
    }
    return project;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const std::optional<model::Project> read = applied(bytes, true);
    if (!read)
        return 0;
    QByteArray saved;
    try {
        saved = persist::extrasBytes(*read, kProjectBytes, kPath);
    } catch (const io::Error&) {
        std::abort(); // a project that opened must save
    }
    if (applied(saved, false) != read)
        std::abort();
    return 0;
}
