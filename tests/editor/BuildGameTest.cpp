#include "ErrorCapture.h"
#include "FakeDialogs.h"

#include "editor/workspace/GameLauncher.h"
#include "editor/workspace/MainWindow.h"
#include "editor/workspace/BuildProgressDialog.h"
#include "packaging/StandbyJava.h"
#include "io/Error.h"
#include "io/TextFile.h"
#include "support/TempAppFolder.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QStatusBar>
#include <QThread>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <atomic>
#include <csignal>
#include <memory>

using namespace kestrava;
using namespace Qt::Literals::StringLiterals;
using editor::BuildProgressDialog;

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
    BuildProgressDialog dialog(kSteps);
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
    const bool done = dialog.run([&](const BuildProgressDialog::Progress& p) {
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
        BuildProgressDialog dialog(kSteps);
        std::atomic<bool> stopped{false};
        whileRunning(50, [&] { QTest::mouseClick(dialog.cancelButton(), Qt::LeftButton); });
        const bool done = dialog.run([&](const BuildProgressDialog::Progress& p) {
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
    BuildProgressDialog failing(kSteps);
    EXPECT_FALSE(failing.run([](const BuildProgressDialog::Progress&) { throw io::Error(u"javac не найден"_s); }));
    EXPECT_EQ(errors.messages, QStringList{u"javac не найден"_s});
}

class RunMenuTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        window = std::make_unique<editor::MainWindow>(folder.app());
        window->setDialogs(std::make_unique<test::FakeDialogs>(dialogs));
        window->show();
    }

    QAction* action(const char* name) { return window->findChild<QAction*>(QString::fromLatin1(name)); }

    // "Собрать игру", whose dialog stays on its report until it is closed: the report's text.
    QString packageAndReadReport()
    {
        QString text;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            auto* dialog = qobject_cast<BuildProgressDialog*>(QApplication::activeModalWidget());
            if (dialog && dialog->report()) {
                text = dialog->report()->toPlainText();
                dialog->cancelButton()->click();
            }
        });
        poll.start(20);
        action("N_PackageGame")->trigger();
        return text;
    }

    // The demo, opened; the build's API classes and player beside a copy of the application.
    void openDemo()
    {
        folder.addJava();
        demo = folder.copyDemo(u"demo"_s);
        dialogs->answers << demo + u"/project.prg"_s;
        action("N_Open")->trigger();
    }

    test::TempAppFolder folder;
    std::shared_ptr<test::FakeDialogs::Log> dialogs = std::make_shared<test::FakeDialogs::Log>();
    std::unique_ptr<editor::MainWindow> window;
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
    const QString report = packageAndReadReport();
    ASSERT_TRUE(errors.messages.isEmpty()) << errors.messages.join(u'\n').toStdString();
    const qint64 plain = QFileInfo(demo + u"/bin/demo.jar"_s).size();
    // The game against the default handset's budget, which it keeps.
    const QStringList lines = report.split(u'\n');
    ASSERT_EQ(lines.size(), 4) << report.toStdString();
    EXPECT_EQ(lines[0], u"Экран 176 x 208: jar до 300 КБ, память игры 2048 КБ."_s);
    EXPECT_TRUE(lines[1].startsWith(u"Архив игры: %1 КБ из 300 КБ"_s.arg((plain + 1023) / 1024))) << report.toStdString();
    EXPECT_TRUE(lines[3].startsWith(u"Этап 2: память "_s)) << report.toStdString();
    // "Уменьшить игру" ticked: the same game through ProGuard, its classes renamed.
    action("N_ShrinkGame")->trigger();
    packageAndReadReport();
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

