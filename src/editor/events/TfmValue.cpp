#include "editor/events/TfmValue.h"

#include "events/ValueWords.h"
#include "io/AppFolder.h"

#include <QAction>
#include <QGroupBox>
#include <QMenu>
#include <QMouseEvent>
#include <QPixmap>
#include <QToolButton>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::editor {

namespace {

constexpr int kFirstObjectIcon = 8;
constexpr int kObjectIcons = 3;

QString iconName(int icon)
{
    switch (icon) {
    case 1: return u"Числа"_s;
    case 2: return u"Разное"_s;
    case 3: return u"Уровень и размер экрана"_s;
    case 4: return u"Количество объектов"_s;
    case 5: return u"Мышь"_s;
    case 6: return u"Скорость и жизни"_s;
    case 7: return u"Таймер"_s;
    case 8: return u"Объект 1"_s;
    case 9: return u"Объект 2"_s;
    case 10: return u"Объект 3"_s;
    default: return u"Объект с прежним номером"_s;
    }
}

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

TfmValue::TfmValue(const ValueChooserSetup& setup, const QString& keypadText, QWidget* parent)
    : QDialog(parent), KeypadText(keypadText)
{
    setObjectName(u"fmValue"_s);
    setWindowTitle(u"fmValue"_s);

    GroupBox1 = new QGroupBox(u"Выберите тип и название условия"_s, this);
    GroupBox1->setObjectName(u"GroupBox1"_s);
    GroupBox1->setFixedSize(events::chooserIconRect(7).right() + 9, events::chooserIconRect(8).bottom() + 9);
    GroupBox1->setMouseTracking(true);
    GroupBox1->installEventFilter(this);
    PopupMenu = new QMenu(this);
    PopupMenu->setObjectName(u"PopupMenu"_s);

    const QSize size(events::kChooserIconSize, events::kChooserIconSize);
    for (int icon = 1; icon <= kIconCount; ++icon) {
        auto* button = new QToolButton(GroupBox1);
        button->setObjectName(u"Image%1"_s.arg(icon));
        button->setGeometry(events::chooserIconRect(icon));
        button->setAccessibleName(iconName(icon));
        button->setToolTip(iconName(icon));
        button->setFocusPolicy(Qt::StrongFocus);
        button->setMouseTracking(true);
        const QImage picture = iconPicture(icon, setup);
        if (!picture.isNull()) {
            button->setIcon(QPixmap::fromImage(picture.scaled(size, Qt::KeepAspectRatio)));
            button->setIconSize(size);
        }
        // Mouse presses open the menu in eventFilter; the keyboard (space) and
        // screen readers click, and get the menu under the icon.
        button->installEventFilter(this);
        connect(button, &QToolButton::clicked, this, [this, icon, button] {
            openMenu(icon, button->geometry().center(), button->mapToGlobal(QPoint(0, button->height())));
        });
        Image[icon] = button;
    }

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(GroupBox1);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

int TfmValue::iconOf(const QObject* object) const
{
    for (int icon = 1; icon <= kIconCount; ++icon)
        if (Image[icon] == object)
            return icon;
    return 0;
}

bool TfmValue::eventFilter(QObject* watched, QEvent* event)
{
    const auto type = event->type();
    if (type != QEvent::MouseMove && type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick)
        return QDialog::eventFilter(watched, event);
    auto* mouse = static_cast<QMouseEvent*>(event);
    auto* widget = static_cast<QWidget*>(watched);
    m_pointer = widget == GroupBox1 ? mouse->position().toPoint()
                                    : widget->mapTo(GroupBox1, mouse->position().toPoint());
    const int icon = iconOf(watched);
    if (type == QEvent::MouseMove || icon == 0)
        return false;
    if (mouse->button() == Qt::LeftButton || mouse->button() == Qt::RightButton) {
        openMenu(icon, m_pointer, mouse->globalPosition().toPoint());
        return true;
    }
    return false;
}

void TfmValue::openMenu(int icon, QPoint boxPosition, QPoint globalPosition)
{
    if (icon >= kFirstObjectIcon)
        ObjectNumber = events::numberObject(boxPosition.x(), boxPosition.y(), kFirstObjectIcon, kObjectIcons,
                                            ObjectNumber);
    PopupMenu->clear();
    for (QMenu* old : PopupMenu->findChildren<QMenu*>(Qt::FindDirectChildrenOnly))
        delete old;

    QList<QMenu*> submenus;
    for (const events::ValueMenuItem& item : events::valueMenu(icon, ObjectNumber)) {
        QMenu* target = PopupMenu;
        if (!item.submenu.isEmpty()) {
            target = nullptr;
            for (QMenu* sub : submenus)
                if (sub->title() == item.submenu)
                    target = sub;
            if (!target) {
                target = PopupMenu->addMenu(item.submenu);
                target->setEnabled(false);
                submenus << target;
            }
            // A submenu is open to the author when any of its entries is.
            if (item.enabled)
                target->setEnabled(true);
        }
        QAction* action = target->addAction(item.caption);
        action->setEnabled(item.enabled);
        if (item.enabled)
            connect(action, &QAction::triggered, this, [this, word = item.word] { choose(word); });
    }
    PopupMenu->popup(globalPosition);
}

void TfmValue::choose(const QString& word)
{
    KeypadText += word;
    PopupMenu->close();
    accept();
}

} // namespace kestrava::editor
