#pragma once

#include "io/Staging.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <vector>

namespace kestrava::codegen {

// The files of one conversion, written first into a staging folder inside the
// project folder (".kestrava-convert-XXXXXX", io::StagingFolder) and only then
// moved into place through its journal, so a crash leaves src and res as they
// were or as this conversion makes them. Until commit() no target is touched,
// and the staging folder goes away with this object whatever happened.
class StagedOutput {
public:
    // Makes the staging folder; an io::Error when it cannot.
    explicit StagedOutput(const QString& projectDir);

    // A file to put at `target`; a target that already holds these bytes (a
    // regular file, not a link) stays as it is and is reported in its turn.
    // keepExisting: a target that exists by then stays as it is, and is not
    // reported.
    void add(QString target, QByteArray bytes, bool keepExisting = false);
    // A target that already holds what would be written: nothing to move,
    // still reported in its turn.
    void addInPlace(QString target);

    // Writes every added file into the staging folder on `helpers` threads
    // beside the caller's. Throws io::Error naming the target; no target touched.
    void write(int helpers);

    // Moves the written files over their targets in the order they were added,
    // then calls placed() with every target in place. A rename that fails stops
    // the moves: the targets moved before it are reported, and the io::Error
    // names them.
    void commit(const std::function<void(const QString& target)>& placed);

private:
    struct Entry {
        QString target;
        QByteArray bytes;
        bool keepExisting = false;
        bool inPlace = false;
        int folder = 0; // the thread that wrote it
    };
    QString stagedName(size_t k) const;

    io::StagingFolder m_staging;
    std::vector<Entry> m_entries;
};

} // namespace kestrava::codegen
