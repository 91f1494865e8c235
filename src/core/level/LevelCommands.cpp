#include "level/LevelCommands.h"

#include "document/ProjectDocument.h"
#include "level/MapKind.h"

#include <algorithm>
#include <climits>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::level {

namespace {

const model::StageData& stageOf(document::ProjectDocument& document, int level)
{
    return document.project().stage(level);
}

} // namespace

QPoint placedPosition(const model::StageData& s, PlacedRef object)
{
    return onMap(object.kind).position(s, object.index);
}

// ---------------------------------------------------------------- place

namespace {

// The placed records of the kind a record places.
const PlacedRecords& recordsOf(const PlaceObjectCommand::Record& record)
{
    return *onMap(kindOf(record)).records();
}

} // namespace

PlaceObjectCommand::PlaceObjectCommand(document::ProjectDocument& document, int level, Record placed)
    : PlaceObjectCommand(document, level, std::vector<Record>{std::move(placed)})
{
}

PlaceObjectCommand::PlaceObjectCommand(document::ProjectDocument& document, int level, std::vector<Record> placed)
    : StageCommand(document, level, placed.size() == 1 ? u"размещение объекта"_s : u"вставка объектов"_s),
      m_placed(std::move(placed))
{
    const model::StageData& s = stageOf(document, level);
    for (ObjectKind kind : model::kObjectKinds)
        if (const PlacedRecords* records = onMap(kind).records())
            m_countsBefore[model::positionOf(kind)] = records->count(s);
    std::array<int, model::kObjectKinds.size()> next = m_countsBefore;
    for (const Record& record : m_placed)
        m_previous.push_back(recordsOf(record).at(s, ++next[model::positionOf(kindOf(record))]));
}

ObjectKind kindOf(const PlaceObjectCommand::Record& record)
{
    struct Kind {
        ObjectKind operator()(const model::FonObjectData&) const { return ObjectKind::Background; }
        ObjectKind operator()(const model::ActiveObjectData&) const { return ObjectKind::Active; }
    };
    return std::visit(Kind{}, record);
}

void PlaceObjectCommand::write(const std::vector<Record>& records, bool countThem)
{
    model::StageData& s = stage();
    std::array<int, model::kObjectKinds.size()> next = m_countsBefore;
    for (const Record& record : records)
        recordsOf(record).put(s, ++next[model::positionOf(kindOf(record))], record);
    for (ObjectKind kind : model::kObjectKinds)
        if (const PlacedRecords* placed = onMap(kind).records())
            placed->setCount(s, (countThem ? next : m_countsBefore)[model::positionOf(kind)]);
    levelMapChanged();
}

void PlaceObjectCommand::redo()
{
    write(m_placed, true);
}

void PlaceObjectCommand::undo()
{
    write(m_previous, false);
}

// ---------------------------------------------------------------- move

namespace {

QString moveText(const std::vector<PlacedRef>& objects)
{
    if (objects.size() > 1)
        return u"перемещение объектов"_s;
    return !objects.empty() && objects.front().kind == ObjectKind::LivesBar ? u"перемещение полосы жизней"_s
                                                                            : u"перемещение объекта"_s;
}

} // namespace

MoveObjectCommand::MoveObjectCommand(document::ProjectDocument& document, int level, std::vector<PlacedRef> objects,
                                     QPoint offset, int drag)
    : StageCommand(document, level, moveText(objects)), m_objects(std::move(objects)), m_offset(offset), m_drag(drag)
{
    const model::StageData& s = stageOf(document, level);
    for (const PlacedRef& object : m_objects)
        m_from.push_back(placedPosition(s, object));
}

bool MoveObjectCommand::mergeWith(const QUndoCommand* other)
{
    const auto* next = static_cast<const MoveObjectCommand*>(other);
    if (next->m_drag != m_drag || next->m_objects != m_objects || next->m_level != m_level)
        return false;
    m_offset += next->m_offset;
    return true;
}

void MoveObjectCommand::place(bool moved)
{
    model::StageData& s = stage();
    for (size_t k = 0; k < m_objects.size(); ++k) {
        const QPoint from = m_from[k];
        const QPoint at = moved ? QPoint(int(std::clamp<qint64>(qint64(from.x()) + m_offset.x(), INT_MIN, INT_MAX)),
                                         int(std::clamp<qint64>(qint64(from.y()) + m_offset.y(), INT_MIN, INT_MAX)))
                                : from;
        onMap(m_objects[k].kind).moveTo(s, m_objects[k].index, at);
    }
    levelMapChanged();
}

void MoveObjectCommand::redo()
{
    place(true);
}

void MoveObjectCommand::undo()
{
    place(false);
}

// ---------------------------------------------------------------- delete

DeleteObjectCommand::DeleteObjectCommand(document::ProjectDocument& document, int level,
                                         std::vector<PlacedRef> objects)
    : StageCommand(document, level, objects.size() == 1 ? u"удаление объекта"_s : u"удаление объектов"_s),
      m_objects(std::move(objects))
{
    const model::StageData& s = stageOf(document, level);
    // Only placed records are hidden; the other kinds stay as they are.
    for (const PlacedRef& object : m_objects) {
        const PlacedRecords* records = onMap(object.kind).records();
        m_before.push_back(records && records->shown(s, object.index));
    }
}

void DeleteObjectCommand::setExists(bool redo)
{
    model::StageData& s = stage();
    for (size_t k = 0; k < m_objects.size(); ++k)
        if (const PlacedRecords* records = onMap(m_objects[k].kind).records())
            records->setShown(s, m_objects[k].index, redo ? false : bool(m_before[k]));
    levelMapChanged();
}

void DeleteObjectCommand::redo()
{
    setExists(true);
}

void DeleteObjectCommand::undo()
{
    setExists(false);
}

