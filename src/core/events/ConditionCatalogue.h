#pragma once

#include "events/Sheet.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace kestrava::events {

// What a condition asks for before it is built.
enum class ConditionDialog {
    None,
    CompareTwo,  // two values and their relation
    CompareOne,  // a relation and one value, compared with what the item names
    Key,         // a phone key
    Timer,       // a time
    Detection,   // the radii and the object detected
    OtherObject, // the second object of a collision
};

// The condition chooser's icons 8..12 (active groups 1..5) share one menu,
// listed in the catalogue under icon 8.
constexpr int kFirstObjectIcon = 8;
constexpr int kObjectIconCount = 5;
// The menu an icon opens: icons 1..7 their own, 8..12 kFirstObjectIcon's; 0 for none.
int conditionMenu(int icon);

// One item of an icon's menu. Caption, code and object numbers are templates:
// %A the argument as the author reads it, %AC its Java, %N the object of the
// icon, %O the second object of a collision, %B the object detected, %MIN
// and %MAX the detection radii, %T a time in ms, %K a key's name, %KC its
// code, %KD the name its double press is compared with, %L the stage number.
struct ConditionItem {
    int menu = 0;
    QStringList path; // submenus, then the item
    bool enabled = true;
    ConditionDialog dialog = ConditionDialog::None;
    QString caption;
    QString code;
    QStringList objects;
    int extraCount = 0;
    // The code divides by %T, so a time of 0 is refused.
    bool dividesByTime = false;
};

// Every item of every icon menu, in menu order.
const std::vector<ConditionItem>& conditionCatalogue();

struct ConditionInput {
    QString arg;      // ChooserArg
    QString argCode;  // ChooserArgCode
    int object = 0;   // N: ChosenObject
    int other = 0;    // O
    int detected = 0; // B
    int minRadius = 0;
    int maxRadius = 0;
    int time = 0;     // T, ms
    QString keyName;  // KeyName
    QString keyCode;  // KeyCode
    int level = 0;    // CurLevel
};

// The condition an enabled item gives, its templates filled. A time of 0
// for an item that divides by it throws io::Error.
Condition buildCondition(const ConditionItem& item, const ConditionInput& input);

// The name a double press compares dbkey with: "*" and "#" are no Java
// names, so they become star and pound; every other key keeps its name.
QString doubleKeyName(const QString& keyName);

// The timer dialog's fields read: arg is "minutes/seconds/hundredths" as
// typed, time the total in ms rounded to the nearest one. An empty,
// unreadable or negative field, or a time the game's int timer cannot
// reach, throws io::Error naming it.
struct TimerSetting {
    QString arg;
    int time = 0;
};
TimerSetting timerSetting(const QString& minutes, const QString& seconds, const QString& hundredths);

} // namespace kestrava::events
