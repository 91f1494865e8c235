#include "editor/workspace/RecoveryWriter.h"

#include "document/ProjectDocument.h"
#include "io/Error.h"
#include "persist/RecoveryCopy.h"

#include <QDateTime>

#include <algorithm>

namespace kestrava::editor {

RecoveryWriter::RecoveryWriter(document::ProjectDocument& document, QObject* parent)
    : QObject(parent), m_document(document)
{
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, [this] { write(); });
    connect(&document.history(), &undo::History::changed, this, [this] { changed(); });
    connect(&document, &document::ProjectDocument::modifiedChanged, this, [this](bool modified) {
        if (!modified && m_ownsCopy)
            discard(); // saved, or undone to what is saved: the copy would only repeat the files
    });
    connect(&document, &document::ProjectDocument::projectReplaced, this, [this] {
        m_timer.stop();
        m_pendingSince.invalidate();
        m_sinceWrite.invalidate();
        m_ownsCopy = false;
    });
}

RecoveryWriter::~RecoveryWriter()
{
    waitForWrite();
}

void RecoveryWriter::setTimings(int idleMs, int intervalMs)
{
    m_idleMs = idleMs;
    m_intervalMs = intervalMs;
}

void RecoveryWriter::changed()
{
    if (!m_document.isModified() || !m_document.project().hasProjectDir())
        return;
    if (!m_pendingSince.isValid())
        m_pendingSince.start();
    // After a pause of m_idleMs, or once the changes have waited a whole
    // interval; never sooner than an interval after the last copy.
    const qint64 sinceCopy = m_sinceWrite.isValid() ? m_sinceWrite.elapsed() : m_intervalMs;
    const qint64 waited = m_pendingSince.elapsed();
    const qint64 delay = std::max<qint64>(m_intervalMs - sinceCopy, std::min<qint64>(m_idleMs, m_intervalMs - waited));
    m_timer.start(int(std::max<qint64>(delay, 0)));
}

void RecoveryWriter::write()
{
    if (!m_document.isModified() || !m_document.project().hasProjectDir())
        return;
    if (m_writing.valid() && m_writing.wait_for(std::chrono::seconds(0)) != std::future_status::ready) {
        m_timer.start(std::max(m_idleMs, 100)); // the last copy is still being written
        return;
    }
    QElapsedTimer hold;
    hold.start();
    model::Project snapshot = persist::copyForSaving(m_document.edit());
    m_lastHold = hold.nsecsElapsed() / 1000;
    m_folder = *snapshot.ProjectDir;
    m_ownsCopy = true;
    m_writing = std::async(std::launch::async, [snapshot = std::move(snapshot), when = QDateTime::currentDateTimeUtc()] {
        try {
            persist::writeRecoveryCopy(snapshot, when);
        } catch (const io::Error&) {
            // A copy that cannot be written is no worse than none; the author still saves.
        }
    });
    m_sinceWrite.start();
    m_pendingSince.invalidate();
}

void RecoveryWriter::waitForWrite()
{
    if (m_writing.valid())
        m_writing.wait();
}

void RecoveryWriter::discard()
{
    m_timer.stop();
    m_pendingSince.invalidate();
    waitForWrite();
    const model::Project& p = m_document.project();
    if (p.hasProjectDir())
        persist::removeRecoveryCopy(*p.ProjectDir);
    if (!m_folder.isEmpty() && (!p.hasProjectDir() || *p.ProjectDir != m_folder))
        persist::removeRecoveryCopy(m_folder);
    m_folder.clear();
    m_ownsCopy = false;
}

} // namespace kestrava::editor
