#pragma once

#include <QChar>
#include <QList>
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

// One entry of a value chooser menu. An entry with a submenu caption sits in
// that submenu (submenus in the order they first appear). A disabled entry
// has no word; a submenu whose entries are all disabled is disabled itself.
struct ValueMenuItem {
    QString submenu;
    QString caption;
    QString word;   // appended to the keypad text when chosen
    bool enabled = true;
};

// The menu of a value chooser icon: 1..7 the fixed ones, 8..11 the object
// menu, its words naming objectNumber. Other icons have no menu.
QList<ValueMenuItem> valueMenu(int icon, int objectNumber = 0);

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
