#include "editor/events/ConditionChooserDialog.h"

#include "document/ProjectDocument.h"
#include "editor/common/ErrorBox.h"
#include "editor/events/ChooserIconBox.h"
#include "editor/events/GroupNameLine.h"
#include "editor/events/ParameterDialogs.h"
#include "io/AppFolder.h"

#include <QAction>
#include <QMenu>
#include <QSpinBox>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::editor {

ConditionChooserDialog::ConditionChooserDialog(document::ProjectDocument& document, std::function<QImage(int)> groupPicture,
                         const QString& mode, QWidget* parent)
    : QDialog(parent), ChooserMode(mode), m_document(document), m_groupPicture(std::move(groupPicture))
{
    setObjectName(u"fmNewEvent"_s);
    setWindowTitle(u"Новое событие"_s);
    setFixedSize(445, 257);

    GroupBox1 = new ChooserIconBox(kIconCount, this);
    GroupBox1->setGeometry(16, 8, 345, 177);
    PopupMenu = new QMenu(this);
    PopupMenu->setObjectName(u"PopupMenu"_s);
    for (int icon = 1; icon <= kIconCount; ++icon) {
        QImage picture;
        if (icon < 7)
            picture = QImage(document.app().imageFile(u"event%1.bmp"_s.arg(icon)));
        else if (icon == 7)
            picture = QImage(document.app().imageFile(u"event8.bmp"_s));
        else
            picture = m_groupPicture(icon - 7);
        GroupBox1->setIcon(icon, catalogue::conditionIconName(icon), picture);
        Image[size_t(icon)] = GroupBox1->icon(icon);
    }
    connect(GroupBox1, &ChooserIconBox::menuRequested, this, &ConditionChooserDialog::openMenu);
    m_askParameters = [this](const catalogue::Item& item, catalogue::Values& values) {
        const ValueChooserSetup setup{&m_document.app(), m_groupPicture(1), m_groupPicture(2),
                                       m_document.project().Variables, m_document.project().Sounds,
                                       groupNameOf(m_document)};
        return askParameters(this, setup, item, values, false);
    };
}

void ConditionChooserDialog::openMenu(int icon, QPoint boxPosition, QPoint globalPosition)
{
    const int menu = catalogue::conditionMenu(icon);
    if (menu == catalogue::kFirstObjectIcon)
        ChosenObject = events::numberObject(boxPosition.x(), boxPosition.y(), catalogue::kFirstObjectIcon,
                                            catalogue::kObjectIconCount, ChosenObject);
    clearMenu(PopupMenu);
    for (const catalogue::Item& item : catalogue::conditionItems()) {
        if (item.menu != menu)
            continue;
        QAction* action = addMenuItem(PopupMenu, item.path);
        action->setEnabled(item.enabled);
        if (item.enabled)
            connect(action, &QAction::triggered, this, [this, &item] { itemClick(item); });
    }
    enableSubmenus(PopupMenu);
    PopupMenu->popup(globalPosition);
}

void ConditionChooserDialog::itemClick(const catalogue::Item& item)
{
    PopupMenu->close();
    catalogue::Values values;
    values[u"N"_s] = QString::number(ChosenObject);
    values[u"L"_s] = QString::number(m_document.project().CurLevel);
    if (!item.parameters.empty() && !m_askParameters(item, values))
        return; // closed without "Да": nothing is chosen, the chooser stays
    try {
        m_chosen = catalogue::build(item, values);
    } catch (const io::Error& e) {
        showError(this, e.message());
        return;
    }
    accept();
}

} // namespace kestrava::editor
