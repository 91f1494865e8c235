// Opening and saving the largest project a project file holds: 20 stages, each
// with its 100 icons as 40 background groups (100 x 100 maps of 16 x 16 tiles
// on 256 x 256 sheets), 40 active groups (256 x 256 strips) and 20 text objects
// of 10 lines; 100 placed background and 100 placed active objects, each active
// one with a path of 40 points; a lives bar; a full event sheet of 50 rows x 20
// actions with their object lists. Every group has an object file of its own.
//
// "Open" is what "Открыть" waits for: the project file, its extras file and
// every object file read, and the placed objects measured (ProjectDocument::open).
// "Save" writes the project file and its extras file; a recovery copy holds the
// interface thread for the model's copy ("Hold") and its own thread for the rest.
//
// The extras file of that project is also parsed (and every value visited) by
// our reader and by two packaged libraries, RapidJSON and simdjson, the figures
// that decide whether ours stays.
#include "document/ProjectDocument.h"
#include "io/AppFolder.h"
#include "io/JsonTape.h"
#include "io/Png.h"
#include "io/TextFile.h"
#include "model/Project.h"
#include "objects/ActiveObjectFile.h"
#include "objects/BackgroundObjectFile.h"
#include "objects/BarObjectFile.h"
#include "persist/ObjectImport.h"
#include "persist/ProjectExtras.h"
#include "persist/ProjectFile.h"
#include "persist/RecoveryCopy.h"

#include <QDateTime>
#include <QDir>
#include <QImage>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include "GameArt.h"

#include <benchmark/benchmark.h>
#include <rapidjson/document.h>
#include <simdjson.h>

#include <cstdio>
#include <memory>

using namespace kestrava;
using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int kFonGroups = 40;
constexpr int kActiveGroups = 40;

template <class File>
void writeObject(const File& file, const QString& path)
{
    io::LineWriter writer(path);
    file.writeTo(writer);
    io::writeFileAtomically(path, writer.bytes(), io::FileSync::LeaveToSystem);
}

struct LargestProjectFile {
    QTemporaryDir dir;
    std::unique_ptr<io::AppFolder> app;
    QString file;

