#include "events/Sheet.h"

#include "catalogue/Item.h"
#include "io/Error.h"
#include "io/TextFile.h"

#include <algorithm>
#include <cmath>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::events {

namespace {

model::EventRowData& rowOf(model::StageData& stage, int row)
{
    if (row < 1 || row > rowCount(stage))
        throw io::Error(u"Строки %1 нет на листе событий."_s.arg(row));
    return stage.EventRow[size_t(row)];
}

void checkCell(const model::StageData& stage, Cell cell)
{
    if (cell.row < 1 || cell.row > rowCount(stage) || cell.column < 1 || cell.column > kColumns)
        throw io::Error(u"Клетки (строка %1, столбец %2) нет на листе событий."_s.arg(cell.row).arg(cell.column));
}

void appendObjects(ObjectSlots& list, const QStringList& objects)
{
    for (const QString& object : objects)
        appendObject(list, object);
}

// Rows change places: the table's storage is grown to its capacity first,
// so no write moves it while another row is being read.
void growToCapacity(model::StageData& stage)
{
    stage.EventRow[size_t(model::kMaxEventRows)];
}

QList<model::CatalogueRecord> recordsOf(const Condition& condition)
{
    return condition.record.isEmpty() ? QList<model::CatalogueRecord>{} : QList<model::CatalogueRecord>{condition.record};
}

void checkCondition(const Condition& condition)
{
    if (condition.extraCount < 0)
        throw std::invalid_argument("negative row counter step");
}

} // namespace

Cell cellAt(int x, int y)
{
    // Truncation toward zero, as the press formulas have always worked: a
    // press just left of column 1 still lands in column 0.
    int column = int(std::trunc(double(x - kConditionWidth) / kCell + 1));
    int row = int(std::trunc(double(y) / kCell));
    if (column < 0 || column > kColumns)
        column = 0;
    return {std::max(row, 0), column};
}

void appendObject(ObjectSlots& list, const QString& x)
{
    for (size_t i = 1; i < list.size(); ++i)
        if (list[i].isEmpty() && (i == 1 || (!list[i - 1].isEmpty() && list[i - 1] != x)))
            list[i] = x;
}

int rowCount(const model::StageData& stage)
{
    return std::clamp(stage.EventCurRow, 0, model::kMaxEventRows);
}

void checkRoomForRow(const model::StageData& stage)
{
    if (rowCount(stage) >= model::kMaxEventRows)
        throw io::Error(u"На листе событий этапа уже %1 строк: больше строк этап не вмещает."_s.arg(
            model::kMaxEventRows));
}

int actionCount(const model::EventRowData& row)
{
    int count = 0;
    for (int c = 1; c <= kColumns; ++c)
        count += row.ActionText[size_t(c)].isEmpty() ? 0 : 1;
    return count;
}

void newRow(model::StageData& stage, const Condition& condition)
{
    checkCondition(condition);
    checkRoomForRow(stage);
    const int r = rowCount(stage) + 1;
    stage.EventCurRow = r;
    stage.EventCount = std::max(stage.EventCount, r - 1) + 1 + condition.extraCount;
    model::EventRowData& row = stage.EventRow[size_t(r)];
    row.CondCode = condition.code;
    appendObjects(row.CondObjects, condition.objects);
    row.Kind = kEventKind;
    row.CondText = condition.caption;
    row.CondRecord = recordsOf(condition);
}

void addTitledRow(model::StageData& stage, const QString& kind, const QString& title)
{
    if (kind != kGroupKind && kind != kCommentKind)
        throw std::invalid_argument("a titled row is a group or a comment");
    checkRoomForRow(stage);
    const int r = rowCount(stage) + 1;
    stage.EventCurRow = r;
    stage.EventCount = std::max(stage.EventCount, r - 1) + 1;
    model::EventRowData& row = stage.EventRow[size_t(r)];
    row.Kind = kind;
    row.CondText = title;
}

