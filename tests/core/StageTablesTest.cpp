#include "codegen/StageObjects.h"
#include "codegen/StageTables.h"
#include "io/Error.h"
#include "io/TextFile.h"
#include "model/Project.h"
#include "support/StageTablesDump.h"

#include <QRegularExpression>
#include <QStringList>

#include <gtest/gtest.h>

using namespace kestrava;
using namespace Qt::Literals::StringLiterals;

namespace {

// The stage's tables as the game reads them, a table a line.
QStringList tables(const model::Project& p, int level, const QHash<QString, QString>& inJar = {},
                   const QString& lives = {}, codegen::StageLoad* load = nullptr)
{
    const QByteArray bytes = codegen::stageTables(p.stage(level), codegen::emittedObjects(p, level), inJar, lives, load);
    QStringList result = test::dumpStageTables(bytes).split(u'\n');
    result.removeLast();
    return result;
}

int addFon(model::Project& p, int level, int columns, int rows)
{
    const int g = p.addFonGroup(level);
    model::FonGroupData& group = p.stage(level).FonGroup[size_t(g)];
    group.FileName = u"f%1.obf"_s.arg(g);
    group.PngName = u"f%1.png"_s.arg(g);
    group.setMapSize(columns, rows);
    return g;
}

int addActive(model::Project& p, int level)
{
    const int g = p.addActiveGroup(level);
    model::ActiveGroupData& group = p.stage(level).ActiveGroup[size_t(g)];
    group.FileName = u"a%1.oba"_s.arg(g);
    group.PngName = u"a%1.png"_s.arg(g);
    return g;
}

void placeFon(model::Project& p, int level, const QString& ref, bool exists = true)
{
    model::StageData& s = p.stage(level);
    model::FonObjectData& o = s.FonObject[size_t(++s.FonObjCount)];
    o.Ref = ref;
    o.X = 7 * s.FonObjCount;
    o.Y = -s.FonObjCount;
    o.Layer = s.FonObjCount;
    o.Exists = exists;
}

void placeActive(model::Project& p, int level, const QString& ref, bool exists = true)
{
    model::StageData& s = p.stage(level);
    model::ActiveObjectData& o = s.ActiveObject[size_t(++s.ActiveObjCount)];
    o.Ref = ref;
    o.GroupValue = qRound(ref.toDouble());
    o.X = 100 + s.ActiveObjCount;
    o.Exists = exists;
}

} // namespace

TEST(StageTables, AStageWithNothingPlacedHasEmptyTables)
{
    model::Project p;
    p.stage(1).EventCount = 4;
    EXPECT_EQ(tables(p, 1),
              (QStringList{u"format %1"_s.arg(codegen::kStageTablesFormat), u"pictures: "_s, u"group types: 0"_s,
                           u"frames of rest:  |  |  | "_s,
                           u"frames of movement:  |  |  | "_s, u"frames of death:  |  |  | "_s,
                           u"frames of attack:  |  |  | "_s, u"chase: 0"_s,
                           u"lives bar: present 0, picture «», x y w h: 0 0 0 0, vertical 0"_s,
                           u"right soft key asked: 0"_s,
                           u"motion (speed accel brake gravity fall jump): 0 0 0 50 800 600"_s, u"touch buttons: 0"_s}));
}

TEST(StageTables, MapCellsRowByRowEachDistinctMapOnceAndFramesCountedFromZero)
{
    model::Project p;
    const int g = addFon(p, 1, 2, 2);
    model::FonGroupData& group = p.stage(1).FonGroup[size_t(g)];
    group.setCell(1, 1, 1);
    group.setCell(1, 2, 254);
    group.setCell(2, 1, 0);
    group.setCell(2, 2, 255); // the first tile that takes three bytes
    const int other = addFon(p, 1, 1, 1);
    p.stage(1).FonGroup[size_t(other)].setCell(1, 1, model::kMaxTiles);
    placeFon(p, 1, u"1"_s);
    placeFon(p, 1, u"2"_s);
    placeFon(p, 1, u"1"_s);
    const int a = addActive(p, 1);
    p.stage(1).ActiveGroup[size_t(a)].Anim[1][1][2] = 1;
    p.stage(1).ActiveGroup[size_t(a)].Anim[2][1][2] = 2;
    p.stage(1).ActiveGroup[size_t(a)].Anim[3][1][2] = model::kMaxFrames + 1; // no strip has it
    p.stage(1).ActiveGroup[size_t(a)].Anim[1][4][4] = model::kMaxFrames;
    placeActive(p, 1, u"1"_s);

    const QStringList t = tables(p, 1);
    EXPECT_EQ(t.filter(QRegularExpression(u"^map "_s)), (QStringList{u"map 0: 1 254 0 255"_s, u"map 1: 500"_s}));
    EXPECT_TRUE(t.filter(u"background "_s)[2].endsWith(u", map 0"_s)) << t.join(u'\n').toStdString();
    EXPECT_TRUE(t.contains(u"frames of movement: {0,1} | {} | {} | {}"_s)) << t.join(u'\n').toStdString();
    EXPECT_TRUE(t.contains(u"frames of death: {} | {} | {} | {999}"_s)) << t.join(u'\n').toStdString();
    EXPECT_FALSE(t.filter(u"error"_s).size()) << t.join(u'\n').toStdString();
}