    LargestProjectFile()
    {
        // KESTRAVA_BENCH_KEEP=1 leaves the project behind, for timing the editor's start on it.
        if (qEnvironmentVariableIsSet("KESTRAVA_BENCH_KEEP")) {
            dir.setAutoRemove(false);
            std::fprintf(stderr, "largest project: %s\n", qPrintable(dir.path() + u"/game/project.prg"_s));
        }
        app = std::make_unique<io::AppFolder>(dir.path() + u"/app"_s);
        app->ensureFolders();
        const QString root = dir.path() + u"/game"_s;
        const QString objects = root + u"/objects/"_s;
        for (const char* sub : {"objects", "res", "src"})
            QDir().mkpath(root + u'/' + QString::fromLatin1(sub));
        file = persist::projectFileIn(root);

        std::vector<QByteArray> pngs;
        for (quint32 k = 0; k < 16; ++k)
            pngs.push_back(io::encodePng(gameArt(k), u"p.png"_s));
        QImage frame(32, 32, QImage::Format_RGB32);
        frame.fill(Qt::white);
        const QByteArray bmp = io::encodeBmp(frame, u"f.bmp"_s);
        auto put = [&](const QString& name, const QByteArray& bytes) {
            io::writeFileAtomically(objects + name, bytes, io::FileSync::LeaveToSystem);
        };
        objects::BarObjectFile bar;
        bar.Width = 40;
        bar.Height = 8;
        writeObject(bar, objects + u"lives.obl"_s);
        put(u"lives.bmp"_s, io::encodeBmp(QImage(40, 8, QImage::Format_RGB32), u"lives.bmp"_s));

        model::Project p;
        p.ProjectDir = root;
        p.LevelCount = model::kMaxLevels;
        QRandomGenerator random(11);
        int files = 0;
        for (int level = 1; level <= model::kMaxLevels; ++level) {
            p.CurLevel = level;
            model::StageData& s = p.stage(level);
            for (int g = 1; g <= kFonGroups; ++g) {
                const QString name = u"fon%1"_s.arg(++files);
                objects::BackgroundObjectFile fon;
                fon.PictureName = name + u".png"_s;
                fon.TileWidth = fon.TileHeight = 16;
                fon.setMapSize(model::kMaxMapColumns, model::kMaxMapRows);
                for (int& cell : fon.cells)
                    cell = random.bounded(257);
                writeObject(fon, objects + name + u".obf"_s);
                put(name + u".png"_s, pngs[size_t(files % 16)]);
                persist::Load_object(p, *app, name + u".obf"_s);
                s.FonGroup[size_t(g)].Obstacle = g % 2;
            }
            for (int g = 1; g <= kActiveGroups; ++g) {
                const QString name = u"act%1"_s.arg(++files);
                objects::ActiveObjectFile act;
                act.PictureName = name + u".png"_s;
                act.FrameCount = 8;
                act.TileWidth = act.TileHeight = 32;
                for (int k = 1; k <= model::kAnimPositions; ++k)
                    for (int d = 1; d <= model::kAnimDirections; ++d)
                        for (int b = 1; b <= model::kAnimStates; ++b)
                            act.Anim[k][d][b] = random.bounded(9);
                writeObject(act, objects + name + u".oba"_s);
                put(name + u".png"_s, pngs[size_t(files % 16)]);
                put(name + u".bmp"_s, bmp);
                persist::Load_object(p, *app, name + u".oba"_s);
                s.ActiveGroup[size_t(g)].Caption = u"Призрак %1"_s.arg(g);
                s.ActiveType[size_t(g)] = model::MovementType(1 + g % 3);
            }
            for (int t = 1; t <= model::kMaxTextObjects; ++t) {
                model::TextObjectData& text = s.TextObject[size_t(p.addTextObject(level))];
                text.FontFace = 1;
                text.FontSize = 2;
                text.Colour = 255;
                text.LineCount = model::kMaxTextLines;
                for (int k = 1; k <= model::kMaxTextLines; ++k)
                    text.Lines[size_t(k)] = u"Строка %1 текста %2"_s.arg(k).arg(t);
                text.X = random.bounded(1000);
                text.Y = random.bounded(1000);
            }
            persist::Load_object(p, *app, u"lives.obl"_s);
            s.LivesBar.X = 10;
            s.LivesBar.Y = 5;

            for (int i = 1; i <= model::kMaxFonObjects; ++i) {
                const model::FonGroupData& group = s.FonGroup[size_t(1 + i % kFonGroups)];
                model::FonObjectData& o = s.FonObject[size_t(i)];
                o = {QString::number(group.Index), random.bounded(1000), random.bounded(1000), group.ListSlot,
                     group.Index, group.BmpName, 16, 16, true};
            }
            s.FonObjCount = model::kMaxFonObjects;
            for (int i = 1; i <= model::kMaxActiveObjects; ++i) {
                const model::ActiveGroupData& group = s.ActiveGroup[size_t(1 + i % kActiveGroups)];
                model::ActiveObjectData& o = s.ActiveObject[size_t(i)];
                o.Ref = QString::number(group.Index);
                o.X = random.bounded(1000);
                o.Y = random.bounded(1000);
                o.Layer = group.ListSlot;
                o.GroupValue = group.Index;
                o.FileName = group.BmpName;
                o.Width = o.Height = 32;
                o.Exists = true;
                for (int k = 1; k <= model::kMaxPathPoints; ++k)
                    o.Path[size_t(k)] = {random.bounded(1000), random.bounded(1000)};
                o.PathCount = model::kMaxPathPoints;
            }
            s.ActiveObjCount = model::kMaxActiveObjects;

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
            s.EventCount = s.EventCurRow = s.ActionCount = model::kMaxEventRows;
        }
        persist::save(p, file);
    }
};

LargestProjectFile& largest()
{
    static LargestProjectFile project;
    return project;
}

void BM_OpenLargest(benchmark::State& state)
{
    LargestProjectFile& f = largest();
    for (auto _ : state) {
        document::ProjectDocument doc(*f.app);
        doc.open(f.file);
        benchmark::DoNotOptimize(doc.project().LevelCount);
    }
}

void BM_SaveLargest(benchmark::State& state)
{
    LargestProjectFile& f = largest();
    model::Project project;
    persist::load(project, *f.app, f.file);
    for (auto _ : state)
        persist::save(project, f.file);
}

