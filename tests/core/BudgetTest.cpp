#include "io/Error.h"
#include "model/GameBudget.h"
#include "model/ScreenChoice.h"
#include "packaging/BudgetReport.h"
#include "support/ErrorOf.h"

#include <gtest/gtest.h>

using namespace kestrava;
using namespace Qt::Literals::StringLiterals;

TEST(GameBudget, EachHandsetHasItsBudgetAndAScreenOfOnesOwnTakesItsOrTheAuthors)
{
    EXPECT_EQ(model::handsetBudget({128, 128}), (model::GameBudgetData{64, 512}));
    EXPECT_EQ(model::handsetBudget({128, 160}), (model::GameBudgetData{128, 1024}));
    EXPECT_EQ(model::handsetBudget({176, 220}), (model::GameBudgetData{300, 2048}));
    EXPECT_EQ(model::handsetBudget({240, 320}), (model::GameBudgetData{1024, 4096}));
    EXPECT_EQ(model::handsetBudget({240, 321}), std::nullopt);
    // One's own screen: the largest handset screen it holds, else the smallest handset's.
    EXPECT_EQ(model::defaultBudget({176, 219}), (model::GameBudgetData{300, 2048})); // holds 176 x 208
    EXPECT_EQ(model::defaultBudget({175, 400}), (model::GameBudgetData{128, 1024})); // holds 128 x 160 only
    EXPECT_EQ(model::defaultBudget({240, 400}), (model::GameBudgetData{1024, 4096}));
    EXPECT_EQ(model::defaultBudget({100, 100}), (model::GameBudgetData{64, 512}));
    const model::GameBudgetData mine{500, 3000};
    EXPECT_EQ(model::gameBudget({200, 300}, mine), mine);
    EXPECT_EQ(model::gameBudget({200, 300}, std::nullopt), model::defaultBudget({200, 300}));
    EXPECT_EQ(model::gameBudget({128, 128}, mine), (model::GameBudgetData{64, 512})); // a handset's is its own

    // The figures from both sides of their bounds, named in the message.
    EXPECT_TRUE(model::gameBudgetProblem({16, 65536}).isEmpty());
    EXPECT_TRUE(model::gameBudgetProblem({15, 1000}).startsWith(u"Размер jar: 15 КБ"_s));
    EXPECT_TRUE(model::gameBudgetProblem({1000, 65537}).startsWith(u"Память игры: 65537 КБ"_s));
    EXPECT_EQ(model::parseBudgetBoxes(u" 300 "_s, u"2048"_s), (model::GameBudgetData{300, 2048}));
    EXPECT_TRUE(test::errorOf([] { model::parseBudgetBoxes(u"300"_s, u"2,5"_s); }).contains(u"«2,5» — не целое"_s));
    EXPECT_TRUE(test::errorOf([] { model::parseBudgetBoxes(u"8"_s, u"2048"_s); }).startsWith(u"Размер jar: 8 КБ"_s));
}

namespace {

// A game of one stage at 176 x 208 (300 KB, 2048 KB): its jar of the given
// bytes, and its stage with one picture and its tables of the given bytes.
packaging::BudgetReport report(qint64 jar, qint64 tables)
{
    model::Project project;
    codegen::ConversionSummary summary;
    summary.pictureSizes.insert(u"hero.png"_s, QSize(100, 50));
    summary.pictureSizes.insert(u"tree.png"_s, QSize(10, 10));
    summary.stages.push_back({1, {u"tree.png"_s, u"hero.png"_s}, tables});
    const std::vector<packaging::JarEntry> entries{{u"META-INF/MANIFEST.MF"_s, {}}, {u"hero.png"_s, {}},
                                                   {u"Etap0.dat"_s, {}}, {u"Etap0.class"_s, {}},
                                                   {u"Etap0$1.class"_s, {}}, {u"StageView.class"_s, {}}};
    return packaging::budgetReport(project, summary, entries, {100, 2000, 300, 400, 50, 1000}, jar);
}

} // namespace

TEST(BudgetReport, AGameJustUnderItsLimitsFitsAndOneByteOverIsNamedWithByHowMuch)
{
    const qint64 runtime = packaging::kRuntimeHeapBytes + 4 * 176 * 208;
    const qint64 pictures = 4 * (100 * 50 + 10 * 10);
    const qint64 heap = 2048 * 1024;
    const packaging::BudgetReport fits = report(300 * 1024, heap - runtime - pictures);
    EXPECT_EQ(fits.jarPictures, 2000);
    EXPECT_EQ(fits.jarTables, 300);
    EXPECT_EQ(fits.jarStageClasses, 450); // a stage's nested classes are its own
    EXPECT_EQ(fits.jarRuntime, 300 * 1024 - 2000 - 300 - 450);
    ASSERT_EQ(fits.stages.size(), 1u);
    EXPECT_EQ(fits.stages[0].total(), heap);
    EXPECT_EQ(fits.stages[0].largestPicture, u"hero.png"_s);
    EXPECT_TRUE(fits.overs().isEmpty()) << fits.lines().join(u'\n').toStdString();
    const QStringList lines = fits.lines();
    EXPECT_EQ(lines[0], u"Экран 176 x 208: jar до 300 КБ, память игры 2048 КБ."_s);
    EXPECT_TRUE(lines[1].startsWith(u"Архив игры: 300 КБ из 300 КБ (среда игры 298 КБ, рисунки 2 КБ, "_s))
        << lines[1].toStdString();
    EXPECT_TRUE(lines[2].startsWith(u"Этап 1: память 2048 КБ из 2048 КБ ("_s)) << lines[2].toStdString();
    EXPECT_TRUE(lines[2].contains(u"рисунки 20 КБ (больше всех «hero.png», 20 КБ)"_s)) << lines[2].toStdString();
    EXPECT_EQ(lines.size(), 3);

    const packaging::BudgetReport over = report(300 * 1024 + 1, heap - runtime - pictures + 1);
    EXPECT_EQ(over.overs(), (QStringList{u"архив игры 301 КБ при пределе 300 КБ: больше на 1 КБ"_s,
                                         u"этапу 1 нужно памяти 2049 КБ при пределе 2048 КБ: больше на 1 КБ"_s}));
    EXPECT_TRUE(over.lines().last().startsWith(u"Не уложится в телефон (экран 176 x 208): архив игры 301 КБ"_s));

    // Several stages over it are named together, the heaviest with by how much.
    packaging::BudgetReport many = over;
    for (int level : {2, 3, 5})
        many.stages.push_back({level, 0, heap + (level == 3 ? 4096 : 1024), 0, {}, 0});
    many.stages.push_back({4, 0, heap, 0, {}, 0});
    EXPECT_EQ(many.overs().last(), u"этапам 1–3, 5 нужно памяти до 2052 КБ при пределе 2048 КБ: больше на 4 КБ (этапу 3)"_s);
}
