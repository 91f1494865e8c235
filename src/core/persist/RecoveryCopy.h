#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <optional>

namespace kestrava::model { class Project; }
namespace kestrava::io { class AppFolder; }

namespace kestrava::persist {

// While a project has unsaved changes the editor keeps a copy of it beside
// its file (project.kestrava-recovery): the bytes a save would write into the
// project file and the extras file, and when. It is never written over the
// project's own files; after a crash, opening the project offers it. Format:
//   "kestrava recovery 1\n", the time (ISO 8601, UTC) "\n", the two sizes in
//   decimal, each "\n", both files' bytes, then an XXH3 128-bit hash of all
//   before it (16 bytes, low half first).
struct RecoveryCopy {
    QDateTime written;
    QByteArray projectFile;
    QByteArray extrasFile;
};

// projectDir/project.kestrava-recovery
QString recoveryFileIn(const QString& projectDir);

// A copy of project that holds everything a save writes, made without
// copying the background maps, which no save writes (opening reads them from
// the object files again): cheap enough for the interface thread. project is
// as it was when this returns.
model::Project copyForSaving(model::Project& project);

// The copy as a file; io::Error as save() has for a text the files cannot hold.
QByteArray recoveryBytes(const model::Project& project, const QDateTime& when);
// Writes it beside the project's file (whole, or not at all).
void writeRecoveryCopy(const model::Project& project, const QDateTime& when);
// The copy in bytes, nullopt when they are none (damaged, cut, another format).
std::optional<RecoveryCopy> parseRecoveryCopy(const QByteArray& bytes);
// The copy of the project folder that holds something other than what is
// saved there; nullopt when there is none. A copy that is damaged, or holds
// exactly the saved files, is removed: there is nothing to offer.
std::optional<RecoveryCopy> unsavedRecoveryCopy(const QString& projectDir);
// "Не восстанавливать", a save, "Не сохранять": the copy goes.
void removeRecoveryCopy(const QString& projectDir);

} // namespace kestrava::persist