QByteArray largestExtras()
{
    return io::readWholeFile(persist::extrasFileFor(largest().file), qint64(16) << 20);
}

// Each parser's walk counts the values and adds up the numbers, so none can skip any.
struct Walked {
    size_t values = 0;
    double sum = 0;
};

void walk(const io::JsonTape::Value& v, Walked& w)
{
    ++w.values;
    if (v.isNumber())
        w.sum += v.number();
    else if (v.isArray())
        v.elements([&](const io::JsonTape::Value& e) { walk(e, w); });
    else if (v.isObject())
        v.members([&](const io::JsonTape::Value&, const io::JsonTape::Value& e) { walk(e, w); });
}

void walk(const rapidjson::Value& v, Walked& w)
{
    ++w.values;
    if (v.IsNumber())
        w.sum += v.GetDouble();
    else if (v.IsArray())
        for (const rapidjson::Value& e : v.GetArray())
            walk(e, w);
    else if (v.IsObject())
        for (const auto& m : v.GetObject())
            walk(m.value, w);
}

void walk(simdjson::dom::element v, Walked& w)
{
    ++w.values;
    switch (v.type()) {
    case simdjson::dom::element_type::INT64:
    case simdjson::dom::element_type::UINT64:
    case simdjson::dom::element_type::DOUBLE:
        w.sum += double(v.get_double());
        break;
    case simdjson::dom::element_type::ARRAY:
        for (simdjson::dom::element e : simdjson::dom::array(v))
            walk(e, w);
        break;
    case simdjson::dom::element_type::OBJECT:
        for (simdjson::dom::key_value_pair m : simdjson::dom::object(v))
            walk(m.value, w);
        break;
    default:
        break;
    }
}

void BM_ExtrasOurs(benchmark::State& state)
{
    const QByteArray bytes = largestExtras();
    for (auto _ : state) {
        qsizetype errorAt = 0;
        const std::optional<io::JsonTape> tape = io::JsonTape::parse(bytes, &errorAt);
        Walked w;
        walk(tape->root(), w);
        benchmark::DoNotOptimize(w.sum);
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}

void BM_ExtrasRapidJson(benchmark::State& state)
{
    const QByteArray bytes = largestExtras();
    for (auto _ : state) {
        rapidjson::Document document;
        document.Parse<rapidjson::kParseValidateEncodingFlag | rapidjson::kParseIterativeFlag>(bytes.constData(),
                                                                                              size_t(bytes.size()));
        Walked w;
        walk(document, w);
        benchmark::DoNotOptimize(w.sum);
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}

void BM_ExtrasSimdjson(benchmark::State& state)
{
    const QByteArray bytes = largestExtras();
    // A reader would read the file into padded memory at once, and keep its parser.
    const simdjson::padded_string padded(bytes.constData(), size_t(bytes.size()));
    simdjson::dom::parser parser;
    for (auto _ : state) {
        Walked w;
        walk(parser.parse(padded).value(), w);
        benchmark::DoNotOptimize(w.sum);
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}

// What a recovery copy costs the interface thread: the model copied without its maps.
void BM_RecoveryHoldLargest(benchmark::State& state)
{
    LargestProjectFile& f = largest();
    model::Project project;
    persist::load(project, *f.app, f.file);
    for (auto _ : state) {
        model::Project copy = persist::copyForSaving(project);
        benchmark::DoNotOptimize(copy.LevelCount);
    }
}

// And its own thread: both files built and written beside the project.
void BM_RecoveryWriteLargest(benchmark::State& state)
{
    LargestProjectFile& f = largest();
    model::Project project;
    persist::load(project, *f.app, f.file);
    const model::Project copy = persist::copyForSaving(project);
    for (auto _ : state)
        persist::writeRecoveryCopy(copy, QDateTime::currentDateTimeUtc());
}

} // namespace

BENCHMARK(BM_ExtrasOurs)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExtrasRapidJson)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExtrasSimdjson)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RecoveryHoldLargest)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20)->Repetitions(3);
BENCHMARK(BM_RecoveryWriteLargest)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5)->Repetitions(3);
BENCHMARK(BM_OpenLargest)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3)->Repetitions(3);
BENCHMARK(BM_SaveLargest)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5)->Repetitions(3);
