#pragma once

#include "document/StageCommand.h"
#include "model/ObjectKind.h"
#include "model/Project.h"

#include <QPoint>

#include <array>
#include <variant>
#include <vector>

namespace kestrava::level {

// What is placed on, and dragged over, the level map.
using ObjectKind = model::ObjectKind;

struct PlacedRef {
    ObjectKind kind = ObjectKind::Background;
    int index = 0; // placed object number; unused for the lives bar
    bool operator==(const PlacedRef&) const = default;
};

// Where a placed object (or the lives bar) sits on the map.
QPoint placedPosition(const model::StageData& stage, PlacedRef object);

// Placed objects (one placed, or several pasted): each the next number of
// its kind, never a reused one.
class PlaceObjectCommand : public document::StageCommand {
public:
    using Record = std::variant<model::FonObjectData, model::ActiveObjectData>;

    PlaceObjectCommand(document::ProjectDocument& document, int level, Record placed);
    PlaceObjectCommand(document::ProjectDocument& document, int level, std::vector<Record> placed);

    void undo() override;
    void redo() override;

private:
    // Puts records into the slots after the counts the stage had; countThem:
    // the counts take them in, else they stay as they were.
    void write(const std::vector<Record>& records, bool countThem);

    std::vector<Record> m_placed;
    std::vector<Record> m_previous; // what the slots held before; restored exactly
    // Each kind's count of placed records before, in the order of model::kObjectKinds.
    std::array<int, model::kObjectKinds.size()> m_countsBefore{};
};

// The kind of object a record places (a record type without its kind here stops the build).
ObjectKind kindOf(const PlaceObjectCommand::Record& record);

// Objects moved together by one offset: a step of a drag (the steps of one
// drag merge into one undo step) or a nudge.
class MoveObjectCommand : public document::StageCommand {
public:
    static constexpr int kId = 0x4b01;

    MoveObjectCommand(document::ProjectDocument& document, int level, std::vector<PlacedRef> objects, QPoint offset,
                      int drag);

    int id() const override { return kId; }
    bool mergeWith(const QUndoCommand* other) override;
    void undo() override;
    void redo() override;

private:
    void place(bool moved);

    std::vector<PlacedRef> m_objects;
    std::vector<QPoint> m_from;
    QPoint m_offset;
    int m_drag;
};

// "удалить", undone by showing the objects again. Numbers never change.
class DeleteObjectCommand : public document::StageCommand {
public:
    DeleteObjectCommand(document::ProjectDocument& document, int level, std::vector<PlacedRef> objects);

    void undo() override;
    void redo() override;

private:
    void setExists(bool redo);

    std::vector<PlacedRef> m_objects;
    std::vector<bool> m_before;
};

// The level map's grid ("Вид"): shown, snapped to. Kept with the project.
class SetLevelGridCommand : public QUndoCommand {
public:
    SetLevelGridCommand(document::ProjectDocument& document, model::LevelGridData grid);

    void undo() override;
    void redo() override;

private:
    void show(const model::LevelGridData& grid);

    document::ProjectDocument& m_document;
    model::LevelGridData m_grid;
    model::LevelGridData m_before;
};

// The movement dialog's choice for an active group: its type, its speeds
// and its movement settings code.
class SetMovementTypeCommand : public document::StageCommand {
public:
    SetMovementTypeCommand(document::ProjectDocument& document, int level, int group, model::MovementType type,
                           QString caption, const model::MotionData& motion);

    void undo() override;
    void redo() override;

private:
    int m_group;
    model::MovementType m_type;
    QString m_caption;
    model::MotionData m_motion;
    model::MovementType m_oldType;
    QString m_oldCaption;
    model::MotionData m_oldMotion;
};

// "Наибольшее число объектов на экране" of an active group (0: the default).
class SetMadeObjectsCommand : public document::StageCommand {
public:
    SetMadeObjectsCommand(document::ProjectDocument& document, int level, int group, int most);

    void undo() override;
    void redo() override;

private:
    int m_group;
    int m_most;
    int m_before;
};

// Whether a background group blocks active objects (1) or not (0).
class SetObstacleCommand : public document::StageCommand {
public:
    SetObstacleCommand(document::ProjectDocument& document, int level, int group, int obstacle);

    void undo() override;
    void redo() override;

private:
    int m_group;
    int m_obstacle;
    int m_before;
};

// A point appended to the path of a placed active object.
class AddPathPointCommand : public document::StageCommand {
public:
    AddPathPointCommand(document::ProjectDocument& document, int level, int object, model::PathPoint point);

    void undo() override;
    void redo() override;

private:
    int m_object;
    model::PathPoint m_point;
    int m_countBefore;
    model::PathPoint m_previous;
};

// The last point of a path dropped.
class RemovePathPointCommand : public document::StageCommand {
public:
    RemovePathPointCommand(document::ProjectDocument& document, int level, int object);

    void undo() override;
    void redo() override;

private:
    int m_object;
    int m_countBefore;
};

// A text object's position on the map.
class PlaceTextCommand : public document::StageCommand {
public:
    PlaceTextCommand(document::ProjectDocument& document, int level, int text, QPoint at);

    void undo() override;
    void redo() override;

private:
    void moveTo(QPoint at);

    int m_text;
    QPoint m_to;
    QPoint m_from;
};

} // namespace kestrava::level
