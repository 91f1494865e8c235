#include "editor/events/SheetDialogs.h"

#include "document/ProjectDocument.h"
#include "editor/events/TFmNumberObject.h"
#include "editor/events/TfmEnter_value.h"
#include "editor/events/TfmNewEvent.h"
#include "editor/events/Tfmnamegroup.h"

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
        TfmNewEvent chooser(m_document, m_groupPicture, mode, parent);
        chooser.exec();
        return chooser.chosen();
    }

    std::optional<QString> askTitle(QWidget* parent) override
    {
        Tfmnamegroup dialog(parent);
        if (dialog.exec() != QDialog::Accepted)
            return std::nullopt;
        return dialog.name();
    }

    std::optional<std::pair<QString, QString>> askValue(QWidget* parent) override
    {
        TfmEnter_value dialog(setup(), parent);
        if (dialog.exec() != QDialog::Accepted)
            return std::nullopt;
        return std::pair{dialog.ValueText, dialog.ValueCode};
    }

    std::optional<int> askTarget(QWidget* parent) override
    {
        TFmNumberObject dialog(parent);
        // The target becomes a loop variable of the game ("kr" + T): no 0 or negatives.
        dialog.seNumber()->setMinimum(1);
        if (dialog.exec() != QDialog::Accepted)
            return std::nullopt;
        return dialog.Result;
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
