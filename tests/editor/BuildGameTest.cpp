#include "ErrorCapture.h"
#include "FakeDialogs.h"

#include "editor/workspace/GameLauncher.h"
#include "editor/workspace/TMainform.h"
#include "editor/workspace/TfmBuildGame.h"
#include "io/Error.h"
#include "io/TextFile.h"
#include "support/TempAppFolder.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <atomic>
#include <memory>

using namespace kestrava;
using namespace Qt::Literals::StringLiterals;
using editor::TfmBuildGame;

namespace {

const QStringList kSteps{u"первый"_s, u"второй"_s, u"третий"_s};

// Runs `check` on the dialog as soon as the event loop of its run() turns.
void whileRunning(int ms, const std::function<void()>& check)
{
    QTimer::singleShot(ms, check);
}

} // namespace

TEST(BuildGameDialog, MarksEachStepAndStaysResponsiveWhileTheJobWorks)
{
    test::ErrorCapture errors;
    TfmBuildGame dialog(kSteps);
    std::atomic<bool> second{false};
    std::atomic<bool> release{false};
    QString shownWhileWorking;
    int timerTurns = 0;
    // The job stops in step 2 until the test, run by the dialog's own event loop, lets it go.
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        ++timerTurns;
        if (second && shownWhileWorking.isEmpty() && dialog.stepLabel(2)->font().bold()) {
            shownWhileWorking = dialog.stepLabel(2)->text();
            release = true;
        }
    });
    tick.start(10);
    const bool done = dialog.run([&](const TfmBuildGame::Progress& p) {
        p.step(1);
        p.step(2);
        second = true;
        while (!release)
            QThread::msleep(5);
        p.step(3);
    });
    EXPECT_TRUE(done);
    EXPECT_EQ(shownWhileWorking, u"▶ 2. второй"_s);
    EXPECT_GT(timerTurns, 0);
    EXPECT_EQ(dialog.stepLabel(1)->text(), u"✓ 1. первый"_s);
    EXPECT_EQ(dialog.stepLabel(3)->accessibleName(), u"Шаг 3: третий"_s);
    EXPECT_EQ(dialog.cancelButton()->text(), u"Отмена"_s);
    EXPECT_TRUE(errors.messages.isEmpty());
}

TEST(BuildGameDialog, CancelStopsTheJobQuietlyAndAFailureReachesTheErrorBox)
{
    test::ErrorCapture errors;
    {
        TfmBuildGame dialog(kSteps);
        std::atomic<bool> stopped{false};
        whileRunning(50, [&] { QTest::mouseClick(dialog.cancelButton(), Qt::LeftButton); });
        const bool done = dialog.run([&](const TfmBuildGame::Progress& p) {
            p.step(1);
            while (!p.cancelled())
                QThread::msleep(5);
            stopped = true;
            throw io::Error(u"Сборка игры прервана; архив игры не изменён."_s);
        });
        EXPECT_FALSE(done);
        EXPECT_TRUE(stopped);
        EXPECT_TRUE(dialog.cancelled());
        EXPECT_TRUE(errors.messages.isEmpty()) << "a cancel the author asked for is no error";
    }
    TfmBuildGame failing(kSteps);
    EXPECT_FALSE(failing.run([](const TfmBuildGame::Progress&) { throw io::Error(u"javac не найден"_s); }));
    EXPECT_EQ(errors.messages, QStringList{u"javac не найден"_s});
}

class RunMenuTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        window = std::make_unique<editor::TMainform>(folder.app());
        window->setDialogs(std::make_unique<test::FakeDialogs>(dialogs));
        window->show();
    }

    QAction* action(const char* name) { return window->findChild<QAction*>(QString::fromLatin1(name)); }

    // The demo, opened; the build's API classes and player beside a copy of the application.
    void openDemo()
    {
        QDir().mkpath(folder.app().java());
        for (const char* jar : {"midp-api.jar", "kestrava-player.jar"})
            QFile::copy(QStringLiteral(KESTRAVA_JAVA_DIR) + u'/' + QString::fromLatin1(jar),
                        folder.app().java() + u'/' + QString::fromLatin1(jar));
        demo = folder.makeDir(u"demo"_s);
        test::copyFolderFiles(test::sourceFile(u"examples/demo"_s), demo);
        test::copyFolderFiles(test::sourceFile(u"examples/demo/objects"_s), demo + u"/objects"_s);
        dialogs->answers << demo + u"/project.prg"_s;
        action("N_Open")->trigger();
    }

    test::TempAppFolder folder;
    std::shared_ptr<test::FakeDialogs::Log> dialogs = std::make_shared<test::FakeDialogs::Log>();
    std::unique_ptr<editor::TMainform> window;
    test::ErrorCapture errors;
    QString demo;
};

