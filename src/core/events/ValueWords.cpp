#include "events/ValueWords.h"

using namespace Qt::Literals::StringLiterals;

namespace kestrava::events {

void keypadPress(QString& text, KeypadButton button, QChar digit)
{
    switch (button) {
    case KeypadButton::Digit:
        if (digit.unicode() >= u'0' && digit.unicode() <= u'9')
            text += digit;
        break;
    case KeypadButton::OpenBracket:
        text += u'(';
        break;
    case KeypadButton::CloseBracket:
        text += u')';
        break;
    // Signs come with spaces so the text reads like the chooser's words.
    case KeypadButton::Plus:
        text += u" + "_s;
        break;
    case KeypadButton::Minus:
        text += u" - "_s;
        break;
    case KeypadButton::Divide:
        text += u" / "_s;
        break;
    case KeypadButton::Multiply:
        text += u" * "_s;
        break;
    case KeypadButton::Delete:
        text.chop(1);
        break;
    case KeypadButton::Clear:
        text.clear();
        break;
    }
}

namespace {

ValueMenuItem item(const QString& caption, const QString& word)
{
    return {QString(), caption, word, true};
}

ValueMenuItem disabled(const QString& caption)
{
    return {QString(), caption, QString(), false};
}

QList<ValueMenuItem> objectMenu(int n)
{
    const QString number = QString::number(n);
    const QString position = u"Текущая позиция "_s;
    const QString start = u"Начальная позиция"_s;
    return {
        {u"Движение"_s, u"Скорость"_s, QString(), false},
        {u"Движение"_s, u"Разгон"_s, QString(), false},
        {u"Движение"_s, u"Торможение"_s, QString(), false},
        {position, u"Х-координата"_s, u" Х[объект"_s + number + u"] "_s, true},
        {position, u"Y-координата"_s, u" Y[объект"_s + number + u"] "_s, true},
        {u"Анимация"_s, u"Текущее направление"_s, QString(), false},
        {u"Анимация"_s, u"Текущее значение анимации"_s, QString(), false},
        {start, u"Х-координата"_s, u" Xn[объект"_s + number + u"] "_s, true},
        {start, u"Y-координата"_s, u" Yn[объект"_s + number + u"] "_s, true},
    };
}

} // namespace

QList<ValueMenuItem> valueMenu(int icon, int objectNumber)
{
    switch (icon) {
    case 1:
        return {item(u"Генерирование случайного числа"_s, u" число "_s),
                disabled(u"Конвертирование числа в строку"_s), disabled(u"Конвертирование строки в число"_s)};
    case 2:
        return {disabled(u"---------"_s)};
    case 3:
        return {item(u"Текущее значение уровня"_s, u" уровень "_s),
                {u"размер экрана"_s, u"высота"_s, u" высота "_s, true},
                {u"размер экрана"_s, u"ширина"_s, u" ширина "_s, true}};
    case 4:
        return {item(u"Общее количество объектов"_s, u" сум_объекты "_s)};
    case 5:
        return {disabled(u"Текущая Х координата мыши"_s), disabled(u"Текущая Y координата мыши"_s)};
    case 6:
        return {item(u"Текущее значение скорости"_s, u" скорость "_s),
                item(u"Текущее значение жизней"_s, u" жизни "_s)};
    case 7:
        return {item(u"Значение таймера, часы"_s, u" часы "_s), item(u"Значение таймера, минуты"_s, u" минуты "_s),
                item(u"Значение таймера, секунды"_s, u" секунды "_s),
                item(u"Значение таймера, 1/100"_s, u" сотые "_s)};
    case 8:
    case 9:
    case 10:
    case 11:
        return objectMenu(objectNumber);
    default:
        return {};
    }
}

QRect chooserIconRect(int icon)
{
    if (icon < 1 || icon > kChooserIconCount)
        return {};
    const bool upper = icon <= 7;
    const int column = upper ? icon - 1 : icon - 8;
    return {8 + column * kChooserIconPitch, upper ? 32 : 80, kChooserIconSize, kChooserIconSize};
}

int numberObject(int x, int y, int firstObjectIcon, int objectCount, int current)
{
    constexpr int kSlack = 5;
    for (int g = 1; g <= objectCount; ++g) {
        const QRect r = chooserIconRect(firstObjectIcon - 1 + g);
        if (r.isNull())
            continue;
        if (r.left() - kSlack < x && x < r.left() + r.width() + kSlack && r.top() - kSlack < y
            && y < r.top() + r.height() + kSlack)
            return g;
    }
    return current;
}

} // namespace kestrava::events
