#include "events/ConditionCatalogue.h"

#include "events/RowRecords.h"
#include "events/Translator.h"
#include "io/Error.h"

#include <array>
#include <cmath>
#include <limits>
#include <utility>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::events {

namespace {

ConditionItem disabled(int menu, QStringList path)
{
    ConditionItem item;
    item.menu = menu;
    item.path = std::move(path);
    item.enabled = false;
    return item;
}

ConditionItem item(int menu, QStringList path, ConditionDialog dialog, QString caption, QString code,
                   QStringList objects = {})
{
    ConditionItem item;
    item.menu = menu;
    item.path = std::move(path);
    item.dialog = dialog;
    item.caption = std::move(caption);
    item.code = std::move(code);
    item.objects = std::move(objects);
    return item;
}

// The object of group `token` the generated loop visits.
QString object(const QString& token)
{
    return u"gr_obj["_s + token + u"][kr"_s + token + u"]"_s;
}

// Within MAX of N on both axes, beyond MIN on one of them, N not dead.
QString detectionCode()
{
    const QString a = object(u"%N"_s);
    const QString b = object(u"%B"_s);
    const QString dx = u"obj["_s + a + u"].getX()-obj["_s + b + u"].getX()"_s;
    const QString dy = u"obj["_s + a + u"].getY()-obj["_s + b + u"].getY()"_s;
    return u"(("_s + dx + u"<%MAX)&("_s + dx + u">-%MAX)&("_s + dy + u"<%MAX)&("_s + dy + u">-%MAX)&(("_s + dx
           + u">%MIN)|("_s + dx + u"<-%MIN)|("_s + dy + u">%MIN)|("_s + dy + u"<-%MIN)))&(objtip["_s + a
           + u"]!=5)"_s;
}

std::vector<ConditionItem> build()
{
    using D = ConditionDialog;
    constexpr int O = kFirstObjectIcon;
    const QString n = object(u"%N"_s);
    const QString collision = u"столкновение"_s;
    const QString mode = u"режим"_s;
    const QString coordinates = u"координаты"_s;
    const QString visibility = u"видимость"_s;
    const QString animation = u"анимация"_s;
    const QStringList justN{u"%N"_s};

    ConditionItem compareTwo = item(1, {u"Сравнение двух значений"_s}, D::CompareTwo, u"%A"_s, u"(%AC)"_s);
    compareTwo.extraCount = 1;
    ConditionItem every = item(7, {u"Каждую..."_s}, D::Timer, u"каждые %A"_s, u"(obtime-(obtime/%T)*%T==0)"_s);
    every.dividesByTime = true;
    ConditionItem detection = item(O, {u"обнаружение объекта"_s}, D::Detection, u"%A"_s, detectionCode(),
                                   {u"%N"_s, u"%B"_s});
    detection.extraCount = 1;

    return {
        item(1, {u"Всегда"_s}, D::None, u"Всегда"_s, u"(obtime>0)"_s),
        compareTwo,
        disabled(2, {u"---------"_s}),
        item(3, {u"Начало уровня"_s}, D::None, u"Начало уровня"_s, u"((obtime>=0)&(obtime<10))"_s),
        item(3, {u"Конец уровня"_s}, D::None, u"Конец уровня"_s, u"(etap_level==\"end\")"_s),
        item(3, {u"Конец игры"_s}, D::None, u"Конец игры"_s, u"(etap_game==\"end\")"_s),
        item(4, {u"Сравнение общего число объектов со значением..."_s}, D::CompareOne, u"кол-во объектов %A"_s,
             u"(nobject%AC)"_s),
        item(5, {u"Нажатие на клавишу..."_s}, D::Key, u"нажатие клавиши %K"_s, u"(etap%Ldata.keyCode1==%KC)"_s),
        item(5, {u"Двойное нажатие на клавишу..."_s}, D::Key, u"дв. нажатие клавиши %K"_s, u"(dbkey==%KD)"_s),
        item(5, {u"Нажатие на любую клавишу"_s}, D::None, u"Любая клавиша"_s, u"(anykey==true)"_s),
        item(6, {u"Сравнение скорости игрока со значением..."_s}, D::CompareOne, u"скорость %A"_s,
             u"(speed%AC)"_s),
        item(6, {u"Сравнение числа жизней игрока со значением.."_s}, D::CompareOne, u"жизни %A"_s,
             u"(life%AC)"_s),
        item(6, {u"Когда число жизней игрока равно нулю"_s}, D::None, u"Число жизней равно 0"_s, u"(life==0)"_s),
        every,
        item(7, {u"Таймер равен значению..."_s}, D::Timer, u"Таймер равен %A"_s, u"((obtime>=%T)&(obtime<%T+10))"_s),
        item(7, {u"Таймер больше значения..."_s}, D::Timer, u"Таймер больше %A"_s, u"(obtime>%T)"_s),
        item(7, {u"Таймер меньше значения..."_s}, D::Timer, u"Таймер меньше %A"_s, u"(obtime<%T)"_s),
        detection,
        disabled(O, {collision, u"с любым фоновым объектом"_s}),
        item(O, {collision, u"с активным объектом"_s}, D::OtherObject, u"столкновение %N с %O"_s,
             u"(obj["_s + n + u"].collidesWith(obj["_s + object(u"%O"_s) + u"],false))"_s, {u"%N"_s, u"%O"_s}),
        item(O, {mode, u"спокойствие"_s}, D::None, u"спокойствие объекта %N"_s, u"(objtip["_s + n + u"]==1)"_s, justN),
        item(O, {mode, u"перемещение"_s}, D::None, u"перемещение объекта %N"_s, u"(objtip["_s + n + u"]==2)"_s, justN),
        item(O, {mode, u"атака"_s}, D::None, u"атака объекта %N"_s, u"(objtip["_s + n + u"]==3)"_s, justN),
        item(O, {mode, u"смерть"_s}, D::None, u"смерть объекта %N"_s, u"(objtip["_s + n + u"]==5)"_s, justN),
        item(O, {coordinates, u"сравнение Х-координаты объекта со значением"_s}, D::CompareOne,
             u"Х-координата объекта%N %A"_s, u"(obj["_s + n + u"].getX()%AC)"_s, justN),
        item(O, {coordinates, u"сравнение Y-координаты объекта со значением"_s}, D::CompareOne,
             u"Y-координата объекта%N %A"_s, u"(obj["_s + n + u"].getY()%AC)"_s, justN),
        item(O, {visibility, u"если объект видимый"_s}, D::None, u"объект %N видимый"_s,
             u"(vis_obj["_s + n + u"]==true)"_s, justN),
        item(O, {visibility, u"если объект невидимый"_s}, D::None, u"объект %N невидимый"_s,
             u"(vis_obj["_s + n + u"]==false)"_s, justN),
        disabled(O, {animation, u"какая анимация проигрывается?"_s}),
        item(O, {animation, u"сравнение текущего кадра со значением..."_s}, D::CompareOne, u"номер кадра%N %A"_s,
             u"(obj["_s + n + u"].getFrame()%AC)"_s, justN),
    };
}

// One pass over the template, so a value holding "%" is never filled again;
// longer tokens first where one is the prefix of another.
QString fill(const QString& text, const ConditionInput& input)
{
    const std::array<std::pair<QString, QString>, 12> tokens{{
        {u"%MIN"_s, QString::number(input.minRadius)},
        {u"%MAX"_s, QString::number(input.maxRadius)},
        {u"%AC"_s, input.argCode},
        {u"%KC"_s, input.keyCode},
        {u"%KD"_s, doubleKeyName(input.keyName)},
        {u"%A"_s, input.arg},
        {u"%K"_s, input.keyName},
        {u"%N"_s, QString::number(input.object)},
        {u"%O"_s, QString::number(input.other)},
        {u"%B"_s, QString::number(input.detected)},
        {u"%T"_s, QString::number(input.time)},
        {u"%L"_s, QString::number(input.level)},
    }};
    QString result;
    qsizetype pos = 0;
    while (pos < text.size()) {
        bool matched = false;
        if (text.at(pos) == u'%') {
            for (const auto& [token, value] : tokens) {
                if (QStringView(text).sliced(pos).startsWith(token)) {
                    result += value;
                    pos += token.size();
                    matched = true;
                    break;
                }
            }
        }
        if (!matched)
            result += text.at(pos++);
    }
    return result;
}

// One field of the timer dialog, in its unit.
double timerField(const QString& name, const QString& text)
{
    if (text.trimmed().isEmpty())
        throw io::Error(u"Поле «%1»: введите число."_s.arg(name));
    const std::optional<double> value = readReal(text);
    if (!value)
        throw io::Error(u"Поле «%1»: «%2» — не число."_s.arg(name, io::excerpt(text.trimmed())));
    if (*value < 0)
        throw io::Error(u"Поле «%1»: время не может быть отрицательным."_s.arg(name));
    return *value;
}

} // namespace

