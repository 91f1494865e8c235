#include "codegen/DataClass.h"
#include "codegen/StageObjects.h"
#include "io/Error.h"
#include "io/TextFile.h"
#include "model/Project.h"
#include "support/TempAppFolder.h"

#include <QList>

#include <gtest/gtest.h>

using namespace kestrava;
using namespace Qt::Literals::StringLiterals;

namespace {

QList<QByteArray> lines(const QByteArray& text)
{
    EXPECT_TRUE(text.endsWith("\r\n"));
    QList<QByteArray> result = text.split('\n');
    EXPECT_TRUE(result.last().isEmpty());
    result.removeLast();
    for (QByteArray& line : result) {
        EXPECT_TRUE(line.endsWith('\r')) << line.toStdString();
        line.chop(1);
    }
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

TEST(DataClass, StageWithNothingPlacedHasEmptyListsAndTheFixedLines)
{
    model::Project p;
    p.stage(1).EventCount = 4;
    const QList<QByteArray> l = lines(codegen::dataClass(p, 1));
    ASSERT_EQ(l.size(), 32);
    EXPECT_EQ(l[0], "public class Etap0data{boolean left,right,up,down,dvfire,dvobj1;int porag=4;");
    EXPECT_EQ(l[2], "int quanfon=0;");
    EXPECT_EQ(l[3], "boolean[]fon_obstacle={};");
    EXPECT_EQ(l[4], "int kol_events=4;");
    EXPECT_EQ(l[7], "int kolfon=0;");
    EXPECT_EQ(l[10], "String[]adfon={};");
    EXPECT_EQ(l[11], "int[][]pole={};");
    EXPECT_EQ(l[12], "int[]fonxt={1};");
    EXPECT_EQ(l[13], "int[]fonyt={1};");
    EXPECT_EQ(l[14], "int quanobj=0;");
    EXPECT_EQ(l[16], "int[]type_obj={0,};");
    EXPECT_EQ(l[17], "String[]adobj={};");
    EXPECT_EQ(l[20], "String adlives=\"/lives.png\";int lives_xt=11;int lives_yt=19;int lives_w=14;int lives_h=5;int kolstr=2;");
    for (int k : {23, 24, 25})
        EXPECT_TRUE(l[k].endsWith("={{},{},{},{},};")) << l[k].toStdString();
    EXPECT_EQ(l[23], "int[][][]obj_go={{},{},{},{},};");
    EXPECT_EQ(l[31], "void keyReleased(int keyCode){switch(keyCode){case 52:left=false;break;case 54:right=false;break;"
                     "case 50:up=false;break;case 56:down=false;break;}}}");
}

TEST(DataClass, MapCellsRowByRowAndFramesCountedFromZero)
{
    model::Project p;
    const int g = addFon(p, 1, 2, 2);
    model::FonGroupData& group = p.stage(1).FonGroup[size_t(g)];
    group.setCell(1, 1, 1);
    group.setCell(1, 2, 2);
    group.setCell(2, 1, 0);
    group.setCell(2, 2, 3);
    placeFon(p, 1, u"1"_s);
    const int a = addActive(p, 1);
    p.stage(1).ActiveGroup[size_t(a)].Anim[1][1][2] = 1;
    p.stage(1).ActiveGroup[size_t(a)].Anim[2][1][2] = 2;
    placeActive(p, 1, u"1"_s);

    const QList<QByteArray> l = lines(codegen::dataClass(p, 1));
    EXPECT_EQ(l[11], "int[][]pole={{1,2,0,3,},};");
    EXPECT_EQ(l[23], "int[][][]obj_go={{{0,1,},},{{},},{{},},{{},},};");
    EXPECT_EQ(l[24], "int[][][]obj_stop={{{},},{{},},{{},},{{},},};");
}

TEST(DataClass, OnlyExistingObjectsAreListedAndCounted)
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

    const QList<QByteArray> l = lines(codegen::dataClass(p, 1));
    EXPECT_EQ(l[2], "int quanfon=3;");
    EXPECT_EQ(l[3], "boolean[]fon_obstacle={true,false,true,};");
    EXPECT_EQ(l[5], "int[]columns={1,3,1,};");
    EXPECT_EQ(l[7], "int kolfon=3;");
    EXPECT_EQ(l[10], "String[]adfon={\"/f1.png\",\"/f2.png\",\"/f1.png\",};");
    EXPECT_EQ(l[11], "int[][]pole={{0,},{0,0,0,},{0,},};");
    EXPECT_EQ(l[12], "int[]fonxt={7,21,28,};");
    EXPECT_EQ(l[13], "int[]fonyt={-1,-3,-4,};");
    EXPECT_EQ(l[14], "int quanobj=2;");
    EXPECT_EQ(l[15], "int[]group_obj={2,1,};");
    EXPECT_EQ(l[16], "int[]type_obj={0,3,1,};");
    EXPECT_EQ(l[17], "String[]adobj={\"/a2.png\",\"/a1.png\",};");
    EXPECT_EQ(l[18], "int[]tileWidthob={0,24,};");
    EXPECT_EQ(l[21], "int[]raspxob={102,103,};");
    EXPECT_EQ(l[23], "int[][][]obj_go={{{},{},},{{},{},},{{},{},},{{},{},},};");
    EXPECT_EQ(l[27], "int[]number_fon={1,3,4,};");
}

TEST(DataClass, PictureNamesAndRefs)
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

TEST(DataClass, ObjectsThatCannotBeEmittedAreNamedInTheMessage)
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

// A text compared with its file as it is written says whether the file holds
// exactly those bytes, across many windows of comparison.
TEST(DataClass, ATextComparedWithItsFileFindsAnyDifference)
{
    test::TempAppFolder tmp;
    std::vector<int> numbers(300000);
    for (size_t k = 0; k < numbers.size(); ++k)
        numbers[k] = int(k * 7919 % 2000) - 500;
    codegen::JavaText whole;
    whole.ascii("int[]x={").elements(numbers.data(), numbers.size()).ascii("};").endLine();
    const QByteArray bytes = whole.bytes();
    ASSERT_GT(bytes.size(), 1 << 20);

    const QString path = tmp.root() + u"/Etap0data.java"_s;
    QByteArray last = bytes;
    last[last.size() - 3] = '7';
    for (const auto& [file, same] : {std::pair{bytes, true}, std::pair{last, false},
                                     std::pair{bytes + "\r\n", false}, std::pair{bytes.chopped(1), false}}) {
        io::writeFileAtomically(path, file);
        codegen::JavaText text;
        ASSERT_TRUE(text.compareWith(path));
        text.ascii("int[]x={").elements(numbers.data(), numbers.size()).ascii("};").endLine();
        EXPECT_EQ(text.matchesFile(), same) << file.size();
        EXPECT_TRUE(text.data().empty());
    }
    codegen::JavaText none;
    EXPECT_FALSE(none.compareWith(tmp.root() + u"/missing.java"_s));
}

namespace {

// The numbers a Java string literal's characters stand for (the escapes the
// data class writes: octal and Unicode ones, the rest as they are).
std::vector<int> literalChars(const QByteArray& literal)
{
    std::vector<int> values;
    for (qsizetype k = 0; k < literal.size(); ++k) {
        if (literal[k] != '\\') {
            values.push_back(uchar(literal[k]));
        } else if (literal[k + 1] == 'u') {
            values.push_back(literal.mid(k + 2, 4).toInt(nullptr, 16));
            k += 5;
        } else {
            values.push_back(literal.mid(k + 1, 3).toInt(nullptr, 8));
            k += 3;
        }
    }
    return values;
}

} // namespace

// Tables beyond the 64 KB of code a class file's constructor holds are written
// as string constants that stand for their numbers exactly; smaller ones as lists.
TEST(DataClass, AStageTooLargeForAConstructorHasItsMapsAndFramesAsStrings)
{
    model::Project p;
    const int g = addFon(p, 1, model::kMaxMapColumns, model::kMaxMapRows);
    model::FonGroupData& group = p.stage(1).FonGroup[size_t(g)];
    for (size_t k = 0; k < group.Cells.size(); ++k)
        group.Cells[k] = int(k % (model::kMaxTiles + 1)); // every tile number: quotes, backslashes, escapes
    placeFon(p, 1, u"1"_s);
    placeFon(p, 1, u"1"_s);
    const int a = addActive(p, 1);
    p.stage(1).ActiveGroup[size_t(a)].Anim[1][2][2] = 35; // '"' once counted from zero
    p.stage(1).ActiveGroup[size_t(a)].Anim[2][2][2] = 300;
    placeActive(p, 1, u"1"_s);

    const QByteArray text = codegen::dataClass(p, 1);
    const QList<QByteArray> l = lines(text);
    ASSERT_TRUE(l[11].startsWith("static final String map0=\"")) << l[11].left(60).toStdString();
    EXPECT_EQ(literalChars(l[11].mid(26, l[11].size() - 28)), group.Cells);
    EXPECT_EQ(l[12], "int[][]pole={unpack(map0),unpack(map0),};"); // one constant for equal maps
    EXPECT_TRUE(l[24].startsWith("int[][][]obj_go={{unpack(\"\"),},{unpack(\"\\042\\u012b\"),},")) << l[24].toStdString();
    EXPECT_TRUE(text.contains("static int[]unpack(String s){"));

    // The other side: a map a tenth as large keeps the plain form.
    group.setMapSize(10, model::kMaxMapRows);
    const QByteArray plain = codegen::dataClass(p, 1);
    EXPECT_FALSE(plain.contains("unpack"));
    EXPECT_EQ(lines(plain).size(), 32);
}
