#include "codegen/StageClass.h"
#include "io/Error.h"
#include "model/Project.h"

#include <gtest/gtest.h>

using namespace kestrava;
using namespace Qt::Literals::StringLiterals;

TEST(StageClass, TemplateLinesLoseLeadingWhiteSpaceAndEmptyLines)
{
    const QString text = u"  public class Etap0 {\r\n\r\n\t\tint a;  \r\n \r\n\n\rvoid events(){\r\n  \t\r\n"_s;
    EXPECT_EQ(codegen::templateLines(text), (QStringList{u"public class Etap0 {"_s, u"int a;  "_s, u"void events(){"_s}));
    EXPECT_EQ(codegen::templateLines(u"last line without end"_s), QStringList{u"last line without end"_s});
    EXPECT_TRUE(codegen::templateLines(u" \r\n\t "_s).isEmpty());
}

TEST(StageClass, StageNumberReplacesZeroInBothSpellings)
{
    const QString line = u"Etap0data d=new Etap0data();int k=etap0+etap1data.keyCode1;ETAP0"_s;
    EXPECT_EQ(codegen::renameStage(line, 1), line);
    EXPECT_EQ(codegen::renameStage(line, 12), u"Etap11data d=new Etap11data();int k=etap11+etap1data.keyCode1;ETAP0"_s);
    EXPECT_EQ(codegen::stageClassFileName(12), u"Etap11.java"_s);
}

TEST(StageClass, EventLineOpensOneLoopPerObjectNumber)
{
    // Each loop passes by the objects that are away: destroyed, or kept for an object not made yet.
    const auto skip = [](int n) { return u"if(obj[gr_obj[%1][kr%1]].away())continue;"_s.arg(n); };
    model::EventRowData row;
    row.CondCode = u"a>0"_s;
    row.CondObjects[1] = u"3"_s;
    row.ActionCode[1] = u"b=1;"_s;
    row.ActionObjects[1][1] = u"3"_s;
    row.ActionObjects[1][2] = u"5"_s;
    EXPECT_EQ(codegen::eventLine(row, 1),
              u"for(int kr3=0;kr3<=kol_obj[3]-1;kr3++){%1for(int kr5=0;kr5<=kol_obj[5]-1;kr5++){%2if(a>0){b=1;};}}"_s
                  .arg(skip(3), skip(5)));

    row.CondObjects[1].clear();
    row.ActionObjects[1][1].clear();
    row.ActionObjects[1][2].clear();
    EXPECT_EQ(codegen::eventLine(row, 1), u"if(a>0){b=1;};"_s);

    // A number named twice would declare its loop variable twice.
    row.CondObjects[1] = u"1"_s;
    row.CondObjects[2] = u"2"_s;
    row.CondObjects[3] = u"1"_s;
    row.ActionCode[2] = u"{kd=kr3;}"_s;
    row.ActionObjects[2][1] = u"3"_s;
    row.ActionObjects[2][2] = u"2"_s;
    row.ActionObjects[2][3] = u"3"_s;
    EXPECT_EQ(codegen::eventLine(row, 2),
              u"for(int kr1=0;kr1<=kol_obj[1]-1;kr1++){%1for(int kr2=0;kr2<=kol_obj[2]-1;kr2++){%2"
              u"for(int kr3=0;kr3<=kol_obj[3]-1;kr3++){%3if(a>0){{kd=kr3;}};}}}"_s.arg(skip(1), skip(2), skip(3)));
}

TEST(StageClass, EveryEventRowOfTheStageIsConvertedOthersAreNot)
{
    model::StageData stage;
    auto& rows = stage.EventRow;
    rows[1].Kind = u"event"_s;
    rows[1].CondCode = u"(c1)"_s;
    for (int m : {2, 7, 20}) {
        rows[1].ActionText[size_t(m)] = u"действие"_s;
        rows[1].ActionCode[size_t(m)] = u"{a%1();}"_s.arg(m);
    }
    rows[1].ActionCode[3] = u"{hidden();}"_s; // no caption: no action
    rows[2].Kind = u"group"_s;
    rows[2].ActionText[1] = u"x"_s;
    rows[3].Kind = u"comment"_s;
    rows[3].ActionText[1] = u"x"_s;
    rows[4].Kind = u"Event"_s;
    rows[4].ActionText[1] = u"x"_s;
    rows[11].Kind = u"event"_s;
    rows[11].CondCode = u"(c11)"_s;
    rows[11].ActionText[1] = u"x"_s;
    rows[11].ActionCode[1] = u"{a();}"_s;
    rows[50].Kind = u"event"_s;
    rows[50].CondCode = u"(c50)"_s;
    rows[50].ActionText[5] = u"x"_s;
    rows[50].ActionCode[5] = u"{z();}"_s;

    const QStringList templ{u"class Etap0{"_s, u"void events(){"_s};
    EXPECT_EQ(codegen::stageClassLines(templ, stage, 2),
              (QStringList{u"class Etap1{"_s, u"void events(){"_s, u"if((c1)){{a2();}};"_s, u"if((c1)){{a7();}};"_s,
                           u"if((c1)){{a20();}};"_s, u"if((c11)){{a();}};"_s, u"if((c50)){{z();}};"_s, u"}}"_s}));

    const QByteArray bytes = codegen::stageClass(templ, stage, 2, u"Etap1.java"_s);
    EXPECT_TRUE(bytes.startsWith("class Etap1{\r\nvoid events(){\r\nif((c1)){{a2();}};\r\n"));
    EXPECT_TRUE(bytes.endsWith("if((c50)){{z();}};\r\n}}\r\n"));

    model::StageData empty;
    EXPECT_EQ(codegen::stageClass(templ, empty, 1, u"Etap0.java"_s), QByteArray("class Etap0{\r\nvoid events(){\r\n}}\r\n"));
}

