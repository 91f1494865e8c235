#include "codegen/Converter.h"
#include "codegen/GameSounds.h"
#include "codegen/PictureRecord.h"
#include "codegen/StageClass.h"
#include "codegen/StageTables.h"
#include "codegen/UnusedClasses.h"
#include "packaging/GameIcon.h"
#include "io/Error.h"
#include "io/Png.h"
#include "io/TextFile.h"
#include "model/Project.h"
#include "support/ErrorOf.h"
#include "support/ObjectLibrary.h"
#include "support/StageTablesDump.h"
#include "support/TempAppFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <iterator>

#include <libdeflate.h>

#include <sys/stat.h>

using namespace kestrava;
using namespace Qt::Literals::StringLiterals;

namespace {

QImage picture(int width, int height, QRgb colour)
{
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(colour);
    image.setPixel(0, 0, qRgba(10, 20, 30, 0));
    return image;
}

struct Game {
    test::TempAppFolder tmp;
    QString dir;
    model::Project project;

    Game()
    {
        dir = tmp.makeDir(u"game"_s);
        for (const char* sub : {"objects", "res", "src"})
            QDir().mkpath(dir + u'/' + QString::fromLatin1(sub));
        project.ProjectDir = dir;
    }

    QString src(const QString& name) const { return dir + u"/src/"_s + name; }
    QString res(const QString& name) const { return dir + u"/res/"_s + name; }
    QString objects(const QString& name) const { return dir + u"/objects/"_s + name; }
    QByteArray read(const QString& path) const { return io::readWholeFile(path); }

    void useGoldenTemplate() const
    {
        QFile::remove(tmp.app().draftFile(u"Etap0.java"_s));
        QFile::copy(test::testData(u"codegen/draft/Etap0.java"_s), tmp.app().draftFile(u"Etap0.java"_s));
    }

    int addFon(int level, const QString& name, int columns, int rows, int obstacle)
    {
        const int g = project.addFonGroup(level);
        model::FonGroupData& group = project.stage(level).FonGroup[size_t(g)];
        group.FileName = name + u".obf"_s;
        group.BmpName = name + u".bmp"_s;
        group.PngName = name + u".png"_s;
        group.TileWidth = 16;
        group.TileHeight = 8;
        group.setMapSize(columns, rows);
        for (int r = 1; r <= rows; ++r)
            for (int c = 1; c <= columns; ++c)
                group.setCell(r, c, r * 10 + c);
        group.Obstacle = obstacle;
        io::writePng(picture(64, 8, qRgb(0, 200, 0)), objects(group.PngName));
        return g;
    }

    int addActive(int level, const QString& name, int type)
    {
        const int g = project.addActiveGroup(level);
        model::ActiveGroupData& group = project.stage(level).ActiveGroup[size_t(g)];
        group.FileName = name + u".oba"_s;
        group.PngName = name + u".png"_s;
        group.TileWidth = 24;
        group.TileHeight = 32;
        project.stage(level).ActiveType[size_t(g)] = model::MovementType(type);
        io::writePng(picture(48, 32, qRgb(200, 0, 0)), objects(group.PngName));
        return g;
    }

    void placeFon(int level, int g, int x, int y, bool exists = true)
    {
        model::StageData& s = project.stage(level);
        const model::FonGroupData& group = s.FonGroup[size_t(g)];
        s.FonObject[size_t(++s.FonObjCount)] = {QString::number(g), x, y, group.ListSlot, g, group.FileName, 0, 0, exists};
    }

    void placeActive(int level, int g, int x, int y, bool exists = true)
    {
        model::StageData& s = project.stage(level);
        model::ActiveObjectData& o = s.ActiveObject[size_t(++s.ActiveObjCount)];
        o.Ref = QString::number(g);
        o.X = x;
        o.Y = y;
        o.Layer = s.ActiveGroup[size_t(g)].ListSlot;
        o.GroupValue = g;
        o.FileName = s.ActiveGroup[size_t(g)].FileName;
        o.Exists = exists;
    }

    model::EventRowData& addRow(int level, const QString& kind, const QString& cond)
    {
        model::StageData& s = project.stage(level);
        model::EventRowData& row = s.EventRow[size_t(++s.EventCurRow)];
        ++s.EventCount;
        row.Kind = kind;
        row.CondText = cond;
        row.CondCode = cond;
        return row;
    }

    QStringList convert()
    {
        QStringList written;
        codegen::convertProject(project, tmp.app(), [&](const QString& f) { written.append(f); });
        return written;
    }