TEST(StageTables, OnlyExistingObjectsAreListedAndEachPictureOnceByItsNameInTheJar)
{
    model::Project p;
    const int a = addFon(p, 1, 1, 1);
    const int b = addFon(p, 1, 3, 1);
    p.stage(1).FonGroup[size_t(a)].Obstacle = 1;
    p.stage(1).FonGroup[size_t(b)].Obstacle = 2; // only 1 blocks
    placeFon(p, 1, u"1"_s);
    placeFon(p, 1, u"2"_s, false);
    placeFon(p, 1, u" 2 "_s);
    placeFon(p, 1, u"1"_s);
    const int h = addActive(p, 1);
    addActive(p, 1);
    p.stage(1).ActiveType[1] = model::MovementType::Static;
    p.stage(1).ActiveType[2] = model::MovementType::EightWay;
    p.stage(1).ActiveGroup[size_t(h)].TileWidth = 24;
    placeActive(p, 1, u"1"_s, false);
    placeActive(p, 1, u"2"_s);
    placeActive(p, 1, u"1.0"_s);

    // a2.png is in the jar as f2.png, which holds the same picture.
    const QStringList t = tables(p, 1, {{u"a2.png"_s, u"f2.png"_s}});
    EXPECT_EQ(t[1], u"pictures: /f1.png /f2.png /a1.png"_s);
    EXPECT_EQ(t.filter(u"background "_s),
              (QStringList{u"background 0: picture 0, tile w h, columns rows, x y: 0 0 1 1 7 -1, obstacle 1, slot 1, map 0"_s,
                           u"background 1: picture 1, tile w h, columns rows, x y: 0 0 3 1 21 -3, obstacle 0, slot 3, map 1"_s,
                           u"background 2: picture 0, tile w h, columns rows, x y: 0 0 1 1 28 -4, obstacle 1, slot 4, map 0"_s}));
    EXPECT_EQ(t.filter(u"object "_s),
              (QStringList{u"object 0: group 2, picture 1, frame w h, x y, slot: 0 0 102 0 0, path: "_s,
                           u"object 1: group 1, picture 2, frame w h, x y, slot: 24 0 103 0 0, path: "_s}));
    EXPECT_TRUE(t.contains(u"group types: 0 3 1"_s));
}

TEST(StageTables, WhatAStageHoldsOnceStartedIsCountedForTheBudget)
{
    model::Project p;
    const int g = addFon(p, 1, 10, 20);
    placeFon(p, 1, u"1"_s);
    placeFon(p, 1, u"1"_s);
    const int a = addActive(p, 1);
    p.stage(1).ActiveGroup[size_t(a)].Anim[1][1][1] = 1;
    placeActive(p, 1, u"1"_s);
    codegen::StageLoad load;
    tables(p, 1, {{u"a1.png"_s, u"f1.png"_s}}, u"lives.png"_s, &load);
    EXPECT_EQ(load.pictures, (QStringList{u"f1.png"_s, u"lives.png"_s})); // each picture once
    // Every placed map is a layer of its own: 200 cells of 4 bytes twice, with the object and its lists.
    EXPECT_GT(load.tableBytes, 2 * 200 * 4);
    EXPECT_LT(load.tableBytes, 2 * 200 * 4 + 4096);
    const qint64 smaller = load.tableBytes;
    p.stage(1).FonGroup[size_t(g)].setMapSize(20, 20);
    tables(p, 1, {}, {}, &load);
    EXPECT_GE(load.tableBytes - smaller, 2 * 200 * 4);
}

