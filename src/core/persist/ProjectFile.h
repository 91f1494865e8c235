#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <future>
#include <memory>

namespace kestrava::model { class Project; }
namespace kestrava::io { class AppFolder; }

namespace kestrava::persist {

// The project file project.prg: the stage count and, per stage, the groups
// (by object file name), placed objects, text objects and event rows. Beside
// it, extrasFileFor(project file) keeps what it cannot hold (lives bars,
// paths, the movement types of all groups); see ProjectExtras.h. Both are
// written by every save and read by load.
// Every function throws io::Error with a Russian message naming the file (and
// the line, for load). After load, SelLevel = CurLevel = 1 and the caller
// refreshes its panes once. save_project refuses a folder that already holds
// another project's project.prg.

// The project file of a project folder: dir/project.prg.
QString projectFileIn(const QString& dir);

// "Новый" (project just reset): ProjectDir := chosenFile's folder; makes objects, res, src; writes project.prg ("proekt")
// and its extras file.
void save_project(model::Project& project, const QString& chosenFile);

// "Сохранить" / "Сохранить как ...": writes the project to target ("fdgdf") and its extras file in one step;
// refused without a project folder.
void save(const model::Project& project, const QString& target);

// The bytes save() writes for project (header "fdgdf"); io::Error naming path for a text the file cannot hold.
QByteArray projectBytes(const model::Project& project, const QString& path);

// What "Открыть" does first: content (the file at path) read into a fresh model, its groups imported from
// their object files; nothing is copied and no extras file is read. For tools that check files (fuzzing).
void readProject(model::Project& fresh, const io::AppFolder& app, const QString& path, const QByteArray& content);

// "Открыть": reads chosenFile, its extras file (when there is one) and its groups' object files; the project is
// replaced only when all of it was read. A file that strays from what save writes (a keyword, flag or row kind
// that is not exactly its word, a placed object naming no group of its stage, anything but blank lines after the
// last stage) is refused at its line. Returns what the author should know (Russian): an object read from the
// project's own copy because the library's is damaged, an extras file left unapplied. extrasWarnings, when
// given, receives the warnings about the extras file alone: a game built without them lacks its object loops.
QStringList load(model::Project& project, const io::AppFolder& app, const QString& chosenFile,
                 QStringList* extrasWarnings = nullptr);

// load() with the bytes of the project file and of its extras file given
// (a recovery copy's), instead of read from the disk.
QStringList loadFromBytes(model::Project& project, const io::AppFolder& app, const QString& chosenFile,
                          const QByteArray& projectFileBytes, const QByteArray& extrasFileBytes);

// load() of a file named on the command line, on a thread of its own while the
// window is being built; its result is taken when the window opens the file.
class ProjectPreload {
public:
    ProjectPreload(const io::AppFolder& app, QString file);
    ~ProjectPreload();
    ProjectPreload(const ProjectPreload&) = delete;
    ProjectPreload& operator=(const ProjectPreload&) = delete;

    const QString& file() const { return m_file; }
    // True once take() would not wait.
    bool ready() const;
    // What load() would have done to project and returned, or its io::Error; once only.
    QStringList take(model::Project& project);

private:
    QString m_file;
    std::unique_ptr<model::Project> m_project; // written by the thread until m_warnings is ready
    std::future<QStringList> m_warnings;
};

} // namespace kestrava::persist
