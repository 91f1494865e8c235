#include "catalogue/Item.h"
#include "support/CatalogueSamples.h"
#include "support/ErrorOf.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>

using namespace kestrava;
using namespace kestrava::catalogue;
using namespace Qt::Literals::StringLiterals;

namespace {

std::string s(const QString& text) { return text.toStdString(); }

const Item& itemNamed(const QString& last)
{
    return test::itemNamed(Side::Condition, last);
}

// Object 2 and its second object 4, object 3 detected within 10..50, 1.5 s.
const Values typical{{u"A"_s, u"часы>5"_s}, {u"AC"_s, u"obtime_hour>5"_s}, {u"N"_s, u"2"_s}, {u"O"_s, u"4"_s},
                     {u"B"_s, u"3"_s},      {u"MIN"_s, u"10"_s},           {u"MAX"_s, u"50"_s}, {u"T"_s, u"1500"_s},
                     {u"K"_s, u"#"_s},      {u"KC"_s, u"35"_s},            {u"L"_s, u"3"_s}, {u"SND"_s, u"7"_s},
                     {u"W"_s, u"7"_s},      {u"WN"_s, u"монеты"_s}};

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
                              + u"<-10)))&(objtip[gr_obj[2][kr2]]!=5)&(!obj[gr_obj[2][kr2]].gone)"
                                u"&(!obj[gr_obj[3][kr3]].gone)"_s;
    const QStringList two{u"2"_s};
    const Expected table[] = {
        {1, u"Всегда"_s, u"Всегда"_s, u"(obtime>0)"_s, {}},
        {1, u"Сравнение двух значений"_s, u"часы>5"_s, u"(obtime_hour>5)"_s, {}, 1},
        {1, u"Переменные/сравнение переменной со значением…"_s, u"монеты часы>5"_s, u"(GameValues.v7obtime_hour>5)"_s,
         {}},
        {3, u"Начало уровня"_s, u"Начало уровня"_s, u"((obtime>=0)&(obtime<10))"_s, {}},
        {3, u"Конец уровня"_s, u"Конец уровня"_s, u"(etap_level==\"end\")"_s, {}},
        {3, u"Конец игры"_s, u"Конец игры"_s, u"(etap_game==\"end\")"_s, {}},
        {4, u"Сравнение общего числа объектов со значением..."_s, u"кол-во объектов часы>5"_s,
         u"(nobjectobtime_hour>5)"_s, {}},
        {5, u"Нажатие на клавишу..."_s, u"нажатие клавиши #"_s, u"(etap3data.keyCode1==35)"_s, {}},
        {5, u"Двойное нажатие на клавишу..."_s, u"дв. нажатие клавиши #"_s, u"(dbkey==pound)"_s, {}},
        {5, u"Нажатие на любую клавишу"_s, u"Любая клавиша"_s, u"(anykey==true)"_s, {}},
        {5, u"Касание экрана"_s, u"Касание экрана"_s, u"(touch.pressed)"_s, {}},
        {5, u"Касание объекта…"_s, u"касание объекта 4"_s, u"(obj[gr_obj[4][kr4]].tapped())"_s, {u"4"_s}},
        {5, u"Отпускание"_s, u"Отпускание"_s, u"(touch.released)"_s, {}},
        {6, u"Сравнение скорости игрока со значением..."_s, u"скорость часы>5"_s, u"(speedobtime_hour>5)"_s, {}},
        {6, u"Сравнение числа жизней игрока со значением..."_s, u"жизни часы>5"_s, u"(lifeobtime_hour>5)"_s, {}},
        {6, u"Когда число жизней игрока равно нулю"_s, u"Число жизней равно 0"_s, u"(life==0)"_s, {}},
        {2, u"Звук играет…"_s, u"звук 7 играет"_s, u"(Sounds.playing(7))"_s, {}},
        {2, u"Звук закончился…"_s, u"звук 7 закончился"_s, u"(Sounds.ended(7))"_s, {}},
        {2, u"Звуки выключены"_s, u"звуки выключены"_s, u"(!Sounds.on())"_s, {}},
        {7, u"Каждую..."_s, u"каждые часы>5"_s, u"(obtime-(obtime/1500)*1500==0)"_s, {}},
        {7, u"Таймер равен значению..."_s, u"Таймер равен часы>5"_s, u"((obtime>=1500)&(obtime<1500+10))"_s, {}},
        {7, u"Таймер больше значения..."_s, u"Таймер больше часы>5"_s, u"(obtime>1500)"_s, {}},
        {7, u"Таймер меньше значения..."_s, u"Таймер меньше часы>5"_s, u"(obtime<1500)"_s, {}},
        {8, u"обнаружение объекта"_s, u"часы>5"_s, detection, {u"2"_s, u"3"_s}, 1},
        {8, u"с активным объектом"_s, u"столкновение 2 с 4"_s,
         u"(obj[gr_obj[2][kr2]].collidesWith(obj[gr_obj[4][kr4]],false))"_s, {u"2"_s, u"4"_s}},
        {8, u"с любым фоновым объектом"_s, u"столкновение 2 со стеной"_s, u"(obj[gr_obj[2][kr2]].hitsWall())"_s, two},
        // Tested for each object of the group: the loop visits them.
        {8, u"режим/спокойствие"_s, u"спокойствие хотя бы одного объекта 2"_s, u"(objtip[gr_obj[2][kr2]]==1)"_s, two},
        {8, u"режим/перемещение"_s, u"перемещение хотя бы одного объекта 2"_s, u"(objtip[gr_obj[2][kr2]]==2)"_s, two},
        {8, u"режим/атака"_s, u"атака хотя бы одного объекта 2"_s, u"(objtip[gr_obj[2][kr2]]==3)"_s, two},
        {8, u"смерть"_s, u"смерть хотя бы одного объекта 2"_s, u"(objtip[gr_obj[2][kr2]]==5)"_s, two},
        {8, u"сравнение Х-координаты объекта со значением"_s, u"Х-координата хотя бы одного объекта2 часы>5"_s,
         u"(obj[gr_obj[2][kr2]].getX()obtime_hour>5)"_s, two},
        {8, u"сравнение Y-координаты объекта со значением"_s, u"Y-координата хотя бы одного объекта2 часы>5"_s,
         u"(obj[gr_obj[2][kr2]].getY()obtime_hour>5)"_s, two},
        {8, u"движение/на земле"_s, u"хотя бы один объект 2 на земле"_s, u"(obj[gr_obj[2][kr2]].onGround())"_s, two},
        {8, u"движение/в прыжке"_s, u"хотя бы один объект 2 в прыжке"_s, u"(obj[gr_obj[2][kr2]].jumping())"_s, two},
        {8, u"движение/падает"_s, u"хотя бы один объект 2 падает"_s, u"(obj[gr_obj[2][kr2]].falling())"_s, two},
        {8, u"если объект видимый"_s, u"хотя бы один объект 2 видимый"_s, u"(vis_obj[gr_obj[2][kr2]]==true)"_s, two},
        {8, u"если объект невидимый"_s, u"хотя бы один объект 2 невидимый"_s, u"(vis_obj[gr_obj[2][kr2]]==false)"_s,
         two},
        // The whole group at once: no loop, so the row's other actions run once.
        {8, u"если все объекты видимые"_s, u"все объекты 2 видимые"_s, u"(allVisible(2))"_s, {}},
        {8, u"если все объекты невидимые"_s, u"все объекты 2 невидимые"_s, u"(allHidden(2))"_s, {}},
        {8, u"сравнение текущего кадра со значением..."_s, u"номер кадра хотя бы одного объекта2 часы>5"_s,
         u"(obj[gr_obj[2][kr2]].shownFrame()obtime_hour>5)"_s, two},
        // "какая анимация проигрывается?": the state whose frames show.
        {8, u"какая анимация проигрывается?/спокойствие"_s, u"анимация хотя бы одного объекта 2: спокойствие"_s,
         u"(obj[gr_obj[2][kr2]].state==1)"_s, two},
        {8, u"какая анимация проигрывается?/перемещение"_s, u"анимация хотя бы одного объекта 2: перемещение"_s,
         u"(obj[gr_obj[2][kr2]].state==2)"_s, two},
        {8, u"какая анимация проигрывается?/атака"_s, u"анимация хотя бы одного объекта 2: атака"_s,
         u"(obj[gr_obj[2][kr2]].state==3)"_s, two},
        {8, u"какая анимация проигрывается?/уничтожение"_s, u"анимация хотя бы одного объекта 2: уничтожение"_s,
         u"(obj[gr_obj[2][kr2]].state==4)"_s, two},
    };