    QStringList files(const QString& sub) const { return QDir(dir + u'/' + sub).entryList(QDir::Files, QDir::Name); }
    // What a conversion may leave in the project folder besides its output.
    QStringList leftovers() const
    {
        return QDir(dir).entryList({u".kestrava-convert*"_s}, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }
};

// Stage 1 holds a bit of everything, deleted objects included; stage 2 nothing placed.
void buildGoldenProject(Game& game)
{
    game.project.LevelCount = 2;
    const int wall = game.addFon(1, u"стена"_s, 3, 2, 1);
    const int grass = game.addFon(1, u"grass"_s, 2, 1, 0);
    game.addFon(1, u"unused"_s, 1, 1, 1);
    const int hero = game.addActive(1, u"hero"_s, 1);
    const int enemy = game.addActive(1, u"enemy"_s, 2);
    model::ActiveGroupData& h = game.project.stage(1).ActiveGroup[size_t(hero)];
    h.Anim[1][1][1] = 1;
    h.Anim[1][1][2] = 2;
    h.Anim[2][1][2] = 3;
    h.Anim[4][2][2] = 4;
    h.Anim[1][4][4] = 6;
    model::ActiveGroupData& e = game.project.stage(1).ActiveGroup[size_t(enemy)];
    e.Anim[3][3][2] = 1;
    e.Anim[6][1][1] = 2;
    e.Anim[2][1][3] = 5; // attack frames are not exported

    game.placeFon(1, wall, 0, 0);
    game.placeFon(1, grass, 100, 50, false);
    game.placeFon(1, grass, -20, 300);
    game.placeFon(1, wall, 48, 16);
    game.placeActive(1, enemy, 10, 20);
    game.placeActive(1, hero, 30, 40, false);
    game.placeActive(1, hero, 50, 60);

    model::EventRowData& r1 = game.addRow(1, u"event"_s, u"(obtime>0)"_s);
    r1.ActionText[3] = u"уровень+1"_s;
    r1.ActionCode[3] = u"{etap=etap+1;}"_s;
    game.addRow(1, u"group"_s, u"Враги"_s).ActionText[1] = u"x"_s;
    model::EventRowData& r3 = game.addRow(1, u"event"_s, u"(objtip[gr_obj[1][kr1]]==1)"_s);
    r3.CondObjects[1] = u"1"_s;
    r3.ActionText[8] = u"режим: преследование"_s;
    r3.ActionCode[8] = u"{objtip[gr_obj[1][kr1]]=2;kd=kr2;}"_s;
    r3.ActionObjects[8][1] = u"1"_s;
    r3.ActionObjects[8][2] = u"2"_s;
    r3.ActionText[9] = u"видимый"_s;
    r3.ActionCode[9] = u"{vis_obj[gr_obj[2][kr2]]=true;}"_s;
    r3.ActionObjects[9][1] = u"2"_s;
    game.addRow(1, u"comment"_s, u"Примечание"_s);
    for (int r = 5; r <= 11; ++r)
        game.addRow(1, u"event"_s, u"(obtime>%1)"_s.arg(r));
    model::EventRowData& r12 = game.addRow(1, u"event"_s, u"(etap1data.keyCode1==53)"_s);
    r12.ActionText[6] = u"жизни = 3"_s;
    r12.ActionCode[6] = u"{life=3;}"_s;
    r12.ActionText[20] = u"управление: игнорировать"_s;
    r12.ActionCode[20] = u"{control=false;}"_s;
}

void expectGolden(const Game& game, const QString& name)
{
    const QByteArray expected = io::readWholeFile(test::testData(u"codegen/golden/"_s + name));
    const QByteArray actual = game.read(game.src(name));
    EXPECT_EQ(actual, expected) << name.toStdString() << ":\n" << actual.toStdString();
}

// A stage's tables in res, as the game reads them, against their golden dump ("Etap0.dat.txt").
void expectGoldenTables(const Game& game, const QString& name)
{
    const QByteArray expected = io::readWholeFile(test::testData(u"codegen/golden/"_s + name + u".txt"_s));
    const QByteArray actual = test::dumpStageTables(game.read(game.res(name))).toUtf8();
    EXPECT_EQ(actual, expected) << name.toStdString() << ":\n" << actual.toStdString();
}

} // namespace

TEST(Converter, TwoStageProjectMatchesTheGoldenFiles)
{
    Game game;
    game.useGoldenTemplate();
    buildGoldenProject(game);
    const QStringList written = game.convert();

    for (const char* name : {"Etap0.java", "Etap1.java"})
        expectGolden(game, QString::fromLatin1(name));
    for (const char* name : {"Etap0.dat", "Etap1.dat"})
        expectGoldenTables(game, QString::fromLatin1(name));
    EXPECT_EQ(game.files(u"src"_s),
              (QStringList{u"Actor.java"_s, u"Etap0.java"_s, u"Etap1.java"_s, u"GameRecords.java"_s,
                           u"GameValues.java"_s, u"Indicators.java"_s, u"Keys.java"_s, u"Movement.java"_s,
                           u"MyGameCanvas.java"_s, u"Sounds.java"_s, u"StagePlay.java"_s, u"StageState.java"_s,
                           u"StageView.java"_s, u"TitleScreen.java"_s, u"Touch.java"_s, u"dorv.java"_s}));
    // Only the pictures of existing placed objects: grass only lies under a
    // deleted object too, "unused" is never placed.
    // grass holds the wall's picture and hero the enemy's: each goes in once.
    EXPECT_EQ(game.files(u"res"_s), (QStringList{u"Etap0.dat"_s, u"Etap1.dat"_s, u"enemy.png"_s, u"стена.png"_s}));
    EXPECT_EQ(written.size(), 20);
    EXPECT_TRUE(written.contains(game.res(u"стена.png"_s)));
    EXPECT_TRUE(written.contains(game.src(u"MyGameCanvas.java"_s)));
    EXPECT_EQ(written.last(), game.src(u"MyGameCanvas.java"_s));
}

TEST(Converter, PicturesAreDecodedAndEncodedAgainWithTheSamePixels)
{
    Game game;
    const int few = game.addFon(1, u"few"_s, 1, 1, 0);
    const int many = game.addActive(1, u"many"_s, 1);
    QImage colourful(40, 30, QImage::Format_ARGB32);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x)
            colourful.setPixel(x, y, qRgba(x * 6, y * 8, (x * y) % 256, 128 + x));
    io::writePng(colourful, game.objects(u"many.png"_s));
    game.placeFon(1, few, 0, 0);
    game.placeFon(1, few, 5, 5);
    game.placeActive(1, many, 0, 0);
    game.convert();

    for (const char* name : {"few.png", "many.png"}) {
        const QImage source = io::readPng(game.objects(QString::fromLatin1(name)));
        const QImage copy = io::readPng(game.res(QString::fromLatin1(name)));
        ASSERT_EQ(copy.size(), source.size()) << name;
        for (int y = 0; y < source.height(); ++y)
            for (int x = 0; x < source.width(); ++x)
                ASSERT_EQ(copy.pixel(x, y), source.pixel(x, y)) << name << " " << x << "," << y;
    }
    // Qt's own reader agrees: the copies are ordinary PNG files.
    QImage viaQt;
    ASSERT_TRUE(viaQt.load(game.res(u"many.png"_s), "PNG"));
    EXPECT_EQ(viaQt.pixel(39, 29), colourful.pixel(39, 29));
}

TEST(Converter, PicturesOfTheSameContentGoIntoTheGameOnce)
{
    Game game;
    game.project.LevelCount = 2;
    const int a = game.addFon(1, u"a"_s, 1, 1, 0);
    const int c = game.addFon(1, u"c"_s, 1, 1, 0);
    const int b = game.addFon(2, u"b"_s, 1, 1, 0);
    const int hero = game.addActive(2, u"hero"_s, 1);
    // b holds a's pixels in other bytes, hero in the same ones; c differs by a pixel.
    io::PngOptions other;
    other.compressionLevel = 9;
    io::writePng(picture(64, 8, qRgb(0, 200, 0)), game.objects(u"b.png"_s), other);
    io::writePng(picture(64, 8, qRgb(0, 200, 0)), game.objects(u"hero.png"_s));
    QImage odd = picture(64, 8, qRgb(0, 200, 0));
    odd.setPixel(63, 7, qRgb(0, 201, 0));
    io::writePng(odd, game.objects(u"c.png"_s));
    ASSERT_NE(game.read(game.objects(u"a.png"_s)), game.read(game.objects(u"b.png"_s)));
    game.placeFon(1, a, 0, 0);
    game.placeFon(1, c, 0, 0);
    game.placeFon(2, b, 0, 0);
    game.placeActive(2, hero, 0, 0);
    codegen::ConversionSummary summary;
    codegen::convertProject(game.project, game.tmp.app(), {}, &summary);

    // The first of them goes in by its name, and every stage's tables name that one.
    EXPECT_EQ(game.files(u"res"_s), (QStringList{u"Etap0.dat"_s, u"Etap1.dat"_s, u"a.png"_s, u"c.png"_s}));
    EXPECT_TRUE(test::dumpStageTables(game.read(game.res(u"Etap0.dat"_s))).contains(u"pictures: /a.png /c.png\n"_s));
    EXPECT_TRUE(test::dumpStageTables(game.read(game.res(u"Etap1.dat"_s))).contains(u"pictures: /a.png\n"_s));
    EXPECT_EQ(summary.pictureSizes.keys().size(), 2);
    EXPECT_EQ(summary.pictureSizes.value(u"a.png"_s), QSize(64, 8));
    EXPECT_EQ(summary.stages.at(1).pictures, QStringList{u"a.png"_s});

    // Once b differs, it is a picture of its own.
    io::writePng(odd.mirrored(true, false), game.objects(u"b.png"_s));
    game.convert();
    EXPECT_EQ(game.files(u"res"_s), (QStringList{u"Etap0.dat"_s, u"Etap1.dat"_s, u"a.png"_s, u"b.png"_s, u"c.png"_s}));
    EXPECT_TRUE(test::dumpStageTables(game.read(game.res(u"Etap1.dat"_s))).contains(u"pictures: /b.png /a.png\n"_s));
}