TEST_F(RunMenuTest, PlayIsOnF5AndNothingIsPackagedBeforeAProjectIsOpen)
{
    EXPECT_EQ(action("N_PlayGame")->shortcut(), QKeySequence(Qt::Key_F5));
    EXPECT_FALSE(window->findChild<QMenu*>(u"N_Run"_s)->menuAction()->isEnabled());
}

TEST_F(RunMenuTest, PackagingTheDemoWritesItsJarAndDescriptorSmallerWhenAsked)
{
    if (QStandardPaths::findExecutable(u"ecj"_s).isEmpty() || QStandardPaths::findExecutable(u"proguard"_s).isEmpty())
        GTEST_SKIP() << "no ecj or proguard";
    openDemo();
    ASSERT_TRUE(errors.messages.isEmpty()) << errors.messages.join(u'\n').toStdString();
    action("N_PackageGame")->trigger();
    ASSERT_TRUE(errors.messages.isEmpty()) << errors.messages.join(u'\n').toStdString();
    const qint64 plain = QFileInfo(demo + u"/bin/demo.jar"_s).size();
    // "Уменьшить игру" ticked: the same game through ProGuard, its classes renamed.
    action("N_ShrinkGame")->trigger();
    action("N_PackageGame")->trigger();
    ASSERT_TRUE(errors.messages.isEmpty()) << errors.messages.join(u'\n').toStdString();
    EXPECT_LT(QFileInfo(demo + u"/bin/demo.jar"_s).size(), plain);
    EXPECT_FALSE(io::readWholeFile(demo + u"/bin/demo.jar"_s).contains("MyGameCanvas"));
    EXPECT_TRUE(QFileInfo(demo + u"/bin/demo.jar"_s).isFile());
    const QByteArray jad = [&] {
        QFile f(demo + u"/bin/demo.jad"_s);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();
    EXPECT_TRUE(jad.contains("MIDlet-Jar-Size: " + QByteArray::number(QFileInfo(demo + u"/bin/demo.jar"_s).size())));
    EXPECT_TRUE(window->findChild<QStatusBar*>(u"StatusBar1"_s)->currentMessage().startsWith(u"Игра собрана: "_s));
}

TEST_F(RunMenuTest, PlayOpensThePackageInThePlayerAtTheScreenSize)
{
    const QString realJava = QFileInfo(QStandardPaths::findExecutable(u"java"_s)).canonicalFilePath();
    if (realJava.isEmpty() || QStandardPaths::findExecutable(u"ecj"_s).isEmpty())
        GTEST_SKIP() << "no java or ecj";
    // A Java whose java notes how it was asked to play; the compiler runs on the machine's.
    const QString bin = folder.makeDir(u"jdk/bin"_s);
    const QString asked = folder.root() + u"/asked.txt"_s;
    QFile java(bin + u"/java"_s);
    ASSERT_TRUE(java.open(QIODevice::WriteOnly));
    java.write(("#!/bin/sh\nif [ \"$1\" != -jar ]; then exec '" + realJava.toLocal8Bit() + "' \"$@\"; fi\n"
                "printf '%s\\n' \"$@\" > '" + asked.toLocal8Bit() + "'\n").constData());
    java.close();
    java.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QByteArray oldHome = qgetenv("JAVA_HOME");
    qputenv("JAVA_HOME", QFileInfo(bin).path().toLocal8Bit());

    openDemo();
    action("N_PlayGame")->trigger();
    QProcess* player = window->findChild<editor::GameLauncher*>()->process();
    ASSERT_TRUE(player);
    EXPECT_TRUE(player->waitForFinished(10000));
    if (oldHome.isNull())
        qunsetenv("JAVA_HOME");
    else
        qputenv("JAVA_HOME", oldHome);
    ASSERT_TRUE(errors.messages.isEmpty()) << errors.messages.join(u'\n').toStdString();
    QFile args(asked);
    ASSERT_TRUE(args.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(args.readAll()).split(u'\n', Qt::SkipEmptyParts);
    EXPECT_EQ(lines, (QStringList{u"-jar"_s, folder.app().player(), u"--title"_s, u"demo"_s, u"--size"_s,
                                  u"176x208"_s, u"--scale"_s, u"3"_s, demo + u"/bin/demo.jad"_s}));
}
