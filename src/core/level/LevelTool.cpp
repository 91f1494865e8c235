#include "level/LevelTool.h"

#include "document/ProjectDocument.h"
#include "level/MapKind.h"
#include "level/PlacedHits.h"

using namespace Qt::Literals::StringLiterals;

namespace kestrava::level {

LevelTool::LevelTool(document::ProjectDocument& document, MapRenderer& renderer)
    : m_context(document, renderer), m_place(m_context), m_select(m_context), m_path(m_context)
{
}

void LevelTool::reset()
{
    m_place.cancel();
    m_select.cancel();
    m_path.cancel();
    m_gesture = nullptr;
    m_menuTarget.reset();
    m_context.status.clear();
}

void LevelTool::forgetProject()
{
    reset();
    m_movementCode = {};
    m_clipboard = {};
}

MapTool& LevelTool::inCharge()
{
    if (m_path.mode() == PathMode::Drawing)
        return m_path;
    if (m_place.picked())
        return m_place;
    return m_select;
}

// ---------------------------------------------------------------- object list

void LevelTool::listPointerMoved(int x, int y)
{
    m_list = QPoint(x, y);
}

void LevelTool::listReleased(const ObjectList& list)
{
    const model::StageData& s = m_context.stage();
    if (s.ListSlotCount <= 0)
        return;
    if (const std::optional<ListIcon> icon = list.iconAt(m_list.x(), m_list.y(), s.ListSlotCount))
        m_place.pick(PickedIcon{icon->kind, icon->tag});
}

// ---------------------------------------------------------------- map

void LevelTool::pointerMoved(int x, int y)
{
    m_pointerText = QString::number(x) + u'x' + QString::number(y);
    (m_gesture ? *m_gesture : inCharge()).moved(QPoint(x, y));
    m_context.last = QPoint(x, y);
}

void LevelTool::pressed(int x, int y, bool primary, bool extend)
{
    m_gesture = &inCharge();
    m_gesture->pressed(MapPress{QPoint(x, y), primary, extend});
}

void LevelTool::clicked()
{
    (m_gesture ? *m_gesture : inCharge()).clicked();
}

void LevelTool::released()
{
    (m_gesture ? *m_gesture : inCharge()).released();
    m_gesture = nullptr;
}

std::optional<PlacedRef> LevelTool::topmostAt(int x, int y) const
{
    return level::topmostAt(m_context.stage(), x, y);
}

ContextMenu LevelTool::contextMenuAt(int x, int y)
{
    m_menuTarget = topmostAt(x, y);
    if (!m_menuTarget)
        return ContextMenu::None;
    m_select.select(m_menuTarget);
    return onMap(m_menuTarget->kind).menu();
}

// ---------------------------------------------------------------- commands of the menus and keys

void LevelTool::deleteMenuObject()
{
    if (!m_menuTarget || !exists(m_context.stage(), *m_menuTarget))
        return;
    // The selection frame goes with the object it framed.
    if (m_select.selection() == m_menuTarget)
        m_select.select(std::nullopt);
    m_context.document.push(
        new DeleteObjectCommand(m_context.document, m_context.level(), std::vector<PlacedRef>{*m_menuTarget}));
}

bool LevelTool::deleteSelected()
{
    return m_select.deleteSelected();
}

bool LevelTool::nudge(int dx, int dy)
{
    return m_select.nudge(dx, dy);
}

bool LevelTool::copy()
{
    const std::vector<PlacedRef> objects = m_select.existing();
    if (objects.empty())
        return false;
    m_clipboard = copyObjects(m_context.stage(), m_context.level(), objects);
    return true;
}

bool LevelTool::cut()
{
    return copy() && m_select.deleteSelected();
}

namespace {

// The new objects' numbers: after the stage's last of each kind, in the order placed.
std::vector<PlacedRef> numbersOf(const model::StageData& s, const std::vector<PlaceObjectCommand::Record>& records)
{
    std::vector<PlacedRef> placed;
    std::array<int, model::kObjectKinds.size()> next{};
    for (ObjectKind kind : model::kObjectKinds)
        if (const PlacedRecords* kept = onMap(kind).records())
            next[model::positionOf(kind)] = kept->count(s);
    for (const PlaceObjectCommand::Record& record : records) {
        const ObjectKind kind = kindOf(record);
        placed.push_back({kind, ++next[model::positionOf(kind)]});
    }
    return placed;
}

bool pasteInto(ToolContext& context, SelectTool& select, const ObjectClipboard& clipboard, QSize cell)
{
    const int level = context.level();
    const QPoint offset = clipboard.level == level ? QPoint(cell.width(), cell.height()) : QPoint();
    auto records = recordsToPaste(clipboard, context.stage(), level, offset);
    if (const QString* why = std::get_if<QString>(&records)) {
        context.refuse(*why);
        return false;
    }
    context.status.clear();
    auto& placed = std::get<std::vector<PlaceObjectCommand::Record>>(records);
    if (placed.empty())
        return false;
    std::vector<PlacedRef> numbers = numbersOf(context.stage(), placed);
    context.document.push(new PlaceObjectCommand(context.document, level, std::move(placed)));
    select.selectAll(std::move(numbers));
    return true;
}

// The group of a placed active object, 0 for an object or group out of range.
int activeGroupOf(const model::StageData& s, int object)
{
    if (!activeValid(s, object))
        return 0;
    const int g = s.ActiveObject[size_t(object)].GroupValue;
    return g >= 1 && g <= model::kMaxActiveGroups ? g : 0;
}

} // namespace

bool LevelTool::paste()
{
    return pasteInto(m_context, m_select, m_clipboard, gridCell());
}

bool LevelTool::duplicate()
{
    const std::vector<PlacedRef> objects = m_select.existing();
    if (objects.empty())
        return false;
    return pasteInto(m_context, m_select, copyObjects(m_context.stage(), m_context.level(), objects), gridCell());
}

void LevelTool::setGrid(model::LevelGridData grid)
{
    if (grid != m_context.project().LevelGrid)
        m_context.document.push(new SetLevelGridCommand(m_context.document, grid));
}

QSize LevelTool::gridCell() const
{
    return level::gridCell(m_context.stage());
}

QString LevelTool::hoverText() const
{
    return hoverTextAt(m_context.stage(), m_context.last.x(), m_context.last.y());
}

bool LevelTool::dropPicked()
{
    const bool any = m_place.picked().has_value() || m_path.mode() == PathMode::Drawing;
    m_place.cancel();
    m_path.end();
    return any;
}

std::optional<int> LevelTool::propertiesTarget(ObjectKind kind)
{
    if (!m_menuTarget || m_menuTarget->kind != kind || !exists(m_context.stage(), *m_menuTarget))
        return std::nullopt;
    return m_menuTarget->index;
}

void LevelTool::chooseMovementType(int object, model::MovementType type, std::optional<model::MotionData> motion)
{
    const model::StageData& s = m_context.stage();
    const int g = activeGroupOf(s, object);
    if (g == 0)
        return;
    const QString& caption = movementCode();
    const model::MotionData speeds = motion.value_or(s.Motion[size_t(g)]);
    if (s.ActiveType[size_t(g)] == type && s.ActiveGroup[size_t(g)].Caption == caption && s.Motion[size_t(g)] == speeds)
        return;
    m_context.document.push(
        new SetMovementTypeCommand(m_context.document, m_context.level(), g, type, caption, speeds));
}

model::MotionData LevelTool::motionOf(int object) const
{
    const model::StageData& s = m_context.stage();
    const int g = activeGroupOf(s, object);
    return g ? s.Motion[size_t(g)] : model::MotionData{};
}

model::MovementType LevelTool::movementTypeOf(int object) const
{
    const model::StageData& s = m_context.stage();
    const int g = activeGroupOf(s, object);
    return g ? s.ActiveType[size_t(g)] : model::MovementType::NotSet;
}

void LevelTool::setObstacle(int object, int obstacle)
{
    const model::StageData& s = m_context.stage();
    if (!fonValid(s, object))
        return;
    const int g = s.FonObject[size_t(object)].Group;
    if (s.FonGroup[size_t(g)].Obstacle != obstacle)
        m_context.document.push(new SetObstacleCommand(m_context.document, m_context.level(), g, obstacle));
}

int LevelTool::obstacleOf(int object) const
{
    const model::StageData& s = m_context.stage();
    return fonValid(s, object) ? s.FonGroup[size_t(s.FonObject[size_t(object)].Group)].Obstacle : 0;
}

// ---------------------------------------------------------------- paths

void LevelTool::pathStraight()
{
    m_select.endDrag();
    m_path.start();
}

void LevelTool::pathDeleteLast()
{
    m_path.deleteLast();
}

void LevelTool::pathConfirm()
{
    m_path.end();
    m_movementCode[size_t(m_context.level())] = u"2"_s;
}

void LevelTool::pathEnd()
{
    m_path.end();
}

// ---------------------------------------------------------------- what the map shows

const QString& LevelTool::movementCode() const
{
    return m_movementCode[size_t(m_context.level())];
}

MapOverlay LevelTool::overlay(QRgb selectionColour, QSize screen) const
{
    MapOverlay overlay;
    overlay.selectionColour = selectionColour;
    overlay.screen = screen;
    // The path being drawn first, else the selected sprite's.
    m_path.decorate(overlay);
    m_select.decorate(overlay);
    m_place.decorate(overlay);
    return overlay;
}

} // namespace kestrava::level