TEST(Converter, SecondConversionKeepsAnEditedCanvasAndReplacesEveryStageFile)
{
    Game game;
    game.project.LevelCount = 2;
    game.convert();
    const QByteArray stage0 = game.read(game.src(u"Etap0.java"_s));
    const QByteArray dorv = game.read(game.src(u"dorv.java"_s));
    EXPECT_EQ(dorv, io::readWholeFile(game.tmp.app().draftFile(u"dorv.java"_s)));

    io::writeFileAtomically(game.src(u"MyGameCanvas.java"_s), "// the author's own canvas\r\n");
    io::writeFileAtomically(game.src(u"Etap0.java"_s), "stale");
    io::writeFileAtomically(game.res(u"Etap1.dat"_s), "stale");
    QFile::remove(game.src(u"dorv.java"_s));
    model::EventRowData& row = game.addRow(1, u"event"_s, u"(life==0)"_s);
    row.ActionText[1] = u"уровень-1"_s;
    row.ActionCode[1] = u"{etap=etap-1;}"_s;
    const QStringList written = game.convert();

    EXPECT_EQ(game.read(game.src(u"MyGameCanvas.java"_s)), QByteArray("// the author's own canvas\r\n"));
    EXPECT_FALSE(written.contains(game.src(u"MyGameCanvas.java"_s)));
    EXPECT_EQ(game.read(game.src(u"dorv.java"_s)), dorv);
    const QByteArray again = game.read(game.src(u"Etap0.java"_s));
    EXPECT_TRUE(again.endsWith("if((life==0)){{etap=etap-1;}};\r\n}}\r\n"));
    EXPECT_EQ(again.size(), stage0.size() + qsizetype(strlen("if((life==0)){{etap=etap-1;}};\r\n")));
    EXPECT_TRUE(test::dumpStageTables(game.read(game.res(u"Etap1.dat"_s)))
                    .startsWith(u"format %1\n"_s.arg(codegen::kStageTablesFormat)));
    // No temporary files are left behind: two stage classes, Indicators.java, GameValues.java, Sounds.java and
    // the runtime.
    EXPECT_EQ(game.files(u"src"_s).size(), qsizetype(2 + 3 + std::size(codegen::kFixedSources)));
    EXPECT_EQ(game.files(u"res"_s), (QStringList{u"Etap0.dat"_s, u"Etap1.dat"_s}));
}

TEST(Converter, StageTwelveIsNamedElevenAndTheApplicationSrcFolderIsLeftAlone)
{
    Game game;
    game.useGoldenTemplate();
    game.project.LevelCount = 12;
    const QString own = game.tmp.app().src() + u"/Etap11.java"_s;
    io::writeFileAtomically(own, "the application's own file");
    game.convert();

    EXPECT_EQ(game.files(u"src"_s).size(), qsizetype(12 + 3 + std::size(codegen::kFixedSources)));
    EXPECT_TRUE(QFileInfo::exists(game.res(u"Etap11.dat"_s)));
    const QByteArray stage = game.read(game.src(u"Etap11.java"_s));
    EXPECT_TRUE(stage.contains("public class Etap11 extends MyGameCanvas.Stage {\r\n"));
    EXPECT_TRUE(stage.contains("void load() throws java.io.IOException { tables(\"/Etap11.dat\"); } // etap11\r\n"));
    EXPECT_TRUE(stage.contains("return etap1data.keyCode1 + etap11; }   \r\n"));
    EXPECT_EQ(game.read(own), QByteArray("the application's own file"));
}

TEST(Converter, RefusesWithoutAProjectFolderAndWritesNothing)
{
    test::TempAppFolder tmp;
    model::Project project; // no project folder yet
    const QString cwd = QDir::currentPath();
    QDir::setCurrent(tmp.root());
    try {
        codegen::convertProject(project, tmp.app());
        ADD_FAILURE() << "converted without a project folder";
    } catch (const io::Error& e) {
        EXPECT_TRUE(e.message().contains(u"Папка проекта не выбрана"_s)) << e.message().toStdString();
    }
    QDir::setCurrent(cwd);
    EXPECT_FALSE(QFileInfo::exists(tmp.root() + u"/data.java"_s));
    EXPECT_TRUE(QDir(tmp.app().src()).isEmpty());

    project.ProjectDir = tmp.root() + u"/nowhere"_s;
    EXPECT_THROW(codegen::convertProject(project, tmp.app()), io::Error);
    EXPECT_FALSE(QFileInfo::exists(*project.ProjectDir));
}

TEST(Converter, AMissingPictureNamesStageObjectAndFileAndWritesNothing)
{
    Game game;
    game.project.LevelCount = 2;
    const int g = game.addActive(2, u"ghost"_s, 1);
    game.placeActive(2, g, 0, 0, false);
    game.placeActive(2, g, 0, 0);
    QFile::remove(game.objects(u"ghost.png"_s));
    try {
        game.convert();
        ADD_FAILURE() << "converted without the picture";
    } catch (const io::Error& e) {
        const QString m = e.message();
        EXPECT_TRUE(m.startsWith(u"Этап 2, активный объект 2 (файл «ghost.oba»)"_s)) << m.toStdString();
        EXPECT_TRUE(m.contains(QDir::toNativeSeparators(game.objects(u"ghost.png"_s)))) << m.toStdString();
    }
    EXPECT_TRUE(game.files(u"src"_s).isEmpty());
    EXPECT_TRUE(game.files(u"res"_s).isEmpty());
}

TEST(Converter, ACorruptPictureStopsTheConversionWithItsName)
{
    Game game;
    const int g = game.addFon(1, u"broken"_s, 1, 1, 0);
    game.placeFon(1, g, 0, 0);
    io::writeFileAtomically(game.objects(u"broken.png"_s), "not a picture");
    bool told = false;
    try {
        game.convert();
    } catch (const io::Error& e) {
        told = true;
        EXPECT_TRUE(e.message().startsWith(u"Этап 1, фоновый объект 1 (файл «broken.obf»): Файл «"_s))
            << e.message().toStdString();
        EXPECT_TRUE(e.message().contains(u"broken.png"_s));
    }
    EXPECT_TRUE(told);
    EXPECT_FALSE(QFileInfo::exists(game.res(u"broken.png"_s)));
    EXPECT_FALSE(QFileInfo::exists(game.src(u"MyGameCanvas.java"_s)));
}

TEST(Converter, ABadRefOrAMissingTemplateWritesNothing)
{
    Game game;
    const int g = game.addFon(1, u"tree"_s, 1, 1, 0);
    game.placeFon(1, g, 0, 0);
    game.project.stage(1).FonObject[1].Ref = u"три"_s;
    try {
        game.convert();
        ADD_FAILURE();
    } catch (const io::Error& e) {
        EXPECT_EQ(e.message(), u"Этап 1, фоновый объект 1 (файл «tree.obf»): номер группы «три» не является числом"_s);
    }
    game.project.stage(1).FonObject[1].Ref = u"7"_s;
    try {
        game.convert();
        ADD_FAILURE();
    } catch (const io::Error& e) {
        EXPECT_TRUE(e.message().startsWith(u"Этап 1, фоновый объект 1 (файл «tree.obf»): группы 7 в этапе нет"_s))
            << e.message().toStdString();
    }
    game.project.stage(1).FonObject[1].Ref = u"1"_s;
    QFile::remove(game.tmp.app().draftFile(u"Etap0.java"_s));
    try {
        game.convert();
        ADD_FAILURE();
    } catch (const io::Error& e) {
        EXPECT_TRUE(e.message().startsWith(u"Этап 1, класс этапа Etap0.java"_s)) << e.message().toStdString();
        EXPECT_TRUE(e.message().contains(QDir::toNativeSeparators(game.tmp.app().draftFile(u"Etap0.java"_s))));
    }
    EXPECT_TRUE(game.files(u"src"_s).isEmpty());
    EXPECT_TRUE(game.files(u"res"_s).isEmpty());
}

