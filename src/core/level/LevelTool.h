#pragma once

#include "level/LevelCommands.h"
#include "level/MapKind.h"
#include "level/MapRenderer.h"
#include "level/ObjectClipboard.h"
#include "level/ObjectList.h"
#include "level/PathTool.h"
#include "level/PlaceTool.h"
#include "level/SelectTool.h"
#include "model/Project.h"

#include <QPoint>
#include <QString>

#include <array>
#include <optional>
#include <vector>

namespace kestrava::document { class ProjectDocument; }

namespace kestrava::level {

// How the author works on the map of the current stage. It holds one tool
// per way of working (placing a picked icon, selecting and moving, drawing
// a path), hands the pointer to the one in charge, and keeps what they
// share: the context menu's target and the behaviour dialogs' choices.
// Every change of the project is a command of the document.
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
    // primary: the left button; only it adds a path point. extend: Shift or
    // Ctrl held, the press adds to the selection or takes from it.
    void pressed(int x, int y, bool primary = true, bool extend = false);
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
    std::optional<int> propertiesTarget(ObjectKind kind);
    // The movement dialog's choice for the group of placed active object `object`.
    // motion: the group's speeds; none keeps them.
    void chooseMovementType(int object, model::MovementType type, std::optional<model::MotionData> motion = {});
    model::MovementType movementTypeOf(int object) const;
    model::MotionData motionOf(int object) const;
    // The background settings dialog: 1 obstacle, 0 passable, for the group of `object`.
    void setObstacle(int object, int obstacle);
    int obstacleOf(int object) const;

    // Delete: the selected objects, one undo step; false when nothing was selected.
    bool deleteSelected();
    // Arrow keys: the selection moved by (dx, dy), one undo step; false when nothing was selected.
    bool nudge(int dx, int dy);
    // Ctrl+C: the selected objects kept to be pasted, on this stage or
    // another of the project; false when nothing was selected.
    bool copy();
    // Ctrl+X: copied, then deleted as one undo step.
    bool cut();
    // Ctrl+V: the copied objects placed on the current stage, as one undo
    // step, and selected; on the stage they came from a grid cell to the
    // right and down. Refused whole (false, statusText() says why) when the
    // stage lacks one of their groups or has no room for all of them.
    bool paste();
    // Ctrl+D: the selection pasted again on its stage; the copied objects stay.
    bool duplicate();
    bool canPaste() const { return !m_clipboard.empty(); }

    // "Вид": the grid of the stage's tile size, and snapping to it.
    void setGrid(model::LevelGridData grid);
    // The grid's cell: the tile size of the stage's first background group, else 16 x 16.
    QSize gridCell() const;
    // Escape: drops a picked icon and ends path drawing; false when there was neither.
    bool dropPicked();

    // The path dialog, on the active object whose properties were opened last.
    void setPathObject(int object) { m_path.setObject(object); }
    void pathStraight();
    void pathDeleteLast();
    void pathConfirm();
    // "Нет", the dialog's frame or Escape: drawing stops, the points stay.
    void pathEnd();
    PathMode pathMode() const { return m_path.mode(); }
    int pathObject() const { return m_path.object(); }
    // The movement settings code of the current stage.
    const QString& movementCode() const;

    // What the map shows besides the stage.
    MapOverlay overlay(QRgb selectionColour, QSize screen) const;
    // The pointer position as "120x45".
    const QString& pointerText() const { return m_pointerText; }
    // Why the last action was refused; empty when it was not.
    const QString& statusText() const { return m_context.status; }
    std::optional<PlacedRef> selection() const { return m_select.selection(); }
    const std::vector<PlacedRef>& selected() const { return m_select.selected(); }
    // The object under the pointer, for the status bar; empty over empty map.
    QString hoverText() const;
    std::optional<PickedIcon> picked() const { return m_place.picked(); }
    std::optional<PlacedRef> menuTarget() const { return m_menuTarget; }
    // The frame of the selected object as it now lies; all 0 for none.
    SelectionRect selectionFrame() const { return m_select.frame(); }

private:
    // The tool that takes the next press: a path being drawn, else a picked icon, else selecting.
    MapTool& inCharge();

    ToolContext m_context;
    PlaceTool m_place;
    SelectTool m_select;
    PathTool m_path;
    // The tool that took the press while the button is down.
    MapTool* m_gesture = nullptr;
    ObjectClipboard m_clipboard;

    QPoint m_list;
    QString m_pointerText;
    std::optional<PlacedRef> m_menuTarget;
    // The movement settings code per stage, "2" after a path was confirmed;
    // the movement dialog copies it into the group's Caption.
    std::array<QString, model::kMaxLevels + 1> m_movementCode;
};

} // namespace kestrava::level
