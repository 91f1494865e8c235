#pragma once

#include "level/LevelCommands.h"
#include "level/MapRenderer.h"
#include "level/ObjectList.h"
#include "model/Project.h"

#include <QPoint>
#include <QString>

#include <array>
#include <optional>
#include <vector>

namespace kestrava::document { class ProjectDocument; }

namespace kestrava::level {

// The pop-up menu a right click on the map asks for.
enum class ContextMenu { None, Background, Active };

// Whether presses on the map draw the path of an active object.
enum class PathMode { Off, Drawing };

// An icon of the object list picked to be placed: it follows the pointer
// over the map until a click places it.
struct PickedIcon {
    std::optional<model::ObjectKind> kind; // none: a blank slot
    int tag = 0;
};

// How the author works on the map of the current stage: picking icons,
// placing, dragging, selecting, deleting, the behaviour dialogs' choices
// and drawing paths. It keeps only what the pointer and the tools are
// doing; every change of the project is a command of the document.
class LevelTool {
public:
    LevelTool(document::ProjectDocument& document, MapRenderer& renderer);

    // Another stage is shown: nothing stays picked, dragged, selected or drawn.
    void reset();
    // Another project: the stages' movement settings codes go too.
    void forgetProject();

    // The object list.
    void listPointerMoved(int x, int y);
    // Picks the icon at the position the pointer was last seen over the list.
    void listReleased(const ObjectList& list);

    // The map, in the order the window delivers a left click: press, click, release.
    void pointerMoved(int x, int y);
    // primary: the left button; only it adds a path point.
    void pressed(int x, int y, bool primary = true);
    void clicked();
    void released();
    // A right click at (x, y): which menu to show. The topmost object under
    // it anywhere on its extent (the one drawn last) becomes the menu's
    // target and the selection, so the map frames what the menu acts on.
    ContextMenu contextMenuAt(int x, int y);
    // The topmost object the map draws at (x, y); none over empty map.
    std::optional<PlacedRef> topmostAt(int x, int y) const;

    // "удалить" in a context menu.
    void deleteMenuObject();
    // "свойства": the placed object of that kind the last context menu was
    // opened on, while it exists; its dialog opens once.
    std::optional<int> propertiesTarget(PlacedKind kind);
    // The movement dialog's choice for the group of placed active object `object`.
    void chooseMovementType(int object, model::MovementType type);
    model::MovementType movementTypeOf(int object) const;
    // The background settings dialog: 1 obstacle, 0 passable, for the group of `object`.
    void setObstacle(int object, int obstacle);
    int obstacleOf(int object) const;

    // Delete: the selected object; false when nothing was selected.
    bool deleteSelected();
    // Escape: drops a picked icon and ends path drawing; false when there was neither.
    bool dropPicked();

    // The path dialog, on the active object whose properties were opened last.
    void setCurObject(int object) { m_curObject = object; }
    void pathStraight();
    void pathDeleteLast();
    void pathConfirm();
    // "Нет", the dialog's frame or Escape: drawing stops, the points stay.
    void pathEnd();
    PathMode PathEditMode() const { return m_pathEditMode; }
    int CurObject() const { return m_curObject; }
    // The movement settings code of the current stage.
    const QString& MoveModeText() const;

    // What the map shows besides the stage.
    MapOverlay overlay(QRgb selectionColour, QSize screen) const;
    // The pointer position as "120x45".
    const QString& pointerText() const { return m_pointerText; }
    // Why the last action was refused; empty when it was not.
    const QString& statusText() const { return m_status; }
    std::optional<PlacedRef> selection() const { return m_selection; }
    std::optional<PickedIcon> picked() const { return m_picked; }
    std::optional<PlacedRef> MenuObject() const { return m_menuObject; }
    // The frame of the selected object as it now lies; all 0 for none.
    SelectionRect SelRect() const;

private:
    const model::Project& project() const;
    const model::StageData& stage() const;
    int level() const;

    bool fonValid(int i) const;
    bool activeValid(int i) const;
    bool exists(PlacedRef object) const;
    bool hitsFon(int i, int x, int y, int shrink) const;
    bool hitsActive(int i, int x, int y) const;
    bool hitsLivesBar(int x, int y) const;
    std::optional<SelectionRect> frameOf(PlacedRef object) const;

    void placeFon(int group);
    void placeActive(int group);
    void refuse(const QString& why) { m_status = why; }

    document::ProjectDocument& m_document;
    MapRenderer& m_renderer;

    QPoint m_list;
    QPoint m_last;         // the pointer's last position on the map
    QPoint m_down;         // DownX, DownY: where the last press on the map was
    QString m_pointerText;
    QString m_status;

    std::optional<PickedIcon> m_picked;
    std::optional<PlacedRef> m_drag;
    int m_dragSerial = 0;
    // ResetDrag: a release arms it; the next pointer move then drops a picked
    // group (a picked text stays until a click). A release itself ends a drag.
    bool m_resetDrag = false;
    std::optional<PlacedRef> m_selection;
    std::optional<PlacedRef> m_menuObject;

    PathMode m_pathEditMode = PathMode::Off;
    int m_curObject = 0;
    // The movement settings code per stage, "2" after a path was confirmed;
    // the movement dialog copies it into the group's Caption.
    std::array<QString, model::kMaxLevels + 1> m_moveModeText;
};

} // namespace kestrava::level