int conditionMenu(int icon)
{
    if (icon >= 1 && icon < kFirstObjectIcon)
        return icon;
    if (icon >= kFirstObjectIcon && icon < kFirstObjectIcon + kObjectIconCount)
        return kFirstObjectIcon;
    return 0;
}

const std::vector<ConditionItem>& conditionCatalogue()
{
    static const std::vector<ConditionItem> items = build();
    return items;
}

Condition buildCondition(const ConditionItem& item, const ConditionInput& input)
{
    if (item.dividesByTime && input.time == 0)
        throw io::Error(u"Условие «%1» с временем 0 не проверить: игра делила бы на ноль. Введите время больше нуля."_s
                            .arg(item.path.last()));
    Condition condition{fill(item.caption, input), fill(item.code, input), {}, item.extraCount,
                        recordOf(item, input)};
    for (const QString& number : item.objects)
        condition.objects << fill(number, input);
    return condition;
}

QString doubleKeyName(const QString& keyName)
{
    if (keyName == u"*"_s)
        return u"star"_s;
    if (keyName == u"#"_s)
        return u"pound"_s;
    return keyName;
}

TimerSetting timerSetting(const QString& minutes, const QString& seconds, const QString& hundredths)
{
    const double total = timerField(u"минут"_s, minutes) * 60000 + timerField(u"секунд"_s, seconds) * 1000
                         + timerField(u"сотых"_s, hundredths) * 10;
    const double rounded = std::round(total);
    // The game's timer is a Java int of ms: a larger literal would not compile.
    constexpr int kLongest = std::numeric_limits<int>::max();
    if (rounded > kLongest)
        throw io::Error(u"Время слишком велико: таймер игры отсчитывает не больше %1 мс."_s.arg(kLongest));
    return {minutes + u'/' + seconds + u'/' + hundredths, int(rounded)};
}

} // namespace kestrava::events