    std::set<std::string> enabled;
    for (const Item& item : conditionItems())
        if (item.enabled)
            enabled.insert(s(item.path.join(u'/')));
    EXPECT_EQ(enabled.size(), std::size(table)) << "every enabled item has a row here";

    for (const Expected& row : table) {
        SCOPED_TRACE(s(row.path));
        const Item& item = itemNamed(row.path);
        EXPECT_TRUE(item.enabled);
        EXPECT_EQ(item.menu, row.menu);
        const Built c = build(item, typical);
        EXPECT_EQ(s(c.caption), s(row.caption));
        EXPECT_EQ(s(c.code), s(row.code));
        EXPECT_EQ(c.objects, row.objects);
        EXPECT_EQ(c.extraCount, row.extraCount);
    }
}

TEST(ConditionCatalogue, DisabledItemsAndTheSharedObjectMenu)
{
    QList<QStringList> disabled;
    for (const Item& item : conditionItems())
        if (!item.enabled)
            disabled << item.path;
    EXPECT_EQ(disabled, QList<QStringList>{});
    for (int icon = 0; icon <= 13; ++icon)
        EXPECT_EQ(conditionMenu(icon), icon >= 8 && icon <= 12 ? 8 : (icon <= 7 ? icon : 0)) << icon;
}

Built built(const QString& item, const Values& values)
{
    return build(itemNamed(item), values);
}

