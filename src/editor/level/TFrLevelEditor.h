#pragma once

#include <QImage>
#include <QWidget>

#include <functional>
#include <memory>

class QAction;
class QLabel;
class QMenu;
class QScrollArea;

namespace kestrava::model { class Project; }
namespace kestrava::io { class AppFolder; }
namespace kestrava::level { class LevelEditor; }

namespace kestrava::editor {

class ObjectListPanel;
class PositionImage;

// The level editor pane: the object list of the current stage and its map.
// Every handler hands its input to level::LevelEditor and shows the result.
class TFrLevelEditor : public QWidget {
    Q_OBJECT
public:
    TFrLevelEditor(model::Project& project, const io::AppFolder& app, QWidget* parent = nullptr);
    ~TFrLevelEditor() override;

    // Project reset ("Новый", "Открыть").
    void clear();
    // Once, when the main window is created.
    void start();
    // Rebuilds the object list of the current stage.
    void start1();
    // Redraws the level map of the current stage.
    void pereris();
    // The level map as last drawn (the scenario editor's stage thumbnail).
    QImage levelPicture() const;

    // The editor's state and operations (game settings, tests).
    level::LevelEditor& editor() { return *m_editor; }

    // How a context menu is run: QMenu::exec unless replaced; returns the chosen action.
    void setMenuRunner(std::function<QAction*(QMenu*, const QPoint&)> runner);

    QMenu* PopupMenu2 = nullptr;
    QMenu* PopupMenu3 = nullptr;
    QAction* N2 = nullptr;
    QAction* N3 = nullptr;
    QAction* N4 = nullptr;
    QAction* N5 = nullptr;
    QAction* N6 = nullptr;
    QAction* N7 = nullptr;

private:
    void pnObjectsListMouseMove(QPoint pos);
    void pnObjectsListMouseUp(QPoint pos);
    void ImPositionObjectsMouseMove(QPoint pos);
    void ImPositionObjectsMouseDown(QPoint pos, Qt::MouseButton button);
    void ImPositionObjectsMouseUp(QPoint pos, Qt::MouseButton button, bool click);
    void frPos_Obj1ImPositionObjectsContextPopup(QPoint pos);
    void N2Click();
    void N4Click();
    void N5Click();
    void N7Click();
    void openPathDialog();

    // After every call of the editor: the map, the labels and any messages.
    void showState();
    void showIcons();

    std::unique_ptr<level::LevelEditor> m_editor;
    ObjectListPanel* pnObjectsList = nullptr;
    QScrollArea* m_listScroll = nullptr;
    QScrollArea* frPos_Obj1 = nullptr;
    PositionImage* ImPositionObjects = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* m_status = nullptr;
    QStringList m_pendingMessages;
    std::function<QAction*(QMenu*, const QPoint&)> m_runMenu;
};

} // namespace kestrava::editor
