#include "level/LevelTool.h"

#include "document/ProjectDocument.h"
#include "io/AppFolder.h"
#include "media/PictureSource.h"
#include "media/PlacedSizes.h"

#include <algorithm>
#include <limits>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::level {

namespace {

int clampToInt(qint64 v)
{
    return int(std::clamp<qint64>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

// Strictly inside (low, low + extent).
bool within(int value, qint64 low, qint64 extent)
{
    return low < value && value < low + extent;
}

} // namespace

LevelTool::LevelTool(document::ProjectDocument& document, MapRenderer& renderer)
    : m_document(document), m_renderer(renderer)
{
}

const model::Project& LevelTool::project() const
{
    return m_document.project();
}

int LevelTool::level() const
{
    return project().CurLevel;
}

const model::StageData& LevelTool::stage() const
{
    return project().current();
}

void LevelTool::reset()
{
    m_picked.reset();
    m_drag.reset();
    m_resetDrag = false;
    m_selection.reset();
    m_menuObject.reset();
    m_pathEditMode = PathMode::Off;
    m_curObject = 0;
    m_status.clear();
}

void LevelTool::forgetProject()
{
    reset();
    m_moveModeText = {};
}

// ---------------------------------------------------------------- hit tests

bool LevelTool::fonValid(int i) const
{
    const model::StageData& s = stage();
    if (i < 1 || i > std::min(s.FonObjCount, model::kMaxFonObjects))
        return false;
    const int g = s.FonObject[size_t(i)].Group;
    return g >= 1 && g <= std::min(s.FonGroupCount, model::kMaxFonGroups);
}

bool LevelTool::activeValid(int i) const
{
    return i >= 1 && i <= std::min(stage().ActiveObjCount, model::kMaxActiveObjects);
}

bool LevelTool::exists(PlacedRef object) const
{
    switch (object.kind) {
    case PlacedKind::Background:
        return fonValid(object.index) && stage().FonObject[size_t(object.index)].Exists;
    case PlacedKind::Active:
        return activeValid(object.index) && stage().ActiveObject[size_t(object.index)].Exists;
    case PlacedKind::LivesBar:
        return !stage().LivesBar.BmpName.isEmpty();
    case PlacedKind::Text:
        return object.index >= 1 && object.index <= std::min(stage().TextCount, model::kMaxTextObjects);
    }
    return false;
}

bool LevelTool::hitsFon(int i, int x, int y, int shrink) const
{
    const model::StageData& s = stage();
    const model::FonObjectData& o = s.FonObject[size_t(i)];
    const model::FonGroupData& g = s.FonGroup[size_t(o.Group)];
    return within(x, o.X, qint64(o.Width - shrink) * g.Columns) && within(y, o.Y, qint64(o.Height - shrink) * g.Rows);
}

bool LevelTool::hitsActive(int i, int x, int y) const
{
    const model::ActiveObjectData& o = stage().ActiveObject[size_t(i)];
    return within(x, o.X, o.Width) && within(y, o.Y, o.Height);
}

bool LevelTool::hitsLivesBar(int x, int y) const
{
    const model::LivesBarData& bar = stage().LivesBar;
    return !bar.BmpName.isEmpty() && within(x, bar.X, bar.Width) && within(y, bar.Y, bar.Height);
}

std::optional<SelectionRect> LevelTool::frameOf(PlacedRef object) const
{
    if (!exists(object))
        return std::nullopt;
    const model::StageData& s = stage();
    if (object.kind == PlacedKind::Background) {
        const model::FonObjectData& o = s.FonObject[size_t(object.index)];
        const model::FonGroupData& g = s.FonGroup[size_t(o.Group)];
        return SelectionRect{o.X, clampToInt(o.X + qint64(o.Width) * g.Columns), o.Y,
                             clampToInt(o.Y + qint64(o.Height) * g.Rows)};
    }
    if (object.kind == PlacedKind::Active) {
        const model::ActiveObjectData& o = s.ActiveObject[size_t(object.index)];
        return SelectionRect{o.X, clampToInt(qint64(o.X) + o.Width), o.Y, clampToInt(qint64(o.Y) + o.Height)};
    }
    return std::nullopt;
}

// ---------------------------------------------------------------- object list

void LevelTool::listPointerMoved(int x, int y)
{
    m_list = QPoint(x, y);
}

void LevelTool::listReleased(const ObjectList& list)
{
    const model::StageData& s = stage();
    if (s.ListSlotCount <= 0)
        return;
    const std::optional<ListIcon> icon = list.iconAt(m_list.x(), m_list.y(), s.ListSlotCount);
    if (icon) {
        m_picked = PickedIcon{icon->kind, icon->tag};
        // Picked after the last release: the pointer may reach the map
        // without having moved over it since, and must not lose the pick.
        m_resetDrag = false;
    }
}

// ---------------------------------------------------------------- map

void LevelTool::pointerMoved(int x, int y)
{
    m_pointerText = QString::number(x) + u'x' + QString::number(y);
    if (m_resetDrag) {
        if (m_picked && m_picked->kind != model::ObjectKind::Text)
            m_picked.reset();
        m_resetDrag = false;
    }
    if (m_drag && exists(*m_drag) && (x != m_last.x() || y != m_last.y())) {
        const QPoint from = placedPosition(stage(), *m_drag);
        const QPoint to(clampToInt(qint64(from.x()) + x - m_last.x()), clampToInt(qint64(from.y()) + y - m_last.y()));
        m_document.push(new MoveObjectCommand(m_document, level(), *m_drag, from, to, m_dragSerial));
    }
    m_last = QPoint(x, y);
}

void LevelTool::pressed(int x, int y, bool primary)
{
    const model::StageData& s = stage();
    if (m_pathEditMode == PathMode::Drawing) {
        // While a path is drawn a left press adds a point and nothing else;
        // the right button opens the menus as ever.
        m_status.clear();
        if (!primary)
            return;
        if (!activeValid(m_curObject)) {
            refuse(u"Путь рисуется для активного объекта, а объекта %1 на этапе нет"_s.arg(m_curObject));
            return;
        }
        if (s.ActiveObject[size_t(m_curObject)].PathCount >= model::kMaxPathPoints) {
            refuse(u"В пути объекта %1 уже %2 точек — больше добавить нельзя"_s.arg(m_curObject)
                       .arg(model::kMaxPathPoints));
            return;
        }
        m_document.push(new AddPathPointCommand(m_document, level(), m_curObject, model::PathPoint{x, y}));
        return;
    }
    m_selection.reset();
    m_down = QPoint(x, y);
    // A drag moves by the pointer's way from here, even when no move over
    // the map came before the press (the first press after a dialog).
    m_last = m_down;
    m_drag.reset();
    for (int i = 1; i <= std::min(s.FonObjCount, model::kMaxFonObjects); ++i)
        if (fonValid(i) && s.FonObject[size_t(i)].Exists && hitsFon(i, x, y, 0))
            m_drag = PlacedRef{PlacedKind::Background, i};
    for (int i = 1; i <= std::min(s.ActiveObjCount, model::kMaxActiveObjects); ++i)
        if (s.ActiveObject[size_t(i)].Exists && hitsActive(i, x, y))
            m_drag = PlacedRef{PlacedKind::Active, i};
    // The lives bar lies over everything, so it is what the press takes.
    if (hitsLivesBar(x, y))
        m_drag = PlacedRef{PlacedKind::LivesBar, 0};
    if (m_drag)
        ++m_dragSerial;
}

void LevelTool::placeFon(int g)
{
    const model::StageData& s = stage();
    if (s.FonObjCount >= model::kMaxFonObjects) {
        refuse(u"На этапе %1 уже %2 фоновых объектов — больше поставить нельзя"_s.arg(level())
                   .arg(model::kMaxFonObjects));
        return;
    }
    if (g < 1 || g > std::min(s.FonGroupCount, model::kMaxFonGroups)) {
        refuse(u"Фоновой группы %1 на этапе нет — объект не поставлен"_s.arg(g));
        return;
    }
    const model::FonGroupData& group = s.FonGroup[size_t(g)];
    // A sheet the map cannot cut (a bad tile size, too many tiles) is refused
    // here; a sheet that is only missing is reported by the redraw.
    if (const QString why = m_renderer.sheetProblem(project(), group); !why.isEmpty()) {
        refuse(why + u" — объект не поставлен"_s);
        return;
    }
    model::FonObjectData o;
    o.X = m_last.x();
    o.Y = m_last.y();
    o.Ref = QString::number(g);
    o.Layer = group.ListSlot;
    o.Group = group.Index;
    o.FileName = group.BmpName;
    o.Width = group.TileWidth;
    o.Height = group.TileHeight;
    o.Exists = true;
    m_document.push(new PlaceObjectCommand(m_document, level(), o));
    m_picked.reset();
}

void LevelTool::placeActive(int g)
{
    const model::StageData& s = stage();
    if (s.ActiveObjCount >= model::kMaxActiveObjects) {
        refuse(u"На этапе %1 уже %2 активных объектов — больше поставить нельзя"_s.arg(level())
                   .arg(model::kMaxActiveObjects));
        return;
    }
    if (g < 1 || g > std::min(s.ActiveGroupCount, model::kMaxActiveGroups)) {
        refuse(u"Активной группы %1 на этапе нет — объект не поставлен"_s.arg(g));
        return;
    }
    const model::ActiveGroupData& group = s.ActiveGroup[size_t(g)];
    model::ActiveObjectData o;
    o.X = m_last.x();
    o.Y = m_last.y();
    o.Ref = QString::number(g);
    o.Layer = group.ListSlot;
    o.FileName = group.BmpName;
    o.GroupValue = group.Index;
    const QSize size = pictureSize(project().projectPath(u"objects"_s), group.BmpName, m_renderer.pictures().cache());
    if (size.isValid()) {
        o.Width = size.width();
        o.Height = size.height();
    }
    o.Exists = true;
    m_document.push(new PlaceObjectCommand(m_document, level(), o));
    m_picked.reset();
}

void LevelTool::clicked()
{
    m_status.clear();
    if (!m_picked)
        return;
    const PickedIcon picked = *m_picked;
    if (!picked.kind) {
        m_picked.reset();
        return;
    }
    switch (*picked.kind) {
    case model::ObjectKind::Background:
        placeFon(picked.tag);
        break;
    case model::ObjectKind::Active:
        placeActive(picked.tag);
        break;
    case model::ObjectKind::Text:
        if (picked.tag >= 1 && picked.tag <= std::min(stage().TextCount, model::kMaxTextObjects))
            m_document.push(new PlaceTextCommand(m_document, level(), picked.tag, m_last));
        m_picked.reset();
        break;
    case model::ObjectKind::LivesBar: // not on the list
        m_picked.reset();
        break;
    }
}

void LevelTool::released()
{
    const model::StageData& s = stage();
    m_drag.reset();
    for (int i = 1; i <= std::min(s.FonObjCount, model::kMaxFonObjects); ++i)
        if (fonValid(i) && s.FonObject[size_t(i)].Exists && hitsFon(i, m_down.x(), m_down.y(), 4))
            m_selection = PlacedRef{PlacedKind::Background, i};
    // Selecting changes nothing in the project: the group keeps its movement type.
    for (int i = 1; i <= std::min(s.ActiveObjCount, model::kMaxActiveObjects); ++i)
        if (s.ActiveObject[size_t(i)].Exists && hitsActive(i, m_down.x(), m_down.y()))
            m_selection = PlacedRef{PlacedKind::Active, i};
    m_resetDrag = true;
}

std::optional<PlacedRef> LevelTool::topmostAt(int x, int y) const
{
    const model::StageData& s = stage();
    // Active objects are drawn over every background, in placing order.
    for (int i = std::min(s.ActiveObjCount, model::kMaxActiveObjects); i >= 1; --i)
        if (s.ActiveObject[size_t(i)].Exists && hitsActive(i, x, y))
            return PlacedRef{PlacedKind::Active, i};
    // Backgrounds layer by list slot, within a slot in placing order; only
    // what the map draws can be seen there.
    std::optional<PlacedRef> top;
    int topLayer = 0;
    for (int i = 1; i <= std::min(s.FonObjCount, model::kMaxFonObjects); ++i) {
        const model::FonObjectData& o = s.FonObject[size_t(i)];
        if (!fonValid(i) || !o.Exists || o.Layer < 1 || o.Layer > s.ListSlotCount || !hitsFon(i, x, y, 0))
            continue;
        if (!top || o.Layer >= topLayer) {
            top = PlacedRef{PlacedKind::Background, i};
            topLayer = o.Layer;
        }
    }
    return top;
}

ContextMenu LevelTool::contextMenuAt(int x, int y)
{
    m_menuObject = topmostAt(x, y);
    if (!m_menuObject)
        return ContextMenu::None;
    m_selection = m_menuObject;
    return m_menuObject->kind == PlacedKind::Active ? ContextMenu::Active : ContextMenu::Background;
}

// ---------------------------------------------------------------- commands of the menus and keys

void LevelTool::deleteMenuObject()
{
    if (!m_menuObject || !exists(*m_menuObject))
        return;
    // The selection frame goes with the object it framed.
    if (m_selection == m_menuObject)
        m_selection.reset();
    m_document.push(new DeleteObjectCommand(m_document, level(), *m_menuObject));
}

bool LevelTool::deleteSelected()
{
    if (!m_selection || m_selection->kind == PlacedKind::LivesBar || !exists(*m_selection))
        return false;
    const PlacedRef object = *m_selection;
    m_selection.reset();
    m_document.push(new DeleteObjectCommand(m_document, level(), object));
    return true;
}

bool LevelTool::dropPicked()
{
    const bool any = m_picked.has_value() || m_pathEditMode == PathMode::Drawing;
    m_picked.reset();
    m_pathEditMode = PathMode::Off;
    return any;
}

std::optional<int> LevelTool::propertiesTarget(PlacedKind kind)
{
    // A release arms ResetDrag again, as after any visit of the map.
    m_resetDrag = true;
    if (!m_menuObject || m_menuObject->kind != kind || !exists(*m_menuObject))
        return std::nullopt;
    return m_menuObject->index;
}

void LevelTool::chooseMovementType(int object, model::MovementType type)
{
    if (!activeValid(object))
        return;
    const int g = stage().ActiveObject[size_t(object)].GroupValue;
    if (g < 1 || g > model::kMaxActiveGroups)
        return;
    const QString& caption = MoveModeText();
    if (stage().ActiveType[size_t(g)] == type && stage().ActiveGroup[size_t(g)].Caption == caption)
        return;
    m_document.push(new SetMovementTypeCommand(m_document, level(), g, type, caption));
}

model::MovementType LevelTool::movementTypeOf(int object) const
{
    if (!activeValid(object))
        return model::MovementType::NotSet;
    const int g = stage().ActiveObject[size_t(object)].GroupValue;
    return g >= 1 && g <= model::kMaxActiveGroups ? stage().ActiveType[size_t(g)] : model::MovementType::NotSet;
}

void LevelTool::setObstacle(int object, int obstacle)
{
    if (!fonValid(object))
        return;
    const int g = stage().FonObject[size_t(object)].Group;
    if (stage().FonGroup[size_t(g)].Obstacle != obstacle)
        m_document.push(new SetObstacleCommand(m_document, level(), g, obstacle));
}

int LevelTool::obstacleOf(int object) const
{
    return fonValid(object) ? stage().FonGroup[size_t(stage().FonObject[size_t(object)].Group)].Obstacle : 0;
}

// ---------------------------------------------------------------- paths

void LevelTool::pathStraight()
{
    m_drag.reset();
    m_pathEditMode = PathMode::Drawing;
}

void LevelTool::pathDeleteLast()
{
    if (activeValid(m_curObject) && stage().ActiveObject[size_t(m_curObject)].PathCount > 0)
        m_document.push(new RemovePathPointCommand(m_document, level(), m_curObject));
}

void LevelTool::pathConfirm()
{
    m_pathEditMode = PathMode::Off;
    m_moveModeText[size_t(level())] = u"2"_s;
}

void LevelTool::pathEnd()
{
    m_pathEditMode = PathMode::Off;
}

// ---------------------------------------------------------------- what the map shows

const QString& LevelTool::MoveModeText() const
{
    return m_moveModeText[size_t(level())];
}

SelectionRect LevelTool::SelRect() const
{
    return m_selection ? frameOf(*m_selection).value_or(SelectionRect()) : SelectionRect();
}

MapOverlay LevelTool::overlay(QRgb selectionColour, QSize screen) const
{
    MapOverlay overlay;
    overlay.selection = SelRect();
    overlay.selectionColour = selectionColour;
    overlay.screen = screen;
    // The path being drawn, else the selected sprite's, so a path can be seen after it was drawn.
    if (m_pathEditMode == PathMode::Drawing && activeValid(m_curObject))
        overlay.pathObject = m_curObject;
    else if (m_selection && m_selection->kind == PlacedKind::Active && exists(*m_selection))
        overlay.pathObject = m_selection->index;
    if (m_picked) {
        const model::StageData& s = stage();
        QString picture;
        QString path;
        if (m_picked->kind == model::ObjectKind::Background && m_picked->tag >= 1 && m_picked->tag <= model::kMaxFonGroups) {
            picture = s.FonGroup[size_t(m_picked->tag)].BmpName;
            path = project().projectPath(u"objects/"_s + picture);
        } else if (m_picked->kind == model::ObjectKind::Active && m_picked->tag >= 1
                   && m_picked->tag <= model::kMaxActiveGroups) {
            picture = s.ActiveGroup[size_t(m_picked->tag)].BmpName;
            path = project().projectPath(u"objects/"_s + picture);
        } else if (m_picked->kind == model::ObjectKind::Text) {
            picture = MapRenderer::kTextMarker;
            path = m_renderer.pictures().app().imageFile(picture);
        }
        if (!picture.isEmpty())
            overlay.floating = FloatingPicture{u"drag:"_s + picture, path, m_last};
    }
    return overlay;
}

} // namespace kestrava::level
