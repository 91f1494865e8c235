#include "codegen/StagedOutput.h"

#include "io/Error.h"
#include "io/ParallelJobs.h"
#include "io/Paths.h"
#include "io/TextFile.h"

using namespace Qt::Literals::StringLiterals;

namespace kestrava::codegen {

StagedOutput::StagedOutput(const QString& projectDir) : m_staging(projectDir, u"convert"_s) {}

void StagedOutput::add(QString target, QByteArray bytes, bool keepExisting)
{
    m_entries.push_back({std::move(target), std::move(bytes), keepExisting, false});
}

void StagedOutput::addInPlace(QString target)
{
    m_entries.push_back({std::move(target), {}, false, true});
}

QString StagedOutput::stagedName(size_t k) const
{
    // Numbered, not named: the targets' names need no checking here. A folder
    // per thread: threads making files in one folder wait for each other.
    return QString::number(m_entries[k].folder) + u'/' + QString::number(k);
}

void StagedOutput::write(int helpers)
{
    for (int folder = 0; folder <= helpers; ++folder)
        m_staging.makeSubfolder(QString::number(folder));
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
        // No flush to disk of its own: the output is made again from the project at will.
        m_staging.write(stagedName(k), entry.bytes, io::FileSync::LeaveToSystem, entry.target);
    });
    run.start(helpers);
    run.finish();
}

void StagedOutput::commit(const std::function<void(const QString&)>& placed)
{
    std::vector<io::StagingFolder::Move> moves;
    std::vector<size_t> entryOf;
    for (size_t k = 0; k < m_entries.size(); ++k) {
        const Entry& entry = m_entries[k];
        if (entry.inPlace)
            continue;
        // An author's own file in the way stays (a dangling link to one too).
        if (entry.keepExisting) {
            const io::OpenFolder folder = io::OpenFolder::holding(entry.target, io::Access::Write);
            if (io::entryAt(folder, io::fileNamePart(entry.target)) != io::Entry::None)
                continue;
        }
        moves.push_back({stagedName(k), entry.target});
        entryOf.push_back(k);
    }
    std::vector<char> moved(m_entries.size(), 0);
    auto report = [&] {
        if (!placed)
            return;
        for (size_t k = 0; k < m_entries.size(); ++k)
            if (m_entries[k].inPlace || moved[k])
                placed(m_entries[k].target);
    };
    try {
        m_staging.commit(moves, io::FileSync::LeaveToSystem, [&](size_t m) { moved[entryOf[m]] = 1; });
    } catch (const io::Error&) {
        report();
        throw;
    }
    report();
}

} // namespace kestrava::codegen
