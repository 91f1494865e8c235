#pragma once

#include <QAction>
#include <QMenu>
#include <QStringList>

namespace kestrava::test {

// The item of a menu at a path of captions (submenus, then the item); null when there is none.
inline QAction* menuItem(const QMenu* menu, const QStringList& path)
{
    for (QAction* action : menu->actions()) {
        if (action->text() != path.first())
            continue;
        if (path.size() == 1)
            return action;
        if (action->menu())
            return menuItem(action->menu(), path.mid(1));
    }
    return nullptr;
}

} // namespace kestrava::test
