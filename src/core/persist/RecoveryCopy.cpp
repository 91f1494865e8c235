#include "persist/RecoveryCopy.h"

#include "io/Error.h"
#include "io/FileAccess.h"
#include "io/Paths.h"
#include "io/TextFile.h"
#include "model/Project.h"
#include "persist/ProjectExtras.h"
#include "persist/ProjectFile.h"

#include <QFile>

#include <unistd.h>
#include <xxhash.h>

#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::persist {
namespace {

constexpr char kMagic[] = "kestrava recovery 1\n";

QByteArray hashOf(const char* data, qsizetype size)
{
    const XXH128_hash_t h = XXH3_128bits(data, size_t(size));
    QByteArray out;
    for (const std::uint64_t half : {h.low64, h.high64})
        for (int k = 0; k < 8; ++k)
            out.append(char(half >> (8 * k)));
    return out;
}

} // namespace

QString recoveryFileIn(const QString& projectDir)
{
    return projectDir + u"/project.kestrava-recovery"_s;
}

model::Project copyForSaving(model::Project& project)
{
    // The maps are moved aside (no copy) and back, whatever happens between.
    std::vector<std::vector<int>> maps;
    auto each = [&project](auto&& f) {
        for (int level = 1; level <= model::kMaxLevels; ++level) {
            model::StageData& s = project.stage(level);
            for (int g = 1; g <= std::clamp(s.FonGroupCount, 0, model::kMaxFonGroups); ++g)
                f(s.FonGroup[size_t(g)].Cells);
        }
    };
    each([&maps](std::vector<int>& cells) { maps.push_back(std::move(cells)); });
    struct Restore {
        std::vector<std::vector<int>>& maps;
        decltype(each)& walk;
        ~Restore()
        {
            size_t k = 0;
            walk([&](std::vector<int>& cells) { cells = std::move(maps[k++]); });
        }
    } restore{maps, each};
    return project;
}

QByteArray recoveryBytes(const model::Project& project, const QDateTime& when)
{
    const QString file = projectFileIn(project.ProjectDir.value_or(QString()));
    const QByteArray prg = projectBytes(project, file);
    const QByteArray extras = extrasBytes(project, prg, extrasFileFor(file));
    QByteArray out(kMagic);
    out += when.toUTC().toString(Qt::ISODateWithMs).toLatin1() + '\n';
    out += QByteArray::number(prg.size()) + '\n' + QByteArray::number(extras.size()) + '\n';
    out += prg;
    out += extras;
    out += hashOf(out.constData(), out.size());
    return out;
}

void writeRecoveryCopy(const model::Project& project, const QDateTime& when)
{
    if (!project.hasProjectDir())
        return;
    io::writeFileAtomically(recoveryFileIn(*project.ProjectDir), recoveryBytes(project, when));
}

std::optional<RecoveryCopy> parseRecoveryCopy(const QByteArray& bytes)
{
    if (!bytes.startsWith(kMagic) || bytes.size() < qsizetype(sizeof kMagic) + 16)
        return std::nullopt;
    const qsizetype body = bytes.size() - 16;
    if (hashOf(bytes.constData(), body) != bytes.mid(body))
        return std::nullopt;
    qsizetype at = qsizetype(sizeof kMagic) - 1;
    auto line = [&]() -> std::optional<QByteArray> {
        const qsizetype end = bytes.indexOf('\n', at);
        if (end < 0 || end >= body)
            return std::nullopt;
        QByteArray text = bytes.mid(at, end - at);
        at = end + 1;
        return text;
    };
    const std::optional<QByteArray> time = line();
    const std::optional<QByteArray> prgSize = line();
    const std::optional<QByteArray> extrasSize = line();
    if (!time || !prgSize || !extrasSize)
        return std::nullopt;
    bool ok1 = false;
    bool ok2 = false;
    const qint64 prg = prgSize->toLongLong(&ok1);
    const qint64 extras = extrasSize->toLongLong(&ok2);
    if (!ok1 || !ok2 || prg < 0 || extras < 0 || prg > io::kMaxTextFileBytes || extras > kMaxExtrasBytes
        || at + prg + extras != body)
        return std::nullopt;
    RecoveryCopy copy;
    copy.written = QDateTime::fromString(QString::fromLatin1(*time), Qt::ISODateWithMs);
    if (!copy.written.isValid())
        return std::nullopt;
    copy.projectFile = bytes.mid(at, prg);
    copy.extrasFile = bytes.mid(at + prg, extras);
    return copy;
}

std::optional<RecoveryCopy> unsavedRecoveryCopy(const QString& projectDir)
{
    const QString path = recoveryFileIn(projectDir);
    QByteArray bytes;
    try {
        const io::OpenFolder folder = io::OpenFolder::holding(path, io::Access::Read);
        if (io::entryAt(folder, io::fileNamePart(path)) == io::Entry::None)
            return std::nullopt;
        bytes = io::readWholeFile(path, io::kMaxTextFileBytes + kMaxExtrasBytes + 4096);
    } catch (const io::Error&) {
        return std::nullopt; // a link or a folder in its place is no copy of ours
    }
    std::optional<RecoveryCopy> copy = parseRecoveryCopy(bytes);
    if (copy) {
        const QString file = projectFileIn(projectDir);
        const std::optional<QByteArray> saved = io::readFileOfSize(file, copy->projectFile.size());
        const std::optional<QByteArray> savedExtras = io::readFileOfSize(extrasFileFor(file), copy->extrasFile.size());
        if (!saved || *saved != copy->projectFile || !savedExtras || *savedExtras != copy->extrasFile)
            return copy;
    }
    removeRecoveryCopy(projectDir);
    return std::nullopt;
}

void removeRecoveryCopy(const QString& projectDir)
{
    const QString path = recoveryFileIn(projectDir);
    try {
        const io::OpenFolder folder = io::OpenFolder::holding(path, io::Access::Write);
        if (io::entryAt(folder, io::fileNamePart(path)) == io::Entry::File)
            ::unlinkat(folder.fd(), QFile::encodeName(io::fileNamePart(path)).constData(), 0);
    } catch (const io::Error&) {
        // No folder, nothing to remove.
    }
}

} // namespace kestrava::persist
