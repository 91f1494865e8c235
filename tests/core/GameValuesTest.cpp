#include "catalogue/Item.h"
#include "catalogue/Variables.h"
#include "codegen/GameValuesClass.h"
#include "document/ProjectDocument.h"
#include "events/Sheet.h"
#include "support/ErrorOf.h"
#include "support/TempAppFolder.h"

#include <gtest/gtest.h>

using namespace kestrava;
using namespace Qt::Literals::StringLiterals;
using kestrava::test::errorOf;

namespace {

std::string s(const QString& text) { return text.toStdString(); }

const QList<model::GameVariableData> kVariables{{1, u"монеты"_s, 5, false}, {300, u"шаги"_s, -2, true}};

TEST(GameValues, TextsMarkTheValuesTheyShowAndLeaveOtherBracesAsText)
{
    const QChar mark(u'\u0001');
    const auto marked = [&](char16_t which) { return QString(mark) + QChar(which); };
    EXPECT_EQ(codegen::gameTextLine(u"Очки: {очки}"_s, kVariables), u"Очки: "_s + marked(0x100));
    EXPECT_EQ(codegen::gameTextLine(u"{монеты}/{шаги}!"_s, kVariables), marked(0x101) + u"/"_s + marked(0x100 + 300) + u"!"_s);
    EXPECT_EQ(codegen::gameTextLine(u"{жизни}{таймер}{уровень}"_s, kVariables), marked(0xFF01) + marked(0xFF02) + marked(0xFF03));
    // Braces that name nothing known, or are left open, are the author's text, as in older projects.
    for (const QString& plain : {u"{монетки} {}"_s, u"{очки"_s, u"}{"_s, u"a{b{очки}"_s.left(3)})
        EXPECT_EQ(codegen::gameTextLine(plain, kVariables), plain) << s(plain);
    EXPECT_EQ(codegen::gameTextLine(u"a{b{очки}"_s, kVariables), u"a{b{очки}"_s) << "«b{очки» is no name";

    // The same names are what the text editor accepts.
    const QStringList known = catalogue::textValueNames(kVariables);
    EXPECT_TRUE(catalogue::textValuesProblem({u"Очки: {очки}"_s, u"{шаги} {жизни} {"_s}, known).isEmpty());
    EXPECT_TRUE(catalogue::textValuesProblem({u"ok"_s, u"{монетки}"_s}, known).contains(u"«монетки»"_s));
}

TEST(GameValues, TheClassStartsEachVariableAndTheGameKeepsAScoreOnlyWhenItUsesOne)
{
    model::Project p;
    p.Variables = kVariables;
    p.TitleScreen = model::TitleScreenData{u"Игра \"1\"\\"_s, u"title.png"_s};
    codegen::JavaText out;
    codegen::writeGameValuesClass(out, p, true, u"title.png"_s);
    const QByteArray java = out.bytes();
    for (const char* part : {"static int v0;static int v1;static int v300;", "SCORED=true",
                             "TITLE=\"\\u0418\\u0433\\u0440\\u0430 \\u00221\\u0022\\u005c\";",
                             "TITLE_PICTURE=\"/title.png\";", "newGame(){v0=0;v1=5;v300=-2;}", "newStage(){v300=-2;}",
                             "case 300:return v300;"})
        EXPECT_TRUE(java.contains(part)) << part << "\n" << java.toStdString();
    for (char c : java)
        ASSERT_TRUE(c > 0) << "ASCII only";

    std::vector<model::StageData> stages(2);
    EXPECT_FALSE(codegen::usesScore(stages));
    stages[1].EventRow[3].ActionCode[2] = catalogue::variableJava(1) + u"=1;"_s;
    stages[1].EventRow[4].CondCode = u"(GameValues.v07>0)"_s;
    EXPECT_FALSE(codegen::usesScore(stages)) << "v1 and v07 are not the score";
    stages[1].TextObject[2].LineCount = 1;
    stages[1].TextObject[2].Lines[1] = codegen::gameTextLine(u"{очки}"_s, {});
    EXPECT_TRUE(codegen::usesScore(stages));
    stages[1].TextObject[2].Lines[1].clear();
    stages[0].EventRow[1].ActionCode[6] = catalogue::build(*catalogue::actionAt(6, u"очки/добавить…"_s),
                                                           {{u"V"_s, u"1"_s}, {u"VC"_s, u"1"_s}}).code;
    EXPECT_TRUE(codegen::usesScore(stages));
}

TEST(GameValues, ARenamedVariableKeepsItsRowsAndTheirCaptionsFollowInOneStep)
{
    test::TempAppFolder tmp;
    document::ProjectDocument doc(tmp.app());
    doc.create(tmp.makeDir(u"игра"_s) + u"/project.prg"_s);
    doc.setVariables(kVariables, 301);
    model::Project& p = doc.edit();
    const catalogue::Built add = catalogue::build(*catalogue::actionAt(1, u"переменная/добавить…"_s),
                                                  {{u"W"_s, u"300"_s}, {u"WN"_s, u"шаги"_s}, {u"V"_s, u"2"_s}, {u"VC"_s, u"2"_s}});
    events::newRow(p.stage(1), catalogue::buildCondition(1, u"Переменные/сравнение переменной со значением…"_s,
                                                         {{u"W"_s, u"300"_s}, {u"WN"_s, u"шаги"_s},
                                                          {u"A"_s, u">1"_s}, {u"AC"_s, u">1"_s}}));
    events::placeAction(p.stage(1), {1, 1}, add);
    EXPECT_EQ(s(p.stage(1).EventRow[1].ActionText[1]), "шаги + 2");

    QList<model::GameVariableData> renamed = kVariables;
    renamed[1].Name = u"ходы"_s;
    doc.setVariables(renamed, 301);
    const model::EventRowData& row = doc.project().stage(1).EventRow[1];
    EXPECT_EQ(s(row.ActionText[1]), "ходы + 2");
    EXPECT_EQ(s(row.CondText), "ходы >1");
    EXPECT_EQ(row.ActionCode[1], add.code) << "the Java names the id, not the name";
    doc.undoStack().undo();
    EXPECT_EQ(s(doc.project().stage(1).EventRow[1].ActionText[1]), "шаги + 2");
    EXPECT_EQ(doc.project().Variables, kVariables);

    // Refused whole: a taken name, an id not below the next.
    renamed[1].Name = u"Монеты"_s;
    EXPECT_TRUE(errorOf([&] { doc.setVariables(renamed, 301); }).contains(u"уже есть"_s));
    EXPECT_TRUE(errorOf([&] { doc.setVariables(kVariables, 300); }).contains(u"следующего"_s));
    EXPECT_EQ(doc.project().Variables, kVariables);
}

} // namespace
