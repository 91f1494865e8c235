#pragma once

#include <QChar>
#include <QRect>
#include <QString>

namespace kestrava::events {

// The value keypad. There is no "модуль" here: it would write "abs ", which
// translateValue cannot read, so the keypad shows that button disabled.
enum class KeypadButton {
    Digit,        // the digit is passed beside it
    OpenBracket,
    CloseBracket,
    Plus,
    Minus,
    Divide,
    Multiply,
    Delete,       // "удалить": the last character only
    Clear,        // "очистить"
};

// Applies one keypad button to the text. Digit ignores anything but '0'..'9'.
void keypadPress(QString& text, KeypadButton button, QChar digit = {});

// The icon box shared by the value and condition choosers
// ("Выберите тип и название условия"): icons 1..7 in the upper row,
// 8..12 in the lower one, in group-box coordinates.
constexpr int kChooserIconCount = 12;
constexpr int kChooserIconSize = 33;
constexpr int kChooserIconPitch = 48;
QRect chooserIconRect(int icon);

// The object (1-based) whose icon, firstObjectIcon - 1 + g for g in
// 1..objectCount, lies under (x, y) with 5 pixels to spare on each side;
// current when none does.
int numberObject(int x, int y, int firstObjectIcon, int objectCount, int current);

} // namespace kestrava::events
