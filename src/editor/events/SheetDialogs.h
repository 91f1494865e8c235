#pragma once

#include "events/ActionCatalogue.h"
#include "events/ConditionCatalogue.h"
#include "events/Sheet.h"

#include <QImage>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <utility>

class QWidget;

namespace kestrava::document { class ProjectDocument; }

namespace kestrava::editor {

// The modal dialogs the event sheet opens. Each returns nothing when the
// author closed it without an answer; widget tests answer them instead.
class SheetDialogs {
public:
    virtual ~SheetDialogs() = default;

    // The condition chooser; mode "dob" adds to a row's condition, "izm"
    // replaces it, empty starts a new row.
    virtual std::optional<events::Condition> chooseCondition(QWidget* parent, const QString& mode) = 0;
    // "Название группы".
    virtual std::optional<QString> askTitle(QWidget* parent) = 0;
    // A value: as typed and translated.
    virtual std::optional<std::pair<QString, QString>> askValue(QWidget* parent) = 0;
    // The number of the object chased, avoided or attacked.
    virtual std::optional<int> askTarget(QWidget* parent) = 0;
    // "изменить…": the dialog of the item's kind opened on input; true with
    // input changed on "Да".
    virtual bool editCondition(QWidget* parent, const events::ConditionItem& item, events::ConditionInput& input) = 0;
    virtual bool editAction(QWidget* parent, const events::ActionItem& item, events::ActionInput& input) = 0;
};

} // namespace kestrava::editor

namespace kestrava::editor {

// The real dialogs. groupPicture(g) is the picture of active group g of the
// current stage, null when it has none (the choosers show groups 1..5).
std::unique_ptr<SheetDialogs> makeSheetDialogs(document::ProjectDocument& document,
                                               std::function<QImage(int group)> groupPicture);

} // namespace kestrava::editor
