#pragma once

#include "level/PictureCache.h"
#include "model/Project.h"

#include <QHash>
#include <QImage>
#include <QRect>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

class QPainter;

namespace kestrava::io { class AppFolder; }

namespace kestrava::level {

// What an icon of the object list stands for (its hint: "fon", "active", "text").
enum class SlotKind { Blank, Fon, Active, Text };

struct ListIcon {
    SlotKind kind = SlotKind::Blank;
    int tag = 0;          // the group or text object number
    QImage image;         // the icon as shown; null for a blank slot
    QRect geometry;       // on the list panel
};

// The pop-up menu a right click on the map asks for.
enum class ContextMenu { None, PopupMenu2 /* background */, PopupMenu3 /* active */ };

// The selection frame's colour; it steps on every redraw.
struct BlinkColour {
    int red = 0;
    int green = 255;
    int blue = 0;
    bool up = true;

    void advance();
    // The colour drawn: the low 8 bits of each component.
    QRgb rgb() const;
};

struct SelectionRect {
    int left = 0;
    int right = 0;
    int top = 0;
    int bottom = 0;
    bool operator==(const SelectionRect&) const = default;
};

// The level editor of stage CurLevel: the object list, placing, dragging,
// selecting and deleting placed objects, paths, and the map picture. The
// per-stage working fields live in model::StageData; the values here are
// one set for the whole program. Every handler ends with the map redrawn
// as the author sees it; problems go to statusText() (refused actions) or
// takeMessages() (pictures that cannot be read, each reported once).
class LevelEditor {
public:
    static constexpr int kIconLeft = 5;
    static constexpr int kIconStep = 50;
    static constexpr int kIconWidth = 38;
    static constexpr int kIconHeight = 40;
    static constexpr int kPickMargin = 5;
    static constexpr int kBlankIcons = 40;
    static constexpr QRgb kScreenFrameColour = 0xff64c896;  // 100, 200, 150
    static constexpr QRgb kPathPointColour = 0xff1900ff;    // 25, 0, 255
    static constexpr QRgb kIconFaceColour = 0xfff0f0f0;

    LevelEditor(model::Project& project, const io::AppFolder& app);

    // Working values.
    QString DragRef;
    int DragLayer = 0;
    int DragGroupIndex = 0;
    int ListX = 0;          // last pointer position over the list panel
    int ListY = 0;
    int DownX = 0;
    int DownY = 0;
    SelectionRect SelRect;
    BlinkColour Blink;
    bool ResetDrag = false;
    int CurObject = 0;
    int MenuObject = 0;
    int PathEditMode = 0;
    int ScreenWidth = 0;
    int ScreenHeight = 0;

    // "Новый": blank icons, empty object lists, no drag or selection.
    void clear();
    // Once, when the main window is made: drag flags off, blink colour reset, list and map drawn.
    void start();
    // Rebuilds the object list of the current stage.
    void start1();
    // The icon of one list slot.
    void obnov(int slot, SlotKind kind, int tag, const QString& picturePath);
    // Redraws the map.
    void pereris();

    void pnObjectsListMouseMove(int x, int y);
    void pnObjectsListMouseUp();

    void ImPositionObjectsMouseMove(int x, int y);
    void ImPositionObjectsClick();
    void ImPositionObjectsMouseDown(int x, int y);
    void ImPositionObjectsMouseUp();
    // Right click at (x, y): which menu to show; sets MenuObject.
    ContextMenu frPos_Obj1ImPositionObjectsContextPopup(int x, int y);

    // "удалить" on a background / active object.
    void N4Click();
    void N7Click();
    // "свойства" on a background object: openFonSettings(i) runs the
    // background settings dialog for every placed background object i
    // under the last press, in order.
    void N2Click(const std::function<void(int)>& openFonSettings);
    // "свойства" on an active object: openMovementType(i) runs the movement
    // dialog for each placed active object i under the last press; after each
    // the choice is copied into the object's group.
    void N5Click(const std::function<void(int)>& openMovementType);

    // The behaviour dialogs.
    void chooseMovementType(model::MovementType type);
    void movementDialogClosed(int object);
    void pathStraight();
    void pathDeleteLast();
    void pathConfirm();
    // obstacle 1 marks the group of placed background object `object` as an obstacle, 0 as passable.
    void setObstacle(int object, int obstacle);

    void setScreenSize(int width, int height);

    // The map as last drawn (kMapSize x kMapSize, RGB32).
    const QImage& map() const { return m_map; }
    // Label1: the pointer position, "120x45".
    const QString& pointerText() const { return m_pointerText; }
    // Why the last action was refused; empty when it was not.
    const QString& statusText() const { return m_status; }
    // Picture problems not yet shown, each reported once until it is mended.
    QStringList takeMessages();
    // The icon table, [1..n]; element 0 unused.
    const std::vector<ListIcon>& icons() const { return m_icons; }

    PictureCache& pictures() { return m_pictures; }
    // Off: every picture is decoded again each time it is drawn (for measurements).
    void setPictureCaching(bool on);

private:
    struct GroupRender;
    struct TileSheet;

    model::StageData& stage() { return m_project.current(); }
    // The icon table of `count` blank slots at their places on the panel.
    void blankIcons(int count);

    QString projectObject(const QString& name) const;
    // A picture, its problem reported once under key; false when it cannot be had.
    bool loadReported(const QString& key, const QString& path, CachedPicture* out);
    bool loadSilently(const QString& path, CachedPicture* out);
    // The tile sheet of a group: the library copy, else the project's own.
    bool loadLibraryOrOwn(const QString& key, const QString& name, QString* path, CachedPicture* out, bool report);
    bool loadSheet(const model::FonGroupData& group, QString* path, CachedPicture* out, bool report);
    std::shared_ptr<const TileSheet> tileSheet(const model::FonGroupData& group, bool report);
    const GroupRender* groupRender(int g);
    void report(const QString& key, const QString& message);
    void forget(const QString& key) { m_reported.remove(key); }
    void refuse(const QString& why) { m_status = why; }

    bool fonValid(int i) const;
    bool activeValid(int i) const;
    bool hitsFon(int i, int x, int y, int shrink) const;
    bool hitsActive(int i, int x, int y) const;

    void drawBackground(QPainter& painter);
    void drawActive(QPainter& painter);
    void drawPicture(const QString& key, const QString& path, int x, int y);
    void drawPath();

    model::Project& m_project;
    const io::AppFolder& m_app;
    QImage m_map;
    QString m_pointerText;
    QString m_status;
    QStringList m_messages;
    QHash<QString, QString> m_reported;
    std::vector<ListIcon> m_icons;
    PictureCache m_pictures;
    QHash<QString, std::shared_ptr<TileSheet>> m_sheets;
    QHash<int, std::shared_ptr<GroupRender>> m_renders;
    int m_renderLevel = 0;
};

} // namespace kestrava::level
