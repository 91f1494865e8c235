#include "model/Project.h"

#include "io/Error.h"

#include <stdexcept>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::model {

long long mapCellOffset(int columns, int rows, int row, int column)
{
    if (row < 1 || row > rows || column < 1 || column > columns)
        return -1;
    return (long long)(row - 1) * columns + (column - 1);
}

void checkMapSize(int columns, int rows)
{
    if (columns < 0 || rows < 0 || columns > kMaxMapColumns || rows > kMaxMapRows)
        throw std::out_of_range("map larger than the model holds");
}

int FonGroupData::cell(int row, int column) const
{
    const long long at = mapCellOffset(Columns, Rows, row, column);
    return at >= 0 && size_t(at) < Cells.size() ? Cells[size_t(at)] : 0;
}

void FonGroupData::setCell(int row, int column, int tile)
{
    const long long at = mapCellOffset(Columns, Rows, row, column);
    if (at < 0)
        throw std::out_of_range("map cell outside the map");
    Cells.at(size_t(at)) = tile;
}

void FonGroupData::setMapSize(int columns, int rows)
{
    checkMapSize(columns, rows);
    Columns = columns;
    Rows = rows;
    Cells.assign(size_t(columns) * size_t(rows), 0);
}

Project::Project() : m_stages(kMaxLevels + 1) {}

StageData& Project::stage(int level)
{
    if (level < 1 || level > kMaxLevels)
        throw std::out_of_range("stage number outside 1..20");
    return m_stages[size_t(level)];
}

const StageData& Project::stage(int level) const
{
    if (level < 1 || level > kMaxLevels)
        throw std::out_of_range("stage number outside 1..20");
    return m_stages[size_t(level)];
}

QString movementTypeName(MovementType type)
{
    switch (type) {
    case MovementType::EightWay:
        return u"8 направлений"_s;
    case MovementType::Planned:
        return u"Запланированное"_s;
    case MovementType::Static:
        return u"Статический"_s;
    case MovementType::Platform:
        return u"Платформер"_s;
    case MovementType::NotSet:
        break;
    }
    return QString();
}

QString Project::projectPath(const QString& relative) const
{
    return ProjectDir ? *ProjectDir + u'/' + relative : QString();
}

void Project::reset()
{
    *this = Project();
}

namespace {

void requireSlot(const StageData& s, int level)
{
    if (s.ListSlotCount >= kMaxListSlots)
        throw io::Error(u"В списке объектов этапа %1 уже %2 значков — больше добавить нельзя"_s
                            .arg(level).arg(kMaxListSlots));
}

} // namespace

int Project::addFonGroup(int level)
{
    StageData& s = stage(level);
    if (s.FonGroupCount >= kMaxFonGroups)
        throw io::Error(u"На этапе %1 уже %2 фоновых групп — больше добавить нельзя"_s.arg(level).arg(kMaxFonGroups));
    requireSlot(s, level);
    const int g = ++s.FonGroupCount;
    s.FonGroup[size_t(g)] = FonGroupData();
    s.FonGroup[size_t(g)].ListSlot = ++s.ListSlotCount;
    s.FonGroup[size_t(g)].Index = g;
    return g;
}

int Project::addActiveGroup(int level)
{
    StageData& s = stage(level);
    if (s.ActiveGroupCount >= kMaxActiveGroups)
        throw io::Error(u"На этапе %1 уже %2 активных групп — больше добавить нельзя"_s.arg(level).arg(kMaxActiveGroups));
    requireSlot(s, level);
    const int g = ++s.ActiveGroupCount;
    s.ActiveGroup[size_t(g)] = ActiveGroupData();
    s.ActiveGroup[size_t(g)].ListSlot = ++s.ListSlotCount;
    s.ActiveGroup[size_t(g)].Index = g;
    return g;
}

int Project::addTextObject(int level)
{
    StageData& s = stage(level);
    if (s.TextCount >= kMaxTextObjects)
        throw io::Error(u"На этапе %1 уже %2 текстовых объектов — больше добавить нельзя"_s.arg(level).arg(kMaxTextObjects));
    requireSlot(s, level);
    const int t = ++s.TextCount;
    s.TextObject[size_t(t)] = TextObjectData();
    s.TextObject[size_t(t)].ListSlot = ++s.ListSlotCount;
    return t;
}

int Project::addLevel()
{
    if (LevelCount >= kMaxLevels)
        throw io::Error(u"В проекте уже %1 этапов — больше добавить нельзя"_s.arg(kMaxLevels));
    return ++LevelCount;
}

} // namespace kestrava::model
