#pragma once

#include "catalogue/Item.h"
#include "editor/events/ValueChooser.h"

class QWidget;

namespace kestrava::editor {

// The dialogs of an item's parameters, one after another, each chosen by
// its kind. With `filled` they open on what values hold ("изменить…"),
// else on their defaults. "Да" in every one writes what the author gave
// into values and returns true; any other close returns false and leaves
// values as they were. An item without parameters asks nothing.
bool askParameters(QWidget* parent, const ValueChooserSetup& setup, const catalogue::Item& item,
                   catalogue::Values& values, bool filled);

} // namespace kestrava::editor
