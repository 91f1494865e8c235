#pragma once

#include "editor/events/ValueChooser.h"
#include "events/ActionCatalogue.h"
#include "events/ConditionCatalogue.h"

class QWidget;

namespace kestrava::editor {

// The dialog of a kind of condition or action parameters. With `filled` it
// opens on the values input holds ("изменить…"), else on its defaults. "Да"
// writes what the author gave into input and returns true; any other close
// returns false and leaves input as it was.
bool askConditionParameters(QWidget* parent, const ValueChooserSetup& setup, events::ConditionDialog kind,
                            events::ConditionInput& input, bool filled);
bool askActionParameters(QWidget* parent, const ValueChooserSetup& setup, events::ActionDialog kind,
                         events::ActionInput& input, bool filled);

} // namespace kestrava::editor
