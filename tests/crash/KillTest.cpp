// A save and a conversion killed (SIGKILL) at every call that changes the
// file system, in a child process, then the project opened again: the
// project files, and src and res, are always the old set or the new one.
#include "io/AppFolder.h"
#include "io/Png.h"
#include "io/TextFile.h"
#include "model/Project.h"
#include "persist/ProjectFile.h"
#include "codegen/Converter.h"
#include "support/ObjectLibrary.h"
#include "support/TempAppFolder.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>

using namespace kestrava;
using namespace Qt::Literals::StringLiterals;

namespace {

void copyTree(const QString& from, const QString& to)
{
    QDir().mkpath(to);
    QDirIterator it(from, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString target = to + path.mid(from.size());
        if (it.fileInfo().isDir())
            QDir().mkpath(target);
        else
            QFile::copy(path, target);
    }
}

QStringList stagingLeftovers(const QString& dir)
{
    return QDir(dir).entryList({u".kestrava-*"_s}, QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot);
}

struct ChildRun {
    bool killed = false;
    int exitCode = 0;
    QString errors;
    long calls = 0; // known only for a run that lived to its end
    long writes = 0;
};

// One run of the child on `file` in the project folder dir, killed at call
// killAt (0: never), its write number failWrite failing as on a full disk (0: none).
ChildRun runChild(const QString& mode, const QString& app, const QString& dir, long killAt, long failWrite = 0,
             const QString& file = u"project.prg"_s)
{
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"LD_PRELOAD"_s, QStringLiteral(KESTRAVA_KILL_SHIM));
    env.insert(u"KESTRAVA_KILL_AT"_s, QString::number(killAt));
    env.insert(u"KESTRAVA_FAIL_WRITE_AT"_s, QString::number(failWrite));
    const QString countFile = dir + u"/../calls.txt"_s;
    env.insert(u"KESTRAVA_COUNT_FILE"_s, countFile);
    // The shim comes before the sanitizers' runtime in a sanitized build.
    env.insert(u"ASAN_OPTIONS"_s, env.value(u"ASAN_OPTIONS"_s) + u":verify_asan_link_order=0"_s);
    child.setProcessEnvironment(env);
    child.start(QStringLiteral(KESTRAVA_CRASH_CHILD), {mode, app, dir + u'/' + file});
    EXPECT_TRUE(child.waitForFinished(30000));
    ChildRun run;
    run.killed = child.exitStatus() == QProcess::CrashExit;
    run.exitCode = child.exitCode();
    run.errors = QString::fromUtf8(child.readAllStandardError());
    if (!run.killed && run.exitCode == 0) {
        const QStringList counts = QString::fromLatin1(io::readWholeFile(countFile)).split(u' ');
        run.calls = counts.value(0).toLong();
        run.writes = counts.value(1).trimmed().toLong();
    }
    return run;
}

QImage picture(QRgb colour)
{
    QImage image(48, 24, QImage::Format_ARGB32);
    image.fill(colour);
    return image;
}

// A project of one stage with a background and an active object and one event row.
struct Fixture {
    test::TempAppFolder tmp;
    QString dir;
    model::Project project;

    Fixture()
    {
        test::writeSampleLibrary(tmp.app());
        dir = tmp.makeDir(u"template"_s);
        persist::save_project(project, dir + u"/project.prg"_s);
        test::importInto(project, tmp.app(), 1, u"forest.obf"_s);
        test::importInto(project, tmp.app(), 1, u"hero.oba"_s);
        model::StageData& s = project.stage(1);
        s.FonObject[1] = {u"1"_s, 0, 0, s.FonGroup[1].ListSlot, 1, u"forest.obf"_s, 16, 16, true};
        s.FonObjCount = 1;
        model::ActiveObjectData& hero = s.ActiveObject[1];
        hero.Ref = u"1"_s;
        hero.X = 10;
        hero.Y = 20;
        hero.Layer = s.ActiveGroup[1].ListSlot;
        hero.GroupValue = 1;
        hero.FileName = u"hero.bmp"_s;
        hero.Exists = true;
        s.ActiveObjCount = 1;
        model::EventRowData& row = s.EventRow[1];
        row.Kind = u"event"_s;
        row.CondText = u"старт"_s;
        row.CondCode = u"(obtime>0)"_s;
        s.EventCount = s.EventCurRow = 1;
        persist::save(project, dir + u"/project.prg"_s);
    }

