#include "editor/events/SheetDialogs.h"

#include "document/ProjectDocument.h"
#include "editor/events/ParameterDialogs.h"
#include "editor/events/ConditionChooserDialog.h"
#include "editor/events/GroupNameDialog.h"

#include <QSpinBox>

namespace kestrava::editor {

namespace {

class DialogsOnScreen : public SheetDialogs {
public:
    DialogsOnScreen(document::ProjectDocument& document, std::function<QImage(int)> groupPicture)
        : m_document(document), m_groupPicture(std::move(groupPicture))
    {
    }

    std::optional<events::Condition> chooseCondition(QWidget* parent, const QString& mode) override
    {
        ConditionChooserDialog chooser(m_document, m_groupPicture, mode, parent);
        chooser.exec();
        return chooser.chosen();
    }

    std::optional<QString> askTitle(QWidget* parent) override
    {
        GroupNameDialog dialog(parent);
        if (dialog.exec() != QDialog::Accepted)
            return std::nullopt;
        return dialog.name();
    }

    std::optional<std::pair<QString, QString>> askValue(QWidget* parent) override
    {
        events::ActionInput input;
        if (!askActionParameters(parent, setup(), events::ActionDialog::Value, input, false))
            return std::nullopt;
        return std::pair{input.value, input.valueCode};
    }

    std::optional<int> askTarget(QWidget* parent) override
    {
        events::ActionInput input;
        if (!askActionParameters(parent, setup(), events::ActionDialog::Target, input, false))
            return std::nullopt;
        return input.target;
    }

    bool editCondition(QWidget* parent, const events::ConditionItem& item, events::ConditionInput& input) override
    {
        return askConditionParameters(parent, setup(), item.dialog, input, true);
    }

    bool editAction(QWidget* parent, const events::ActionItem& item, events::ActionInput& input) override
    {
        return askActionParameters(parent, setup(), item.dialog, input, true);
    }

private:
    ValueChooserSetup setup() const { return {&m_document.app(), m_groupPicture(1), m_groupPicture(2)}; }

    document::ProjectDocument& m_document;
    std::function<QImage(int)> m_groupPicture;
};

} // namespace

std::unique_ptr<SheetDialogs> makeSheetDialogs(document::ProjectDocument& document,
                                               std::function<QImage(int group)> groupPicture)
{
    return std::make_unique<DialogsOnScreen>(document, std::move(groupPicture));
}

} // namespace kestrava::editor
