#include "codegen/StagedOutput.h"

#include "io/Error.h"
#include "io/ParallelJobs.h"
#include "io/TextFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <filesystem>
#include <system_error>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::codegen {
namespace {

void writeNewFile(const QString& path, const QByteArray& bytes, const QString& target)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        throw io::Error::inFile(target, u"не удаётся создать файл: %1; ничего не записано"_s.arg(file.errorString()));
    // No flush to disk of its own: the output is made again from the project at will.
    const bool complete = file.write(bytes) == bytes.size() && file.flush();
    const QString why = file.errorString();
    file.close();
    if (!complete)
        throw io::Error::inFile(target, u"не удаётся записать файл: %1; ничего не записано"_s.arg(why));
}

} // namespace

StagedOutput::StagedOutput(const QString& projectDir) : m_dir(projectDir + u"/.kestrava-convert-XXXXXX"_s)
{
    if (!m_dir.isValid())
        throw io::Error::inFile(projectDir, u"не удаётся создать временную папку в папке проекта: %1; ничего не записано"_s
                                                .arg(m_dir.errorString()));
}

void StagedOutput::add(QString target, QByteArray bytes, bool keepExisting)
{
    m_entries.push_back({std::move(target), std::move(bytes), keepExisting, false});
}

void StagedOutput::addInPlace(QString target)
{
    m_entries.push_back({std::move(target), {}, false, true});
}

QString StagedOutput::stagedPath(size_t k) const
{
    // Numbered, not named: the targets' names need no checking here. A folder
    // per thread: threads making files in one folder wait for each other.
    return m_dir.path() + u'/' + QString::number(m_entries[k].folder) + u'/' + QString::number(k);
}

void StagedOutput::write(int helpers)
{
    for (int folder = 0; folder <= helpers; ++folder)
        if (!QDir().mkdir(m_dir.path() + u'/' + QString::number(folder)))
            throw io::Error::inFile(m_dir.path(), u"не удаётся создать временную папку; ничего не записано"_s);
    io::ParallelJobs run(m_entries.size(), [this](size_t k) {
        Entry& entry = m_entries[k];
        if (entry.inPlace)
            return;
        // A target that holds these very bytes stays as it is: reading costs less than a new file.
        if (!entry.keepExisting) {
            const std::optional<QByteArray> existing = io::readFileOfSize(entry.target, entry.bytes.size());
            if (existing && *existing == entry.bytes) {
                entry.inPlace = true;
                return;
            }
        }
        entry.folder = io::ParallelJobs::worker();
        writeNewFile(stagedPath(k), entry.bytes, entry.target);
    });
    run.start(helpers);
    run.finish();
}

void StagedOutput::commit(const std::function<void(const QString&)>& placed)
{
    QStringList done;
    qsizetype moved = 0;
    auto report = [&] {
        if (placed)
            for (const QString& target : done)
                placed(target);
    };
    for (size_t k = 0; k < m_entries.size(); ++k) {
        const Entry& entry = m_entries[k];
        if (entry.inPlace) {
            done.append(entry.target);
            continue;
        }
        // An author's own file in the way stays (a dangling link to one too).
        if (entry.keepExisting && (QFileInfo::exists(entry.target) || QFileInfo(entry.target).isSymLink()))
            continue;
        std::error_code error;
        std::filesystem::rename(std::filesystem::path(stagedPath(k).toStdU16String()),
                                std::filesystem::path(entry.target.toStdU16String()), error);
        if (!error) {
            done.append(entry.target);
            ++moved;
            continue;
        }
        const QString why = QString::fromLocal8Bit(error.message());
        QString what = u"не удаётся поместить файл на место: %1; "_s.arg(why);
        if (moved == 0) {
            what += u"ничего не изменено"_s;
        } else {
            const auto toMove =
                std::count_if(m_entries.cbegin(), m_entries.cend(), [](const Entry& e) { return !e.inPlace; });
            what += u"заменено файлов: %1 из %2, остальные остались прежними — конвертируйте проект ещё раз"_s
                        .arg(moved)
                        .arg(toMove);
        }
        report();
        throw io::Error::inFile(entry.target, what);
    }
    report();
}

} // namespace kestrava::codegen
