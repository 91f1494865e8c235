#pragma once

#include "model/ScreenChoice.h"

#include <QImage>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

class QAction;
class QLabel;
class QMenu;
class QScrollArea;

namespace kestrava::document { class ProjectDocument; }
namespace kestrava::level { class LevelView; }

namespace kestrava::editor {

class ObjectListPanel;
class ZoomBox;
class PositionImage;

// The level editor pane: the object list of the current stage and its map.
// Every handler hands its input to level::LevelView and shows the result;
// the map follows the document by itself.
class LevelMapPane : public QWidget {
    Q_OBJECT
public:
    explicit LevelMapPane(document::ProjectDocument& document, QWidget* parent = nullptr);
    ~LevelMapPane() override;

    // Once, when the main window is created.
    void start();
    // Rebuilds the object list of the current stage.
    void start1();
    // Redraws the level map of the current stage.
    void redrawMap();
    // The level map as last drawn (the scenario editor's stage thumbnail).
    QImage levelPicture() const;
    // "Настройки игры": the game screen framed on the map.
    void setScreenSize(model::ScreenSize size);
    model::ScreenSize screenSize() const;

    // The editor's state and operations without the window (tests).
    level::LevelView& view() { return *m_view; }

    // The map's zoom in percent (25..800). `about`: a point of the map's
    // viewport that keeps showing the same map position; else its middle.
    void setZoom(int percent, std::optional<QPoint> about = std::nullopt);
    int zoom() const;

    // How a context menu is run: QMenu::exec unless replaced; returns the chosen action.
    void setMenuRunner(std::function<QAction*(QMenu*, const QPoint&)> runner);

    QMenu* PopupMenu2 = nullptr;
    QMenu* PopupMenu3 = nullptr;
    // The object list's menu: "Обновить из библиотеки" for the group under the right click.
    QMenu* PopupMenuList = nullptr;
    QAction* N_UpdateFromLibrary = nullptr;
    // An active group's "Наибольшее число объектов на экране…".
    QAction* N_MadeObjects = nullptr;
    QAction* N2 = nullptr;
    QAction* N3 = nullptr;
    QAction* N4 = nullptr;
    QAction* N5 = nullptr;
    QAction* N6 = nullptr;
    QAction* N7 = nullptr;
    // Delete and Escape while the pane is shown.
    QAction* DeleteSelected = nullptr;
    QAction* DropPicked = nullptr;
    // "Карта": the selected objects; the arrows nudge them (Shift: by 8).
    QMenu* MapMenu = nullptr;
    QAction* CopyObjects = nullptr;
    QAction* CutObjects = nullptr;
    QAction* PasteObjects = nullptr;
    QAction* DuplicateObjects = nullptr;
    // "Вид": zoom and the grid. The main window's menu bar shows both menus while the pane is shown.
    QMenu* ViewMenu = nullptr;
    QAction* ZoomIn = nullptr;
    QAction* ZoomOut = nullptr;
    QAction* ZoomReset = nullptr;
    QAction* GridShown = nullptr;
    QAction* GridSnap = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    // The pointer's point in the map's viewport while it is over the map.
    std::optional<QPoint> pointerInView() const;
    void pnObjectsListMouseMove(QPoint pos);
    void pnObjectsListMouseUp(QPoint pos);
    void ImPositionObjectsMouseMove(QPoint pos);
    void ImPositionObjectsMouseDown(QPoint pos, Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
    void ImPositionObjectsMouseUp(QPoint pos, Qt::MouseButton button, bool click);
    void frPos_Obj1ImPositionObjectsContextPopup(QPoint pos);
    void pnObjectsListContextPopup(QPoint pos);
    void N_UpdateFromLibraryClick();
    void N_MadeObjectsClick();
    void N2Click();
    void N4Click();
    void N5Click();
    void N7Click();
    void openPathDialog();
    void buildMapActions();
    // Runs a tool operation as one input and shows the result.
    template <class Operation>
    void run(Operation operation);

    // After every input: the map, the labels and any messages.
    void showState();
    void showIcons();

    document::ProjectDocument& m_document;
    std::unique_ptr<level::LevelView> m_view;
    QString m_listTarget; // the object file of the group the list's menu was opened on
    // The active group of the list icon the menu was opened on; 0 for another kind.
    int m_listGroup = 0;
    ObjectListPanel* pnObjectsList = nullptr;
    QScrollArea* m_listScroll = nullptr;
    QScrollArea* frPos_Obj1 = nullptr;
    PositionImage* ImPositionObjects = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* m_status = nullptr;
    QLabel* m_hover = nullptr;
    ZoomBox* m_zoomBox = nullptr;
    QStringList m_pendingMessages;
    std::function<QAction*(QMenu*, const QPoint&)> m_runMenu;
};

} // namespace kestrava::editor