TEST(ConditionCatalogue, TypicalChoices)
{
    const TimerSetting fiveSeconds = timerSetting(u"0"_s, u"5"_s, u"0"_s);
    EXPECT_EQ(s(fiveSeconds.arg), "0/5/0");
    EXPECT_EQ(s(built(u"Каждую..."_s, {{u"T"_s, QString::number(fiveSeconds.time)}}).code),
              "(obtime-(obtime/5000)*5000==0)");
    EXPECT_EQ(s(built(u"Таймер равен значению..."_s,
                      {{u"T"_s, QString::number(timerSetting(u"0"_s, u"1"_s, u"0"_s).time)}})
                    .code),
              "((obtime>=1000)&(obtime<1000+10))");
    EXPECT_EQ(s(test::errorOf([] { built(u"Каждую..."_s, {}); })),
              "Условие «Каждую...» с временем 0 не проверить: игра делила бы на ноль. Введите время больше нуля.");
    EXPECT_EQ(s(built(u"Таймер больше значения..."_s, {}).code), "(obtime>0)");

    const Built collision = built(u"с активным объектом"_s, {{u"N"_s, u"1"_s}, {u"O"_s, u"2"_s}});
    EXPECT_EQ(collision.objects, (QStringList{u"1"_s, u"2"_s}));
    EXPECT_EQ(s(collision.caption), "столкновение 1 с 2");

    const Built x = built(u"сравнение Х-координаты объекта со значением"_s,
                          {{u"N"_s, u"2"_s}, {u"A"_s, u">=100"_s}, {u"AC"_s, u">=100"_s}});
    EXPECT_EQ(s(x.caption), "Х-координата хотя бы одного объекта2 >=100");
    EXPECT_EQ(s(x.code), "(obj[gr_obj[2][kr2]].getX()>=100)");

    EXPECT_EQ(s(built(u"Нажатие на клавишу..."_s, {{u"K"_s, u"5"_s}, {u"KC"_s, u"53"_s}, {u"L"_s, u"1"_s}}).code),
              "(etap1data.keyCode1==53)");
    const Built star = built(u"Двойное нажатие на клавишу..."_s, {{u"K"_s, u"*"_s}});
    EXPECT_EQ(s(star.caption), "дв. нажатие клавиши *");
    EXPECT_EQ(s(star.code), "(dbkey==star)");
    // A value holding a token is put in as it stands, never filled again.
    EXPECT_EQ(s(built(u"Сравнение двух значений"_s, {{u"A"_s, u"%N%KD"_s}, {u"N"_s, u"3"_s}}).caption), "%N%KD");
}

TEST(ActionCatalogue, TemplatesFillWithValueGroupAndTarget)
{
    const auto action = [](const QString& last, const Values& values) {
        return build(test::itemNamed(Side::Action, last), values);
    };
    EXPECT_EQ(action(u"переход на уровень"_s, test::actionValues(0, u"4"_s)).code, u"{etap=4-1;}"_s);
    // "добавить" reads right for a decrement too.
    const Item* faster = findItem(Side::Action, u"6:скорость/добавить"_s);
    ASSERT_NE(faster, nullptr);
    EXPECT_EQ(build(*faster, {{u"V"_s, u"часы"_s}, {u"VC"_s, u"obtime_hour"_s}}).caption,
              u"изменение скорости на часы"_s);
    const Built avoid = action(u"избегание"_s, test::actionValues(4, {}, 2));
    EXPECT_EQ(avoid.code, u"{objtip[gr_obj[4][kr4]]=4;kd=kr2;}"_s);
    EXPECT_EQ(avoid.objects, (QStringList{u"4"_s, u"2"_s}));
    // Every enabled item of an object column names its group; no other item does.
    for (const Item& item : actionItems()) {
        if (!item.enabled)
            continue;
        const Built a = build(item, test::actionValues(7, u"1"_s, 3));
        SCOPED_TRACE(item.path.join(u'/').toStdString());
        EXPECT_EQ(a.code.contains(u"kr7"_s), item.menu == int(ColumnMenu::ObjectActions));
        EXPECT_TRUE(a.code.startsWith(u'{') && a.code.endsWith(u'}'));
        EXPECT_FALSE(a.caption.contains(u'%') || a.code.contains(u'%'));
        // Each item is found again by the key its record keeps.
        EXPECT_EQ(findItem(Side::Action, a.record.item), &item);
    }
}

TEST(ConditionCatalogue, TimerFieldsReadAsTheAuthorTypesThem)
{
    const struct {
        QString m, sec, h;
        int time;
    } cases[] = {
        {u"1,5"_s, u"0"_s, u"0"_s, 90000},
        {u" 0.25 "_s, u"1.5"_s, u"3"_s, 16530},
        {u"0"_s, u"0"_s, u"0,04"_s, 0},
        {u"0"_s, u"0.0006"_s, u"0.05"_s, 1}, // the total is rounded, not each field
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
    EXPECT_FALSE(test::errorOf([] { timerSetting(u"35792"_s, u"0"_s, u"0"_s); }).isEmpty()) << "past a Java int";
}

} // namespace
