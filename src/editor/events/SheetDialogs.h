#pragma once

#include "catalogue/Item.h"
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
    // The dialogs of an item's parameters (`filled`: "изменить…", opened on
    // values); true with values changed on "Да".
    virtual bool askParameters(QWidget* parent, const catalogue::Item& item, catalogue::Values& values,
                               bool filled) = 0;
};

} // namespace kestrava::editor

namespace kestrava::editor {

// The real dialogs. groupPicture(g) is the picture of active group g of the
// current stage, null when it has none (the choosers show groups 1..5).
std::unique_ptr<SheetDialogs> makeSheetDialogs(document::ProjectDocument& document,
                                               std::function<QImage(int group)> groupPicture);

} // namespace kestrava::editor
