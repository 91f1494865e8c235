#include "codegen/Converter.h"
#include "document/ProjectDocument.h"
#include "catalogue/Item.h"
#include "catalogue/PhoneKeys.h"
#include "catalogue/Records.h"
#include "events/Sheet.h"
#include "events/SheetView.h"
#include "io/Error.h"
#include "model/Project.h"
#include "persist/ProjectFile.h"
#include "support/CatalogueSamples.h"
#include "support/ErrorOf.h"
#include "support/ObjectLibrary.h"
#include "support/TempAppFolder.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>

#include <gtest/gtest.h>

using namespace kestrava;
using namespace Qt::Literals::StringLiterals;

namespace {

// An enabled condition item filled as its dialog would fill it.
events::Condition conditionOf(const catalogue::Item& item, int n)
{
    return test::catalogueCondition(item, 1, n % 2 + 1, catalogue::phoneKeys()[0]);
}

int columnOf(catalogue::ColumnMenu menu)
{
    for (int c = 1; c <= events::kColumns; ++c)
        if (catalogue::columnMenu(c) == menu)
            return c;
    return 0;
}

// One stage holding every enabled item of both catalogues, made as the
// chooser and the column menus make them, and a row of joined conditions.
model::Project everyItem(const QString& dir)
{
    model::Project p;
    p.ProjectDir = dir;
    model::StageData& s = p.stage(1);
    std::vector<events::Condition> conditions;
    int n = 0;
    for (const catalogue::Item& item : catalogue::conditionItems())
        if (item.enabled)
            conditions.push_back(conditionOf(item, n++));
    std::vector<std::pair<int, events::Action>> actions;
    for (const catalogue::Item& item : catalogue::actionItems()) {
        if (!item.enabled)
            continue;
        const int column = columnOf(catalogue::ColumnMenu(item.menu));
        catalogue::Values values = test::actionValues(catalogue::actionGroup(column), {}, 2);
        values[u"V"_s] = u"часы * 2"_s;
        values[u"VC"_s] = u"obtime_hour*2"_s;
        actions.emplace_back(column, catalogue::build(item, values));
    }
    const size_t rows = std::max(conditions.size(), actions.size());
    for (size_t r = 0; r < rows; ++r) {
        events::newRow(s, conditions[r % conditions.size()]);
        if (r < actions.size())
            events::placeAction(s, {int(r) + 1, actions[r].first}, actions[r].second);
    }
    events::addCondition(s, 1, conditions[1]);
    events::addCondition(s, 1, conditions.back());
    return p;
}

// Every file of src and res after a conversion.
QMap<QString, QByteArray> converted(const model::Project& project, const io::AppFolder& app)
{
    codegen::convertProject(project, app);
    QMap<QString, QByteArray> files;
    const QDir dir(*project.ProjectDir);
    for (const QString& folder : {u"src"_s, u"res"_s}) {
        QDirIterator it(dir.filePath(folder), QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            QFile f(it.next());
            EXPECT_TRUE(f.open(QIODevice::ReadOnly));
            files.insert(dir.relativeFilePath(f.fileName()), f.readAll());
        }
    }
    return files;
}

// Texts a stranger's tool or an older template might have left.
void spoilRecordedTexts(model::StageData& s)
{
    for (size_t r = 1; r <= size_t(model::kMaxEventRows); ++r) {
        model::EventRowData& row = s.EventRow[r];
        if (!row.CondRecord.isEmpty())
            row.CondText = row.CondCode = u"?"_s;
        for (size_t c = 1; c <= size_t(events::kColumns); ++c)
            if (!row.ActionRecord[c].isEmpty())
                row.ActionText[c] = row.ActionCode[c] = u"?"_s;
    }
}

} // namespace

