#pragma once

#include "io/FileAccess.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

namespace kestrava::io {

// Files that must change together (the project file and its extras, a
// conversion's sources and pictures, the game's jar and jad) are written
// first into a hidden staging folder ".kestrava-<kind>-XXXXXX" of their home
// folder (the project folder), on the same disk, so that each reaches its
// place by a rename. Before the first rename a journal listing every move
// is put into the staging folder; whoever finds a complete journal later
// finishes the moves, so a crash at any instant leaves the old set or, once
// the journal is there, the new one. The folder is locked (flock) while its
// writer lives, so another run never takes a live one for a leftover.
class StagingFolder {
public:
    // Makes the folder in home (a trusted folder, see trustFolder); an
    // io::Error naming home when it cannot.
    StagingFolder(const QString& home, const QString& kind);
    // Removes the folder and whatever is left in it.
    ~StagingFolder();
    StagingFolder(const StagingFolder&) = delete;
    StagingFolder& operator=(const StagingFolder&) = delete;

    const QString& home() const { return m_home; }
    const QString& path() const { return m_path; }

    // A subfolder, for writers on several threads (making files in one
    // folder, threads wait for each other).
    void makeSubfolder(const QString& name) const;
    // Writes bytes as the new file `name` (relative to the staging folder);
    // an io::Error naming `target`, the file it stands for. Safe on several
    // threads for different names.
    void write(const QString& name, const QByteArray& bytes, FileSync sync, const QString& target) const;

    struct Move {
        QString staged; // relative to the staging folder
        QString target; // a path inside home
    };
    // Moves the staged files over their targets, in order: each target's
    // folder is checked (inside home, no link leading out), and a target that
    // is a link or a folder is refused, before anything moves; more than one
    // move goes through the journal. moved(k) is told of each move done. A
    // move that fails stops the others; the io::Error then names the files
    // already replaced.
    void commit(const std::vector<Move>& moves, FileSync sync, const std::function<void(size_t)>& moved = {});

private:
    void removeAll();

    QString m_home;
    QString m_path;
    int m_homeFd = -1;
    int m_fd = -1; // open and locked for the folder's whole life
};

// What a run stopped by a crash left in home: each staging folder no live
// writer holds is finished when its journal is complete, removed otherwise.
// Returns how many were dealt with. Never follows a link; a journal that
// names a target outside home, or through a link, has that move dropped.
int finishInterruptedWrites(const QString& home);

// The moves a journal lists (targets relative to home); none when it is
// damaged or incomplete.
std::optional<std::vector<StagingFolder::Move>> readJournal(const QByteArray& bytes);

// The prefix of every staging folder's name.
inline constexpr char kStagingPrefix[] = ".kestrava-";

} // namespace kestrava::io