// ---------------------------------------------------------------- grid

SetLevelGridCommand::SetLevelGridCommand(document::ProjectDocument& document, model::LevelGridData grid)
    : QUndoCommand(u"сетка карты"_s), m_document(document), m_grid(grid), m_before(document.project().LevelGrid)
{
}

void SetLevelGridCommand::show(const model::LevelGridData& grid)
{
    m_document.edit().LevelGrid = grid;
    m_document.notifyLevelMap(m_document.project().CurLevel);
}

void SetLevelGridCommand::redo()
{
    show(m_grid);
}

void SetLevelGridCommand::undo()
{
    show(m_before);
}

// ---------------------------------------------------------------- behaviour

SetMovementTypeCommand::SetMovementTypeCommand(document::ProjectDocument& document, int level, int group,
                                               model::MovementType type, QString caption,
                                               const model::MotionData& motion)
    : StageCommand(document, level, u"тип движения"_s), m_group(group), m_type(type), m_caption(std::move(caption)),
      m_motion(motion)
{
    const model::StageData& s = stageOf(document, level);
    m_oldType = s.ActiveType.at(size_t(group));
    m_oldCaption = s.ActiveGroup.at(size_t(group)).Caption;
    m_oldMotion = s.Motion.at(size_t(group));
}

void SetMovementTypeCommand::redo()
{
    model::StageData& s = stage();
    s.ActiveType.at(size_t(m_group)) = m_type;
    s.ActiveGroup.at(size_t(m_group)).Caption = m_caption;
    s.Motion.at(size_t(m_group)) = m_motion;
    levelMapChanged();
}

void SetMovementTypeCommand::undo()
{
    model::StageData& s = stage();
    s.ActiveType.at(size_t(m_group)) = m_oldType;
    s.ActiveGroup.at(size_t(m_group)).Caption = m_oldCaption;
    s.Motion.at(size_t(m_group)) = m_oldMotion;
    levelMapChanged();
}

SetMadeObjectsCommand::SetMadeObjectsCommand(document::ProjectDocument& document, int level, int group, int most)
    : StageCommand(document, level, u"наибольшее число объектов"_s), m_group(group), m_most(most),
      m_before(stageOf(document, level).MadeObjects.at(size_t(group)))
{
}

void SetMadeObjectsCommand::redo()
{
    stage().MadeObjects.at(size_t(m_group)) = m_most;
    levelMapChanged();
}

void SetMadeObjectsCommand::undo()
{
    stage().MadeObjects.at(size_t(m_group)) = m_before;
    levelMapChanged();
}

SetObstacleCommand::SetObstacleCommand(document::ProjectDocument& document, int level, int group, int obstacle)
    : StageCommand(document, level, u"настройка фонового объекта"_s), m_group(group), m_obstacle(obstacle),
      m_before(stageOf(document, level).FonGroup.at(size_t(group)).Obstacle)
{
}

void SetObstacleCommand::redo()
{
    stage().FonGroup.at(size_t(m_group)).Obstacle = m_obstacle;
    levelMapChanged();
}

void SetObstacleCommand::undo()
{
    stage().FonGroup.at(size_t(m_group)).Obstacle = m_before;
    levelMapChanged();
}

// ---------------------------------------------------------------- paths

AddPathPointCommand::AddPathPointCommand(document::ProjectDocument& document, int level, int object,
                                         model::PathPoint point)
    : StageCommand(document, level, u"точка пути"_s), m_object(object), m_point(point)
{
    const model::ActiveObjectData& o = stageOf(document, level).ActiveObject.at(size_t(object));
    m_countBefore = o.PathCount;
    m_previous = o.Path.at(size_t(std::max(o.PathCount, 0) + 1));
}

void AddPathPointCommand::redo()
{
    model::ActiveObjectData& o = stage().ActiveObject.at(size_t(m_object));
    const int n = std::max(m_countBefore, 0) + 1;
    o.Path.at(size_t(n)) = m_point;
    o.PathCount = n;
    levelMapChanged();
}

void AddPathPointCommand::undo()
{
    model::ActiveObjectData& o = stage().ActiveObject.at(size_t(m_object));
    o.Path.at(size_t(std::max(m_countBefore, 0) + 1)) = m_previous;
    o.PathCount = m_countBefore;
    levelMapChanged();
}

RemovePathPointCommand::RemovePathPointCommand(document::ProjectDocument& document, int level, int object)
    : StageCommand(document, level, u"удаление точки пути"_s), m_object(object),
      m_countBefore(stageOf(document, level).ActiveObject.at(size_t(object)).PathCount)
{
}

void RemovePathPointCommand::redo()
{
    // The point itself stays in the table, as a deleted point always did.
    stage().ActiveObject.at(size_t(m_object)).PathCount = m_countBefore - 1;
    levelMapChanged();
}

void RemovePathPointCommand::undo()
{
    stage().ActiveObject.at(size_t(m_object)).PathCount = m_countBefore;
    levelMapChanged();
}

// ---------------------------------------------------------------- texts

PlaceTextCommand::PlaceTextCommand(document::ProjectDocument& document, int level, int text, QPoint at)
    : StageCommand(document, level, u"размещение текста"_s), m_text(text), m_to(at)
{
    const model::TextObjectData& t = stageOf(document, level).TextObject.at(size_t(text));
    m_from = {t.X, t.Y};
}

void PlaceTextCommand::moveTo(QPoint at)
{
    model::TextObjectData& t = stage().TextObject.at(size_t(m_text));
    t.X = at.x();
    t.Y = at.y();
    levelMapChanged();
}

void PlaceTextCommand::redo()
{
    moveTo(m_to);
}

void PlaceTextCommand::undo()
{
    moveTo(m_from);
}

} // namespace kestrava::level
