#pragma once

#include "catalogue/Item.h"
#include "model/Capacities.h"
#include "model/Project.h"

#include <QString>
#include <QStringList>

#include <array>

namespace kestrava::events {

// Geometry of the sheet picture: 33-pixel cells, the conditions in the
// 201 pixels left of column 1, row 0 the header band.
inline constexpr int kCell = 33;
inline constexpr int kConditionWidth = 201;
inline constexpr int kColumns = model::kMaxActions;
inline constexpr int kSheetWidth = 860;
inline constexpr int kSheetHeight = kCell * (model::kMaxEventRows + 1);

// Left edge of column c (1..20) and the top of row r.
constexpr int columnLeft(int column) { return kConditionWidth + kCell * (column - 1); }
constexpr int rowTop(int row) { return kCell * row; }

// The cell a press at (x, y) of the sheet picture hits: column 0 for the
// condition part left of column 1 and for anything right of column 20,
// row 0 for the header band.
struct Cell {
    int row = 0;
    int column = 0;
    bool operator==(const Cell&) const = default;
};
Cell cellAt(int x, int y);

using ObjectSlots = std::array<QString, model::kMaxObjectRefs + 1>;
// The object-list rule: x goes after the last filled slot unless that slot
// already holds it; a full list stays as it is.
void appendObject(ObjectSlots& list, const QString& x);

// The kinds of rows, as the project file spells them.
inline const QString kEventKind = QStringLiteral("event");
inline const QString kGroupKind = QStringLiteral("group");
inline const QString kCommentKind = QStringLiteral("comment");

// A condition as the chooser built it, an action as a menu item built it.
using Condition = catalogue::Built;
using Action = catalogue::Built;

// The sheet's edits of one stage. Each checks first and throws io::Error,
// changing nothing, when it cannot be done.
// The rows of the sheet (EventCurRow) and whether one more fits.
int rowCount(const model::StageData& stage);
void checkRoomForRow(const model::StageData& stage);
// "новая строка" with its chosen condition.
void newRow(model::StageData& stage, const Condition& condition);
// "Группа событий", "комментарий": a titled row at the end.
void addTitledRow(model::StageData& stage, const QString& kind, const QString& title);
// "добавить условие": joined to the row's condition with "&" and " и ".
void addCondition(model::StageData& stage, int row, const Condition& condition);
// "заменить условие".
void replaceCondition(model::StageData& stage, int row, const Condition& condition);
// Places an action in a cell; an action already there is replaced, its
// object list kept and extended.
void placeAction(model::StageData& stage, Cell cell, const Action& action);
// "изменить…" of a recorded condition: part `part` (0-based) of the row's
// joined condition is made again; the row's caption, Java and object list
// are made from all its parts.
void editCondition(model::StageData& stage, int row, int part, const Condition& condition);
// "изменить…" of an action: the cell's action replaced, its object list
// made afresh; the count of actions stays.
void editAction(model::StageData& stage, Cell cell, const Action& action);
// Why the condition (column 0) or the action of a cell cannot be changed
// in place; empty when it can.
QString editProblem(const model::StageData& stage, Cell cell);
// "удалить действие": the cell's action and its object list.
void deleteAction(model::StageData& stage, Cell cell);
// "удалить строку": the rows below move up.
void deleteRow(model::StageData& stage, int row);
// "вверх" (-1), "вниз" (+1): the row changes places with its neighbour.
void moveRow(model::StageData& stage, int row, int step);
// "вставить": a copy of a row below `after` (0 puts it first).
void insertRow(model::StageData& stage, int after, const model::EventRowData& record);

// The number of actions a row holds.
int actionCount(const model::EventRowData& row);

} // namespace kestrava::events
