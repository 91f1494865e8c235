#include "editor/events/ValueChooser.h"

#include "catalogue/Variables.h"

#include "catalogue/Words.h"
#include "events/Choosers.h"
#include "io/AppFolder.h"

#include <QAction>
#include <QMenu>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::editor {

namespace {

constexpr int kFirstObjectIcon = 8;
constexpr int kObjectIcons = 3;

QImage iconPicture(int icon, const ValueChooserSetup& setup)
{
    if (icon <= 7)
        return setup.app ? QImage(setup.app->imageFile(u"event%1.bmp"_s.arg(icon == 7 ? 8 : icon))) : QImage();
    if (icon == 8)
        return setup.group1;
    if (icon == 9)
        return setup.group2;
    return {};
}

} // namespace

ValueChooser::ValueChooser(const ValueChooserSetup& setup, const QString& keypadText, QWidget* parent)
    : QDialog(parent), KeypadText(keypadText)
{
    for (const catalogue::NamedValue& v : catalogue::variableNames(setup.variables))
        m_variables << v.name;
    setObjectName(u"fmValue"_s);
    setWindowTitle(u"Выбор значения"_s);

    GroupBox1 = new ChooserIconBox(kIconCount, this);
    GroupBox1->setFixedSize(events::chooserIconRect(7).right() + 9, events::chooserIconRect(8).bottom() + 9);
    PopupMenu = new QMenu(this);
    PopupMenu->setObjectName(u"PopupMenu"_s);
    for (int icon = 1; icon <= kIconCount; ++icon) {
        GroupBox1->setIcon(icon, catalogue::valueIconName(icon), iconPicture(icon, setup));
        Image[icon] = GroupBox1->icon(icon);
    }
    connect(GroupBox1, &ChooserIconBox::menuRequested, this, &ValueChooser::openMenu);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(GroupBox1);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void ValueChooser::openMenu(int icon, QPoint boxPosition, QPoint globalPosition)
{
    if (icon >= kFirstObjectIcon)
        ObjectNumber = events::numberObject(boxPosition.x(), boxPosition.y(), kFirstObjectIcon, kObjectIcons,
                                            ObjectNumber);
    clearMenu(PopupMenu);
    for (const catalogue::ValueMenuItem& item : catalogue::valueMenu(icon, ObjectNumber, m_variables)) {
        QAction* action = addMenuItem(PopupMenu, item.submenu.isEmpty() ? QStringList{item.caption}
                                                                          : QStringList{item.submenu, item.caption});
        action->setEnabled(item.enabled);
        if (item.enabled)
            connect(action, &QAction::triggered, this, [this, word = item.word] { choose(word); });
    }
    enableSubmenus(PopupMenu);
    PopupMenu->popup(globalPosition);
}

void ValueChooser::choose(const QString& word)
{
    KeypadText += word;
    PopupMenu->close();
    accept();
}

} // namespace kestrava::editor
