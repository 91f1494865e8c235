#pragma once

#include <QList>
#include <QString>

#include <vector>

namespace kestrava::catalogue {

// A word a value may hold: where the value chooser offers it and the Java
// the translator makes of it. One without a word is offered disabled.
struct ValueWord {
    int icon = 0; // the value chooser icon (1..7) whose menu holds it
    QString submenu;
    QString caption;
    QString word;
    QString java;
};
const std::vector<ValueWord>& valueWords();

// A word about one object ("Х[объект2]"): the readable prefix is followed
// by the object's digit and "]"; its Java puts the digit between before and
// after. Offered in the menu of every object icon; one without a prefix
// is offered disabled.
struct ObjectWord {
    QString submenu;
    QString caption;
    QString prefix;
    QString before;
    QString after;
};
const std::vector<ObjectWord>& objectWords();

// One entry of a value chooser menu. An entry with a submenu caption sits in
// that submenu (submenus in the order they first appear). A disabled entry
// has no word; a submenu whose entries are all disabled is disabled itself.
struct ValueMenuItem {
    QString submenu;
    QString caption;
    QString word; // appended to the keypad text when chosen
    bool enabled = true;
};

// The name of a value chooser icon (1..12) as the chooser shows it.
QString valueIconName(int icon);

// The menu of a value chooser icon: 1..7 the fixed ones, 8..11 the object
// menu, its words naming objectNumber. Other icons have no menu. Icon 1
// also offers the variables named (the score first) under "Переменные".
QList<ValueMenuItem> valueMenu(int icon, int objectNumber = 0, const QStringList& variables = {});

} // namespace kestrava::catalogue
