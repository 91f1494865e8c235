#pragma once

#include <QGroupBox>
#include <QImage>
#include <QList>
#include <QPoint>
#include <QString>
#include <QStringList>

class QAction;
class QMenu;
class QToolButton;

namespace kestrava::editor {

// The icon box of the value and condition choosers ("Выберите тип и название
// условия"): icons 1..iconCount at events::chooserIconRect, each a focusable
// button with a name. A left or right press on an icon, or a click from the
// keyboard or a screen reader, asks for its menu with the pointer in box
// coordinates: the object icons tell their number from it.
class ChooserIconBox : public QGroupBox {
    Q_OBJECT
public:
    ChooserIconBox(int iconCount, QWidget* parent);

    QToolButton* icon(int icon) const { return m_icons.value(icon - 1); }
    void setIcon(int icon, const QString& name, const QImage& picture);

signals:
    void menuRequested(int icon, QPoint boxPosition, QPoint globalPosition);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QList<QToolButton*> m_icons;
};

// The chooser menus are rebuilt at each opening.
// Empties the menu, its submenus deleted.
void clearMenu(QMenu* menu);
// Adds an item under its submenus (path: submenus, then the item), a
// submenu made at the first item that names it.
QAction* addMenuItem(QMenu* menu, const QStringList& path);
// A submenu is open to the author when any of its items is.
void enableSubmenus(QMenu* menu);

} // namespace kestrava::editor
