// "Собрать игру" on the demo: convert, ecj (a JVM started for it) and the
// jar and jad, on a fresh copy of the demo's project folder each time, as
// the author's first build of a session. The editor runs this on a worker
// thread under its progress dialog, so the figure is a wait, not a freeze.
#include "io/AppFolder.h"
#include "model/Project.h"
#include "packaging/Packager.h"
#include "persist/ProjectFile.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace kestrava;
using namespace Qt::Literals::StringLiterals;

namespace {

void copyFolder(const QString& from, const QString& to)
{
    QDirIterator it(from, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        const QString target = to + u'/' + QDir(from).relativeFilePath(file);
        QDir().mkpath(QFileInfo(target).absolutePath());
        QFile::copy(file, target);
    }
}

void BM_PackageDemo(benchmark::State& state)
{
    // The build's own folder: the game templates and the MIDP API classes.
    const io::AppFolder app(QStringLiteral(KESTRAVA_BIN_DIR));
    QTemporaryDir dir;
    int run = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const QString demo = dir.path() + u"/demo%1"_s.arg(++run);
        copyFolder(QStringLiteral(KESTRAVA_SOURCE_DIR) + u"/examples/demo"_s, demo);
        model::Project project;
        persist::load(project, app, persist::projectFileIn(demo));
        state.ResumeTiming();
        packaging::Packager(app).run(project);
    }
}

} // namespace

BENCHMARK(BM_PackageDemo)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3)->Repetitions(3);
