#pragma once

#include "io/AppFolder.h"

#include <QString>
#include <QTemporaryDir>

namespace kestrava::test {

// A fresh application folder for one test: the support folders, with our
// icons and game templates copied in from the source tree.
class TempAppFolder {
public:
    TempAppFolder();

    const io::AppFolder& app() const { return m_app; }
    QString root() const { return m_dir.path(); }
    // A scratch folder inside the temporary tree (created).
    QString makeDir(const QString& relative) const;
    // The build's MIDP API classes and player, copied into the application's java folder.
    void addJava() const;
    // A copy of the demo project (its folder and its objects) in a scratch folder `name`; that folder.
    QString copyDemo(const QString& name) const;

private:
    QTemporaryDir m_dir;
    io::AppFolder m_app;
};

// Path of a file under tests/data.
QString testData(const QString& relative);
// Path of a file under the source tree.
QString sourceFile(const QString& relative);
// Copies every file of one folder into another (not recursive).
void copyFolderFiles(const QString& from, const QString& to);

} // namespace kestrava::test