TEST(RowRecords, EveryItemRecordedSavedAndReopenedMakesItsTextsAgain)
{
    test::SampleProjectFolder f;
    const model::Project made = everyItem(f.dir);
    const model::StageData& s = made.stage(1);
    // Every row and cell the catalogues filled is recorded, the joined row with all three parts.
    EXPECT_EQ(s.EventRow[1].CondRecord.size(), 3);
    int recordedActions = 0;
    for (size_t r = 1; r <= size_t(s.EventCurRow); ++r) {
        EXPECT_FALSE(s.EventRow[r].CondRecord.isEmpty()) << r;
        for (size_t c = 1; c <= size_t(events::kColumns); ++c)
            recordedActions += s.EventRow[r].ActionRecord[c].isEmpty() ? 0 : 1;
    }
    EXPECT_EQ(recordedActions, s.ActionCount);

    persist::save(made, f.file);
    model::Project reopened;
    persist::load(reopened, f.tmp.app(), f.file);
    // The file keeps the design's counter of row steps only up to the most rows a sheet has.
    model::StageData expected = s;
    expected.EventCount = std::min(expected.EventCount, model::kMaxEventRows);
    EXPECT_TRUE(reopened.stage(1) == expected) << "the records come back with the rows";

    // Texts an older template or a stranger's tool left in the project file:
    // opened, the rows show and run what today's catalogue makes.
    model::Project stale = made;
    spoilRecordedTexts(stale.stage(1));
    persist::save(stale, f.file);
    model::Project opened;
    persist::load(opened, f.tmp.app(), f.file);
    for (size_t r = 1; r <= size_t(s.EventCurRow); ++r)
        EXPECT_TRUE(opened.stage(1).EventRow[r] == s.EventRow[r]) << s.EventRow[r].CondText.toStdString();

    // Converted as it stands in memory, the stale project is the game of today's templates.
    const QMap<QString, QByteArray> current = converted(made, f.tmp.app());
    EXPECT_EQ(converted(stale, f.tmp.app()), current);
}

TEST(RowRecords, TheDemoConvertsAsItsStoredTextsDid)
{
    test::TempAppFolder tmp;
    const QString demo = tmp.copyDemo(u"demo"_s);
    model::Project stored;
    persist::load(stored, tmp.app(), demo + u"/project.prg"_s);
    int recorded = 0;
    model::Project remade = stored;
    for (int level = 1; level <= remade.LevelCount; ++level) {
        model::StageData& s = remade.stage(level);
        for (size_t r = 1; r <= size_t(s.EventCurRow); ++r) {
            recorded += s.EventRow[r].CondRecord.isEmpty() ? 0 : 1;
            model::EventRowData& row = s.EventRow[r];
            row.CondRecord.clear();
            row.ActionRecord = {};
        }
    }
    EXPECT_GT(recorded, 0) << "the demo's rows carry their records";
    const QMap<QString, QByteArray> asStored = converted(remade, tmp.app());
    for (int level = 1; level <= stored.LevelCount; ++level)
        spoilRecordedTexts(stored.stage(level));
    EXPECT_EQ(converted(stored, tmp.app()), asStored);
}

TEST(RowRecords, ARecordTodaysCatalogueCannotFillKeepsTheStoredTexts)
{
    model::StageData s;
    const catalogue::Item* every = catalogue::findItem(catalogue::Side::Condition, u"7:Каждую..."_s);
    ASSERT_NE(every, nullptr);
    events::newRow(s, catalogue::build(*every, {{u"A"_s, u"0/1/0"_s}, {u"T"_s, u"1000"_s}}));
    const model::EventRowData good = s.EventRow[1];
    EXPECT_EQ(good.CondText, u"каждые 0/1/0"_s);

    struct Case {
        const char16_t* item;
        const char16_t* time;
        bool remade;
    };
    // A time of 1 ms is made again; 0 (the game would divide by it), a word, and an item of another version are not.
    for (const Case& c : {Case{u"7:Каждую...", u"1", true}, Case{u"7:Каждую...", u"0", false},
                          Case{u"7:Каждую...", u"x", false}, Case{u"7:Каждую минуту", u"1", false}}) {
        model::EventRowData& row = s.EventRow[1];
        row = good;
        row.CondRecord[0].item = QString::fromUtf16(c.item);
        row.CondRecord[0].values[u"T"_s] = QString::fromUtf16(c.time);
        row.CondCode = u"(stored)"_s;
        catalogue::remakeRecordedTexts(s);
        EXPECT_EQ(row.CondCode, c.remade ? u"(obtime-(obtime/1)*1==0)"_s : u"(stored)"_s) << QString::fromUtf16(c.time).toStdString();
    }
    // A record of a name an earlier version spelt otherwise is made again and takes today's name.
    s.EventRow[1].CondRecord = {{u"4:Сравнение общего число объектов со значением..."_s,
                                 {{u"A"_s, u"<3"_s}, {u"AC"_s, u"<3"_s}}}};
    catalogue::remakeRecordedTexts(s);
    EXPECT_EQ(s.EventRow[1].CondCode, u"(nobject<3)"_s);
    EXPECT_EQ(s.EventRow[1].CondRecord[0].item, u"4:Сравнение общего числа объектов со значением..."_s);
    // A record for a cell without an action makes none.
    s.EventRow[1].ActionRecord[3] =
        catalogue::build(*catalogue::findItem(catalogue::Side::Action, u"3:следующий уровень"_s), {}).record;
    catalogue::remakeRecordedTexts(s);
    EXPECT_TRUE(s.EventRow[1].ActionText[3].isEmpty());
}

