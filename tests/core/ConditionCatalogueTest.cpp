#include "events/ConditionCatalogue.h"
#include "events/PhoneKeys.h"
#include "support/ErrorOf.h"

#include <gtest/gtest.h>

#include <set>

using namespace kestrava;
using namespace kestrava::events;
using namespace Qt::Literals::StringLiterals;

namespace {

std::string s(const QString& text) { return text.toStdString(); }

const ConditionItem& itemNamed(const QString& last)
{
    for (const ConditionItem& item : conditionCatalogue())
        if (item.path.last() == last)
            return item;
    throw std::runtime_error("no such condition: " + s(last));
}

// Object 2 and its second object 4, object 3 detected within 10..50, 1.5 s.
ConditionInput typical()
{
    ConditionInput in;
    in.arg = u"часы>5"_s;
    in.argCode = u"obtime_hour>5"_s;
    in.object = 2;
    in.other = 4;
    in.detected = 3;
    in.minRadius = 10;
    in.maxRadius = 50;
    in.time = 1500;
    in.keyName = u"#"_s;
    in.keyCode = u"35"_s;
    in.level = 3;
    return in;
}

struct Expected {
    int menu;
    QString path;
    QString caption;
    QString code;
    QStringList objects;
    int extraCount = 0;
};

TEST(ConditionCatalogue, EveryEnabledItemFillsItsTemplates)
{
    const QString x2 = u"obj[gr_obj[2][kr2]].getX()-obj[gr_obj[3][kr3]].getX()"_s;
    const QString y2 = u"obj[gr_obj[2][kr2]].getY()-obj[gr_obj[3][kr3]].getY()"_s;
    const QString detection = u"(("_s + x2 + u"<50)&("_s + x2 + u">-50)&("_s + y2 + u"<50)&("_s + y2
                              + u">-50)&(("_s + x2 + u">10)|("_s + x2 + u"<-10)|("_s + y2 + u">10)|("_s + y2
                              + u"<-10)))&(objtip[gr_obj[2][kr2]]!=5)"_s;
    const QStringList two{u"2"_s};
    const Expected table[] = {
        {1, u"Всегда"_s, u"Всегда"_s, u"(obtime>0)"_s, {}},
        {1, u"Сравнение двух значений"_s, u"часы>5"_s, u"(obtime_hour>5)"_s, {}, 1},
        {3, u"Начало уровня"_s, u"Начало уровня"_s, u"((obtime>=0)&(obtime<10))"_s, {}},
        {3, u"Конец уровня"_s, u"Конец уровня"_s, u"(etap_level==\"end\")"_s, {}},
        {3, u"Конец игры"_s, u"Конец игры"_s, u"(etap_game==\"end\")"_s, {}},
        {4, u"Сравнение общего число объектов со значением..."_s, u"кол-во объектов часы>5"_s,
         u"(nobjectobtime_hour>5)"_s, {}},
        {5, u"Нажатие на клавишу..."_s, u"нажатие клавиши #"_s, u"(etap3data.keyCode1==35)"_s, {}},
        {5, u"Двойное нажатие на клавишу..."_s, u"дв. нажатие клавиши #"_s, u"(dbkey==pound)"_s, {}},
        {5, u"Нажатие на любую клавишу"_s, u"Любая клавиша"_s, u"(anykey==true)"_s, {}},
        {6, u"Сравнение скорости игрока со значением..."_s, u"скорость часы>5"_s, u"(speedobtime_hour>5)"_s, {}},
        {6, u"Сравнение числа жизней игрока со значением.."_s, u"жизни часы>5"_s, u"(lifeobtime_hour>5)"_s, {}},
        {6, u"Когда число жизней игрока равно нулю"_s, u"Число жизней равно 0"_s, u"(life==0)"_s, {}},
        {7, u"Каждую..."_s, u"каждые часы>5"_s, u"(obtime-(obtime/1500)*1500==0)"_s, {}},
        {7, u"Таймер равен значению..."_s, u"Таймер равен часы>5"_s, u"((obtime>=1500)&(obtime<1500+10))"_s, {}},
        {7, u"Таймер больше значения..."_s, u"Таймер больше часы>5"_s, u"(obtime>1500)"_s, {}},
        {7, u"Таймер меньше значения..."_s, u"Таймер меньше часы>5"_s, u"(obtime<1500)"_s, {}},
        {8, u"обнаружение объекта"_s, u"часы>5"_s, detection, {u"2"_s, u"3"_s}, 1},
        {8, u"с активным объектом"_s, u"столкновение 2 с 4"_s,
         u"(obj[gr_obj[2][kr2]].collidesWith(obj[gr_obj[4][kr4]],false))"_s, {u"2"_s, u"4"_s}},
        {8, u"спокойствие"_s, u"спокойствие объекта 2"_s, u"(objtip[gr_obj[2][kr2]]==1)"_s, two},
        {8, u"перемещение"_s, u"перемещение объекта 2"_s, u"(objtip[gr_obj[2][kr2]]==2)"_s, two},
        {8, u"атака"_s, u"атака объекта 2"_s, u"(objtip[gr_obj[2][kr2]]==3)"_s, two},
        {8, u"смерть"_s, u"смерть объекта 2"_s, u"(objtip[gr_obj[2][kr2]]==5)"_s, two},
        {8, u"сравнение Х-координаты объекта со значением"_s, u"Х-координата объекта2 часы>5"_s,
         u"(obj[gr_obj[2][kr2]].getX()obtime_hour>5)"_s, two},
        {8, u"сравнение Y-координаты объекта со значением"_s, u"Y-координата объекта2 часы>5"_s,
         u"(obj[gr_obj[2][kr2]].getY()obtime_hour>5)"_s, two},
        {8, u"если объект видимый"_s, u"объект 2 видимый"_s, u"(vis_obj[gr_obj[2][kr2]]==true)"_s, two},
        {8, u"если объект невидимый"_s, u"объект 2 невидимый"_s, u"(vis_obj[gr_obj[2][kr2]]==false)"_s, two},
        {8, u"сравнение текущего кадра со значением..."_s, u"номер кадра2 часы>5"_s,
         u"(obj[gr_obj[2][kr2]].getFrame()obtime_hour>5)"_s, two},
    };

    std::set<std::string> enabled;
    for (const ConditionItem& item : conditionCatalogue())
        if (item.enabled)
            enabled.insert(s(item.path.last()));
    EXPECT_EQ(enabled.size(), std::size(table)) << "every enabled item has a row here";

    for (const Expected& row : table) {
        SCOPED_TRACE(s(row.path));
        const ConditionItem& item = itemNamed(row.path);
        EXPECT_TRUE(item.enabled);
        EXPECT_EQ(item.menu, row.menu);
        const Condition c = buildCondition(item, typical());
        EXPECT_EQ(s(c.caption), s(row.caption));
        EXPECT_EQ(s(c.code), s(row.code));
        EXPECT_EQ(c.objects, row.objects);
        EXPECT_EQ(c.extraCount, row.extraCount);
    }
}

TEST(ConditionCatalogue, DisabledItemsAndMenus)
{
    QList<QStringList> disabled;
    std::set<int> menus;
    for (const ConditionItem& item : conditionCatalogue()) {
        menus.insert(item.menu);
        if (!item.enabled) {
            disabled << item.path;
            EXPECT_TRUE(item.caption.isEmpty() && item.code.isEmpty());
        }
    }
    const QList<QStringList> expected{
        {u"---------"_s},
        {u"столкновение"_s, u"с любым фоновым объектом"_s},
        {u"анимация"_s, u"какая анимация проигрывается?"_s},
    };
    EXPECT_EQ(disabled, expected);
    EXPECT_EQ(menus, (std::set<int>{1, 2, 3, 4, 5, 6, 7, 8}));
    for (int icon = 8; icon <= 12; ++icon)
        EXPECT_EQ(conditionMenu(icon), 8) << icon;
    EXPECT_EQ(conditionMenu(7), 7);
    EXPECT_EQ(conditionMenu(0), 0);
    EXPECT_EQ(conditionMenu(13), 0);
}

TEST(ConditionCatalogue, TypicalChoices)
{
    ConditionInput every;
    every.arg = timerSetting(u"0"_s, u"5"_s, u"0"_s).arg;
    every.time = timerSetting(u"0"_s, u"5"_s, u"0"_s).time;
    EXPECT_EQ(s(every.arg), "0/5/0");
    EXPECT_EQ(s(buildCondition(itemNamed(u"Каждую..."_s), every).code), "(obtime-(obtime/5000)*5000==0)");

    ConditionInput second;
    second.time = timerSetting(u"0"_s, u"1"_s, u"0"_s).time;
    EXPECT_EQ(s(buildCondition(itemNamed(u"Таймер равен значению..."_s), second).code),
              "((obtime>=1000)&(obtime<1000+10))");

    ConditionInput collision;
    collision.object = 1;
    collision.other = 2;
    const Condition c = buildCondition(itemNamed(u"с активным объектом"_s), collision);
    EXPECT_EQ(c.objects, (QStringList{u"1"_s, u"2"_s}));
    EXPECT_EQ(s(c.caption), "столкновение 1 с 2");

    ConditionInput x;
    x.object = 2;
    x.arg = x.argCode = u">=100"_s;
    const Condition xc = buildCondition(itemNamed(u"сравнение Х-координаты объекта со значением"_s), x);
    EXPECT_EQ(s(xc.caption), "Х-координата объекта2 >=100");
    EXPECT_EQ(s(xc.code), "(obj[gr_obj[2][kr2]].getX()>=100)");

    ConditionInput five;
    five.keyName = u"5"_s;
    five.keyCode = u"53"_s;
    five.level = 1;
    EXPECT_EQ(s(buildCondition(itemNamed(u"Нажатие на клавишу..."_s), five).code), "(etap1data.keyCode1==53)");
}

TEST(ConditionCatalogue, EveryZeroIsRefusedOtherTimersTakeIt)
{
    ConditionInput zero;
    zero.arg = u"0/0/0"_s;
    EXPECT_EQ(s(test::errorOf([&] { buildCondition(itemNamed(u"Каждую..."_s), zero); })),
              "Условие «Каждую...» с временем 0 не проверить: игра делила бы на ноль. Введите время больше нуля.");
    EXPECT_EQ(s(buildCondition(itemNamed(u"Таймер больше значения..."_s), zero).code), "(obtime>0)");
}

TEST(ConditionCatalogue, DoublePressNamesEveryKeyInJava)
{
    for (const PhoneKey& key : phoneKeys()) {
        ConditionInput in;
        in.keyName = key.KeyName;
        const Condition c = buildCondition(itemNamed(u"Двойное нажатие на клавишу..."_s), in);
        EXPECT_EQ(c.caption, u"дв. нажатие клавиши "_s + key.KeyName);
        const QString name = c.code.mid(8, c.code.size() - 9);
        EXPECT_EQ(c.code, u"(dbkey=="_s + name + u")"_s);
        // A Java name or a digit: never "*" or "#".
        EXPECT_TRUE(name.size() == 1 ? name.at(0).isDigit() : name.at(0).isLetter()) << s(name);
    }
    EXPECT_EQ(s(doubleKeyName(u"*"_s)), "star");
    EXPECT_EQ(s(doubleKeyName(u"#"_s)), "pound");
}

TEST(ConditionCatalogue, TimerFieldsReadAsTheAuthorTypesThem)
{
    const struct {
        QString m, sec, h;
        int time;
    } cases[] = {
        {u"0"_s, u"5"_s, u"0"_s, 5000},
        {u"1,5"_s, u"0"_s, u"0"_s, 90000},
        {u" 0.25 "_s, u"1.5"_s, u"3"_s, 16530},
        {u"0"_s, u"0"_s, u"0,04"_s, 0},
        {u"0"_s, u"0"_s, u"0.05"_s, 1},
        {u"0"_s, u"0.0006"_s, u"0"_s, 1},
        {u"35791"_s, u"0"_s, u"0"_s, 2147460000},
    };
    for (const auto& c : cases) {
        const TimerSetting t = timerSetting(c.m, c.sec, c.h);
        EXPECT_EQ(t.time, c.time) << s(t.arg);
        EXPECT_EQ(t.arg, c.m + u'/' + c.sec + u'/' + c.h);
    }

    EXPECT_EQ(s(test::errorOf([] { timerSetting(u"0"_s, u" "_s, u"0"_s); })), "Поле «секунд»: введите число.");
    EXPECT_EQ(s(test::errorOf([] { timerSetting(u"пять"_s, u"0"_s, u"0"_s); })), "Поле «минут»: «пять» — не число.");
    EXPECT_EQ(s(test::errorOf([] { timerSetting(u"0"_s, u"0"_s, u"-1"_s); })),
              "Поле «сотых»: время не может быть отрицательным.");
    EXPECT_FALSE(test::errorOf([] { timerSetting(u"35792"_s, u"0"_s, u"0"_s); }).isEmpty())
        << "past a Java int of ms";
}

} // namespace
