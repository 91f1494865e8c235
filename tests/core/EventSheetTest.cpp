#include "codegen/Converter.h"
#include "document/ProjectDocument.h"
#include "support/CatalogueSamples.h"
#include "events/SheetView.h"
#include "io/Error.h"
#include "io/TextFile.h"
#include "support/ObjectLibrary.h"
#include "support/TempAppFolder.h"

#include <QFile>

#include <gtest/gtest.h>

#include <functional>

using namespace kestrava;
using namespace Qt::Literals::StringLiterals;
using events::Cell;

namespace {

const catalogue::Item& catalogueItem(const QString& caption)
{
    return test::itemNamed(catalogue::Side::Action, caption);
}

events::Condition condition(const QString& caption, QStringList objects = {})
{
    return {caption, u"("_s + caption + u")"_s, std::move(objects), 0};
}

// A project with one active group on stage 1 and a sheet view on it.
class SheetFixture : public ::testing::Test {
protected:
    SheetFixture() : doc(tmp.app()), view(doc)
    {
        test::writeSampleLibrary(tmp.app());
        doc.create(tmp.makeDir(u"лес"_s) + u"/project.prg"_s);
        doc.importObject(u"hero.oba"_s);
        view.start();
    }

    const model::StageData& s() const { return doc.project().current(); }

    // Presses a cell as the author does and places an action there.
    void place(int row, int column, const events::Action& action)
    {
        view.pressed(events::columnLeft(column) + 5, events::rowTop(row) + 5);
        view.placeAction(action);
    }

    // One edit: undo gives back exactly the stage before it, redo the one after.
    void expectUndoable(const QString& what, const std::function<void()>& edit)
    {
        SCOPED_TRACE(what.toStdString());
        const model::StageData before = s();
        const int steps = doc.undoStack().count();
        edit();
        const model::StageData after = s();
        ASSERT_EQ(doc.undoStack().count(), steps + 1);
        EXPECT_EQ(doc.undoStack().undoText(), what);
        doc.undoStack().undo();
        EXPECT_TRUE(s() == before);
        doc.undoStack().redo();
        EXPECT_TRUE(s() == after);
    }

    test::TempAppFolder tmp;
    document::ProjectDocument doc;
    events::SheetView view;
};

} // namespace

TEST(EventSheet, PressesMapToCellsAtEveryEdge)
{
    EXPECT_EQ(events::cellAt(200, 33), (Cell{1, 0})); // just left of column 1: the condition
    EXPECT_EQ(events::cellAt(201, 65), (Cell{1, 1}));
    EXPECT_EQ(events::cellAt(233, 66), (Cell{2, 1}));
    EXPECT_EQ(events::cellAt(234, 32), (Cell{0, 2}));
    EXPECT_EQ(events::cellAt(860, 40), (Cell{1, 20}));
    EXPECT_EQ(events::cellAt(861, 40), (Cell{1, 0})); // right of column 20
    EXPECT_EQ(events::cellAt(-40, -40), (Cell{0, 0}));
    EXPECT_EQ(catalogue::columnMenu(events::cellAt(861, 40).column), catalogue::ColumnMenu::AddCondition);
    EXPECT_EQ(catalogue::actionGroup(8), 1);
    EXPECT_EQ(catalogue::actionGroup(7), 0);
    // Every column an active group heads acts on it, up to column 20 and group 13.
    EXPECT_EQ(catalogue::actionGroup(20), 13);
    EXPECT_EQ(catalogue::columnMenu(20), catalogue::ColumnMenu::ObjectActions);
    EXPECT_EQ(catalogue::actionGroup(21), 0);
    EXPECT_EQ(catalogue::columnMenu(21), catalogue::ColumnMenu::AddCondition);
}

TEST(EventSheet, ObjectListAppendsUnlessTheLastSlotHoldsTheNumber)
{
    events::ObjectSlots list{};
    events::appendObject(list, u"1"_s);
    events::appendObject(list, u"3"_s);
    events::appendObject(list, u"3"_s);
    EXPECT_EQ(list[2], u"3"_s);
    EXPECT_TRUE(list[3].isEmpty());
    events::appendObject(list, u"1"_s);
    EXPECT_EQ(list[3], u"1"_s);
    for (const QString& x : {u"4"_s, u"5"_s, u"6"_s})
        events::appendObject(list, x);
    EXPECT_EQ(list[5], u"5"_s); // full: the sixth is dropped
}

