#include "io/TextFile.h"
#include "packaging/PlayerCommand.h"
#include "packaging/StandbyJava.h"
#include "support/TempAppFolder.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>

#include <gtest/gtest.h>

#include <mutex>

using namespace kestrava;
using namespace Qt::Literals::StringLiterals;

namespace {

// Games a stranger could send, as MIDlets of their own (no generated runtime):
// one that draws and behaves, one that allocates without end into a field that
// outlives its thread, one whose thread goes on after the game is ended.
const char* const kGames[][2] = {
    {"Good", "public class Good extends MIDlet {\n"
             "  protected void startApp() { Display.getDisplay(this).setCurrent(new Canvas() {\n"
             "    protected void paint(Graphics g) { g.setColor(0xFF0000); g.fillRect(0, 0, getWidth(), getHeight()); }\n"
             "  }); }\n"
             "  protected void pauseApp() { }\n"
             "  protected void destroyApp(boolean unconditional) { }\n"
             "}\n"},
    {"Hog", "public class Hog extends MIDlet implements Runnable {\n"
            "  static Object[] kept;\n"
            "  protected void startApp() { new Thread(this).start(); }\n"
            "  public void run() { for (;;) { kept = new Object[] {new int[1 << 18], kept}; } }\n"
            "  protected void pauseApp() { }\n"
            "  protected void destroyApp(boolean unconditional) { }\n"
            "}\n"},
    {"Stays", "public class Stays extends MIDlet implements Runnable {\n"
              "  protected void startApp() { Display.getDisplay(this).setCurrent(new Canvas() {\n"
              "    protected void paint(Graphics g) { g.fillRect(0, 0, 4, 4); }\n"
              "  }); new Thread(this).start(); }\n"
              "  public void run() { for (;;) { try { Thread.sleep(5); } catch (InterruptedException e) { } } }\n"
              "  protected void pauseApp() { }\n"
              "  protected void destroyApp(boolean unconditional) { }\n"
              "}\n"},
};

struct Tools {
    QString java, javac, jar;
    bool found() const { return !java.isEmpty() && !javac.isEmpty() && !jar.isEmpty(); }
};

Tools tools()
{
    return {QStandardPaths::findExecutable(u"java"_s), QStandardPaths::findExecutable(u"javac"_s),
            QStandardPaths::findExecutable(u"jar"_s)};
}

bool run(const QString& program, const QStringList& arguments, const QString& where = {})
{
    QProcess p;
    p.setWorkingDirectory(where);
    p.start(program, arguments);
    if (!p.waitForFinished(60000) || p.exitCode() != 0) {
        ADD_FAILURE() << program.toStdString() << ": " << p.readAllStandardError().toStdString();
        return false;
    }
    return true;
}

// Compiles the games against the phone's classes alone and packs each into `dir`/NAME.jar.
bool makeGames(const test::TempAppFolder& tmp, const Tools& t, const QString& dir)
{
    QStringList sources;
    for (const auto& [name, body] : kGames) {
        const QString file = dir + u"/src/"_s + QString::fromLatin1(name) + u".java"_s;
        QDir().mkpath(dir + u"/src"_s);
        io::writeFileAtomically(file, QByteArray("import javax.microedition.lcdui.*;\n"
                                                 "import javax.microedition.midlet.MIDlet;\n") + body);
        sources << file;
    }
    if (!run(t.javac, QStringList{u"-source"_s, u"8"_s, u"-target"_s, u"8"_s, u"-Xlint:-options"_s,
                                  u"-bootclasspath"_s, tmp.app().midpApi(), u"-d"_s, dir + u"/classes"_s}
                          + sources))
        return false;
    for (const auto& [name, body] : kGames) {
        const QString n = QString::fromLatin1(name);
        const QString manifest = dir + u'/' + n + u".mf"_s;
        io::writeFileAtomically(manifest, "MIDlet-Name: " + n.toLatin1() + "\nMIDlet-Version: 1.0\n"
                                          "MIDlet-Vendor: stranger\nMicroEdition-Profile: MIDP-2.0\n"
                                          "MicroEdition-Configuration: CLDC-1.1\nMIDlet-1: " + n.toLatin1() + ", , "
                                          + n.toLatin1() + "\n");
        QStringList classes = QDir(dir + u"/classes"_s).entryList({n + u"*.class"_s}, QDir::Files);
        if (!run(t.jar, QStringList{u"cfm"_s, dir + u'/' + n + u".jar"_s, manifest} + classes, dir + u"/classes"_s))
            return false;
    }
    return true;
}

// What the standby says, kept in order until the test takes it.
class Heard {
public:
    explicit Heard(packaging::StandbyJava& standby)
    {
        QObject::connect(&standby, &packaging::StandbyJava::playing, [this] { add(u"playing"_s); });
        QObject::connect(&standby, &packaging::StandbyJava::firstFrame, [this] { add(u"frame"_s); });
        QObject::connect(&standby, &packaging::StandbyJava::unavailable, [this] { add(u"unavailable"_s); });
        QObject::connect(&standby, &packaging::StandbyJava::refused, [this](const QString& m) { add(u"refused "_s + m); });
        QObject::connect(&standby, &packaging::StandbyJava::failed, [this](const QString& m) { add(u"failed "_s + m); });
    }

