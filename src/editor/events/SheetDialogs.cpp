#include "editor/events/SheetDialogs.h"

#include "document/ProjectDocument.h"
#include "editor/events/ParameterDialogs.h"
#include "editor/events/ConditionChooserDialog.h"
#include "editor/events/GroupNameDialog.h"
#include "editor/events/GroupNameLine.h"

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

    bool askParameters(QWidget* parent, const catalogue::Item& item, catalogue::Values& values, bool filled) override
    {
        return editor::askParameters(parent, setup(), item, values, filled);
    }

private:
    ValueChooserSetup setup() const
    {
        return {&m_document.app(), m_groupPicture(1), m_groupPicture(2), m_document.project().Variables,
                m_document.project().Sounds, groupNameOf(m_document)};
    }

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
