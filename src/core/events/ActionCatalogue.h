#pragma once

#include "events/Sheet.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace kestrava::events {

// What an action asks for before it is placed.
enum class ActionDialog {
    None,
    Value,  // a value typed in readable form and its Java translation
    Target, // the number of the object chased or attacked
};

// One item of a column's action menu. Captions and statements are templates:
// %V the value as typed, %VC its translation, %G the column's active group,
// %T the target object.
struct ActionItem {
    ColumnMenu menu;
    QStringList path; // submenus, then the item
    bool enabled = true;
    ActionDialog dialog = ActionDialog::None;
    QString caption;
    QString code;
    QStringList objects; // "%G", "%T", in the order they join the cell's list
};

// Every item of every column menu, in menu order.
const std::vector<ActionItem>& actionCatalogue();

struct ActionInput {
    int group = 0;
    QString value;
    QString valueCode;
    int target = 0;
};

// The action an enabled item places, its templates filled.
Action buildAction(const ActionItem& item, const ActionInput& input);

} // namespace kestrava::events