TEST(RowRecords, ADamagedRecordIsRefusedByName)
{
    test::SampleProjectFolder f;
    persist::save(everyItem(f.dir), f.file);
    QFile file(f.extras);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray good = file.readAll();
    file.close();
    struct Case {
        QByteArray from, to;
        const char16_t* fragment;
    };
    const Case cases[] = {
        {"\"values\":{\"A\":", "\"values\":{\"Z\":", u"неизвестное значение «Z»"},
        {"\"values\":{\"A\":", "\"values\":{\"A\":1,\"AC\":", u"значение «A» должно быть строкой"},
        {"{\"column\":3,", "{\"column\":4,", u"запись каталога для пустой клетки"},
        {"{\"column\":0,\"items\"", "{\"column\":21,\"items\"", u"клетки (строка 1, столбец 21) на листе не бывает"},
        {"{\"column\":3,\"items\":[{", "{\"column\":3,\"items\":[{\"item\":\"x\",\"values\":{}},{", u"элементов каталога 2, а допускается от 1 до 1"},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(good.contains(c.from)) << c.from.toStdString();
        QByteArray damaged = good;
        damaged.replace(damaged.indexOf(c.from), c.from.size(), c.to);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(damaged);
        file.close();
        model::Project open;
        const QString message = test::errorOf([&] { persist::load(open, f.tmp.app(), f.file); });
        EXPECT_TRUE(message.contains(QString::fromUtf16(c.fragment))) << message.toStdString();
    }
}