TEST(Converter, AFolderInPlaceOfAStageFileIsRefusedBeforeAnythingIsWritten)
{
    Game game;
    game.project.LevelCount = 2;
    const int g = game.addFon(1, u"tree"_s, 1, 1, 0);
    game.placeFon(1, g, 0, 0);
    ASSERT_TRUE(QDir().mkpath(game.res(u"Etap1.dat"_s))); // a folder where the file should go
    QStringList written;
    try {
        codegen::convertProject(game.project, game.tmp.app(), [&](const QString& f) { written.append(f); });
        ADD_FAILURE() << "a stage file could not be written, yet the conversion succeeded";
    } catch (const io::Error& e) {
        EXPECT_TRUE(e.message().contains(u"Etap1.dat"_s)) << e.message().toStdString();
    }
    EXPECT_TRUE(written.isEmpty()) << written.join(u' ').toStdString();
    EXPECT_TRUE(game.files(u"src"_s).isEmpty());
    EXPECT_TRUE(game.files(u"res"_s).isEmpty());
    EXPECT_TRUE(game.leftovers().isEmpty());
}

// A conversion that finds pictures it encoded before writes exactly what a
// conversion into empty src and res writes, whatever changed in between.
TEST(Converter, AnIncrementalConversionWritesWhatAFullOneWrites)
{
    Game game;
    game.useGoldenTemplate();
    buildGoldenProject(game);
    QImage noisy(64, 48, QImage::Format_ARGB32);
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x)
            noisy.setPixel(x, y, qRgba((x * 37) % 256, (y * 91) % 256, (x * y) % 256, 255));
    io::writePng(noisy, game.objects(u"enemy.png"_s));
    game.convert();
    ASSERT_TRUE(QFileInfo::exists(game.dir + u"/.kestrava-pictures"_s));
    auto snapshot = [](const QString& folder) { return test::folderSnapshot(folder).toStdString(); };
    auto full = [&] {
        for (const char* sub : {"/src", "/res"})
            EXPECT_TRUE(QDir(game.dir + QString::fromLatin1(sub)).removeRecursively());
        QFile::remove(game.dir + u"/.kestrava-pictures"_s);
        game.convert();
        return snapshot(game.dir + u"/src"_s) + snapshot(game.dir + u"/res"_s);
    };

    // A source changed at the same size, an output damaged at the same size, an output deleted.
    noisy.setPixel(5, 5, qRgba(1, 2, 3, 255));
    io::writePng(noisy, game.objects(u"enemy.png"_s));
    QByteArray damaged = game.read(game.res(u"hero.png"_s));
    damaged[damaged.size() / 2] = char(damaged[damaged.size() / 2] ^ 0x10);
    io::writeFileAtomically(game.res(u"hero.png"_s), damaged);
    ASSERT_TRUE(QFile::remove(game.res(u"стена.png"_s)));
    const QStringList written = game.convert();
    EXPECT_TRUE(written.contains(game.res(u"стена.png"_s)));
    const std::string incremental = snapshot(game.dir + u"/src"_s) + snapshot(game.dir + u"/res"_s);
    EXPECT_EQ(incremental, full());
    EXPECT_NE(io::readPng(game.res(u"enemy.png"_s)).pixel(5, 5), io::readPng(game.res(u"hero.png"_s)).pixel(5, 5));
    EXPECT_EQ(io::readPng(game.res(u"enemy.png"_s)).pixel(5, 5), qRgba(1, 2, 3, 255));

    // A damaged record only costs time.
    io::writeFileAtomically(game.dir + u"/.kestrava-pictures"_s, "damaged");
    io::writeFileAtomically(game.res(u"hero.png"_s), "not a picture");
    game.convert();
    EXPECT_EQ(snapshot(game.dir + u"/src"_s) + snapshot(game.dir + u"/res"_s), incremental);
}

// The record of converted pictures lies in the project folder, where a
// stranger may have written it: it spares encoding, it vouches for nothing.
TEST(Converter, APictureRecordCanSpareWorkButNeverPassAFileAsConverted)
{
    Game game;
    const int hero = game.addActive(1, u"hero"_s, 1);
    game.placeActive(1, hero, 0, 0);
    game.convert();
    const QString record = game.dir + u"/.kestrava-pictures"_s;
    ASSERT_TRUE(QFileInfo::exists(record));
    auto inode = [&] {
        struct stat info {};
        ::stat(QFile::encodeName(game.res(u"hero.png"_s)).constData(), &info);
        return info.st_ino;
    };
    const auto converted = inode();
    const QByteArray encoded = game.read(game.res(u"hero.png"_s));
    // A record signed with this installation's key, as if it had made it.
    const QByteArray key = codegen::PictureRecord::keyIn(game.tmp.app().root());
    ASSERT_EQ(key.size(), 32);
    EXPECT_EQ(codegen::PictureRecord::keyIn(game.tmp.app().root()), key);
    auto vouch = [&](const QByteArray& source, const QByteArray& inRes, const QByteArray& with) {
        codegen::PictureRecord crafted;
        crafted.set(u"hero.png"_s, {codegen::contentHash(source), codegen::contentHash(inRes), inRes.size()});
        io::writeFileAtomically(record, crafted.bytes(with));
    };

    // The honest record: the picture in res is not written again.
    game.convert();
    EXPECT_EQ(inode(), converted);

    // A stranger's picture of the source's size with bytes of its own in a
    // private chunk, and a record vouching for it made elsewhere: replaced.
    const QByteArray source = game.read(game.objects(u"hero.png"_s));
    QByteArray chunk = QByteArray("\0\0\0\x05prIvevil!", 13);
    const quint32 crc = libdeflate_crc32(0, chunk.constData() + 4, 9);
    for (int shift : {24, 16, 8, 0})
        chunk.append(char(crc >> shift));
    QByteArray forged = encoded;
    forged.insert(33, chunk); // after the signature and the header chunk
    ASSERT_TRUE(io::isWholePngOfSize(forged, QSize(48, 32)));
    io::writeFileAtomically(game.res(u"hero.png"_s), forged);
    for (const QByteArray& elsewhere : {QByteArray(32, 'k'), QByteArray()}) {
        vouch(source, forged, elsewhere);
        game.convert();
        EXPECT_EQ(game.read(game.res(u"hero.png"_s)), encoded);
        io::writeFileAtomically(game.res(u"hero.png"_s), forged);
    }
    // Signed with the key it would pass (what the key guards against).
    vouch(source, forged, key);
    game.convert();
    EXPECT_EQ(game.read(game.res(u"hero.png"_s)), forged);

    // A source that is no PNG never passes, whatever the record says.
    const QByteArray notPng("\xca\xfe\xba\xbe class bytes, not a picture");
    io::writeFileAtomically(game.objects(u"hero.png"_s), notPng);
    io::writeFileAtomically(game.res(u"hero.png"_s), notPng);
    vouch(notPng, notPng, key);
    const QString m = test::errorOf([&] { game.convert(); });
    EXPECT_TRUE(m.contains(u"hero.png"_s)) << m.toStdString();
    EXPECT_EQ(game.read(game.res(u"hero.png"_s)), notPng); // refused, so left as it was

    // A PNG source with a file in res that is none: encoded again.
    io::writePng(picture(48, 32, qRgb(200, 0, 0)), game.objects(u"hero.png"_s));
    vouch(game.read(game.objects(u"hero.png"_s)), notPng, key);
    game.convert();
    EXPECT_EQ(game.read(game.res(u"hero.png"_s)), encoded);
    // Nor a whole PNG of another size.
    const QByteArray small = io::encodePng(QImage(2, 2, QImage::Format_RGB32), u"s.png"_s);
    io::writeFileAtomically(game.res(u"hero.png"_s), small);
    vouch(game.read(game.objects(u"hero.png"_s)), small, key);
    game.convert();
    EXPECT_EQ(game.read(game.res(u"hero.png"_s)), encoded);
}

