#pragma once

#include <QString>

#include <vector>

namespace kestrava::io { class AppFolder; }

namespace kestrava::persist {

// An example game installed with the program: a project folder of its own.
struct Example {
    QString folder;      // where it is installed (read-only)
    QString name;        // the folder's name
    QString description; // the game's description ("Настройки игры"), empty when it has none
};

// The examples of the installed program (AppFolder::examples()): every folder
// holding a project file, by name. A project that does not read is listed
// without its description: opening it says what is wrong.
std::vector<Example> listExamples(const io::AppFolder& app);

// "Открыть пример": copies the example's folder into the projects folder
// under its name, or "name 2", "name 3", ... when that is taken, and returns
// the copy's project file. Only regular files and folders are copied (a link
// or a device in the example is left behind), each read within the caps of
// the program's readers; the copy is written by the author, so it can be
// changed. An io::Error naming what failed, with the partial copy removed.
QString copyExample(const QString& exampleFolder, const QString& projectsFolder);

} // namespace kestrava::persist
