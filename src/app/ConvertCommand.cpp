#include "app/ConvertCommand.h"

#include "codegen/Converter.h"
#include "io/Error.h"
#include "model/Project.h"
#include "persist/ProjectFile.h"

#include <QDir>

#include <exception>

namespace kestrava::app {

int runConvertCommand(model::Project& loadedProject, const io::AppFolder& app, QTextStream& out, QTextStream& err)
{
    try {
        codegen::convertProject(loadedProject, app,
                                [&](const QString& file) { out << QDir::toNativeSeparators(file) << Qt::endl; });
    } catch (const io::Error& e) {
        err << e.message() << Qt::endl;
        return 1;
    } catch (const std::exception& e) {
        err << QString::fromLocal8Bit(e.what()) << Qt::endl;
        return 1;
    }
    return 0;
}

int runConvertFile(const QString& projectFile, const io::AppFolder& app, QTextStream& out, QTextStream& err)
{
    model::Project project;
    try {
        persist::load(project, app, projectFile);
    } catch (const io::Error& e) {
        err << e.message() << Qt::endl;
        return 1;
    }
    return runConvertCommand(project, app, out, err);
}

} // namespace kestrava::app