    // Runs the child killed at every call it makes; check(runDir) after each reopening.
    // Returns the number of kill points.
    long killEverywhere(const QString& mode, const std::function<void(const QString&, bool)>& check)
    {
        const QString reference = tmp.root() + u"/reference/game"_s;
        copyTree(dir, reference);
        const ChildRun full = runChild(mode, tmp.app().root(), reference, 0);
        EXPECT_EQ(full.exitCode, 0) << full.errors.toStdString();
        EXPECT_GT(full.calls, 3);
        check(reference, false);
        for (long at = 1; at <= full.calls; ++at) {
            const QString run = tmp.root() + u"/run%1/game"_s.arg(at);
            copyTree(dir, run);
            const ChildRun killed = runChild(mode, tmp.app().root(), run, at);
            EXPECT_TRUE(killed.killed || killed.exitCode == 0) << killed.errors.toStdString();
            check(run, killed.killed);
            QDir(tmp.root() + u"/run%1"_s.arg(at)).removeRecursively();
        }
        return full.calls;
    }
};

QString snapshotOf(const QString& dir, const QStringList& parts)
{
    QString all;
    for (const QString& part : parts)
        all += part + u":\n"_s + test::folderSnapshot(dir + u'/' + part) + u'\n';
    return all;
}

// The project file and its extras file of the project folder dir, as one.
QByteArray projectPair(const QString& dir)
{
    return io::readWholeFile(dir + u"/project.prg"_s) + "\n--\n" + io::readWholeFile(dir + u"/project.kestrava.json"_s);
}

} // namespace

TEST(CrashSafety, AKilledSaveLeavesTheOldOrTheNewProjectFilesAndTheyOpen)
{
    Fixture f;
    const QByteArray before = projectPair(f.dir);
    QByteArray after;
    int old = 0;
    int fresh = 0;
    QElapsedTimer clock;
    clock.start();
    const long points = f.killEverywhere(u"save"_s, [&](const QString& dir, bool killed) {
        model::Project reopened;
        QStringList warnings;
        ASSERT_NO_THROW(warnings = persist::load(reopened, f.tmp.app(), dir + u"/project.prg"_s)) << dir.toStdString();
        EXPECT_TRUE(warnings.isEmpty()) << warnings.join(u'\n').toStdString();
        EXPECT_TRUE(stagingLeftovers(dir).isEmpty()) << stagingLeftovers(dir).join(u' ').toStdString();
        const QByteArray now = projectPair(dir);
        if (after.isEmpty()) {
            after = now; // the run that was not killed
            ASSERT_NE(after, before);
            return;
        }
        EXPECT_TRUE(now == before || now == after) << dir.toStdString() << (killed ? " (killed)" : "");
        (now == before ? old : fresh) += 1;
    });
    std::printf("save: %ld kill points, %d left the old project files, %d the new, in %lld ms\n", points, old, fresh,
                clock.elapsed());
    EXPECT_GT(old, 0);
    EXPECT_GT(fresh, 0);
}

TEST(CrashSafety, AnEditorKilledWhileItSavesLeavesTheOldOrTheNewProjectFiles)
{
    // The editor's "Сохранить" killed at each call from where the save begins.
    Fixture f;
    const QByteArray before = projectPair(f.dir);
    const QString reference = f.tmp.root() + u"/reference/game"_s;
    copyTree(f.dir, reference);
    const ChildRun full = runChild(u"editor-save"_s, f.tmp.app().root(), reference, 0);
    ASSERT_EQ(full.exitCode, 0) << full.errors.toStdString();
    const QRegularExpressionMatch from = QRegularExpression(u"save from (\\d+)"_s).match(full.errors);
    ASSERT_TRUE(from.hasMatch()) << full.errors.toStdString();
    const long first = from.captured(1).toLong() + 1;
    ASSERT_GT(full.calls, first + 3);
    const QByteArray after = projectPair(reference);
    ASSERT_NE(after, before);
    int old = 0;
    int fresh = 0;
    for (long at = first; at <= full.calls; ++at) {
        const QString run = f.tmp.root() + u"/run%1/game"_s.arg(at);
        copyTree(f.dir, run);
        const ChildRun killed = runChild(u"editor-save"_s, f.tmp.app().root(), run, at);
        EXPECT_TRUE(killed.killed || killed.exitCode == 0) << killed.errors.toStdString();
        model::Project reopened;
        EXPECT_NO_THROW(persist::load(reopened, f.tmp.app(), run + u"/project.prg"_s)) << at;
        const QByteArray now = projectPair(run);
        EXPECT_TRUE(now == before || now == after) << "killed at call " << at;
        (now == before ? old : fresh) += 1;
        QDir(f.tmp.root() + u"/run%1"_s.arg(at)).removeRecursively();
    }
    std::printf("editor save: %ld kill points, %d left the old project files, %d the new\n", full.calls - first + 1,
                old, fresh);
    EXPECT_GT(old, 0);
    EXPECT_GT(fresh, 0);
}

