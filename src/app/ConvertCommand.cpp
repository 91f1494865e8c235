#include "app/ConvertCommand.h"

#include "codegen/Converter.h"
#include "codegen/StageClass.h"
#include "events/SheetPicture.h"
#include "io/Error.h"
#include "model/Project.h"
#include "packaging/Packager.h"
#include "persist/ProjectFile.h"

#include <QDir>

#include <exception>
#include <functional>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::app {

namespace {

// Runs one step; a failure is printed to err. Returns whether it succeeded.
bool reported(QTextStream& err, const std::function<void()>& step)
{
    try {
        step();
        return true;
    } catch (const io::Error& e) {
        err << e.message() << Qt::endl;
    } catch (const std::exception& e) {
        err << QString::fromLocal8Bit(e.what()) << Qt::endl;
    }
    return false;
}

// Rows naming objects their stage lacks convert, but do nothing in the game.
void warnMissingObjects(const model::Project& project, QTextStream& err)
{
    for (const QString& note : events::unmetRowNotes(project))
        err << note << Qt::endl;
    for (const QString& note : codegen::unopenedLoopNotes(project))
        err << u"Предупреждение: "_s << note << Qt::endl;
}

} // namespace

int runConvertCommand(model::Project& loadedProject, const io::AppFolder& app, QTextStream& out, QTextStream& err)
{
    const bool done = reported(err, [&] {
        codegen::convertProject(loadedProject, app,
                                [&](const QString& file) { out << QDir::toNativeSeparators(file) << Qt::endl; });
    });
    if (done)
        warnMissingObjects(loadedProject, err);
    return done ? 0 : 1;
}

int runConvertFile(const QString& projectFile, const io::AppFolder& app, QTextStream& out, QTextStream& err)
{
    model::Project project;
    QStringList warnings;
    if (!reported(err, [&] { warnings = persist::load(project, app, projectFile); }))
        return 1;
    // What "Открыть" would show: the game made without it may differ from the author's.
    for (const QString& warning : warnings)
        err << u"Предупреждение: "_s << warning << Qt::endl;
    return runConvertCommand(project, app, out, err);
}

int runPackageFile(const QString& projectFile, const io::AppFolder& app, QTextStream& out, QTextStream& err,
                   bool shrink, bool strict)
{
    model::Project project;
    QStringList extrasWarnings;
    if (!reported(err, [&] { persist::load(project, app, projectFile, &extrasWarnings); }))
        return 1;
    // Without its extras the game lacks the object loops its events name: refused here, not by the compiler.
    if (!extrasWarnings.isEmpty()) {
        for (const QString& warning : extrasWarnings)
            err << warning << Qt::endl;
        err << u"Игра не собрана: файл дополнений проекта не загружен. Откройте проект в редакторе и сохраните его."_s
            << Qt::endl;
        return 1;
    }
    const bool done = reported(err, [&] {
        packaging::Packager packager(app);
        packager.setShrink(shrink);
        packager.setStrictBudget(strict);
        const QList<packaging::Packager::Step> steps = packaging::Packager::steps(shrink);
        packager.onStep([&](packaging::Packager::Step step) {
            out << steps.indexOf(step) + 1 << u'/' << steps.size() << u' ' << packaging::Packager::stepCaption(step)
                << Qt::endl;
        });
        const packaging::Packager::Result result = packager.run(project);
        out << QDir::toNativeSeparators(result.jar) << Qt::endl << QDir::toNativeSeparators(result.jad) << Qt::endl;
        for (const QString& line : result.budget.lines())
            out << line << Qt::endl;
        if (const QStringList over = result.budget.overs(); !over.isEmpty())
            err << u"Предупреждение: игра не уложится в телефон (%1): %2."_s.arg(result.budget.screen, over.join(u"; "_s))
                << Qt::endl;
    });
    if (done)
        warnMissingObjects(project, err);
    return done ? 0 : 1;
}

} // namespace kestrava::app