TEST(StageClass, TextOutsideWindows1251NamesStageRowAndFile)
{
    model::StageData stage;
    stage.EventRow[14].Kind = u"event"_s;
    stage.EventRow[14].CondCode = u"(a==1)"_s;
    stage.EventRow[14].ActionText[2] = u"жизни"_s;
    stage.EventRow[14].ActionCode[2] = u"{life=☺;}"_s;
    try {
        codegen::stageClass({u"void events(){"_s}, stage, 3, u"/game/src/Etap2.java"_s);
        ADD_FAILURE();
    } catch (const io::Error& e) {
        EXPECT_EQ(e.message(), u"Этап 3, строка событий 14, действие 2: символа «☺» нет в кодировке windows-1251, "
                               u"файл «/game/src/Etap2.java» не записан"_s);
    }
    // Cyrillic text is fine and comes out as windows-1251.
    stage.EventRow[14].ActionCode[2] = u"{/* жизни */}"_s;
    const QByteArray bytes = codegen::stageClass({u"void events(){"_s}, stage, 3, u"Etap2.java"_s);
    EXPECT_TRUE(bytes.contains("/* \xE6\xE8\xE7\xED\xE8 */"));
}

// A full sheet runs in several methods, joined at the ends of lines so every
// event line keeps its number (compiler messages find their rows by it).
TEST(StageClass, AFullSheetRunsInSeveralMethodsWithEveryLineInItsPlace)
{
    model::StageData stage;
    for (int r = 1; r <= model::kMaxEventRows; ++r) {
        model::EventRowData& row = stage.EventRow[size_t(r)];
        row.Kind = u"event"_s;
        row.CondCode = u"(obj[gr_obj[1][kr1]].collidesWith(obj[gr_obj[2][kr2]],false))"_s;
        for (int m = 1; m <= model::kMaxActions; ++m) {
            row.ActionText[size_t(m)] = u"x"_s;
            row.ActionCode[size_t(m)] = u"{mark(%1,%2);}"_s.arg(r).arg(m);
        }
    }
    const QStringList templ{u"class Etap0{"_s, u"void events(){"_s};
    const QStringList lines = codegen::stageClassLines(templ, stage, 1);
    const std::vector<codegen::EventLineOrigin> origins = codegen::eventLineOrigins(stage);
    ASSERT_EQ(qsizetype(origins.size()), model::kMaxEventRows * model::kMaxActions);
    ASSERT_EQ(lines.size(), templ.size() + qsizetype(origins.size()) + 1);
    for (size_t k = 0; k < origins.size(); ++k)
        ASSERT_TRUE(lines[templ.size() + qsizetype(k)].contains(u"mark(%1,%2)"_s.arg(origins[k].row).arg(origins[k].action)))
            << k;
    const QString all = lines.join(u'\n');
    const qsizetype methods = all.count(u"}void events"_s);
    EXPECT_GE(methods, 4);
    EXPECT_TRUE(lines[templ.size()].startsWith(u"events1();events2();"_s));
    EXPECT_TRUE(all.contains(u"events%1();}void events1(){"_s.arg(methods)));
    // Each method well under the limit: no part longer than twice the split size.
    for (const QString& part : all.split(u"}void events"_s).mid(1))
        EXPECT_LT(part.size(), 40 * 1024);

    // The other side: a sheet of a few rows stays one method.
    model::StageData small;
    small.EventRow[1] = stage.EventRow[1];
    EXPECT_FALSE(codegen::stageClassLines(templ, small, 1).join(u'\n').contains(u"events1"_s));
}