TEST(Converter, ABadPictureLeavesSrcAndResByteForByteAsTheyWere)
{
    Game game;
    game.useGoldenTemplate();
    buildGoldenProject(game);
    game.convert();
    EXPECT_TRUE(game.leftovers().isEmpty());
    auto snapshot = [](const QString& folder) { return test::folderSnapshot(folder).toStdString(); };

    // Made so that a new conversion would replace pictures in res and a stage class in src.
    QImage noisy(64, 64, QImage::Format_ARGB32);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            noisy.setPixel(x, y, qRgba((x * 37) % 256, (y * 91) % 256, (x * y) % 256, 255));
    for (const char* name : {"enemy.png", "grass.png", "стена.png"})
        io::writePng(noisy, game.objects(QString::fromUtf8(name)));
    game.addRow(1, u"event"_s, u"(life==0)"_s).ActionCode[1] = u"{etap=0;}"_s;
    const QByteArray valid = io::encodePng(noisy, u"hero.png"_s);
    ASSERT_GT(valid.size(), 100);

    for (const QByteArray& bad : {QByteArray(), valid.left(100)}) {
        io::writeFileAtomically(game.objects(u"hero.png"_s), bad);
        const std::string src = snapshot(game.dir + u"/src"_s);
        const std::string res = snapshot(game.dir + u"/res"_s);
        QStringList written;
        try {
            codegen::convertProject(game.project, game.tmp.app(), [&](const QString& f) { written.append(f); });
            ADD_FAILURE() << "converted with a bad picture of " << bad.size() << " bytes";
        } catch (const io::Error& e) {
            EXPECT_TRUE(e.message().startsWith(u"Этап 1, активный объект 3 (файл «hero.oba»): "_s)) << e.message().toStdString();
            EXPECT_TRUE(e.message().contains(QDir::toNativeSeparators(game.objects(u"hero.png"_s))));
        }
        EXPECT_TRUE(written.isEmpty());
        EXPECT_EQ(snapshot(game.dir + u"/src"_s), src) << bad.size();
        EXPECT_EQ(snapshot(game.dir + u"/res"_s), res) << bad.size();
        EXPECT_TRUE(game.leftovers().isEmpty()) << game.leftovers().join(u' ').toStdString();
    }

    // Missing output folders are not made by a refused conversion either.
    ASSERT_TRUE(QDir(game.dir + u"/src"_s).removeRecursively());
    ASSERT_TRUE(QDir(game.dir + u"/res"_s).removeRecursively());
    EXPECT_THROW(game.convert(), io::Error);
    EXPECT_FALSE(QFileInfo::exists(game.dir + u"/src"_s));
    EXPECT_FALSE(QFileInfo::exists(game.dir + u"/res"_s));
}

TEST(Converter, SrcAndResMustBeFoldersInsideTheProjectFolder)
{
    Game game;
    const int g = game.addFon(1, u"tree"_s, 1, 1, 0);
    game.placeFon(1, g, 0, 0);
    auto snapshot = [](const QString& folder) { return test::folderSnapshot(folder).toStdString(); };
    auto refusal = [&]() -> QString {
        try {
            game.convert();
        } catch (const io::Error& e) {
            return e.message();
        }
        return QString();
    };

    // res leading out of the project: refused, and what lies there stays untouched.
    const QString outside = game.tmp.makeDir(u"outside"_s);
    io::writeFileAtomically(outside + u"/tree.png"_s, "not ours");
    const std::string outsideBefore = snapshot(outside);
    ASSERT_TRUE(QDir(game.dir + u"/res"_s).removeRecursively());
    ASSERT_TRUE(QFile::link(outside, game.dir + u"/res"_s));
    QString m = refusal();
    EXPECT_TRUE(m.contains(QDir::toNativeSeparators(game.dir + u"/res"_s)) && m.contains(u"за пределы папки проекта"_s))
        << m.toStdString();
    EXPECT_EQ(snapshot(outside), outsideBefore);
    EXPECT_TRUE(game.files(u"src"_s).isEmpty());

    // A link to a folder inside the project is fine, and so is a project folder reached by a link.
    ASSERT_TRUE(QFile::remove(game.dir + u"/res"_s));
    ASSERT_TRUE(QDir().mkpath(game.dir + u"/build/res"_s));
    ASSERT_TRUE(QFile::link(game.dir + u"/build/res"_s, game.dir + u"/res"_s));
    const QString viaLink = game.tmp.root() + u"/game-link"_s;
    ASSERT_TRUE(QFile::link(game.dir, viaLink));
    game.project.ProjectDir = viaLink;
    EXPECT_EQ(refusal(), QString());
    EXPECT_TRUE(QFileInfo::exists(game.dir + u"/build/res/tree.png"_s));
    game.project.ProjectDir = game.dir;

    // A file in place of src, or a link to one, is refused and stays.
    const std::string res = snapshot(game.dir + u"/build/res"_s);
    ASSERT_TRUE(QDir(game.dir + u"/src"_s).removeRecursively());
    io::writeFileAtomically(game.dir + u"/src"_s, "a file");
    m = refusal();
    EXPECT_TRUE(m.contains(QDir::toNativeSeparators(game.dir + u"/src"_s)) && m.contains(u"находится файл"_s))
        << m.toStdString();
    EXPECT_EQ(game.read(game.dir + u"/src"_s), QByteArray("a file"));
    ASSERT_TRUE(QFile::rename(game.dir + u"/src"_s, outside + u"/file"_s));
    ASSERT_TRUE(QFile::link(outside + u"/file"_s, game.dir + u"/src"_s));
    EXPECT_TRUE(refusal().contains(u"находится файл"_s));
    EXPECT_EQ(game.read(outside + u"/file"_s), QByteArray("a file"));
    EXPECT_EQ(snapshot(game.dir + u"/build/res"_s), res);
    EXPECT_TRUE(game.leftovers().isEmpty());
}