TEST_F(SheetFixture, NewRowsActionsAndTheirCounters)
{
    // A chooser closed without a condition never reaches the sheet.
    EXPECT_EQ(view.pressed(300, 40), catalogue::ColumnMenu::None);
    view.newRow(condition(u"Всегда"_s));
    view.newRow({u"столкновение 1 с 2"_s, u"(c)"_s, {u"1"_s, u"2"_s}, 1});
    EXPECT_EQ(s().EventCurRow, 2);
    EXPECT_EQ(s().EventCount, 3); // the extra step of the chosen condition
    EXPECT_EQ(s().EventRow[2].CondObjects[2], u"2"_s);
    EXPECT_EQ(s().EventRow[2].Kind, events::kEventKind);

    // Two actions in one cell: the second stays, both objects are listed.
    const catalogue::Item& visible = catalogueItem(u"видимый"_s);
    place(2, 9, catalogue::build(visible, test::actionValues(2, {}, 0)));
    place(2, 9, catalogue::build(catalogueItem(u"преследование"_s), test::actionValues(2, {}, 3)));
    const model::EventRowData& row = s().EventRow[2];
    EXPECT_EQ(row.ActionText[9], u"режим: преследование"_s);
    EXPECT_EQ(row.ActionCode[9], u"{objtip[gr_obj[2][kr2]]=2;kd=kr3;}"_s);
    EXPECT_EQ(row.ActionObjects[9][1], u"2"_s);
    EXPECT_EQ(row.ActionObjects[9][2], u"3"_s);
    EXPECT_EQ(s().ActionCount, 2);
    EXPECT_EQ(view.hint(), u"режим: преследование"_s);

    // Column 0 and columns past 16 place nothing; a press below the rows opens nothing.
    EXPECT_EQ(view.pressed(100, 40), catalogue::ColumnMenu::AddCondition);
    EXPECT_EQ(view.pressed(events::columnLeft(8) + 1, 40), catalogue::ColumnMenu::ObjectActions);
    EXPECT_EQ(view.ActionGroup, 1);
    EXPECT_EQ(view.pressed(300, events::rowTop(3) + 1), catalogue::ColumnMenu::None);
    view.released(300, events::rowTop(51) + 1); // past the last row the table holds
    EXPECT_TRUE(view.hint().isEmpty());
}

TEST_F(SheetFixture, FiftyRowsFitAndTheFiftyFirstIsRefused)
{
    for (int r = 1; r <= model::kMaxEventRows; ++r)
        view.newRow(condition(u"Всегда"_s));
    const model::StageData full = s();
    try {
        view.newRow(condition(u"Всегда"_s));
        ADD_FAILURE() << "a 51st row was added";
    } catch (const io::Error& e) {
        EXPECT_TRUE(e.message().contains(u"50"_s));
    }
    EXPECT_THROW(view.addTitledRow(events::kGroupKind, u"Враги"_s), io::Error);
    view.copyRow(1);
    EXPECT_THROW(view.pasteRow(0), io::Error);
    EXPECT_TRUE(s() == full);

    // Joined conditions grow a row's line up to what the project file holds, not past it.
    const QString half(int(io::kMaxLineBytes / 2), u'a');
    view.addCondition(1, condition(half));
    const model::StageData grown = s();
    EXPECT_THROW(view.addCondition(1, condition(half)), io::Error);
    EXPECT_TRUE(s() == grown);
}

TEST_F(SheetFixture, RowEditsUndoAndRedoToIdenticalStages)
{
    view.newRow(condition(u"Всегда"_s, {u"1"_s}));
    view.newRow(condition(u"Начало уровня"_s));
    place(1, 3, catalogue::build(catalogueItem(u"следующий уровень"_s), {}));
    place(2, 8, catalogue::build(catalogueItem(u"видимый"_s), test::actionValues(1, {}, 0)));

    expectUndoable(u"Группа событий"_s, [&] { view.addTitledRow(events::kGroupKind, u"Враги"_s); });
    expectUndoable(u"добавить условие"_s, [&] { view.addCondition(2, condition(u"Конец игры"_s, {u"4"_s})); });
    EXPECT_EQ(s().EventRow[2].CondText, u"Начало уровня и Конец игры"_s);
    EXPECT_EQ(s().EventRow[2].CondCode, u"(Начало уровня)&(Конец игры)"_s);
    expectUndoable(u"заменить условие"_s, [&] { view.replaceCondition(2, condition(u"Всегда"_s)); });
    EXPECT_EQ(s().EventRow[2].CondObjects[1], u"4"_s); // lists are kept when a condition is replaced

    expectUndoable(u"вниз"_s, [&] { view.moveRow(1, 1); });
    EXPECT_EQ(s().EventRow[2].ActionText[3], u"уровень+1"_s);
    EXPECT_EQ(s().EventRow[2].CondObjects[1], u"1"_s); // the object list moved with its row
    EXPECT_THROW(view.moveRow(3, 1), io::Error);
    EXPECT_THROW(view.moveRow(1, -1), io::Error);

    view.copyRow(2);
    expectUndoable(u"вставить"_s, [&] { view.pasteRow(3); });
    EXPECT_EQ(s().EventCurRow, 4);
    EXPECT_EQ(s().ActionCount, 3);
    EXPECT_TRUE(s().EventRow[4] == s().EventRow[2]);

    expectUndoable(u"удалить строку"_s, [&] { view.deleteRow(1); });
    EXPECT_EQ(s().EventCurRow, 3);
    EXPECT_EQ(s().EventCount, 3);
    EXPECT_EQ(s().ActionCount, 2); // the deleted row held one action
    EXPECT_EQ(s().EventRow[3].Kind, events::kEventKind);
    EXPECT_TRUE(s().EventRow[4] == model::EventRowData{});

    view.pressed(events::columnLeft(3) + 1, events::rowTop(1) + 1);
    expectUndoable(u"удалить действие"_s, [&] { view.deleteAction(); });
    EXPECT_TRUE(s().EventRow[1].ActionText[3].isEmpty());
    EXPECT_EQ(s().ActionCount, 1);
    EXPECT_THROW(view.deleteAction(), io::Error); // nothing left in that cell
}

