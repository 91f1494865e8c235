// "Играть" (F5) on the demo, from the key to the game's first frame on the
// screen: an edit of one condition of stage 2's event sheet, conversion,
// compile, jar and jad, and the player drawing. Needs an X display
// (xvfb-run -a build/bin/bench_play_demo).
//   BM_PlayDemoAgain  the Java process kept beside the editor warm, the runtime's classes kept
//   BM_PlayDemoFirst  nothing kept and no Java process yet, as the first F5 of a session
//   BM_PlayDemoAlone  without the kept process: the compiler and a player started for each press
#include "FolderCopy.h"
#include "io/AppFolder.h"
#include "model/Project.h"
#include "packaging/Packager.h"
#include "packaging/PlayerCommand.h"
#include "packaging/StandbyJava.h"
#include "persist/ProjectFile.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <condition_variable>
#include <memory>
#include <mutex>

using namespace kestrava;
using namespace Qt::Literals::StringLiterals;

namespace {

// A copy of the demo whose stage 2 condition gets another number at each press.
struct Demo {
    QTemporaryDir dir;
    io::AppFolder app;
    model::Project project;
    int edits = 0;

    Demo() : app(dir.path() + u"/app"_s, QStringLiteral(KESTRAVA_BIN_DIR))
    {
        bench::copyFolder(QStringLiteral(KESTRAVA_SOURCE_DIR) + u"/examples/demo"_s, dir.path() + u"/demo"_s);
        persist::load(project, app, dir.path() + u"/demo/project.prg"_s);
    }

    // The edit: "Сравнение ... >= N" with a number not used before, so stage 2 compiles again.
    // The game is made from the row's record, so the record's value changes.
    void edit()
    {
        QString& code = project.stage(2).EventRow[1].CondRecord[0].values[u"AC"_s];
        const qsizetype at = code.indexOf(u">="_s);
        qsizetype end = at + 2;
        while (end < code.size() && code[end].isDigit())
            ++end;
        code.replace(at, end - at, u">="_s + QString::number(600 + ++edits % 300));
    }

    // Forgets every kept class, as on a machine where nothing was packaged yet.
    void forgetClasses() const { QDir(app.compiledClasses()).removeRecursively(); }
};

// Waits for the kept process's first frame of the game asked for.
class FrameWait {
public:
    explicit FrameWait(packaging::StandbyJava& standby)
    {
        QObject::connect(&standby, &packaging::StandbyJava::firstFrame, [this] { tell(u"frame"_s); });
        QObject::connect(&standby, &packaging::StandbyJava::refused, [this](const QString& m) { tell(m); });
        QObject::connect(&standby, &packaging::StandbyJava::unavailable, [this] { tell(u"unavailable"_s); });
    }
    void reset()
    {
        std::lock_guard lock(m_mutex);
        m_told.clear();
    }
    QString wait()
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait_for(lock, std::chrono::seconds(60), [this] { return !m_told.isEmpty(); });
        return m_told;
    }

private:
    void tell(const QString& what)
    {
        std::lock_guard lock(m_mutex);
        if (m_told.isEmpty())
            m_told = what;
        m_changed.notify_all();
    }
    std::mutex m_mutex;
    std::condition_variable m_changed;
    QString m_told;
};

void pressF5(benchmark::State& state, Demo& demo, packaging::StandbyJava& standby, FrameWait& frame)
{
    frame.reset();
    demo.edit();
    packaging::Packager packager(demo.app);
    packager.useStandby(&standby);
    const packaging::Packager::Result game = packager.run(demo.project);
    standby.play(game.jad, game.name, packaging::playerScale(demo.project.GameScreen));
    const QString told = frame.wait();
    if (told != u"frame"_s)
        state.SkipWithError(("no frame: " + told).toStdString().c_str());
}

void BM_PlayDemoAgain(benchmark::State& state)
{
    Demo demo;
    packaging::StandbyJava standby(demo.app);
    FrameWait frame(standby);
    // Warm: the process started and used a few times, the runtime's classes kept.
    for (int k = 0; k < 8; ++k)
        pressF5(state, demo, standby, frame);
    for (auto _ : state)
        pressF5(state, demo, standby, frame);
}

void BM_PlayDemoFirst(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        auto demo = std::make_unique<Demo>();
        auto standby = std::make_unique<packaging::StandbyJava>(demo->app);
        FrameWait frame(*standby);
        state.ResumeTiming();
        pressF5(state, *demo, *standby, frame);
        state.PauseTiming();
        standby.reset();
        demo.reset();
        state.ResumeTiming();
    }
}

void BM_PlayDemoAlone(benchmark::State& state)
{
    Demo demo;
    const QString java = QStandardPaths::findExecutable(u"java"_s);
    for (auto _ : state) {
        demo.forgetClasses();
        demo.edit();
        const packaging::Packager::Result game = packaging::Packager(demo.app).run(demo.project);
        QProcess player;
        player.start(java, QStringList{u"-jar"_s, demo.app.player(), u"--tell-first-frame"_s} +
                               packaging::playerArguments(demo.app, game.jad, game.name, demo.project.GameScreen)
                                   .mid(2));
        while (!player.canReadLine() && player.waitForReadyRead(60000)) {
        }
        if (!player.readLine().startsWith("frame"))
            state.SkipWithError("no frame");
        state.PauseTiming();
        player.kill();
        player.waitForFinished();
        state.ResumeTiming();
    }
}

} // namespace

BENCHMARK(BM_PlayDemoAgain)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5)->Repetitions(3);
BENCHMARK(BM_PlayDemoFirst)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2)->Repetitions(3);
BENCHMARK(BM_PlayDemoAlone)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2)->Repetitions(3);