void addCondition(model::StageData& stage, int r, const Condition& condition)
{
    checkCondition(condition);
    model::EventRowData& row = rowOf(stage, r);
    // The project file keeps a row's condition on one line of bounded length.
    if (row.CondCode.size() + 1 + condition.code.size() > io::kMaxLineBytes
        || row.CondText.size() + 3 + condition.caption.size() > io::kMaxLineBytes)
        throw io::Error(u"Условие строки %1 стало бы длиннее, чем файл проекта хранит в строке: поставьте новое "
                        u"условие в отдельную строку."_s.arg(r));
    row.CondCode = row.CondCode + u'&' + condition.code;
    appendObjects(row.CondObjects, condition.objects);
    row.Kind = kEventKind;
    // A joined condition stays recorded only while every part of it is.
    if (!row.CondRecord.isEmpty() && !condition.record.isEmpty())
        row.CondRecord.append(condition.record);
    else
        row.CondRecord.clear();
    row.CondText = row.CondText + u" и "_s + condition.caption;
    stage.EventCount += condition.extraCount;
}

void replaceCondition(model::StageData& stage, int r, const Condition& condition)
{
    checkCondition(condition);
    model::EventRowData& row = rowOf(stage, r);
    row.Extra.fill(0);
    row.CondCode = condition.code;
    appendObjects(row.CondObjects, condition.objects);
    row.Kind = kEventKind;
    row.CondText = condition.caption;
    row.CondRecord = recordsOf(condition);
    stage.EventCount += condition.extraCount;
}

void placeAction(model::StageData& stage, Cell cell, const Action& action)
{
    checkCell(stage, cell);
    model::EventRowData& row = stage.EventRow[size_t(cell.row)];
    appendObjects(row.ActionObjects[size_t(cell.column)], action.objects);
    stage.ActionCount += 1;
    row.ActionText[size_t(cell.column)] = action.caption;
    row.ActionCode[size_t(cell.column)] = action.code;
    row.ActionRecord[size_t(cell.column)] = action.record;
}

void editCondition(model::StageData& stage, int r, int part, const Condition& condition)
{
    checkCondition(condition);
    model::EventRowData& row = rowOf(stage, r);
    if (part < 0 || part >= row.CondRecord.size() || condition.record.isEmpty())
        throw io::Error(u"Условие строки %1 нельзя изменить: неизвестно, из чего оно сделано."_s.arg(r));
    QList<model::CatalogueRecord> records = row.CondRecord;
    const std::optional<Condition> before = catalogue::rebuild(catalogue::Side::Condition, records[part]);
    records[part] = condition.record;
    QStringList captions;
    QStringList codes;
    ObjectSlots objects{};
    for (qsizetype k = 0; k < records.size(); ++k) {
        const std::optional<Condition> made = k == part ? condition : catalogue::rebuild(catalogue::Side::Condition, records[k]);
        if (!made)
            throw io::Error(u"Условие строки %1 нельзя изменить: его часть %2 не удалось составить заново."_s.arg(r).arg(
                k + 1));
        captions << made->caption;
        codes << made->code;
        appendObjects(objects, made->objects);
    }
    const int extraBefore = before ? before->extraCount : condition.extraCount;
    stage.EventCount = std::max(stage.EventCount + condition.extraCount - extraBefore, rowCount(stage));
    row.CondText = captions.join(u" и "_s);
    row.CondCode = codes.join(u'&');
    row.CondObjects = objects;
    row.CondRecord = records;
}

void editAction(model::StageData& stage, Cell cell, const Action& action)
{
    checkCell(stage, cell);
    model::EventRowData& row = stage.EventRow[size_t(cell.row)];
    const size_t c = size_t(cell.column);
    if (row.ActionText[c].isEmpty() && row.ActionCode[c].isEmpty())
        throw io::Error(u"В клетке (строка %1, столбец %2) нет действия."_s.arg(cell.row).arg(cell.column));
    row.ActionText[c] = action.caption;
    row.ActionCode[c] = action.code;
    row.ActionObjects[c] = {};
    appendObjects(row.ActionObjects[c], action.objects);
    row.ActionRecord[c] = action.record;
}