TEST_F(SheetFixture, PictureShowsHeaderRowsAndMarks)
{
    view.repaint();
    const QImage& empty = view.image();
    const int line = events::columnLeft(1) - 1;
    EXPECT_EQ(empty.pixel(line, 32), qRgb(0, 0, 0));
    EXPECT_EQ(empty.pixel(line, 33), qRgb(255, 255, 255)); // no rows: the lines end at y 32

    view.newRow(condition(u"Всегда"_s));
    place(1, 20, events::Action{u"x"_s, u"{}"_s, {}});
    const QImage& one = view.image();
    EXPECT_EQ(one.pixel(line, 65), qRgb(0, 0, 0));
    EXPECT_EQ(one.pixel(line, 66), qRgb(255, 255, 255));
    EXPECT_EQ(one.pixel(5, 65), qRgb(0, 0, 0)); // the line under the row
    // The mark of column 20 differs from the white around it.
    const QRgb mark = one.pixel(events::columnLeft(20) + 8 + 8, events::rowTop(1) + 8 + 8);
    EXPECT_NE(mark, qRgb(255, 255, 255));
    // The stage's active group heads column 8 with its own picture, not the placeholder.
    EXPECT_TRUE(view.ColumnIcons[8].endsWith(u"hero.bmp"_s)) << view.ColumnIcons[8].toStdString();
    EXPECT_TRUE(view.ColumnIcons[9].endsWith(u"event7.bmp"_s));
    EXPECT_TRUE(view.takeMessages().isEmpty());
}

TEST_F(SheetFixture, ObjectsTheStageLacksAreNamedMarkedAndReported)
{
    // Group 1 is the stage's only active group: 1 is there, 0 and 2 are not.
    view.newRow(condition(u"столкновение 1 с 2"_s, {u"1"_s, u"2"_s}));
    place(1, 8, events::Action{u"видимый"_s, u"{}"_s, {u"1"_s}});
    view.newRow(condition(u"Всегда"_s));
    place(2, 6, events::Action{u"жизни = 3"_s, u"{}"_s, {}});
    EXPECT_EQ(events::missingObjects(s(), 1), QStringList{u"2"_s});
    EXPECT_TRUE(events::missingObjects(s(), 2).isEmpty());
    EXPECT_TRUE(events::objectName(s(), u"0"_s).endsWith(u"(нет на этапе)"_s));
    EXPECT_TRUE(events::objectName(s(), u"2"_s).endsWith(u"(нет на этапе)"_s));
    EXPECT_EQ(events::objectName(s(), u"1"_s), u"объект 1 «hero»"_s);
    EXPECT_FALSE(view.rowLook(1).problem.isEmpty());
    EXPECT_TRUE(view.rowLook(2).problem.isEmpty());

    // The hint is what lies under the pointer, no press needed: the whole
    // condition left of column 1, an action in its cell, with the objects named.
    const QString conditionHint = view.hintAt(5, events::rowTop(1) + 5);
    EXPECT_TRUE(conditionHint.startsWith(u"столкновение 1 с 2\nобъект 1"_s)) << conditionHint.toStdString();
    EXPECT_TRUE(conditionHint.contains(u"объект 2 (нет на этапе)"_s));
    EXPECT_TRUE(view.hintAt(events::columnLeft(8) + 5, events::rowTop(1) + 5).startsWith(u"видимый\nобъект 1"_s));
    EXPECT_EQ(view.hintAt(events::columnLeft(6) + 5, events::rowTop(2) + 5), u"жизни = 3"_s);
    EXPECT_TRUE(view.hintAt(events::columnLeft(7) + 5, events::rowTop(2) + 5).isEmpty());
    // Under the last row the hint says a click starts a new event; further down there is nothing.
    EXPECT_TRUE(view.hintAt(5, events::rowTop(3) + 5).startsWith(u"Новое событие"_s));
    EXPECT_TRUE(view.hintAt(5, events::rowTop(4) + 5).isEmpty());

    const QStringList notes = events::unmetRowNotes(doc.project());
    ASSERT_EQ(notes.size(), 1);
    EXPECT_TRUE(notes[0].startsWith(u"Этап 1, строка событий 1"_s)) << notes[0].toStdString();

    // A sound removed after a row was written to play it: that row is named, the one playing a kept sound is not.
    place(2, 2, events::Action{u"играть звук 1"_s, u"{Sounds.play(1,false);}"_s, {}});
    view.newRow(condition(u"Всегда"_s));
    place(3, 7, events::Action{u"играть звук 2"_s, u"{Sounds.play(2,false);}"_s, {}});
    model::Project withOne = doc.project();
    withOne.Sounds.push_back(model::SoundData{1, u"шаг"_s, model::SoundKind::Melody, {}, u"C5 8"_s, 120});
    const QStringList sounds = events::unmetRowNotes(withOne);
    ASSERT_EQ(sounds.size(), 2);
    EXPECT_TRUE(sounds[1].startsWith(u"Этап 1, строка событий 3"_s)) << sounds[1].toStdString();
    EXPECT_TRUE(sounds[1].contains(u"нет звука 2"_s)) << sounds[1].toStdString();
}

