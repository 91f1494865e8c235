#pragma once

#include "io/AppFolder.h"
#include "support/TempAppFolder.h"

#include <QString>
#include <QStringList>

namespace kestrava::model { class Project; }

namespace kestrava::test {

// Writes a small object library into app's objects folder:
//   forest.obf (3 x 2 map) with forest.png / forest.bmp,
//   hero.oba and ghost.oba with their pictures, lives.obl with lives.bmp,
//   title.obt (two Cyrillic lines), empty.obf (0 rows), blank.obt (no lines).
void writeSampleLibrary(const io::AppFolder& app);

// The files of a folder with their bytes, to see that nothing changed.
QString folderSnapshot(const QString& folder);

// A temporary application folder holding the sample library, and a project
// folder "game" in it with the paths of its project file and extras file.
struct SampleProjectFolder {
    SampleProjectFolder();

    TempAppFolder tmp;
    QString dir;
    QString file;
    QString extras;

    // A project saved here, with these objects of the library imported into stage 1.
    model::Project savedWith(const QStringList& objects) const;
};

// Imports an object of the library into a stage, as "Загрузить" does.
void importInto(model::Project& project, const io::AppFolder& app, int level, const QString& name);

} // namespace kestrava::test
