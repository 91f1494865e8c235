// Converting the largest project the model holds: 20 stages, each with 100
// placed background objects (100 x 100 maps) and 100 placed active objects,
// every object with its own group and its own 256 x 256 picture (4000 picture
// files), and a full event sheet of 50 rows x 20 actions. (A project file
// holds 100 icons a stage, so no saved project reaches this: the worst case.)
//
// Two kinds of pictures: game art of at most 256 colours, and the same art with
// a patch of true-colour noise. The pictures lie in the project as the object
// editors write them (io::writePng, default options). "Again" converts a
// project converted before (the usual case); "First" converts into empty
// src and res folders.
#include "codegen/Converter.h"
#include "io/AppFolder.h"
#include "io/Png.h"
#include "io/TextFile.h"
#include "model/Project.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include "GameArt.h"

#include <benchmark/benchmark.h>

#include <memory>

#include <unistd.h>

using namespace kestrava;
using namespace Qt::Literals::StringLiterals;

namespace {

struct Fixture {
    QTemporaryDir dir;
    std::unique_ptr<io::AppFolder> app;
    model::Project project;
    int freshFolders = 0;

    // A new project folder that reads the same objects.
    void useFreshProjectFolder()
    {
        const QString root = dir.path() + u"/fresh%1"_s.arg(++freshFolders);
        for (const char* sub : {"res", "src"})
            QDir().mkpath(root + u'/' + QString::fromLatin1(sub));
        // Hard links: a folder link leading out of the project would be refused.
        const QString objects = dir.path() + u"/game/objects"_s;
        QDir().mkpath(root + u"/objects"_s);
        for (const QString& name : QDir(objects).entryList(QDir::Files))
            ::link(QFile::encodeName(objects + u'/' + name).constData(),
                   QFile::encodeName(root + u"/objects/"_s + name).constData());
        project.ProjectDir = root;
    }

