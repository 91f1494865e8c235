// Redraw of a busy stage: 100 placed background objects (20 x 20 maps of
// 16 x 16 tiles from 3 tile sheets), 100 placed sprites, a selection and a
// path. The map is redrawn on every pointer move, so this is what a move costs.
#include "document/ProjectDocument.h"
#include "io/AppFolder.h"
#include "io/Png.h"
#include "level/LevelView.h"
#include "media/MapZoom.h"
#include "media/PlacedSizes.h"
#include "model/Project.h"

#include <QDir>
#include <QPainter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <vector>

using namespace kestrava;
using namespace Qt::Literals::StringLiterals;

namespace {

struct BusyStage {
    QTemporaryDir dir;
    io::AppFolder app{dir.path() + u"/app"_s};
    document::ProjectDocument doc{app};
    model::Project& project = doc.edit();
    std::unique_ptr<level::LevelView> editor;

    BusyStage()
    {
        app.ensureFolders();
        project.ProjectDir = dir.path() + u"/proj"_s;
        QDir().mkpath(project.projectPath(u"objects"_s));
        model::StageData& s = project.current();

        for (int k = 0; k < 3; ++k) {
            // 8 x 8 tiles of 16 x 16, each tile with a pattern of its own.
            QImage sheet(128, 128, QImage::Format_RGB32);
            for (int y = 0; y < 128; ++y)
                for (int x = 0; x < 128; ++x)
                    sheet.setPixel(x, y, qRgb((x * 2 + k * 80) & 255, (y * 2) & 255, ((x ^ y) + k * 40) & 255));
            const QString base = u"sheet%1"_s.arg(k);
            io::writePng(sheet, app.objectFile(base + u".png"_s));
            const int g = project.addFonGroup(1);
            model::FonGroupData& group = s.FonGroup[size_t(g)];
            group.FileName = base + u".obf"_s;
            group.BmpName = base + u".bmp"_s;
            group.PictureName = base + u".png"_s;
            group.TileWidth = 16;
            group.TileHeight = 16;
            group.setMapSize(20, 20);
            for (int r = 1; r <= 20; ++r)
                for (int c = 1; c <= 20; ++c)
                    group.setCell(r, c, (r * 20 + c + k) % 65); // 0 now and then: holes
        }
        for (int k = 0; k < 3; ++k) {
            QImage sprite(24, 32, QImage::Format_RGB32);
            sprite.fill(qRgb(200, 40 * k, 90));
            const QString base = u"sprite%1"_s.arg(k);
            io::writeBmp(sprite, project.projectPath(u"objects/"_s + base + u".bmp"_s));
            const int g = project.addActiveGroup(1);
            s.ActiveGroup[size_t(g)].BmpName = base + u".bmp"_s;
        }
        for (int i = 1; i <= 100; ++i) {
            model::FonObjectData& o = s.FonObject[size_t(i)];
            const int g = 1 + i % 3;
            o.Ref = QString::number(g);
            o.Group = g;
            o.Layer = s.FonGroup[size_t(g)].ListSlot;
            o.X = (i % 10) * 70;
            o.Y = (i / 10) * 70;
            o.Exists = true;
            s.FonObjCount = i;

            model::ActiveObjectData& a = s.ActiveObject[size_t(i)];
            const int ag = 1 + i % 3;
            a.GroupValue = ag;
            a.Layer = s.ActiveGroup[size_t(ag)].ListSlot;
            a.FileName = s.ActiveGroup[size_t(ag)].BmpName;
            a.X = (i % 10) * 95 + 10;
            a.Y = (i / 10) * 95 + 20;
            a.Exists = true;
            s.ActiveObjCount = i;
        }
        model::ActiveObjectData& walker = s.ActiveObject[7];
        for (int k = 1; k <= 12; ++k)
            walker.Path[size_t(k)] = model::PathPoint{40 * k, 300 + (k % 2) * 80};
        walker.PathCount = 12;

        media::measurePlacedObjects(project, doc.pictures());

        editor = std::make_unique<level::LevelView>(doc);
        editor->ScreenWidth = 128;
        editor->ScreenHeight = 176;
        editor->start();
        editor->pressed(300, 300);
        editor->released(false); // a selection
        editor->tool().setPathObject(7);
        editor->tool().pathStraight();
    }
};

BusyStage& stage()
{
    static BusyStage busy;
    return busy;
}

// A pointer move as the author sees it at a zoom (the argument, in percent):
// the map redrawn, then the map's window (900 x 660 screen pixels, with the
// grid) painted from it.
void BM_LevelRedrawCached(benchmark::State& state)
{
    const int percent = int(state.range(0));
    level::LevelView& editor = *stage().editor;
    editor.renderer().setPictureCaching(true);
    stage().project.LevelGrid.Shown = true;
    editor.redrawMap();
    const int decodes = editor.pictures().cache().decodeCount();
    QImage window(900, 660, QImage::Format_RGB32);
    const QPoint corner(int(media::zoom::toView(250, percent)), int(media::zoom::toView(250, percent)));
    int x = 0;
    double painting = 0;
    for (auto _ : state) {
        editor.pointerMoved(400 + (x++ & 63), 400);
        const auto start = std::chrono::steady_clock::now();
        QPainter painter(&window);
        painter.translate(-corner);
        editor.paint(painter, percent, QRect(corner, window.size()));
        painter.end();
        painting += std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        benchmark::DoNotOptimize(window.constBits());
    }
    // What the window's painting took of it, per move.
    state.counters["paint_ms"] = painting / double(std::max<benchmark::IterationCount>(state.iterations(), 1));
    stage().project.LevelGrid.Shown = false;
    if (editor.pictures().cache().decodeCount() != decodes)
        state.SkipWithError("a pointer move decoded a picture");
}

// A background object dragged across the map: its position changes on every move.
void BM_RedrawDraggingBackground(benchmark::State& state)
{
    level::LevelView& editor = *stage().editor;
    editor.renderer().setPictureCaching(true);
    editor.tool().pathConfirm(); // a press while a path is drawn would add a point instead
    editor.pointerMoved(75, 75);
    editor.pressed(75, 75);
    int x = 0;
    for (auto _ : state) {
        const int dx = (x++ & 1) ? 3 : -3;
        editor.pointerMoved(75 + dx, 75);
        benchmark::DoNotOptimize(editor.map().constBits());
    }
    editor.released(false);
    editor.pointerMoved(75, 75);
    editor.tool().pathStraight();
}

void BM_RedrawUncached(benchmark::State& state)
{
    level::LevelView& editor = *stage().editor;
    editor.renderer().setPictureCaching(false);
    int x = 0;
    for (auto _ : state) {
        editor.pointerMoved(400 + (x++ & 63), 400);
        benchmark::DoNotOptimize(editor.map().constBits());
    }
    editor.renderer().setPictureCaching(true);
}

double medianMs(level::LevelView& editor, int runs)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        editor.pointerMoved(400 + (i & 63), 400);
        times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// Both ways measured side by side: the medians and their ratio as counters.
void BM_CachedAgainstUncached(benchmark::State& state)
{
    level::LevelView& editor = *stage().editor;
    double cached = 0;
    double uncached = 0;
    for (auto _ : state) {
        editor.renderer().setPictureCaching(true);
        editor.redrawMap();
        cached = medianMs(editor, 101);
        editor.renderer().setPictureCaching(false);
        uncached = medianMs(editor, 11);
        editor.renderer().setPictureCaching(true);
    }
    state.counters["cached_ms"] = cached;
    state.counters["uncached_ms"] = uncached;
    state.counters["ratio"] = uncached / cached;
}

} // namespace

BENCHMARK(BM_LevelRedrawCached)->Arg(100)->Arg(400)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_RedrawDraggingBackground)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_RedrawUncached)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_CachedAgainstUncached)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);