TEST_F(SheetFixture, SheetSurvivesSaveOpenAndReachesTheGeneratedGame)
{
    view.newRow(condition(u"Всегда"_s, {u"1"_s}));
    view.newRow({u"Сравнение"_s, u"(obtime>5)"_s, {}, 1});
    view.addTitledRow(events::kCommentKind, u"враги"_s);
    place(1, 8, catalogue::build(catalogueItem(u"режим/атака"_s), test::actionValues(1, {}, 1)));
    doc.save();
    const model::StageData saved = s();

    document::ProjectDocument reopened(tmp.app());
    reopened.open(*doc.project().ProjectDir + u"/project.prg"_s);
    const model::StageData& back = reopened.project().stage(1);
    EXPECT_EQ(back.EventCurRow, 3);
    EXPECT_EQ(back.EventCount, 4);
    EXPECT_EQ(back.EventRow[1].CondObjects, saved.EventRow[1].CondObjects);
    EXPECT_EQ(back.EventRow[1].ActionObjects[8], saved.EventRow[1].ActionObjects[8]);
    EXPECT_EQ(back.EventRow[3].Kind, events::kCommentKind);

    codegen::convertProject(reopened.project(), tmp.app());
    QFile stageClass(*doc.project().ProjectDir + u"/src/Etap0.java"_s);
    ASSERT_TRUE(stageClass.open(QIODevice::ReadOnly));
    const QString java = QString::fromUtf8(stageClass.readAll());
    EXPECT_TRUE(java.contains(u"kr1"_s)) << "the object loop was lost on the way";
    EXPECT_TRUE(java.contains(u"{objtip[gr_obj[1][kr1]]=3;kd=kr1;}"_s));
}

TEST_F(SheetFixture, DamagedEventListsInTheExtrasFileAreRefused)
{
    view.newRow(condition(u"Всегда"_s, {u"1"_s}));
    doc.save();
    const QString extras = *doc.project().ProjectDir + u"/project.kestrava.json"_s;
    QFile file(extras);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray good = file.readAll();
    file.close();
    for (const auto& [from, to] : {std::pair{QByteArray("[\"1\"]"), QByteArray("[\"1;}evil\"]")},
                                   std::pair{QByteArray("{\"objects\""), QByteArray("{\"rows\": 2, \"objects\"")},
                                   std::pair{QByteArray("\"row\":1"), QByteArray("\"row\":51")}}) {
        SCOPED_TRACE(to.toStdString());
        QByteArray damaged = good;
        damaged.replace(from, to);
        ASSERT_NE(damaged, good);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(damaged);
        file.close();
        document::ProjectDocument reopened(tmp.app());
        EXPECT_THROW(reopened.open(*doc.project().ProjectDir + u"/project.prg"_s), io::Error);
    }
}

TEST(SheetPicture, AnActionCellShowsTheWordsThatTellItsColumnsActionsApart)
{
    EXPECT_EQ(events::shortCaption(u"режим: атака"_s), u"атака"_s);
    EXPECT_EQ(events::shortCaption(u"жизни = 3"_s), u"жизни=3"_s);
    EXPECT_EQ(events::shortCaption(u" уровень+1 "_s), u"уровень+1"_s);
    // Only a colon after a word starts what is left; a value "a:b" stays whole.
    EXPECT_EQ(events::shortCaption(u": атака"_s), u": атака"_s);
    EXPECT_EQ(events::shortCaption(u"X=a:b"_s), u"X=a:b"_s);
}