TEST_F(RunMenuTest, PlayOpensThePackageInThePlayerAtTheScreenItsJadNames)
{
    const QString realJava = QFileInfo(QStandardPaths::findExecutable(u"java"_s)).canonicalFilePath();
    if (realJava.isEmpty() || QStandardPaths::findExecutable(u"ecj"_s).isEmpty())
        GTEST_SKIP() << "no java or ecj";
    // A Java whose java notes how it was asked to play (the heap option, then -jar); the compiler runs on the
    // machine's.
    const QString bin = folder.makeDir(u"jdk/bin"_s);
    const QString asked = folder.root() + u"/asked.txt"_s;
    QFile java(bin + u"/java"_s);
    ASSERT_TRUE(java.open(QIODevice::WriteOnly));
    java.write(("#!/bin/sh\nif [ \"$2\" != -jar ]; then exec '" + realJava.toLocal8Bit() + "' \"$@\"; fi\n"
                "printf '%s\\n' \"$@\" > '" + asked.toLocal8Bit() + "'\n").constData());
    java.close();
    java.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QByteArray oldHome = qgetenv("JAVA_HOME");
    qputenv("JAVA_HOME", QFileInfo(bin).path().toLocal8Bit());

    openDemo();
    action("N_PlayGame")->trigger();
    // Without a display the kept process cannot play it: a player of its own does.
    QTRY_VERIFY_WITH_TIMEOUT(window->findChild<editor::GameLauncher*>()->process(), 20000);
    QProcess* player = window->findChild<editor::GameLauncher*>()->process();
    if (player->state() != QProcess::NotRunning)
        EXPECT_TRUE(player->waitForFinished(10000));
    if (oldHome.isNull())
        qunsetenv("JAVA_HOME");
    else
        qputenv("JAVA_HOME", oldHome);
    ASSERT_TRUE(errors.messages.isEmpty()) << errors.messages.join(u'\n').toStdString();
    QFile args(asked);
    ASSERT_TRUE(args.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(args.readAll()).split(u'\n', Qt::SkipEmptyParts);
    EXPECT_EQ(lines, (QStringList{u"-Xmx64m"_s, u"-jar"_s, folder.app().player(), u"--title"_s, u"demo"_s,
                                  u"--scale"_s, u"3"_s, demo + u"/bin/demo.jad"_s}));
    EXPECT_TRUE(io::readWholeFile(demo + u"/bin/demo.jad"_s).contains("Kestrava-Screen-Width: 176\r\n"
                                                                         "Kestrava-Screen-Height: 208\r\n"));
}

TEST_F(RunMenuTest, TheKeptJavaProcessEndsWithTheEditorHoweverItEnds)
{
    if (QStandardPaths::findExecutable(u"java"_s).isEmpty())
        GTEST_SKIP() << "no java";
    const auto gone = [](qint64 pid) {
        // Gone, or dead and waiting for whoever adopted it to reap it.
        for (int k = 0; k < 250; ++k) {
            QFile stat(u"/proc/%1/stat"_s.arg(pid));
            if (!stat.open(QIODevice::ReadOnly) || stat.readAll().contains(") Z "))
                return true;
            QThread::msleep(20);
        }
        return false;
    };
    openDemo();
    ASSERT_TRUE(window->standby().start());
    const qint64 kept = window->standby().pid();
    ASSERT_GT(kept, 0);
    window.reset();
    EXPECT_TRUE(gone(kept)) << "the editor quit";

    // The editor killed, so that nothing of it runs to end its process: the process ends on its own.
    QProcess editor;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
    editor.setProcessEnvironment(environment);
    editor.start(QStringLiteral(KESTRAVA_JAVA_DIR) + u"/../kestrava"_s,
                 {u"--app-dir"_s, folder.app().root(), demo + u"/project.prg"_s});
    ASSERT_TRUE(editor.waitForStarted());
    qint64 child = 0;
    for (int k = 0; k < 1000 && !child; ++k) {
        QThread::msleep(20);
        for (const QString& entry : QDir(u"/proc"_s).entryList(QDir::Dirs)) {
            QFile stat(u"/proc/"_s + entry + u"/stat"_s);
            QFile command(u"/proc/"_s + entry + u"/cmdline"_s);
            if (!stat.open(QIODevice::ReadOnly) || !command.open(QIODevice::ReadOnly))
                continue;
            const QList<QByteArray> fields = stat.readAll().split(')').value(1).split(' ');
            if (fields.value(2).toLongLong() == editor.processId() && command.readAll().contains("--standby"))
                child = entry.toLongLong();
        }
    }
    ASSERT_GT(child, 0) << "the editor started its Java process";
    ::kill(pid_t(editor.processId()), SIGKILL);
    editor.waitForFinished();
    EXPECT_TRUE(gone(child)) << "the editor was killed";
}