    explicit Fixture(bool trueColour)
    {
        app = std::make_unique<io::AppFolder>(dir.path() + u"/app"_s);
        app->ensureFolders();
        io::writeFileAtomically(app->draftFile(u"Etap0.java"_s),
                                "public class Etap0 extends GameStage{\r\nvoid load(){tables(\"/Etap0.dat\");}\r\nvoid events(){\r\n");
        for (const char* name : codegen::kFixedSources)
            io::writeFileAtomically(app->draftFile(QString::fromLatin1(name)), "// the runtime\r\n");

        const QString root = dir.path() + u"/game"_s;
        for (const char* sub : {"objects", "res", "src"})
            QDir().mkpath(root + u'/' + QString::fromLatin1(sub));
        project.ProjectDir = root;
        project.LevelCount = model::kMaxLevels;

        // Distinct files; the pixels repeat every 64 pictures to keep the set-up short.
        std::vector<QByteArray> encoded;
        for (quint32 k = 0; k < 64; ++k)
            encoded.push_back(io::encodePng(gameArt(k, trueColour), u"p.png"_s));
        int fileNumber = 0;
        auto newPicture = [&](const QString& stem) {
            const QString name = u"%1%2"_s.arg(stem).arg(fileNumber);
            io::writeFileAtomically(root + u"/objects/"_s + name + u".png"_s, encoded[size_t(fileNumber % 64)],
                                    io::FileSync::LeaveToSystem);
            ++fileNumber;
            return name;
        };

        QRandomGenerator random(7);
        for (int level = 1; level <= model::kMaxLevels; ++level) {
            model::StageData& s = project.stage(level);
            for (int g = 1; g <= model::kMaxFonGroups; ++g) {
                model::FonGroupData& group = s.FonGroup[size_t(g)];
                const QString name = newPicture(u"fon"_s);
                group.FileName = name + u".obf"_s;
                group.PngName = name + u".png"_s;
                group.TileWidth = group.TileHeight = 16;
                group.setMapSize(100, 100);
                for (int& cell : group.Cells)
                    cell = random.bounded(257);
                group.Obstacle = g % 2;
                group.Index = group.ListSlot = g;
                model::FonObjectData& o = s.FonObject[size_t(g)];
                o = {QString::number(g), random.bounded(1000), random.bounded(1000), g, g, group.FileName, 1600, 1600, true};
            }
            s.FonGroupCount = s.FonObjCount = model::kMaxFonGroups;
            for (int g = 1; g <= model::kMaxActiveGroups; ++g) {
                model::ActiveGroupData& group = s.ActiveGroup[size_t(g)];
                const QString name = newPicture(u"act"_s);
                group.FileName = name + u".oba"_s;
                group.PngName = name + u".png"_s;
                group.TileWidth = group.TileHeight = 32;
                for (int p = 1; p <= model::kAnimPositions; ++p)
                    for (int d = 1; d <= model::kAnimDirections; ++d)
                        for (int b = 1; b <= model::kAnimStates; ++b)
                            group.Anim[p][d][b] = random.bounded(9);
                group.Index = g;
                group.ListSlot = 100 + g;
                s.ActiveType[size_t(g)] = model::MovementType(1 + g % 3);
                model::ActiveObjectData& o = s.ActiveObject[size_t(g)];
                o.Ref = QString::number(g);
                o.X = random.bounded(1000);
                o.Y = random.bounded(1000);
                o.Layer = 100 + g;
                o.GroupValue = g;
                o.FileName = group.FileName;
                o.Exists = true;
            }
            s.ActiveGroupCount = s.ActiveObjCount = model::kMaxActiveGroups;
            for (int r = 1; r <= model::kMaxEventRows; ++r) {
                model::EventRowData& row = s.EventRow[size_t(r)];
                row.Kind = u"event"_s;
                row.CondText = u"столкновение 1 с 2"_s;
                row.CondCode = u"(obj[gr_obj[1][kr1]].collidesWith(obj[gr_obj[2][kr2]],false))"_s;
                row.CondObjects[1] = u"1"_s;
                row.CondObjects[2] = u"2"_s;
                for (int m = 1; m <= model::kMaxActions; ++m) {
                    row.ActionText[size_t(m)] = u"видимый"_s;
                    row.ActionCode[size_t(m)] = u"{vis_obj[gr_obj[3][kr3]]=true;}"_s;
                    row.ActionObjects[size_t(m)][1] = u"3"_s;
                }
            }
            s.EventCount = s.EventCurRow = model::kMaxEventRows;
        }
    }
};

Fixture& fixture(bool trueColour)
{
    static Fixture art(false);
    static Fixture noisy(true);
    return trueColour ? noisy : art;
}

void BM_ConvertLargestAgain(benchmark::State& state)
{
    Fixture& f = fixture(state.range(0) != 0);
    codegen::convertProject(f.project, *f.app);
    for (auto _ : state)
        codegen::convertProject(f.project, *f.app);
}

void BM_ConvertLargestFirst(benchmark::State& state)
{
    Fixture& f = fixture(state.range(0) != 0);
    for (auto _ : state) {
        state.PauseTiming();
        f.useFreshProjectFolder();
        state.ResumeTiming();
        codegen::convertProject(f.project, *f.app);
    }
    // Every picture written must hold exactly its source's pixels.
    const QString objects = f.dir.path() + u"/game/objects/"_s;
    for (const QString& name : QDir(*f.project.ProjectDir + u"/res"_s).entryList({u"*.png"_s}, QDir::Files)) {
        const QImage source = io::readPng(objects + name);
        if (io::readPng(*f.project.ProjectDir + u"/res/"_s + name).convertToFormat(source.format()) != source) {
            state.SkipWithError("a written picture differs from its source");
            return;
        }
    }
}

BENCHMARK(BM_ConvertLargestAgain)->ArgName("true_colour")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_ConvertLargestFirst)->ArgName("true_colour")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);

} // namespace
