#include "editor/events/ChooserIconBox.h"

#include "events/Choosers.h"

#include <QAction>
#include <QMenu>
#include <QMouseEvent>
#include <QPixmap>
#include <QToolButton>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::editor {

ChooserIconBox::ChooserIconBox(int iconCount, QWidget* parent)
    : QGroupBox(u"Выберите тип и название условия"_s, parent)
{
    setObjectName(u"GroupBox1"_s);
    for (int i = 1; i <= iconCount; ++i) {
        auto* button = new QToolButton(this);
        button->setObjectName(u"Image%1"_s.arg(i));
        button->setGeometry(events::chooserIconRect(i));
        button->setFocusPolicy(Qt::StrongFocus);
        // Mouse presses open the menu in eventFilter; the keyboard (space) and
        // screen readers click, and get the menu under the icon.
        button->installEventFilter(this);
        connect(button, &QToolButton::clicked, this, [this, i, button] {
            emit menuRequested(i, button->geometry().center(), button->mapToGlobal(QPoint(0, button->height())));
        });
        m_icons << button;
    }
}

void ChooserIconBox::setIcon(int i, const QString& name, const QImage& picture)
{
    QToolButton* button = icon(i);
    button->setAccessibleName(name);
    button->setToolTip(name);
    if (picture.isNull())
        return;
    const QSize size(events::kChooserIconSize, events::kChooserIconSize);
    button->setIcon(QPixmap::fromImage(picture.scaled(size, Qt::KeepAspectRatio)));
    button->setIconSize(size);
}

bool ChooserIconBox::eventFilter(QObject* watched, QEvent* event)
{
    const auto type = event->type();
    const qsizetype index = m_icons.indexOf(qobject_cast<QToolButton*>(watched));
    if (index < 0 || (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick))
        return QGroupBox::eventFilter(watched, event);
    auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() != Qt::LeftButton && mouse->button() != Qt::RightButton)
        return false;
    const QPoint boxPosition = m_icons[index]->mapTo(this, mouse->position().toPoint());
    emit menuRequested(int(index) + 1, boxPosition, mouse->globalPosition().toPoint());
    return true;
}

void clearMenu(QMenu* menu)
{
    menu->clear();
    for (QMenu* old : menu->findChildren<QMenu*>(Qt::FindDirectChildrenOnly))
        delete old;
}

QAction* addMenuItem(QMenu* menu, const QStringList& path)
{
    QMenu* target = menu;
    for (qsizetype k = 0; k + 1 < path.size(); ++k) {
        QMenu* sub = nullptr;
        for (QAction* action : target->actions())
            if (action->menu() && action->text() == path[k])
                sub = action->menu();
        target = sub ? sub : target->addMenu(path[k]);
    }
    return target->addAction(path.last());
}

void enableSubmenus(QMenu* menu)
{
    for (QAction* action : menu->actions()) {
        QMenu* sub = action->menu();
        if (!sub)
            continue;
        enableSubmenus(sub);
        bool any = false;
        for (const QAction* item : sub->actions())
            any = any || item->isEnabled();
        sub->setEnabled(any);
    }
}

} // namespace kestrava::editor