// A picture, the weapon or the settings file of a stranger's project linked to
// a file elsewhere is refused by name: its bytes never reach res or the game.
TEST(Converter, NoReadFollowsALinkOutOfTheProject)
{
    Game game;
    const int hero = game.addActive(1, u"hero"_s, 1);
    game.placeActive(1, hero, 0, 0);
    const QString outside = game.tmp.makeDir(u"outside"_s);
    io::writePng(picture(48, 32, qRgb(1, 2, 3)), outside + u"/secret.png"_s);
    io::writeFileAtomically(outside + u"/secret.ini"_s, "[Weapon]\r\nFrame.count=3\r\n");
    auto linked = [&](const QString& target, const QString& at) {
        QFile::remove(at);
        return QFile::link(target, at);
    };

    ASSERT_TRUE(linked(outside + u"/secret.png"_s, game.objects(u"hero.png"_s)));
    QString m = test::errorOf([&] { game.convert(); });
    EXPECT_TRUE(m.contains(u"hero.png"_s) && m.contains(u"символическая ссылка"_s)) << m.toStdString();
    EXPECT_TRUE(game.files(u"res"_s).isEmpty());
    EXPECT_TRUE(game.files(u"src"_s).isEmpty());
    // A link to a file inside the project is no file of ours either.
    io::writePng(picture(48, 32, qRgb(200, 0, 0)), game.objects(u"real.png"_s));
    ASSERT_TRUE(linked(game.objects(u"real.png"_s), game.objects(u"hero.png"_s)));
    EXPECT_TRUE(test::errorOf([&] { game.convert(); }).contains(u"hero.png"_s));
    QFile::remove(game.objects(u"hero.png"_s));
    QFile::copy(game.objects(u"real.png"_s), game.objects(u"hero.png"_s));

    ASSERT_TRUE(linked(outside + u"/secret.png"_s, game.dir + u"/Weapon.png"_s));
    io::writeFileAtomically(game.dir + u"/layout.ini"_s, "[Weapon]\r\nFrame.count=1\r\n");
    m = test::errorOf([&] { game.convert(); });
    EXPECT_TRUE(m.contains(u"Weapon.png"_s)) << m.toStdString();
    QFile::remove(game.dir + u"/Weapon.png"_s);

    ASSERT_TRUE(linked(outside + u"/secret.ini"_s, game.dir + u"/layout.ini"_s));
    m = test::errorOf([&] { game.convert(); });
    EXPECT_TRUE(m.contains(u"layout.ini"_s) && m.contains(u"символическая ссылка"_s)) << m.toStdString();
    EXPECT_TRUE(game.files(u"res"_s).isEmpty());

    // The author's icon linked elsewhere: packaging may not take it into the jar.
    ASSERT_TRUE(linked(outside + u"/secret.png"_s, game.dir + u"/icon.png"_s));
    m = test::errorOf([&] { packaging::gameIcon(game.project, game.dir + u"/res"_s); });
    EXPECT_TRUE(m.contains(u"icon.png"_s) && m.contains(u"символическая ссылка"_s)) << m.toStdString();
    QFile::remove(game.dir + u"/icon.png"_s);

    // Without the links the same project converts.
    QFile::remove(game.dir + u"/layout.ini"_s);
    EXPECT_NO_THROW(game.convert());
    EXPECT_EQ(game.files(u"res"_s), (QStringList{u"Etap0.dat"_s, u"hero.png"_s}));
}

TEST(Converter, TheGameGetsPathsAimsTextsAndLivesBarInItsTablesAndTheIndicatorsInAClass)
{
    Game game;
    model::StageData& s = game.project.stage(1);
    const int hero = game.addActive(1, u"hero"_s, 1);
    const int ghost = game.addActive(1, u"ghost"_s, 2);
    game.placeActive(1, hero, 0, 0, false);
    game.placeActive(1, ghost, 10, 20);
    game.placeActive(1, hero, 30, 40);
    s.ActiveObject[2].Path[1] = {50, 60};
    s.ActiveObject[2].Path[2] = {70, 80};
    s.ActiveObject[2].PathCount = 2;
    model::EventRowData& row = game.addRow(1, u"event"_s, u"(obtime>0)"_s);
    row.ActionText[9] = u"режим: атака"_s;
    row.ActionCode[9] = u"{objtip[gr_obj[2][kr2]]=3;kd=kr1;}"_s;
    const int title = game.project.addTextObject(1);
    s.TextObject[size_t(title)] = {1, 2, -1, 1, 0, 1, 0x803000, 2, {QString(), u"Лес \"1\""_s, u"два"_s}, 90, 20};
    const int hidden = game.project.addTextObject(1);
    s.TextObject[size_t(hidden)].X = 0; // never given a place: not shown
    s.TextObject[size_t(hidden)].Y = 5;
    s.LivesBar = {8, 160, u"bar.bmp"_s, 40, 8, u"vert"_s, true};
    io::writeBmp(picture(40, 8, qRgb(220, 30, 40)), game.tmp.app().objectFile(u"bar.bmp"_s)); // the library's copy
    io::writeFileAtomically(game.dir + u"/layout.ini"_s,
                            "[Lifebar]\r\nPos.x=20\r\nfg=$000080FF\r\n[Font]\r\nSize=2\r\nBold=1\r\n");
    io::writePng(picture(50, 15, qRgb(0, 0, 255)), game.dir + u"/Weapon.png"_s);
    game.convert();

    const QStringList tables = test::dumpStageTables(game.read(game.res(u"Etap0.dat"_s))).split(u'\n');
    // The deleted object is left out, so the paths are those of the objects the game has, in order.
    EXPECT_TRUE(tables.contains(u"object 0: group 2, picture 0, frame w h, x y, slot: 24 32 10 20 2, path: 50 60 70 80"_s))
        << tables.join(u'\n').toStdString();
    // The hero's picture holds what the ghost's does: the game decodes it once.
    EXPECT_TRUE(tables.contains(u"object 1: group 1, picture 0, frame w h, x y, slot: 24 32 30 40 1, path: "_s));
    EXPECT_TRUE(tables.contains(u"pictures: /ghost.png"_s));
    EXPECT_TRUE(tables.contains(u"chase: 0 0 1"_s)); // group 2 aims at group 1
    EXPECT_TRUE(tables.contains(u"text 0: «Лес \"1\"» «два», x y face size style colour: 90 20 64 0 5 12416"_s));
    EXPECT_EQ(tables.filter(u"text "_s).size(), 1);
    EXPECT_TRUE(tables.contains(u"lives bar: present 1, picture «/bar.png», x y w h: 8 160 40 8, vertical 1"_s));
    EXPECT_TRUE(tables.contains(u"right soft key asked: 0"_s)); // the right soft key remains the way out
    EXPECT_EQ(io::readPng(game.res(u"bar.png"_s)).size(), QSize(40, 8));

    const QByteArray indicators = game.read(game.src(u"Indicators.java"_s));
    EXPECT_TRUE(indicators.contains("boolean present=true;"));
    EXPECT_TRUE(indicators.contains("int lifeX=20;int lifeY=10;"));   // a missing key keeps its default
    EXPECT_TRUE(indicators.contains("int lifeFg=16744448;"));         // $000080FF: red 255, green 128
    EXPECT_TRUE(indicators.contains("int fontSize=16;int fontStyle=1;"));
    EXPECT_TRUE(indicators.contains("String weaponPicture=\"/Weapon.png\";"));
    EXPECT_TRUE(QFileInfo(game.res(u"Weapon.png"_s)).isFile());

    // A second settings file leaves the game no single layout: refused, nothing written.
    const QByteArray before = game.read(game.src(u"Indicators.java"_s));
    io::writeFileAtomically(game.dir + u"/other.ini"_s, "[Timer]\r\n");
    EXPECT_TRUE(test::errorOf([&] { game.convert(); }).contains(u"layout.ini, other.ini"_s));
    EXPECT_EQ(game.read(game.src(u"Indicators.java"_s)), before);
    QFile::remove(game.dir + u"/other.ini"_s);
    io::writeFileAtomically(game.dir + u"/layout.ini"_s, "[Timer]\r\nbgr=clNoSuchColour\r\n");
    EXPECT_TRUE(test::errorOf([&] { game.convert(); }).contains(u"раздел [Timer], ключ bgr: «clNoSuchColour»"_s));
}

