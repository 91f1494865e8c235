#include "catalogue/Words.h"

using namespace Qt::Literals::StringLiterals;

namespace kestrava::catalogue {

const std::vector<ValueWord>& valueWords()
{
    static const std::vector<ValueWord> words{
        {1, {}, u"Генерирование случайного числа"_s, u"число"_s, u"number"_s},
        {1, {}, u"Конвертирование числа в строку"_s, {}, {}},
        {1, {}, u"Конвертирование строки в число"_s, {}, {}},
        {2, {}, u"---------"_s, {}, {}},
        {3, {}, u"Текущее значение уровня"_s, u"уровень"_s, u"level"_s},
        {3, u"размер экрана"_s, u"высота"_s, u"высота"_s, u"height"_s},
        {3, u"размер экрана"_s, u"ширина"_s, u"ширина"_s, u"width"_s},
        {4, {}, u"Общее количество объектов"_s, u"сум_объекты"_s, u"nobject"_s},
        // Where the screen was touched last, on the level map; the first "Х" is Cyrillic, as in "Х[объект".
        {5, {}, u"Текущая Х координата мыши"_s, u"Х касания"_s, u"touch.x"_s},
        {5, {}, u"Текущая Y координата мыши"_s, u"Y касания"_s, u"touch.y"_s},
        {6, {}, u"Текущее значение скорости"_s, u"скорость"_s, u"speed"_s},
        {6, {}, u"Текущее значение жизней"_s, u"жизни"_s, u"life"_s},
        {7, {}, u"Значение таймера, часы"_s, u"часы"_s, u"obtime_hour"_s},
        {7, {}, u"Значение таймера, минуты"_s, u"минуты"_s, u"obtime_minute"_s},
        {7, {}, u"Значение таймера, секунды"_s, u"секунды"_s, u"obtime_second"_s},
        {7, {}, u"Значение таймера, 1/100"_s, u"сотые"_s, u"obtime_hundred"_s},
    };
    return words;
}

const std::vector<ObjectWord>& objectWords()
{
    const QString position = u"Текущая позиция "_s;
    const QString start = u"Начальная позиция"_s;
    // The first "Х" is Cyrillic, the others Latin letters, as the chooser has always written them.
    static const std::vector<ObjectWord> words{
        {u"Движение"_s, u"Скорость"_s, u"скорость[объект"_s, u"obj["_s, u"].speedNow()"_s},
        {u"Движение"_s, u"Разгон"_s, u"разгон[объект"_s, u"obj["_s, u"].accel()"_s},
        {u"Движение"_s, u"Торможение"_s, u"торможение[объект"_s, u"obj["_s, u"].brake()"_s},
        {position, u"Х-координата"_s, u"Х[объект"_s, u"obj["_s, u"].getX()"_s},
        {position, u"Y-координата"_s, u"Y[объект"_s, u"obj["_s, u"].getY()"_s},
        {u"Анимация"_s, u"Текущее направление"_s, {}, {}, {}},
        {u"Анимация"_s, u"Текущее значение анимации"_s, {}, {}, {}},
        {start, u"Х-координата"_s, u"Xn[объект"_s, u"raspxobd["_s, u"]"_s},
        {start, u"Y-координата"_s, u"Yn[объект"_s, u"raspyobd["_s, u"]"_s},
    };
    return words;
}

QString valueIconName(int icon)
{
    static const QString names[] = {{},
                                    u"Числа"_s,
                                    u"Разное"_s,
                                    u"Уровень и размер экрана"_s,
                                    u"Количество объектов"_s,
                                    u"Мышь"_s,
                                    u"Скорость и жизни"_s,
                                    u"Таймер"_s,
                                    u"Объект 1"_s,
                                    u"Объект 2"_s,
                                    u"Объект 3"_s};
    return icon >= 1 && icon <= 10 ? names[icon] : u"Объект с прежним номером"_s;
}

QList<ValueMenuItem> valueMenu(int icon, int objectNumber, const QStringList& variables)
{
    QList<ValueMenuItem> menu;
    if (icon >= 8 && icon <= 11) {
        const QString number = QString::number(objectNumber);
        for (const ObjectWord& w : objectWords())
            menu.append({w.submenu, w.caption, w.prefix.isEmpty() ? QString() : u' ' + w.prefix + number + u"] "_s,
                         !w.prefix.isEmpty()});
        return menu;
    }
    // Words come with spaces so the keypad text reads as words.
    for (const ValueWord& w : valueWords())
        if (w.icon == icon)
            menu.append({w.submenu, w.caption, w.word.isEmpty() ? QString() : u' ' + w.word + u' ', !w.word.isEmpty()});
    if (icon == 1)
        for (const QString& name : variables)
            menu.append({u"Переменные"_s, name, u' ' + name + u' ', true});
    return menu;
}

} // namespace kestrava::catalogue
