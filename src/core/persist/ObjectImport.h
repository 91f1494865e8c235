#pragma once

#include "io/TextFile.h"
#include "model/ObjectKind.h"
#include "model/Project.h"
#include "objects/ObjectFile.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <utility>
#include <vector>

namespace kestrava::io { class AppFolder; }

namespace kestrava::persist {

struct ImportedObject {
    model::ObjectKind kind;
    int index; // group or text object number; 0 for a lives bar
    // For the author when the import took another way than the usual one
    // (the library's copy was damaged and the project's own was read); empty otherwise.
    QString note;
};

// "Объекты" → "Загрузить": imports the object file fileName (a bare name)
// from the application's objects folder into stage project.CurLevel and
// copies it and its pictures into the project's objects folder. Throws
// io::Error and changes nothing when the file is missing, malformed, too
// large for the stage, named unsafely or with a character windows-1251
// lacks, or when no project folder was chosen yet.
ImportedObject Load_object(model::Project& project, const io::AppFolder& app, const QString& fileName);

// "Загрузить" with the file the author chose in the dialog. A file of the
// library (or a path to no file: its name is then looked up there) is
// imported by name. A file from any other folder is copied with the
// pictures of its kind (from beside it, else from the library) into the
// project's objects folder and imported from there, where the project file
// reader finds it again. Refused, changing nothing, when the library or the
// project already holds a different file of one of those names, or a
// picture is missing.
ImportedObject loadChosenObject(model::Project& project, const io::AppFolder& app, const QString& chosenPath);

// Whether stage `level` holds a background or active group loaded from an
// object file of this name.
bool stageHolds(const model::Project& project, int level, const QString& name);

// "Обновить": a group already in a stage, read again from its object file.
struct ObjectUpdate {
    QString name;                     // the object file's name
    model::StageData stage;           // the stage with every group of that name read again
    std::vector<io::FileBytes> files; // the project's copies to write: the object file and its pictures
};

// Reads the object file at chosenPath again for every group of stage
// `level` loaded from a file of its name. Each keeps its list slot, its
// number, its obstacle flag or movement settings and its placed objects,
// which take the size of the new tiles or picture. The file and its
// pictures come from the library when it holds that name (chosenPath must
// then be that very file, since opening the project reads the library's),
// else from beside chosenPath. Nothing is written or changed: an io::Error
// says why the update is refused.
ObjectUpdate readObjectUpdate(const model::Project& project, const io::AppFolder& app, int level,
                              const QString& chosenPath);

// The import itself, shared by Load_object and the project reader. The whole
// file is read and checked before the stage changes. An object is read from
// the application's library, or, when the library lacks it, from the
// project's own objects folder (a project folder brought from elsewhere).
class ObjectImporter {
public:
    // Later: copies wait for copyPending(), so a project file that fails to
    // read leaves the project folder as it was.
    enum class Copies { Now, Later };

    ObjectImporter(model::Project& project, const io::AppFolder& app, Copies copies);

    // Imports fileName into stage level; expected, when given, refuses a
    // file of another kind.
    ImportedObject import(int level, const QString& fileName, std::optional<model::ObjectKind> expected = {});
    // Reads the named object files on all threads, ahead of their imports,
    // which then take them from memory. A name that cannot be imported or a
    // file that fails to read is left to its import, which words the failure.
    void readAhead(const std::vector<QString>& names);
    // Copies each imported file and its pictures into the project's objects
    // folder, never replacing a file there; a failed copy is ignored.
    void copyPending();
    // The notes of every import so far, in order.
    const QStringList& notes() const { return m_notes; }

private:
    model::Project& m_project;
    const io::AppFolder& m_app;
    Copies m_copies;
    // The library's copy of name when it has one, else the project's own.
    QString sourceOf(const QString& name) const;
    // The same choice, asking exists(in the library?, path) whether a file is there.
    QString sourceOf(const QString& name, const std::function<bool(bool, const QString&)>& exists) const;
    objects::ObjectFile readFile(const QString& path);

    std::vector<QString> m_pending; // object file names read from the library
    struct ReadAhead {
        objects::ObjectFile file;
        int uses = 0; // imports still to come
    };
    QHash<QString, ReadAhead> m_readAhead;  // by path
    QHash<QString, QString> m_sources;      // name -> its file, as readAhead found it
    QStringList m_notes;
};

} // namespace kestrava::persist