    // The next answer, or "" after 20 s.
    QString next()
    {
        const QDeadlineTimer deadline(20000);
        while (!deadline.hasExpired()) {
            {
                std::lock_guard lock(m_mutex);
                if (!m_answers.isEmpty())
                    return m_answers.takeFirst();
            }
            QCoreApplication::processEvents();
            QThread::msleep(10);
        }
        return {};
    }

private:
    void add(const QString& a)
    {
        std::lock_guard lock(m_mutex);
        m_answers << a;
    }

    std::mutex m_mutex;
    QStringList m_answers;
};

// The games built in a fresh application folder, and an event loop, as in
// the editor: a restarted standby is started from it.
class StandbyGames : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!m_tools.found())
            GTEST_SKIP() << "no java, javac or jar";
        m_tmp.addJava();
        m_games = m_tmp.makeDir(u"games"_s);
        ASSERT_TRUE(makeGames(m_tmp, m_tools, m_games));
    }

    QString game(const char* name) const { return m_games + u'/' + QString::fromLatin1(name) + u".jar"_s; }

    // Plays the game and waits until it draws.
    void plays(packaging::StandbyJava& standby, Heard& heard, const char* name) const
    {
        ASSERT_TRUE(standby.play(game(name), QString::fromLatin1(name), 1));
        EXPECT_EQ(heard.next(), u"playing"_s);
        EXPECT_EQ(heard.next(), u"frame"_s);
    }

    int m_argc = 1;
    char m_name[14] = "standby-games";
    char* m_argv[2] = {m_name, nullptr};
    QCoreApplication m_app{m_argc, m_argv};
    const Tools m_tools = tools();
    test::TempAppFolder m_tmp;
    QString m_games;
};

} // namespace

TEST_F(StandbyGames, AGameOutOfMemoryIsStoppedWithTheLimitNamedAndTheProcessPlaysTheNext)
{
    const QString exhausted = u"Игра остановлена: ей не хватило памяти (больше %1 МБ; телефон даёт игре 1–4 МБ)."_s
                                  .arg(packaging::kGameHeapMegabytes);

    // The player alone, under the editor's limit: it ends at once with the message for the editor to show.
    QElapsedTimer clock;
    clock.start();
    QProcess alone;
    const QString script = m_games + u"/one.play"_s;
    io::writeFileAtomically(script, "ticks 1\n");
    alone.start(m_tools.java, {packaging::gameHeapOption(), u"-jar"_s, m_tmp.app().player(), u"--headless"_s,
                               u"--script"_s, script, game("Hog")});
    ASSERT_TRUE(alone.waitForFinished(30000));
    EXPECT_EQ(alone.exitCode(), 1);
    EXPECT_TRUE(QString::fromUtf8(alone.readAllStandardError()).contains(exhausted));
    EXPECT_LT(clock.elapsed(), 15000);

    packaging::StandbyJava standby(m_tmp.app());
    standby.playWithoutWindow();
    Heard heard(standby);
    ASSERT_TRUE(standby.play(game("Hog"), u"Hog"_s, 1));
    EXPECT_EQ(heard.next(), u"playing"_s);
    EXPECT_EQ(heard.next(), u"failed "_s + exhausted);
    const qint64 pid = standby.pid();
    ASSERT_GT(pid, 0);

    // The same process plays the next game: the first one's memory, held by its field, is free again.
    plays(standby, heard, "Good");
    EXPECT_EQ(standby.pid(), pid);
}

TEST_F(StandbyGames, AGameThatGoesOnAfterItsStopRestartsTheProcessAndTheNextGamePlays)
{
    packaging::StandbyJava standby(m_tmp.app());
    standby.playWithoutWindow();
    Heard heard(standby);

    // A game that ends as asked leaves the process as it was (the next game plays in it).
    plays(standby, heard, "Good");
    const qint64 first = standby.pid();
    ASSERT_GT(first, 0);
    standby.stopGame();

    // One whose thread goes on: the process ends itself, and a fresh one is started without a request.
    plays(standby, heard, "Stays");
    ASSERT_EQ(standby.pid(), first);
    QElapsedTimer clock;
    clock.start();
    standby.stopGame();
    const QDeadlineTimer deadline(15000);
    while ((standby.pid() == first || standby.pid() == 0) && !deadline.hasExpired()) {
        QCoreApplication::processEvents();
        QThread::msleep(10);
    }
    const qint64 second = standby.pid();
    EXPECT_NE(second, first);
    EXPECT_GT(second, 0);
    EXPECT_LT(clock.elapsed(), 5000);

    plays(standby, heard, "Good");
    EXPECT_EQ(standby.pid(), second);
}
