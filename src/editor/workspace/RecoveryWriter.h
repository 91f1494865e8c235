#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

#include <future>

namespace kestrava::document { class ProjectDocument; }

namespace kestrava::editor {

// Keeps the recovery copy of the open project (persist/RecoveryCopy.h) while
// it has unsaved changes: once the author has paused (idle), at most once a
// minute. The interface thread only copies the model without its maps (a few
// milliseconds on the largest project); building the files and writing them
// happens on a thread of its own. The copy goes on discard() and when the
// project is clean again (saved, or undone to its saved state), if it is one
// this run wrote or adopted: a copy left by a crash stays until it was offered.
class RecoveryWriter : public QObject {
    Q_OBJECT
public:
    explicit RecoveryWriter(document::ProjectDocument& document, QObject* parent = nullptr);
    ~RecoveryWriter() override;

    // For tests: the pause that counts as idle and the least time between copies.
    void setTimings(int idleMs, int intervalMs);
    // "Не сохранять": the changes are dropped, and their copy with them.
    void discard();
    // The project was opened from its copy: a save removes it.
    void adopt() { m_ownsCopy = true; }
    // How long the last copy held the interface thread, in microseconds.
    qint64 lastHoldMicroseconds() const { return m_lastHold; }

private:
    void changed();
    void write();
    void waitForWrite();

    document::ProjectDocument& m_document;
    QTimer m_timer;
    int m_idleMs = 2000;
    int m_intervalMs = 60000;
    QElapsedTimer m_sinceWrite;   // invalid before the first copy
    QElapsedTimer m_pendingSince; // the first change not in a copy yet
    QString m_folder;             // where the last copy was written
    bool m_ownsCopy = false;      // the open project's copy is this run's
    std::future<void> m_writing;
    qint64 m_lastHold = 0;
};

} // namespace kestrava::editor