TEST(Converter, AnUneditedRuntimeOfAnEarlierVersionIsBroughtUpToDate)
{
    Game game;
    // The stage classes written now need this version's runtime.
    QFile::copy(test::testData(u"codegen/earlier/dorv.java"_s), game.src(u"dorv.java"_s));
    io::writeFileAtomically(game.src(u"MyGameCanvas.java"_s), "// edited by the author\r\n");
    QStringList written = game.convert();
    EXPECT_EQ(game.read(game.src(u"dorv.java"_s)), io::readWholeFile(game.tmp.app().draftFile(u"dorv.java"_s)));
    EXPECT_TRUE(written.contains(game.src(u"dorv.java"_s)));
    EXPECT_EQ(game.read(game.src(u"MyGameCanvas.java"_s)), QByteArray("// edited by the author\r\n"));
    // The author's canvas may do the work of the classes this version's canvas hands it to: none is added.
    for (const char* name : codegen::kFixedSources)
        EXPECT_EQ(QFileInfo::exists(game.src(QString::fromLatin1(name))),
                  qstrcmp(name, codegen::kMidletSource) == 0 || qstrcmp(name, codegen::kCanvasSource) == 0)
            << name;

    // This game has no title, score or sound: the classes for them are their stand-ins.
    const auto expectThisVersion = [&] {
        for (const char* name : codegen::kFixedSources)
            EXPECT_EQ(game.read(game.src(QString::fromLatin1(name))),
                      codegen::standInOf(name) ? QByteArray(codegen::standInOf(name))
                                               : io::readWholeFile(game.tmp.app().draftFile(QString::fromLatin1(name))))
                << name;
    };
    // The canvas that did all its work itself, unedited, makes way for this version's and its classes.
    QFile::remove(game.src(u"MyGameCanvas.java"_s));
    QFile::copy(test::testData(u"codegen/earlier/MyGameCanvas.java"_s), game.src(u"MyGameCanvas.java"_s));
    written = game.convert();
    expectThisVersion();
    // So does the canvas that handed its work to Movement and StageView, with both of them unedited.
    for (const char* name : {"MyGameCanvas.java", "Movement.java", "StageView.java"}) {
        const QString file = QString::fromLatin1(name);
        QFile::remove(game.src(file));
        QFile::copy(test::testData(u"codegen/earlier/three-classes/"_s + file), game.src(file));
    }
    for (const char* name : {"StageState.java", "StagePlay.java", "Keys.java", "Actor.java"})
        QFile::remove(game.src(QString::fromLatin1(name)));
    written = game.convert();
    expectThisVersion();
    // And the eight classes of the versions before, unedited: the one before the stage tables and the soft keys by
    // code (its two halves as each change left it), the one before it, and the one before touch screens.
    for (const QString folder : {u"codegen/earlier/data-classes/"_s, u"codegen/earlier/soft-keys-by-name/"_s,
                                 u"codegen/earlier/eight-classes/"_s, u"codegen/earlier/before-touch/"_s}) {
        for (const QString& file : QDir(test::testData(folder)).entryList(QDir::Files)) {
            QFile::remove(game.src(file));
            QFile::copy(test::testData(folder + file), game.src(file));
        }
        written = game.convert();
        expectThisVersion();
    }
    // A part deleted beside this version's canvas comes back.
    QFile::remove(game.src(u"StageView.java"_s));
    written = game.convert();
    EXPECT_EQ(written.filter(u"StageView.java"_s).size(), 1);

    // A title set: the whole classes replace their stand-ins; taken away, the stand-ins come back; an author's
    // edit of one stays either way.
    const auto draft = [&](const char* name) { return io::readWholeFile(game.tmp.app().draftFile(QString::fromLatin1(name))); };
    game.project.TitleScreen = model::TitleScreenData{u"Игра"_s, {}};
    game.project.TouchButtons = true;
    written = game.convert();
    EXPECT_EQ(game.read(game.src(u"TitleScreen.java"_s)), draft("TitleScreen.java"));
    EXPECT_EQ(game.read(game.src(u"GameRecords.java"_s)), draft("GameRecords.java"));
    EXPECT_EQ(game.read(game.src(u"Touch.java"_s)), draft("Touch.java"));
    game.project.TitleScreen.reset();
    game.project.TouchButtons = false;
    io::writeFileAtomically(game.src(u"GameRecords.java"_s), draft("GameRecords.java") + "// the author's\r\n");
    written = game.convert();
    EXPECT_EQ(game.read(game.src(u"TitleScreen.java"_s)), QByteArray(codegen::kSilentTitleScreen));
    EXPECT_EQ(game.read(game.src(u"Touch.java"_s)), QByteArray(codegen::kSilentTouch));
    EXPECT_EQ(game.read(game.src(u"GameRecords.java"_s)), draft("GameRecords.java") + "// the author's\r\n");
    EXPECT_TRUE(written.filter(u"GameRecords.java"_s).isEmpty());
}

TEST(Converter, ASheetThatAsksAboutTheRightSoftKeyGetsIt)
{
    const auto asks = [](const QString& condition) {
        model::StageData s;
        s.EventCount = 2;
        s.EventRow[1].CondCode = u"(obtime>0)"_s;
        s.EventRow[2].CondCode = condition;
        return codegen::asksRightSoftKey(s);
    };
    EXPECT_TRUE(asks(u"(etap1data.keyCode1==-7)"_s));  // "нажатие клавиши правая софт-клавиша"
    EXPECT_TRUE(asks(u"(dbkey==rs)"_s));                // its double press
    EXPECT_TRUE(asks(u"(etap3data.keyCode1 == -7)&&(life>0)"_s));
    EXPECT_FALSE(asks(u"(etap1data.keyCode1==-6)"_s)); // the left one
    EXPECT_FALSE(asks(u"(etap1data.keyCode1==-70)"_s));
    EXPECT_FALSE(asks(u"(dbkey==rsx)"_s));
    EXPECT_FALSE(asks(u"(life==-7)"_s));
    // A row beyond the sheet's count is no row of it.
    model::StageData beyond;
    beyond.EventCount = 1;
    beyond.EventRow[2].CondCode = u"(dbkey==rs)"_s;
    EXPECT_FALSE(codegen::asksRightSoftKey(beyond));
}

