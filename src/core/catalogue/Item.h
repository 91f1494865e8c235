#pragma once

#include "catalogue/Menus.h"
#include "model/Project.h"

#include <QMap>
#include <QString>
#include <QStringList>

#include <optional>
#include <set>
#include <vector>

namespace kestrava::catalogue {

// Conditions sit in the chooser's icon menus, actions in the sheet's column menus.
enum class Side { Condition, Action };

// What an item asks of the author before it is made; its dialog follows
// from the kind. Each fills the tokens named beside it. Besides these, a
// condition gets N (the object of the chooser's icon) and L (the stage), an
// action G (the active group of its column), from where it was chosen.
enum class Parameter {
    Comparison,  // A, AC: two values and their relation
    Relation,    // A, AC: a relation and one value, compared with what the item names
    Key,         // K, KC: a phone key
    Time,        // A, T: minutes, seconds and hundredths, T in ms
    Period,      // A, T: a time the game divides by, so 0 is refused
    Detection,   // A, MIN, MAX, B: the radii and the object detected
    OtherObject, // O: the second object of a collision
    Value,       // V, VC: a value as typed and its Java
    Target,      // T: the object chased, avoided or attacked
    // "создать объект": C the group made, X and Y its offset from an object of
    // group O (NearObject) or its place on the map (AtPoint), D its direction
    // (0 none, 1 right, 2 up, 3 left, 4 down), S its speed, A the direction as read.
    MadeNearObject,
    MadeAtPoint,
    Variable, // W, WN: a variable of the game (its id, 0 the score) and its name as chosen
    Sound,       // SND: a sound of the project
    PlayedSound, // SND, R (1 repeats), A (", повторять" or empty): a sound to play
    Volume,      // VOL: 0..100
    Tone,        // NOTE (60 middle C), MS its length, A as read ("C5, 200 мс")
};

// The values of the tokens an item's templates are filled with, by token
// name ("A", "VC", "N", ...); as a record keeps them.
using Values = QMap<QString, QString>;

// One menu item of either catalogue. Caption, code and object numbers are
// templates: %A the argument as the author reads it, %AC its Java, %N the
// object of the icon, %O the second object of a collision, %B the object
// detected, %MIN and %MAX the detection radii, %T a time in ms, %K a key's
// name, %KC its code, %KD the name its double press is compared with, %L
// the stage number; in actions %V the value as typed, %VC its Java, %G the
// column's active group, %T the target object, and for an object made %C,
// %O, %X, %Y, %D, %S and %A; on both sides %W a variable's id and %WN its name.
// %O, %X, %Y, %D, %S and %A; %SND a sound's number (conditions too), %R
// whether it repeats, %VOL a volume, %NOTE and %MS a tone.
struct Item {
    Side side = Side::Condition;
    // A condition's icon menu (1..7, kFirstObjectIcon), an action's ColumnMenu.
    int menu = 0;
    QStringList path; // submenus, then the item
    bool enabled = true;
    std::vector<Parameter> parameters;
    QString caption;
    QString code;
    QStringList objects; // in the order they join the cell's object list
    // What it does in the game, for the guide (Russian).
    QString explanation;
    // Paths earlier versions gave it, which their records still name.
    QStringList formerPaths;
};

// Every item of each catalogue, in menu order.
const std::vector<Item>& conditionItems();
const std::vector<Item>& actionItems();
const std::vector<Item>& items(Side side);

// The name a record gives its item: the menu and the path of submenus,
// which stay put while templates are mended.
QString itemKey(const Item& item);
// The enabled item of that name, or of a former name of it; null for none
// (another version's item).
const Item* findItem(Side side, const QString& key);

// The enabled item the menu of a chooser icon (1..12) or of a sheet column
// (1..20) offers under a path of submenus and item ("режим/атака"); null
// for none.
const Item* conditionAt(int icon, const QString& path);
const Item* actionAt(int column, const QString& path);

// What an item made: the texts a cell shows and runs, the objects its loops
// visit, and the record of what made it.
struct Built {
    QString caption;
    QString code;
    QStringList objects;
    // Further steps of the stage's row counter the choice made (a detection
    // set up, a two-value comparison): the generated game counts them.
    int extraCount = 0;
    // The catalogue item and values it was made from; empty when unknown.
    model::CatalogueRecord record;
};

// The condition or action an enabled item makes with these values (a token
// not given reads as 0 or empty). A period of 0 throws io::Error.
Built build(const Item& item, const Values& values);
// The condition of icon and menu path, and the action of column and path
// with its value and target object, as a tool or a test writes a sheet; an
// io::Error naming the path when the catalogue has no such item.
Built buildCondition(int icon, const QString& path, const Values& values = {});
Built buildAction(int column, const QString& path, const QString& value = QString(), int target = 0);
// What a record makes from today's catalogue; nullopt when it names no
// enabled item or its values cannot fill it.
std::optional<Built> rebuild(Side side, const model::CatalogueRecord& record);

// A number of the values; 0 when absent or no number.
int number(const Values& values, const QString& token);
// Whether a record may name this token.
bool isToken(const QString& token);
// The active groups a row's "создать объект" actions make objects of, as
// their code names them (not in the row's object lists), in action order.
std::vector<int> madeGroups(const model::EventRowData& row);
// The project sounds a row's conditions and actions name (play, stop, ask
// about), as their code calls the game's Sounds; whether it calls Sounds at all.
std::set<int> soundsNamed(const model::EventRowData& row);
bool callsSounds(const model::EventRowData& row);
// What a parameter asks, as the guide says it.
QString asks(Parameter parameter);

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

} // namespace kestrava::catalogue
