#pragma once

#include "events/Sheet.h"

#include <QPoint>
#include <QTimer>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>
#include <optional>

class QAction;
class QLabel;
class QMenu;
class QPushButton;
class QScrollArea;
class QToolButton;

namespace kestrava::document { class ProjectDocument; }
namespace kestrava::events { class SheetView; struct ActionItem; }

namespace kestrava::editor {

class SheetDialogs;
class SheetImage;

// The events editor pane: the event sheet of the current stage. Presses on
// the sheet open the menu of their column; every edit goes to
// events::SheetView as one undoable step, and the sheet follows the
// document by itself.
class EventSheetPane : public QWidget {
    Q_OBJECT
public:
    explicit EventSheetPane(document::ProjectDocument& document, QWidget* parent = nullptr);
    ~EventSheetPane() override;

    // Once, when the main window is created.
    void start();
    // Each time the sheet is shown: the header icons of the current stage.
    void start1();
    // Another project.
    void clear();
    void repaint();

    events::SheetView& view() { return *m_view; }
    void setDialogs(std::unique_ptr<SheetDialogs> dialogs);
    // How a menu is run: QMenu::exec unless replaced; returns the chosen action.
    void setMenuRunner(std::function<QAction*(QMenu*, const QPoint&)> runner);
    // How long a left press on a filled cell waits for a double-click before
    // its menu opens; 0 opens it at once (the double-click interval unless set).
    void setDoubleClickWait(int ms) { m_doubleClickWait = ms; }

    // "изменить…": the dialog that made the condition (column 0) or action
    // of a cell, opened on its values; "Да" replaces it as one step.
    void editCell(int row, int column);

    // "новая строка", "Группа событий", "комментарий".
    void newRowClick();
    void titledRowClick(const QString& kind);

    QPushButton* bAllEvents = nullptr;
    QMenu* PopupMenu1 = nullptr; // the row menu of "Все события"
    QAction* N_NewRow = nullptr;
    QAction* N_Group = nullptr;
    QAction* N_Comment = nullptr;
    SheetImage* Image1 = nullptr;
    std::array<QToolButton*, events::kColumns + 1> HeaderButtons{};
    std::array<QPushButton*, 51> RowButtons{};
    std::array<QLabel*, 51> RowLabels{};
    QLabel* HintLabel = nullptr;

private:
    void Image1MouseDown(QPoint pos, Qt::MouseButton button);
    void Image1MouseUp(QPoint pos);
    void Image1MouseMove(QPoint pos);
    void Image1DoubleClick(QPoint pos);
    // The "изменить…" item of a cell's menu: disabled with the reason when it cannot be done.
    QAction* addEditItem(QMenu& menu, int row, int column);
    // Runs the row menu's own items; false for any other choice.
    bool rowKindChosen(QAction* chosen);
    void rowButtonMenu(int row, const QPoint& at);
    void openColumnMenu(catalogue::ColumnMenu kind, const QPoint& at);
    void runAction(const catalogue::Item& item);
    void conditionClick(int row, bool add);
    void showRows();
    void showHeader();
    void showMessages();
    void command(const std::function<void()>& edit);

    document::ProjectDocument& m_document;
    std::unique_ptr<events::SheetView> m_view;
    std::unique_ptr<SheetDialogs> m_dialogs;
    std::function<QAction*(QMenu*, const QPoint&)> m_runMenu;
    QScrollArea* m_scroll = nullptr;
    QWidget* m_canvas = nullptr;
    int m_doubleClickWait = 0;
    // Where the pointer last was over the sheet: an edit or undo renames what is under it.
    std::optional<QPoint> m_pointer;
    QTimer m_menuWait;
    std::function<void()> m_waitingMenu;
};

} // namespace kestrava::editor
