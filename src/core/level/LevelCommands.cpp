#include "level/LevelCommands.h"

#include "document/ProjectDocument.h"

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
    switch (object.kind) {
    case PlacedKind::Background: {
        const model::FonObjectData& o = s.FonObject.at(size_t(object.index));
        return {o.X, o.Y};
    }
    case PlacedKind::Active: {
        const model::ActiveObjectData& o = s.ActiveObject.at(size_t(object.index));
        return {o.X, o.Y};
    }
    case PlacedKind::LivesBar:
        return {s.LivesBar.X, s.LivesBar.Y};
    case PlacedKind::Text: {
        const model::TextObjectData& t = s.TextObject.at(size_t(object.index));
        return {t.X, t.Y};
    }
    }
    return {};
}

// ---------------------------------------------------------------- place

PlaceObjectCommand::PlaceObjectCommand(document::ProjectDocument& document, int level, Record placed)
    : StageCommand(document, level, u"размещение объекта"_s), m_placed(std::move(placed))
{
    const model::StageData& s = stageOf(document, level);
    if (std::holds_alternative<model::FonObjectData>(m_placed)) {
        m_countBefore = s.FonObjCount;
        m_previous = s.FonObject.at(size_t(m_countBefore + 1));
    } else {
        m_countBefore = s.ActiveObjCount;
        m_previous = s.ActiveObject.at(size_t(m_countBefore + 1));
    }
}

void PlaceObjectCommand::redo()
{
    model::StageData& s = stage();
    const size_t n = size_t(m_countBefore + 1);
    if (const auto* fon = std::get_if<model::FonObjectData>(&m_placed)) {
        s.FonObject.at(n) = *fon;
        s.FonObjCount = m_countBefore + 1;
    } else {
        s.ActiveObject.at(n) = std::get<model::ActiveObjectData>(m_placed);
        s.ActiveObjCount = m_countBefore + 1;
    }
    levelMapChanged();
}

void PlaceObjectCommand::undo()
{
    model::StageData& s = stage();
    const size_t n = size_t(m_countBefore + 1);
    if (const auto* fon = std::get_if<model::FonObjectData>(&m_previous)) {
        s.FonObject.at(n) = *fon;
        s.FonObjCount = m_countBefore;
    } else {
        s.ActiveObject.at(n) = std::get<model::ActiveObjectData>(m_previous);
        s.ActiveObjCount = m_countBefore;
    }
    levelMapChanged();
}

// ---------------------------------------------------------------- move

MoveObjectCommand::MoveObjectCommand(document::ProjectDocument& document, int level, PlacedRef object, QPoint from,
                                     QPoint to, int drag)
    : StageCommand(document, level,
                   object.kind == PlacedKind::LivesBar ? u"перемещение полосы жизней"_s : u"перемещение объекта"_s),
      m_object(object), m_from(from), m_to(to), m_drag(drag)
{
}

bool MoveObjectCommand::mergeWith(const QUndoCommand* other)
{
    const auto* next = static_cast<const MoveObjectCommand*>(other);
    if (next->m_drag != m_drag || next->m_object != m_object || next->m_level != m_level)
        return false;
    m_to = next->m_to;
    return true;
}

void MoveObjectCommand::moveTo(QPoint at)
{
    model::StageData& s = stage();
    switch (m_object.kind) {
    case PlacedKind::Background:
        s.FonObject.at(size_t(m_object.index)).X = at.x();
        s.FonObject.at(size_t(m_object.index)).Y = at.y();
        break;
    case PlacedKind::Active:
        s.ActiveObject.at(size_t(m_object.index)).X = at.x();
        s.ActiveObject.at(size_t(m_object.index)).Y = at.y();
        break;
    case PlacedKind::LivesBar:
        s.LivesBar.X = at.x();
        s.LivesBar.Y = at.y();
        break;
    case PlacedKind::Text:
        s.TextObject.at(size_t(m_object.index)).X = at.x();
        s.TextObject.at(size_t(m_object.index)).Y = at.y();
        break;
    }
    levelMapChanged();
}

void MoveObjectCommand::redo()
{
    moveTo(m_to);
}

void MoveObjectCommand::undo()
{
    moveTo(m_from);
}

// ---------------------------------------------------------------- delete

DeleteObjectCommand::DeleteObjectCommand(document::ProjectDocument& document, int level, PlacedRef object)
    : StageCommand(document, level, u"удаление объекта"_s), m_object(object)
{
    const model::StageData& s = stageOf(document, level);
    m_before = object.kind == PlacedKind::Background ? s.FonObject.at(size_t(object.index)).Exists
                                                     : s.ActiveObject.at(size_t(object.index)).Exists;
}

void DeleteObjectCommand::setExists(bool exists)
{
    model::StageData& s = stage();
    if (m_object.kind == PlacedKind::Background)
        s.FonObject.at(size_t(m_object.index)).Exists = exists;
    else
        s.ActiveObject.at(size_t(m_object.index)).Exists = exists;
    levelMapChanged();
}

void DeleteObjectCommand::redo()
{
    setExists(false);
}

void DeleteObjectCommand::undo()
{
    setExists(m_before);
}

// ---------------------------------------------------------------- behaviour

SetMovementTypeCommand::SetMovementTypeCommand(document::ProjectDocument& document, int level, int group,
                                               model::MovementType type, QString caption)
    : StageCommand(document, level, u"тип движения"_s), m_group(group), m_type(type), m_caption(std::move(caption))
{
    const model::StageData& s = stageOf(document, level);
    m_oldType = s.ActiveType.at(size_t(group));
    m_oldCaption = s.ActiveGroup.at(size_t(group)).Caption;
}

void SetMovementTypeCommand::redo()
{
    model::StageData& s = stage();
    s.ActiveType.at(size_t(m_group)) = m_type;
    s.ActiveGroup.at(size_t(m_group)).Caption = m_caption;
    levelMapChanged();
}

void SetMovementTypeCommand::undo()
{
    model::StageData& s = stage();
    s.ActiveType.at(size_t(m_group)) = m_oldType;
    s.ActiveGroup.at(size_t(m_group)).Caption = m_oldCaption;
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