QString editProblem(const model::StageData& stage, Cell cell)
{
    if (cell.row < 1 || cell.row > rowCount(stage) || cell.column < 0 || cell.column > kColumns)
        return u"Здесь нечего изменять."_s;
    const model::EventRowData& row = stage.EventRow[size_t(cell.row)];
    const QString unknown = u"Неизвестно, из какого пункта меню и с какими значениями это сделано (проект старой версии "
                            u"или другой программы): удалите и поставьте заново."_s;
    if (cell.column == 0) {
        if (row.Kind != kEventKind)
            return u"В этой строке нет условия."_s;
        if (row.CondRecord.isEmpty())
            return unknown;
        for (const model::CatalogueRecord& part : row.CondRecord) {
            const catalogue::Item* item = catalogue::findItem(catalogue::Side::Condition, part.item);
            if (!item)
                return unknown;
            if (!item->parameters.empty())
                return QString();
        }
        return u"У этого условия нет значений, которые можно изменить."_s;
    }
    const size_t c = size_t(cell.column);
    if (row.ActionText[c].isEmpty() && row.ActionCode[c].isEmpty())
        return u"В клетке нет действия."_s;
    const catalogue::Item* item = catalogue::findItem(catalogue::Side::Action, row.ActionRecord[c].item);
    if (!item)
        return unknown;
    if (item->parameters.empty())
        return u"У этого действия нет значений, которые можно изменить."_s;
    return QString();
}

void deleteAction(model::StageData& stage, Cell cell)
{
    checkCell(stage, cell);
    model::EventRowData& row = stage.EventRow[size_t(cell.row)];
    const size_t c = size_t(cell.column);
    if (row.ActionText[c].isEmpty() && row.ActionCode[c].isEmpty())
        throw io::Error(u"В клетке (строка %1, столбец %2) нет действия."_s.arg(cell.row).arg(cell.column));
    row.ActionText[c].clear();
    row.ActionCode[c].clear();
    row.ActionObjects[c] = {};
    row.ActionRecord[c] = {};
    stage.ActionCount = std::max(stage.ActionCount - 1, 0);
}

void deleteRow(model::StageData& stage, int r)
{
    const int actions = actionCount(rowOf(stage, r));
    growToCapacity(stage);
    for (int i = r; i < model::kMaxEventRows; ++i)
        stage.EventRow[size_t(i)] = stage.EventRow[size_t(i + 1)];
    stage.EventRow[size_t(model::kMaxEventRows)] = {};
    stage.EventCurRow = rowCount(stage) - 1;
    stage.EventCount = std::max(stage.EventCount - 1, stage.EventCurRow);
    stage.ActionCount = std::max(stage.ActionCount - actions, 0);
}

void moveRow(model::StageData& stage, int r, int step)
{
    rowOf(stage, r);
    const int other = r + step;
    if ((step != 1 && step != -1) || other < 1 || other > rowCount(stage))
        throw io::Error(step < 0 ? u"Строка %1 уже первая."_s.arg(r) : u"Строка %1 уже последняя."_s.arg(r));
    growToCapacity(stage);
    std::swap(stage.EventRow[size_t(r)], stage.EventRow[size_t(other)]);
}

void insertRow(model::StageData& stage, int after, const model::EventRowData& record)
{
    checkRoomForRow(stage);
    if (after < 0 || after > rowCount(stage))
        throw io::Error(u"Строки %1 нет на листе событий."_s.arg(after));
    growToCapacity(stage);
    for (int i = model::kMaxEventRows; i > after + 1; --i)
        stage.EventRow[size_t(i)] = stage.EventRow[size_t(i - 1)];
    stage.EventRow[size_t(after + 1)] = record;
    stage.EventCurRow = rowCount(stage) + 1;
    stage.EventCount = std::max(stage.EventCount + 1, stage.EventCurRow);
    stage.ActionCount += actionCount(record);
}

} // namespace kestrava::events
