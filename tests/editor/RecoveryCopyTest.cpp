// The editor killed with unsaved changes: opening the project offers them
// back; a save or "Не сохранять" removes the copy.
#include "FakeDialogs.h"

#include "editor/workspace/RecoveryWriter.h"
#include "editor/workspace/MainWindow.h"
#include "io/TextFile.h"
#include "model/Project.h"
#include "persist/ProjectFile.h"
#include "persist/RecoveryCopy.h"
#include "support/ObjectLibrary.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using namespace kestrava;
using namespace Qt::Literals::StringLiterals;

namespace {

bool waitFor(const std::function<bool()>& done, int ms = 10000)
{
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < ms)
        QTest::qWait(20);
    return done();
}

struct Window {
    std::shared_ptr<test::FakeDialogs::Log> log = std::make_shared<test::FakeDialogs::Log>();
    editor::MainWindow window;
    explicit Window(const io::AppFolder& app) : window(app)
    {
        window.setDialogs(std::make_unique<test::FakeDialogs>(log));
    }
};

} // namespace

TEST(RecoveryCopy, AKilledEditorsChangesAreOfferedAndASaveOrDiscardRemovesTheCopy)
{
    test::SampleProjectFolder game;
    game.savedWith({u"hero.oba"_s});
    const QByteArray saved = io::readWholeFile(game.file);
    const QString copy = persist::recoveryFileIn(game.dir);

    // The editor adds a stage, keeps its copy, and is killed.
    QProcess editor;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
    editor.setProcessEnvironment(env);
    const QDateTime started = QDateTime::currentDateTimeUtc().addSecs(-1);
    editor.start(QStringLiteral(KESTRAVA_CRASH_CHILD), {u"edit"_s, game.tmp.app().root(), game.file});
    ASSERT_TRUE(waitFor([&] { return QFileInfo::exists(copy); })) << editor.readAllStandardError().toStdString();
    editor.kill();
    editor.waitForFinished();
    EXPECT_EQ(io::readWholeFile(game.file), saved); // never over the project's own files
    const QByteArray copyBytes = io::readWholeFile(copy);

    {
        // "Не восстанавливать": the project as saved, and the copy gone.
        Window w(game.tmp.app());
        w.window.openProjectFile(game.file);
        ASSERT_EQ(w.log->restoreQuestions.size(), 1);
        EXPECT_GE(w.log->restoreQuestions.first(), started);
        EXPECT_EQ(w.window.project().LevelCount, 1);
        EXPECT_FALSE(w.window.document().isModified());
        EXPECT_FALSE(QFileInfo::exists(copy));
    }
    {
        // "Восстановить": the stage added before the crash, not saved yet; saving removes the copy.
        io::writeFileAtomically(copy, copyBytes);
        Window w(game.tmp.app());
        w.log->restore = true;
        w.window.openProjectFile(game.file);
        EXPECT_EQ(w.log->restoreQuestions.size(), 1);
        EXPECT_EQ(w.window.project().LevelCount, 2);
        EXPECT_EQ(w.window.project().stage(1).ActiveGroup[1].FileName, u"hero.oba"_s);
        EXPECT_TRUE(w.window.document().isModified());
        EXPECT_TRUE(QFileInfo::exists(copy));
        EXPECT_TRUE(w.window.N_SaveClick());
        EXPECT_FALSE(QFileInfo::exists(copy));
        EXPECT_NE(io::readWholeFile(game.file), saved);
    }
    {
        // Opened again: nothing to offer. A copy this run wrote goes with "Не сохранять".
        Window w(game.tmp.app());
        w.window.recovery()->setTimings(0, 0);
        w.window.openProjectFile(game.file);
        EXPECT_TRUE(w.log->restoreQuestions.isEmpty());
        w.window.document().addLevel();
        ASSERT_TRUE(waitFor([&] { return QFileInfo::exists(copy); }));
        EXPECT_LT(w.window.recovery()->lastHoldMicroseconds(), 50'000);
        w.log->saveAnswers << editor::SaveChangesAnswer::Discard;
        w.window.close();
        EXPECT_FALSE(QFileInfo::exists(copy));
    }
}
