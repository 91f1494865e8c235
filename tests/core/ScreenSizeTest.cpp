#include "io/Error.h"
#include "settings/ScreenSize.h"

#include <gtest/gtest.h>

using namespace kestrava;
using namespace kestrava::settings;
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
    const ScreenSize start{0, 0};
    EXPECT_EQ(applySizeChoice(start, ScreenSizeOption::Size128x176, {}, {}), (ScreenSize{128, 176}));
    EXPECT_EQ(applySizeChoice(start, ScreenSizeOption::Size128x128, {}, {}), (ScreenSize{128, 128}));
    EXPECT_EQ(applySizeChoice({5, 6}, ScreenSizeOption::None, u"x"_s, u"y"_s), (ScreenSize{5, 6}));
    EXPECT_EQ(applySizeChoice(start, ScreenSizeOption::Own, u" 120,5 "_s, u"160"_s), (ScreenSize{120, 160}));
    EXPECT_THROW(applySizeChoice(start, ScreenSizeOption::Own, u"wide"_s, u"160"_s), io::Error);
    EXPECT_EQ(sizeButtonCaption({128, 176}), u"размер: 128 x 176"_s);
    EXPECT_EQ(sizeButtonCaption({}), u"размер: 0 x 0"_s);
}
