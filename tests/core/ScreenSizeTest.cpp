#include "io/Error.h"
#include "model/GameSuite.h"
#include "model/ScreenChoice.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace kestrava;
using namespace kestrava::model;
using namespace Qt::Literals::StringLiterals;

TEST(ScreenSize, SizeBoxesAcceptBothSeparatorsAndRoundHalvesToEven)
{
    EXPECT_EQ(parseSizeBox(u"  120,5 "_s, u"w"_s), 120);
    EXPECT_EQ(parseSizeBox(u"120.5"_s, u"w"_s), 120);
    EXPECT_EQ(parseSizeBox(u"121,5"_s, u"w"_s), 122);
    EXPECT_EQ(parseSizeBox(u"160"_s, u"w"_s), 160);
    EXPECT_EQ(parseSizeBox(u"99,7"_s, u"w"_s), 100);
    EXPECT_EQ(parseSizeBox(u"-3"_s, u"w"_s), -3);
    for (const QString& bad : {u"abc"_s, u""_s, u"  "_s, u"12x"_s, u"1,2,3"_s, u"nan"_s, u"inf"_s, u"1e300"_s}) {
        try {
            parseSizeBox(bad, u"Ширина экрана"_s);
            ADD_FAILURE() << "accepted " << bad.toStdString();
        } catch (const io::Error& e) {
            EXPECT_TRUE(e.message().startsWith(u"Ширина экрана"_s)) << e.message().toStdString();
        }
    }
}

TEST(ScreenSize, ChoicesGiveTheirSizesAndABadBoxChangesNothing)
{
    const ScreenSize start{176, 208};
    EXPECT_EQ(applySizeChoice(start, ScreenSize{240, 320}, false, {}, {}), (ScreenSize{240, 320}));
    EXPECT_EQ(applySizeChoice({128, 160}, std::nullopt, false, u"x"_s, u"y"_s), (ScreenSize{128, 160}));
    EXPECT_EQ(applySizeChoice(start, std::nullopt, true, u" 120,5 "_s, u"160"_s), (ScreenSize{120, 160}));
    EXPECT_THROW(applySizeChoice(start, std::nullopt, true, u"wide"_s, u"160"_s), io::Error);
    // A side from 16 to 1000 points, both ends taken.
    EXPECT_EQ(applySizeChoice(start, std::nullopt, true, u"16"_s, u"1000"_s), (ScreenSize{16, 1000}));
    for (const auto& [w, h] : {std::pair{u"15"_s, u"100"_s}, std::pair{u"100"_s, u"1001"_s}, std::pair{u"0"_s, u"0"_s},
                               std::pair{u"-176"_s, u"208"_s}}) {
        try {
            applySizeChoice(start, std::nullopt, true, w, h);
            ADD_FAILURE() << "accepted " << w.toStdString() << " x " << h.toStdString();
        } catch (const io::Error& e) {
            EXPECT_TRUE(e.message().contains(u"от 16 до 1000"_s)) << e.message().toStdString();
        }
    }
    EXPECT_EQ(sizeButtonCaption({128, 176}), u"размер: 128 x 176"_s);
    // The handset screens offered; every one a screen a game can be made for, the usual one among them.
    EXPECT_EQ(handsetScreens().size(), 5u);
    EXPECT_TRUE(std::all_of(handsetScreens().begin(), handsetScreens().end(), model::isGameScreen));
    EXPECT_NE(std::find(handsetScreens().begin(), handsetScreens().end(), model::kDefaultGameScreen),
              handsetScreens().end());
}

TEST(GameSuite, VersionsPhonesCompareAndOneLineTexts)
{
    const auto problem = [](const QString& vendor, const QString& version, const QString& description) {
        return model::gameSuiteProblem({vendor, version, description});
    };
    for (const QString& good : {QString(), u"1.0"_s, u"0.0"_s, u"1.2.3"_s, u"99.99.99"_s})
        EXPECT_TRUE(problem({}, good, {}).isEmpty()) << good.toStdString();
    for (const QString& bad : {u"1"_s, u"1."_s, u"100.0"_s, u"1.0.0.0"_s, u"1.x"_s, u" 1.0"_s, u"1,0"_s})
        EXPECT_TRUE(problem({}, bad, {}).startsWith(u"Версия"_s)) << bad.toStdString();
    EXPECT_TRUE(problem(QString(model::kMaxSuiteText, u'я'), {}, QString(model::kMaxSuiteText, u'я')).isEmpty());
    EXPECT_TRUE(problem(QString(model::kMaxSuiteText + 1, u'я'), {}, {}).startsWith(u"Разработчик"_s));
    EXPECT_TRUE(problem({}, {}, u"две\nстроки"_s).startsWith(u"Описание"_s));
}
