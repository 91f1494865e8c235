#include "editor/help/GuideLauncher.h"

#include "editor/help/GuidePages.h"
#include "editor/help/GuideWindow.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

#include <utility>

namespace kestrava::editor {

GuideLauncher::GuideLauncher(QString guideFolder, QWidget* mainWindow)
    : QObject(mainWindow), m_folder(std::move(guideFolder)), m_mainWindow(mainWindow)
{
    qApp->installEventFilter(this);
}

GuideLauncher::~GuideLauncher()
{
    qApp->removeEventFilter(this);
}

GuideWindow* GuideLauncher::window() const
{
    return m_window.data();
}

void GuideLauncher::showFor(const QWidget* focus)
{
    const QString page = guidePageFor(focus);
    // Over a modal dialog the guide must be its child, or the dialog would block it.
    QWidget* owner = QApplication::activeModalWidget() ? QApplication::activeModalWidget() : m_mainWindow;
    if (m_window && m_window->parentWidget() != owner)
        delete m_window.data();
    if (!m_window)
        m_window = new GuideWindow(m_folder, owner);
    m_window->showPage(page);
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

bool GuideLauncher::eventFilter(QObject* watched, QEvent* event)
{
    // The main window's F1 is its menu item's shortcut; a key the shortcut did not take ends here.
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1
        && static_cast<QKeyEvent*>(event)->modifiers() == Qt::NoModifier && watched->isWidgetType()) {
        auto* widget = static_cast<QWidget*>(watched);
        if (widget->window() != m_window) {
            showFor(widget);
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace kestrava::editor