TEST(RowRecords, EditingAParameterOfEachDialogKindChangesOnlyThatItemAndUndoes)
{
    test::TempAppFolder tmp;
    document::ProjectDocument doc(tmp.app());
    doc.create(tmp.makeDir(u"game"_s) + u"/project.prg"_s);
    events::SheetView view(doc);
    using P = catalogue::Parameter;
    // A condition of every kind of parameter, each in its row; row 1 also holds a joined second part.
    const P kinds[] = {P::Comparison, P::Relation, P::Key, P::Period, P::Detection, P::OtherObject};
    std::vector<const catalogue::Item*> items;
    for (P kind : kinds)
        for (const catalogue::Item& item : catalogue::conditionItems())
            if (item.enabled && item.parameters == std::vector<P>{kind}) {
                items.push_back(&item);
                view.newRow(conditionOf(item, 0));
                break;
            }
    ASSERT_EQ(items.size(), std::size(kinds));
    view.addCondition(1, conditionOf(*items[3], 0));
    const catalogue::Item* value = catalogue::findItem(catalogue::Side::Action, u"6:число жизней/добавить"_s);
    const catalogue::Item* target = catalogue::findItem(catalogue::Side::Action, u"7:режим/атака"_s);
    ASSERT_TRUE(value && target);
    view.PressedRow = 2;
    view.PressedColumn = 6;
    view.placeAction(catalogue::build(*value, test::actionValues(0, u"1"_s)));
    view.PressedColumn = 8;
    view.placeAction(catalogue::build(*target, test::actionValues(1, {}, 1)));

    const auto stage = [&] { return doc.project().current(); };
    const auto editedOnly = [&](const model::StageData& before, int row, int column) {
        model::StageData after = stage();
        EXPECT_EQ(after.EventCount, before.EventCount);
        EXPECT_EQ(after.ActionCount, before.ActionCount);
        model::EventRowData& r = after.EventRow[size_t(row)];
        const model::EventRowData& was = before.EventRow[size_t(row)];
        if (column == 0) {
            EXPECT_NE(r.CondText, was.CondText);
            EXPECT_NE(r.CondCode, was.CondCode);
            r.CondText = was.CondText;
            r.CondCode = was.CondCode;
            r.CondObjects = was.CondObjects;
            r.CondRecord = was.CondRecord;
        } else {
            EXPECT_NE(r.ActionText[size_t(column)] + r.ActionCode[size_t(column)],
                      was.ActionText[size_t(column)] + was.ActionCode[size_t(column)]);
            r.ActionText[size_t(column)] = was.ActionText[size_t(column)];
            r.ActionCode[size_t(column)] = was.ActionCode[size_t(column)];
            r.ActionObjects[size_t(column)] = was.ActionObjects[size_t(column)];
            r.ActionRecord[size_t(column)] = was.ActionRecord[size_t(column)];
        }
        EXPECT_TRUE(after == before) << "only the edited item changed";
        doc.undoStack().undo();
        EXPECT_TRUE(stage() == before) << "undo restores the whole stage record";
        doc.undoStack().redo();
    };

    for (size_t k = 0; k < items.size(); ++k) {
        const int row = int(k) + 1;
        const model::StageData before = stage();
        // Row 1 changes its second part, the others their only one.
        const int part = row == 1 ? 1 : 0;
        const catalogue::Item& item = *(row == 1 ? items[3] : items[k]);
        catalogue::Values in = before.EventRow[size_t(row)].CondRecord[part].values;
        in[u"A"_s] += u"0"_s;
        in[u"AC"_s] += u"0"_s;
        in[u"K"_s] = u"5"_s;
        in[u"KC"_s] = u"53"_s;
        in[u"T"_s] = QString::number(catalogue::number(in, u"T"_s) + 1000);
        in[u"MAX"_s] = QString::number(catalogue::number(in, u"MAX"_s) + 5);
        in[u"O"_s] = u"1"_s;
        view.editCondition(row, part, catalogue::build(item, in));
        editedOnly(before, row, 0);
    }
    EXPECT_TRUE(stage().EventRow[1].CondText.contains(u" и "_s));
    for (const auto& [column, values] : {std::pair{6, test::actionValues(0, u"2"_s)}, std::pair{8, test::actionValues(1, {}, 3)}}) {
        const model::StageData before = stage();
        view.editAction({2, column}, catalogue::build(column == 6 ? *value : *target, values));
        editedOnly(before, 2, column);
    }
    EXPECT_EQ(stage().EventRow[2].ActionText[6], u"изменение жизней на 2"_s);
    EXPECT_EQ(stage().EventRow[2].ActionCode[8], u"{objtip[gr_obj[1][kr1]]=3;kd=kr3;}"_s);
    // The object list follows the new target instead of keeping the old one.
    EXPECT_EQ(stage().EventRow[2].ActionObjects[8][2], u"3"_s);
    EXPECT_TRUE(stage().EventRow[2].ActionObjects[8][3].isEmpty());

    // What the edits left is saved with its records and opens the same.
    doc.save();
    model::Project reopened;
    persist::load(reopened, tmp.app(), doc.fileName());
    const model::StageData edited = stage();
    EXPECT_TRUE(reopened.stage(1) == edited);

    // Rows without a record, empty cells and items without values cannot be changed in place.
    EXPECT_TRUE(events::editProblem(edited, {1, 0}).isEmpty());
    EXPECT_TRUE(events::editProblem(edited, {2, 6}).isEmpty());
    EXPECT_FALSE(events::editProblem(edited, {2, 5}).isEmpty());
    EXPECT_FALSE(events::editProblem(edited, {int(items.size()) + 1, 0}).isEmpty());
    model::StageData old = edited;
    old.EventRow[1].CondRecord.clear();
    old.EventRow[2].ActionRecord[6] = {};
    EXPECT_TRUE(events::editProblem(old, {1, 0}).contains(u"удалите и поставьте заново"_s));
    EXPECT_TRUE(events::editProblem(old, {2, 6}).contains(u"удалите и поставьте заново"_s));
    EXPECT_THROW(events::editCondition(old, 1, 0, conditionOf(*items[0], 0)), io::Error);
}