TEST(Converter, TheSoundSwitchTakesAKeyNoSheetAsksAbout)
{
    const auto stage = [](const QString& condition) {
        model::StageData s;
        s.EventCount = 1;
        s.EventRow[1].CondCode = condition;
        return s;
    };
    const auto free = stage(u"(etap1data.keyCode1==351)"_s);
    EXPECT_EQ(codegen::soundSwitchKey({free}), 35);
    EXPECT_EQ(codegen::soundSwitchKey({free, stage(u"(etap2data.keyCode2==35)"_s)}), 42);
    EXPECT_EQ(codegen::soundSwitchKey({stage(u"(dbkey==pound)"_s), stage(u"(etap2data.keyCode1==42)"_s)}), 0);
    EXPECT_EQ(codegen::soundSwitchKey({stage(u"(dbkey==pound)"_s), stage(u"(dbkey==starry)"_s)}), 42);
}

TEST(Converter, TheGamesIconIsTheHerosFirstFrameUnlessTheAuthorGivesOne)
{
    Game game;
    EXPECT_TRUE(packaging::gameIcon(game.project, game.dir + u"/res"_s).isNull()); // nothing to make it of
    const int enemy = game.addActive(1, u"enemy"_s, 2);
    const int hero = game.addActive(1, u"hero"_s, 1);
    // The hero's strip: a red frame and a blue one, 24 x 32 each.
    QImage strip = picture(48, 32, qRgb(200, 0, 0));
    for (int y = 0; y < 32; ++y)
        for (int x = 24; x < 48; ++x)
            strip.setPixel(x, y, qRgb(0, 0, 200));
    io::writePng(strip, game.objects(u"hero.png"_s));
    game.placeActive(1, enemy, 0, 0);
    game.placeActive(1, hero, 30, 40);
    game.convert();

    const QImage icon = packaging::gameIcon(game.project, game.dir + u"/res"_s);
    ASSERT_EQ(icon.size(), QSize(32, 32));
    // 24 x 32 fits as it is, in the middle: the first frame, and transparency beside it.
    EXPECT_EQ(icon.pixel(16, 16), qRgb(200, 0, 0));
    EXPECT_EQ(icon.pixel(27, 31), qRgb(200, 0, 0));
    EXPECT_EQ(qAlpha(icon.pixel(28, 16)), 0);
    EXPECT_EQ(qAlpha(icon.pixel(3, 16)), 0);

    // The author's own icon.png: as it is at a phone's icon size, else fitted.
    io::writePng(picture(16, 16, qRgb(1, 2, 3)), game.dir + u"/icon.png"_s);
    EXPECT_EQ(packaging::gameIcon(game.project, game.dir + u"/res"_s).size(), QSize(16, 16));
    io::writePng(picture(64, 17, qRgb(1, 2, 3)), game.dir + u"/icon.png"_s);
    const QImage wide = packaging::gameIcon(game.project, game.dir + u"/res"_s);
    EXPECT_EQ(wide.size(), QSize(32, 32));
    EXPECT_EQ(wide.pixel(16, 12), qRgb(1, 2, 3));
    EXPECT_EQ(qAlpha(wide.pixel(16, 3)), 0);
    io::writeFileAtomically(game.dir + u"/icon.png"_s, "not a picture");
    EXPECT_TRUE(test::errorOf([&] { packaging::gameIcon(game.project, game.dir + u"/res"_s); }).contains(u"icon.png"_s));
}

TEST(Converter, WhatStandsWherePicturesAndRuntimeSourcesGoIsNamedForWhatItIs)
{
    Game game;
    const int hero = game.addActive(1, u"hero"_s, 1);
    game.placeActive(1, hero, 0, 0);
    const QString at = game.objects(u"hero.png"_s);
    const QByteArray picture = game.read(at);
    auto refusedFor = [&](const QString& what) {
        const QString m = test::errorOf([&] { game.convert(); });
        EXPECT_TRUE(m.contains(QDir::toNativeSeparators(at)) && m.contains(what)) << m.toStdString();
        EXPECT_FALSE(m.contains(u"не найден"_s)) << m.toStdString();
        EXPECT_TRUE(game.files(u"res"_s).isEmpty());
    };
    QFile::remove(at);
    ASSERT_TRUE(QDir().mkdir(at));
    refusedFor(u"папка"_s);
    QDir().rmdir(at);
    ASSERT_EQ(::mkfifo(QFile::encodeName(at).constData(), 0600), 0);
    refusedFor(u"не обычный файл"_s);
    QFile::remove(at);
    ASSERT_TRUE(QFile::link(u"/dev/zero"_s, at));
    refusedFor(u"символическая ссылка"_s);
    QFile::remove(at);
    io::writeFileAtomically(at, picture);

    // A link where a runtime source goes is no edited canvas: refused by name, nothing written.
    const QString outside = game.tmp.makeDir(u"outside"_s);
    io::writeFileAtomically(outside + u"/Canvas.java"_s, "class MyGameCanvas {}");
    for (const QString& name : {u"MyGameCanvas.java"_s, u"StageState.java"_s}) {
        ASSERT_TRUE(QFile::link(outside + u"/Canvas.java"_s, game.src(name)));
        const QString m = test::errorOf([&] { game.convert(); });
        EXPECT_TRUE(m.contains(QDir::toNativeSeparators(game.src(name))) && m.contains(u"символическая ссылка"_s))
            << m.toStdString();
        EXPECT_EQ(game.files(u"src"_s), QStringList{name});
        QFile::remove(game.src(name));
    }
    EXPECT_NO_THROW(game.convert());
    EXPECT_EQ(game.files(u"res"_s), (QStringList{u"Etap0.dat"_s, u"hero.png"_s}));
}

TEST(Converter, RowsNamingLoopsTheyDoNotOpenAreToldWithTheExtrasFile)
{
    Game game;
    game.project.LevelCount = 2;
    const int coin = game.addActive(2, u"coin"_s, 1);
    game.placeActive(2, coin, 0, 0);
    game.addRow(2, u"comment"_s, u"kr9 in a comment row"_s);
    model::EventRowData& row = game.addRow(2, u"event"_s, u"(objvis[gr_obj[1][kr1]])"_s);
    row.ActionText[1] = u"спрятать"_s;
    row.ActionCode[1] = u"{objvis[gr_obj[3][kr3]]=false;}"_s;
    // Read without the extras file: no row opens kr1 or kr3.
    QStringList notes = codegen::unopenedLoopNotes(game.project);
    ASSERT_EQ(notes.size(), 1);
    EXPECT_TRUE(notes[0].startsWith(u"Этап 2, строка событий 2:"_s) && notes[0].contains(u"kr1, kr3"_s)
                && notes[0].contains(u"project.kestrava.json"_s))
        << notes[0].toStdString();
    // The condition's loop opened, the action's still not; then both.
    row.CondObjects[1] = u"1"_s;
    notes = codegen::unopenedLoopNotes(game.project);
    ASSERT_EQ(notes.size(), 1);
    EXPECT_TRUE(notes[0].contains(u"kr3"_s) && !notes[0].contains(u"kr1"_s)) << notes[0].toStdString();
    row.ActionObjects[1][1] = u"3"_s;
    EXPECT_TRUE(codegen::unopenedLoopNotes(game.project).isEmpty());
}
