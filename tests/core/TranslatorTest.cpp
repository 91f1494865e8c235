#include "catalogue/PhoneKeys.h"
#include "catalogue/Translator.h"
#include "catalogue/Variables.h"
#include "catalogue/Words.h"
#include "events/Choosers.h"
#include "support/ErrorOf.h"

#include <QRect>
#include <QSet>

#include <gtest/gtest.h>

using namespace kestrava;
using namespace kestrava::catalogue;
using namespace kestrava::events;
using namespace Qt::Literals::StringLiterals;

namespace {

std::string s(const QString& text) { return text.toStdString(); }

TEST(Translator, WordsObjectFormsAndSignsBecomeJava)
{
    const std::pair<QString, QString> cases[] = {
        {u"часы"_s, u"obtime_hour"_s},
        {u"минуты"_s, u"obtime_minute"_s},
        {u"секунды"_s, u"obtime_second"_s},
        {u"сотые"_s, u"obtime_hundred"_s},
        {u"скорость"_s, u"speed"_s},
        {u"жизни"_s, u"life"_s},
        {u"высота"_s, u"height"_s},
        {u"ширина"_s, u"width"_s},
        {u"сум_объекты"_s, u"nobject"_s},
        {u"уровень"_s, u"level"_s},
        {u"число"_s, u"number"_s},
        {u"Х[объект1]"_s, u"obj[1].getX()"_s},
        {u"Y[объект0]"_s, u"obj[0].getY()"_s},
        {u"Xn[объект9]"_s, u"raspxobd[9]"_s},
        {u"Yn[объект3]"_s, u"raspyobd[3]"_s},
        {u"1 + часы"_s, u"1+obtime_hour"_s},
        {u" Х[объект2] * 2"_s, u"obj[2].getX()*2"_s},
        {u"(1+2)*3"_s, u"(1+2)*3"_s},
        {u"12"_s, u"12"_s},
        {u"21"_s, u"21"_s},
        {u"90 / 3 - 1"_s, u"90/3-1"_s},
        {u" сотые + сум_объекты "_s, u"obtime_hundred+nobject"_s},
        {u" Yn[объект1] -  Y[объект2] "_s, u"raspyobd[1]-obj[2].getY()"_s},
        // An object's speed is no game speed followed by a bracket.
        {u" скорость[объект1] "_s, u"obj[1].speedNow()"_s},
        {u"скорость - скорость[объект2]"_s, u"speed-obj[2].speedNow()"_s},
        {u"разгон[объект3]+торможение[объект3]"_s, u"obj[3].accel()+obj[3].brake()"_s},
        {u"Х касания - Y касания"_s, u"touch.x-touch.y"_s},
        {u"   "_s, u""_s},
        {u""_s, u""_s},
    };
    for (const auto& [readable, java] : cases)
        EXPECT_EQ(s(translateValue(readable)), s(java)) << s(readable);
}

TEST(Translator, TextOutsideTheVocabularyIsRefusedNamingIt)
{
    EXPECT_EQ(s(test::errorOf([] { translateValue(u"1 + кот"_s); })),
              s(u"Значение «1 + кот»: не удалось прочитать «кот»."_s));
    const std::pair<QString, QString> refused[] = {
        {u"сум"_s, u"«сум»"_s},
        {u"сум_объект"_s, u"«сум_объект»"_s},
        {u"сотая"_s, u"«сотая»"_s},
        {u"Х[объект12]"_s, u"«Х[объект12]»"_s},
        {u"Х[объекта]"_s, u"«Х[объекта]»"_s},
        {u"2 * Y[объект"_s, u"«Y[объект»"_s},
        {u"X[объект1]"_s, u"«X[объект1]»"_s},   // Latin X: only the Cyrillic one is a form
        {u"1,5"_s, u"«,5»"_s},
        {u"1.5"_s, u"«.5»"_s},
        {u"часы > 5"_s, u"«>»"_s},
        {u"abs 3"_s, u"«abs»"_s},
        {u"Часы"_s, u"«Часы»"_s},
        {u"Х касанияя"_s, u"«я»"_s},
        {u"скорость[объект]"_s, u"«[объект]»"_s},
        {u"1\t2"_s, u"«\\x092»"_s},
    };
    for (const auto& [value, part] : refused) {
        const QString message = test::errorOf([&] { translateValue(value); });
        EXPECT_TRUE(message.contains(u"не удалось прочитать "_s + part)) << s(value) << " -> " << s(message);
    }
}

TEST(Translator, ComparisonsAndRealNumbers)
{
    QStringList codes;
    for (const ComparisonOperator& op : comparisonOperators())
        codes << op.code;
    EXPECT_EQ(codes, (QStringList{u"=="_s, u"!="_s, u">"_s, u">="_s, u"<"_s, u"<="_s}));
    EXPECT_EQ(comparisonOperators()[3].caption, u"больше или равно"_s);

    EXPECT_EQ(readReal(u" 1,5 "_s), 1.5);
    EXPECT_EQ(readReal(u"1.5"_s), 1.5);
    EXPECT_EQ(readReal(u"-2"_s), -2.0);
    for (const QString& bad : {u""_s, u" "_s, u"1,2,3"_s, u"1,5 с"_s, u"abc"_s, u"nan"_s, u"inf"_s, u"1e999"_s})
        EXPECT_FALSE(readReal(bad).has_value()) << s(bad);
}

TEST(ValueWords, KeypadBuildsReadableText)
{
    QString text;
    keypadPress(text, KeypadButton::Digit, u'1');
    keypadPress(text, KeypadButton::Digit, u'x');
    keypadPress(text, KeypadButton::Plus);
    EXPECT_EQ(text, u"1 + "_s);
    keypadPress(text, KeypadButton::Delete);
    EXPECT_EQ(text, u"1 +"_s);
    keypadPress(text, KeypadButton::Clear);
    keypadPress(text, KeypadButton::Delete);
    EXPECT_EQ(text, u""_s);
    for (auto b : {KeypadButton::OpenBracket, KeypadButton::Minus, KeypadButton::CloseBracket, KeypadButton::Divide,
                   KeypadButton::Multiply})
        keypadPress(text, b);
    EXPECT_EQ(text, u"( - ) /  * "_s);
    EXPECT_EQ(s(translateValue(text)), "(-)/*") << "what the keypad writes can be read";
}

TEST(ValueWords, EveryEnabledMenuWordCanBeRead)
{
    int enabledCount = 0;
    for (int icon = 1; icon <= 11; ++icon) {
        for (const ValueMenuItem& item : valueMenu(icon, 7)) {
            EXPECT_EQ(item.enabled, !item.word.isEmpty()) << s(item.caption);
            if (!item.enabled)
                continue;
            ++enabledCount;
            EXPECT_NO_THROW(translateValue(item.word)) << s(item.word);
        }
    }
    // The mouse's two and every object word of the four object icons.
    EXPECT_EQ(enabledCount, 13 + 4 * 7);
    EXPECT_TRUE(valueMenu(12).isEmpty());
    EXPECT_TRUE(valueMenu(0).isEmpty());
    const QList<ValueMenuItem> objects = valueMenu(9, 2);
    EXPECT_EQ(objects[3].submenu, u"Текущая позиция "_s);
    EXPECT_EQ(objects[3].word, u" Х[объект2] "_s);
    EXPECT_EQ(s(translateValue(objects[8].word)), "raspyobd[2]");
}

TEST(PhoneKeysTable, KeysHaveTheirCodesAndDoNotOverlap)
{
    const auto& keys = phoneKeys();
    const auto find = [&](const QString& name) {
        for (const PhoneKey& key : keys)
            if (key.KeyName == name)
                return key;
        return PhoneKey{};
    };
    EXPECT_EQ(find(u"5"_s).KeyCode, u"53"_s);
    EXPECT_EQ(find(u"5"_s).caption, u"5"_s);
    EXPECT_EQ(find(u"venter"_s).caption, u"E"_s);
    EXPECT_EQ(find(u"venter"_s).KeyCode, u"-5"_s);
    QSet<QString> names;
    for (std::size_t i = 0; i < keys.size(); ++i) {
        names.insert(keys[i].description);
        const QRect a(keys[i].left, keys[i].top, kPhoneKeyWidth, kPhoneKeyHeight);
        for (std::size_t j = i + 1; j < keys.size(); ++j)
            EXPECT_FALSE(a.intersects(QRect(keys[j].left, keys[j].top, kPhoneKeyWidth, kPhoneKeyHeight)))
                << s(keys[i].KeyName) << " " << s(keys[j].KeyName);
    }
    EXPECT_EQ(names.size(), 19) << "each key can be told apart by ear";
}

TEST(ValueWords, NumberObjectHasFivePixelsOfSlackBothSides)
{
    // Icons 8, 9, 10 of the value chooser cover x 8..40, 56..88, 104..136 and y 80..112.
    EXPECT_EQ(numberObject(60, 90, 8, 3, 0), 2);
    EXPECT_EQ(numberObject(4, 90, 8, 3, 0), 1);      // 4 px left of icon 8
    EXPECT_EQ(numberObject(3, 90, 8, 3, 0), 0);      // 5 px left
    EXPECT_EQ(numberObject(45, 90, 8, 3, 7), 1);     // 4 px right of icon 8
    EXPECT_EQ(numberObject(46, 90, 8, 3, 7), 7);     // 5 px right
    EXPECT_EQ(numberObject(120, 76, 8, 3, 0), 3);    // 4 px above icon 10
    EXPECT_EQ(numberObject(120, 75, 8, 3, 0), 0);
    EXPECT_EQ(numberObject(120, 117, 8, 3, 0), 3);   // 4 px below
    EXPECT_EQ(numberObject(120, 118, 8, 3, 0), 0);
    EXPECT_EQ(numberObject(160, 90, 8, 3, 2), 2);    // icon 11 keeps the number
    EXPECT_EQ(numberObject(210, 90, 8, 5, 0), 5);    // the condition chooser's icon 12
    EXPECT_EQ(numberObject(20, 40, 8, 3, 2), 2);     // the upper row holds no objects
}

TEST(Translator, VariablesAreReadAsWholeWordsAndTheirNamesCannotHideAWord)
{
    const QList<model::GameVariableData> vars{{1, u"монеты"_s, 0, false}, {3, u"монетыВсего"_s, 0, true},
                                              {4, u"x2"_s, 0, false}};
    const QList<NamedValue> names = variableNames(vars);
    const std::pair<QString, QString> read[] = {
        {u"очки + 10"_s, u"GameValues.v0+10"_s},
        {u"монеты"_s, u"GameValues.v1"_s},
        {u"монетыВсего*2"_s, u"GameValues.v3*2"_s},
        {u"(x2 - монеты) / часы"_s, u"(GameValues.v4-GameValues.v1)/obtime_hour"_s},
        {u"Х[объект2] + x2"_s, u"obj[2].getX()+GameValues.v4"_s},
    };
    for (const auto& [readable, java] : read)
        EXPECT_EQ(s(translateValue(readable, names)), s(java)) << s(readable);
    // A name the project lacks, or one a known name only begins, is refused; without the
    // project's names even the score is unknown.
    for (const QString& unknown : {u"монетки"_s, u"монеты2"_s, u"очкиБонус"_s, u"x"_s})
        EXPECT_TRUE(test::errorOf([&] { translateValue(unknown, names); }).contains(u"не удалось прочитать"_s)) << s(unknown);
    EXPECT_FALSE(test::errorOf([&] { translateValue(u"очки"_s); }).isEmpty());
    // Values side by side would run together into another Java name: a sign must stand between.
    for (const QString& joined : {u"71 монеты"_s, u"часыминуты"_s, u"часы 5"_s, u"монеты монеты"_s, u"(1)2"_s, u"Х[объект1] 2"_s,
                                  u"2 Х[объект1]"_s})
        EXPECT_TRUE(test::errorOf([&] { translateValue(joined, names); }).contains(u"нужен знак"_s)) << s(joined);
    EXPECT_EQ(s(translateValue(u"12 * (монеты)"_s, names)), "12*(GameValues.v1)");

    // Names: letters and digits, from a letter, not taken in any case, no word values already read.
    EXPECT_TRUE(variableNameProblem(u"жизни2"_s, vars).isEmpty());
    EXPECT_TRUE(variableNameProblem(u"монеты"_s, vars, 1).isEmpty()) << "a variable keeps its own name";
    const std::pair<QString, QString> refused[] = {
        {u""_s, u"нет имени"_s},
        {u"МОНЕТЫ"_s, u"уже есть"_s},
        {u"Очки"_s, u"уже есть в каждой игре"_s},
        {u"часы"_s, u"слово"_s},
        {u"Жизни"_s, u"слово"_s},
        {u"таймер"_s, u"слово"_s},
        {u"Х"_s, u"слово"_s},
        {u"Yn"_s, u"слово"_s},
        {u"1а"_s, u"с буквы"_s},
        {u"а_б"_s, u"«_»"_s},
        {u"ﬀ"_s, u"с буквы"_s},
        {u"а٣"_s, u"«٣»"_s},
        {QString(24, u'я'), QString()},
        {QString(25, u'я'), u"длиннее 24"_s},
    };
    for (const auto& [name, fragment] : refused) {
        const QString problem = variableNameProblem(name, vars);
        if (fragment.isEmpty())
            EXPECT_TRUE(problem.isEmpty()) << s(problem);
        else
            EXPECT_TRUE(problem.contains(fragment)) << s(name) << ": " << s(problem);
    }
    QList<model::GameVariableData> many;
    for (int i = 1; i <= model::kMaxGameVariables + 1; ++i)
        many.append({i, u"v%1"_s.arg(i), 0, false});
    EXPECT_TRUE(variablesProblem(many).contains(u"не больше 50"_s));
    many.removeLast();
    EXPECT_TRUE(variablesProblem(many).isEmpty());
}

} // namespace
