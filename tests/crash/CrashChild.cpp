// A child for the crash tests, run with KillShim preloaded:
//   kestrava_crash_child save APP_DIR PROJECT.prg     opens, edits and saves the project
//   kestrava_crash_child convert APP_DIR PROJECT.prg  opens and converts it
//   kestrava_crash_child ini APP_DIR FILE.ini         writes the font section of a settings file
//   kestrava_crash_child edit APP_DIR PROJECT.prg     the editor (offscreen): opens the project, adds a
//                                                      stage and runs on, keeping its recovery copy, until killed
//   kestrava_crash_child editor-save APP_DIR PROJECT.prg  the editor (offscreen): opens the project, makes
//                                                      a new stage and the save child's edit and saves them as the author does
//                                                      ("Сохранить"), then quits; prints "save from N", the
//                                                      count of file system calls made before the save
// The edit moves the first placed active object and renames the first event
// row, so the project file and its extras both change.
#include "codegen/Converter.h"
#include "editor/workspace/RecoveryWriter.h"
#include "editor/workspace/MainWindow.h"
#include "io/AppFolder.h"
#include "io/Error.h"
#include "model/Project.h"
#include "objects/FontRecord.h"
#include "persist/ProjectFile.h"

#include <QApplication>
#include <QCoreApplication>

#include <cstdio>
#include <cstring>

#include <dlfcn.h>

using namespace kestrava;
using namespace Qt::Literals::StringLiterals;

namespace {

int edit(const io::AppFolder& app, const QString& file)
{
    editor::MainWindow window(app);
    window.recovery()->setTimings(10, 0); // a copy as soon as there is something to copy
    window.openProjectFile(file);
    window.document().addLevel();
    return QApplication::exec();
}

// The edit the save child makes on a loaded project.
void change(model::Project& project)
{
    model::StageData& s = project.stage(1);
    s.ActiveObject[1].X += 7;
    s.EventRow[1].CondText += u" (изменено)"_s;
}

int saveInEditor(const io::AppFolder& app, const QString& file)
{
    editor::MainWindow window(app);
    window.openProjectFile(file);
    window.document().addLevel();       // an edit the history holds, so "Сохранить" has work
    change(window.document().edit());   // and the save child's, so both files change
    const auto counted = reinterpret_cast<long (*)()>(::dlsym(RTLD_DEFAULT, "kestrava_kill_shim_calls"));
    std::fprintf(stderr, "save from %ld\n", counted ? counted() : 0L);
    std::fflush(stderr);
    return window.N_SaveClick() && !window.document().isModified() ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 4 && std::strcmp(argv[1], "edit") == 0) {
        QApplication application(argc, argv);
        return edit(io::AppFolder(application.arguments()[2]), application.arguments()[3]);
    }
    if (argc == 4 && std::strcmp(argv[1], "editor-save") == 0) {
        QApplication application(argc, argv);
        return saveInEditor(io::AppFolder(application.arguments()[2]), application.arguments()[3]);
    }
    QCoreApplication application(argc, argv);
    const QStringList args = application.arguments();
    if (args.size() != 4)
        return 2;
    const io::AppFolder app(args[2]);
    try {
        if (args[1] == u"ini"_s) {
            objects::FontRecord font;
            font.FontSize = 2;
            objects::WriteFontToINI(args[3], font);
            return 0;
        }
        model::Project project;
        persist::load(project, app, args[3]);
        if (args[1] == u"save"_s) {
            change(project);
            persist::save(project, args[3]);
        } else if (args[1] == u"convert"_s) {
            codegen::convertProject(project, app);
        } else {
            return 2;
        }
    } catch (const io::Error& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
