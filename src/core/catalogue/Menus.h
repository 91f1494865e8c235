#pragma once

#include <QString>

namespace kestrava::catalogue {

// What a press in a column of the event sheet opens; an action item names
// the menu it sits in.
enum class ColumnMenu {
    AddCondition,  // column 0: the condition part
    Special,       // 1: the screen edges
    Sound,         // 2 and 7
    Stage,         // 3
    Objects,       // 4
    Control,       // 5
    Player,        // 6
    ObjectActions, // 8..20: active group column - 7
    None,          // none: outside the columns
};
ColumnMenu columnMenu(int column);
// The active group the actions of a column act on (8..20 → 1..13), else 0.
int actionGroup(int column);
// The active group whose picture heads a column (8..20 → 1..13), else 0.
int headerGroup(int column);
// The title of an event sheet column (1..20) as its header shows it.
QString columnTitle(int column);

// The condition chooser's icons 8..12 (active groups 1..5) share one menu,
// listed in the catalogue under icon 8.
constexpr int kFirstObjectIcon = 8;
constexpr int kObjectIconCount = 5;
// The menu an icon opens: icons 1..7 their own, 8..12 kFirstObjectIcon's; 0 for none.
int conditionMenu(int icon);
// The name of a condition chooser icon (1..12) as the chooser shows it.
QString conditionIconName(int icon);

} // namespace kestrava::catalogue