TEST(CrashSafety, AKilledConversionLeavesTheOldOrTheNewSourcesAndPictures)
{
    Fixture f;
    codegen::convertProject(f.project, f.tmp.app());
    // What the next conversion changes: a position (the stage's tables), the
    // event row (the stage class) and a picture.
    model::StageData& s = f.project.stage(1);
    s.ActiveObject[1].X = 99;
    s.EventRow[1].CondCode = u"(obtime>1)"_s;
    io::writePng(picture(qRgb(0, 0, 250)), f.dir + u"/objects/hero.png"_s);
    persist::save(f.project, f.dir + u"/project.prg"_s);
    const QStringList output{u"src"_s, u"res"_s};
    const QString before = snapshotOf(f.dir, output);
    QString after;
    int old = 0;
    int fresh = 0;
    QElapsedTimer clock;
    clock.start();
    const long points = f.killEverywhere(u"convert"_s, [&](const QString& dir, bool killed) {
        model::Project reopened;
        ASSERT_NO_THROW(persist::load(reopened, f.tmp.app(), dir + u"/project.prg"_s)) << dir.toStdString();
        EXPECT_TRUE(stagingLeftovers(dir).isEmpty()) << stagingLeftovers(dir).join(u' ').toStdString();
        const QString now = snapshotOf(dir, output);
        if (after.isEmpty()) {
            after = now;
            ASSERT_NE(after, before);
            return;
        }
        EXPECT_TRUE(now == before || now == after) << dir.toStdString() << (killed ? " (killed)" : "") << "\n"
                                                   << now.toStdString();
        (now == before ? old : fresh) += 1;
    });
    std::printf("conversion: %ld kill points, %d left the old output, %d the new, in %lld ms\n", points, old, fresh,
                clock.elapsed());
    EXPECT_GT(old, 0);
    EXPECT_GT(fresh, 0);
}

// A full disk at any write of a save or of a settings file: the message gives
// the reason and names the file, and what was on disk stays.
TEST(CrashSafety, AFullDiskAtAnyWriteIsNamedAndChangesNothing)
{
    Fixture f;
    io::writeFileAtomically(f.dir + u"/game.ini"_s, "[Timer]\r\nPos.x=5\r\n");
    for (const QString& mode : {u"save"_s, u"ini"_s}) {
        const QString file = mode == u"ini"_s ? u"game.ini"_s : u"project.prg"_s;
        const QString before = test::folderSnapshot(f.dir);
        const QString reference = f.tmp.root() + u"/reference-"_s + mode + u"/game"_s;
        copyTree(f.dir, reference);
        const ChildRun full = runChild(mode, f.tmp.app().root(), reference, 0, 0, file);
        ASSERT_EQ(full.exitCode, 0) << full.errors.toStdString();
        int refused = 0;
        for (long at = 1; at <= full.writes; ++at) {
            const QString dir = f.tmp.root() + u"/full%1-"_s.arg(at) + mode + u"/game"_s;
            copyTree(f.dir, dir);
            const ChildRun run = runChild(mode, f.tmp.app().root(), dir, 0, at, file);
            if (run.exitCode == 0)
                continue; // a write of no file of ours (the console)
            ++refused;
            EXPECT_TRUE(run.errors.contains(u"нет места на диске"_s) && run.errors.contains(u"Файл «"_s))
                << run.errors.toStdString();
            EXPECT_EQ(test::folderSnapshot(dir), before) << mode.toStdString() << " write " << at;
        }
        EXPECT_GE(refused, mode == u"save"_s ? 3 : 1) << mode.toStdString(); // the save: two files and the journal
    }
}
