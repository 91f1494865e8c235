#include "events/Choosers.h"

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