TEST(StageTables, AFullStageIsSmallAndATextNoPhoneReadsIsRefused)
{
    model::Project p;
    const int g = addFon(p, 1, model::kMaxMapColumns, model::kMaxMapRows);
    model::FonGroupData& group = p.stage(1).FonGroup[size_t(g)];
    for (size_t k = 0; k < group.Cells.size(); ++k)
        group.Cells[k] = int(k % 200);
    for (int k = 0; k < model::kMaxFonObjects; ++k)
        placeFon(p, 1, u"1"_s);
    // A hundred placed copies of one map: the map once, ten thousand bytes, and a few dozen a copy.
    const QByteArray bytes = codegen::stageTables(p.stage(1), codegen::emittedObjects(p, 1), {}, {});
    EXPECT_LT(bytes.size(), 10000 + model::kMaxFonObjects * 40 + 200);

    model::StageData& s = p.stage(1);
    s.TextCount = 1;
    s.TextObject[1].X = s.TextObject[1].Y = 10;
    s.TextObject[1].LineCount = 1;
    s.TextObject[1].Lines[1] = QString(32767, QChar(u'ж')); // two bytes each: 65534
    EXPECT_NO_THROW(codegen::stageTables(s, codegen::emittedObjects(p, 1), {}, {}));
    s.TextObject[1].Lines[1] += u'ж';
    try {
        codegen::stageTables(s, codegen::emittedObjects(p, 1), {}, {});
        ADD_FAILURE();
    } catch (const io::Error& e) {
        EXPECT_TRUE(e.message().startsWith(u"Этап 1, текст 1, строка 1: текст слишком длинный"_s)) << e.message().toStdString();
    }
}

TEST(StageObjects, PictureNamesAndRefs)
{
    EXPECT_EQ(codegen::pictureName(u"hero.oba"_s), u"hero.png"_s);
    EXPECT_EQ(codegen::pictureName(u"C:\\game\\objects\\tree.v2.png"_s), u"tree.v2.png"_s);
    EXPECT_EQ(codegen::pictureName(u"noext"_s), u"noext.png"_s);
    EXPECT_EQ(codegen::pictureName(QString()), QString());

    int g = 0;
    EXPECT_TRUE(codegen::groupOfRef(u"3"_s, &g));
    EXPECT_EQ(g, 3);
    EXPECT_TRUE(codegen::groupOfRef(u"2,5"_s, &g)); // nearest, a tie to even
    EXPECT_EQ(g, 2);
    EXPECT_TRUE(codegen::groupOfRef(u"2.7"_s, &g));
    EXPECT_EQ(g, 3);
    for (const QString& bad : {u""_s, u"  "_s, u"x1"_s, u"1e99"_s, u"nan"_s, u"inf"_s})
        EXPECT_FALSE(codegen::groupOfRef(bad, &g)) << bad.toStdString();
}

TEST(StageObjects, ObjectsThatCannotBeEmittedAreNamedInTheMessage)
{
    model::Project p;
    p.LevelCount = 3;
    const int a = addActive(p, 3);
    placeActive(p, 3, u"1"_s);
    placeActive(p, 3, u"abc"_s);
    p.stage(3).ActiveObject[2].FileName = u"hero.oba"_s;
    try {
        codegen::emittedObjects(p, 3);
        ADD_FAILURE();
    } catch (const io::Error& e) {
        EXPECT_EQ(e.message(), u"Этап 3, активный объект 2 (файл «hero.oba»): номер группы «abc» не является числом"_s);
    }
    // A deleted object is not looked at.
    p.stage(3).ActiveObject[2].Exists = false;
    EXPECT_EQ(codegen::emittedObjects(p, 3).active.size(), 1u);

    p.stage(3).ActiveGroup[size_t(a)].PngName.clear();
    try {
        codegen::emittedObjects(p, 3);
        ADD_FAILURE();
    } catch (const io::Error& e) {
        EXPECT_EQ(e.message(), u"Этап 3, активный объект 1: у группы 1 нет файла рисунка"_s);
    }

    // A file name holding "%2" is shown as it is, not filled in.
    p.stage(3).ActiveGroup[size_t(a)].PngName = u"a1.png"_s;
    p.stage(3).ActiveObject[1].Ref = u"4"_s;
    p.stage(3).ActiveObject[1].FileName = u"50%2.oba"_s;
    try {
        codegen::emittedObjects(p, 3);
        ADD_FAILURE();
    } catch (const io::Error& e) {
        EXPECT_EQ(e.message(), u"Этап 3, активный объект 1 (файл «50%2.oba»): группы 4 в этапе нет (активных групп в этапе: 1)"_s);
    }
}
