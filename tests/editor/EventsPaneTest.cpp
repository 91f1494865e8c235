#include "ErrorCapture.h"
#include "MenuItem.h"

#include "document/ProjectDocument.h"
#include "editor/events/SheetDialogs.h"
#include "editor/events/SheetImage.h"
#include "editor/events/EventSheetPane.h"
#include "catalogue/Item.h"
#include "events/SheetView.h"
#include "support/ObjectLibrary.h"
#include "support/TempAppFolder.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace kestrava;
using namespace Qt::Literals::StringLiterals;

namespace {

// Answers the sheet's dialogs from queues; an empty queue is a closed dialog.
struct Answers {
    QList<events::Condition> conditions;
    QStringList modes;
    QStringList titles;
    // A new action's value: as typed and translated.
    QList<std::pair<QString, QString>> values;
    // "изменить…": what each dialog was opened on, and the answers ("Отмена" when none).
    QList<catalogue::Values> conditionEdits;
    QList<catalogue::Values> actionEdits;
    QStringList openedOn;
};

class FakeSheetDialogs : public editor::SheetDialogs {
public:
    explicit FakeSheetDialogs(Answers& answers) : m_answers(answers) {}
    std::optional<events::Condition> chooseCondition(QWidget*, const QString& mode) override
    {
        m_answers.modes << mode;
        return next(m_answers.conditions);
    }
    std::optional<QString> askTitle(QWidget*) override { return next(m_answers.titles); }
    bool askParameters(QWidget*, const catalogue::Item& item, catalogue::Values& values, bool filled) override
    {
        const bool condition = item.side == catalogue::Side::Condition;
        if (filled) {
            m_answers.openedOn << values.value(condition ? u"A"_s : u"V"_s);
            QList<catalogue::Values>& queue = condition ? m_answers.conditionEdits : m_answers.actionEdits;
            if (queue.isEmpty())
                return false;
            values.insert(queue.takeFirst());
            return true;
        }
        if (item.parameters.empty())
            return true;
        if (item.parameters != std::vector{catalogue::Parameter::Value})
            return false;
        const std::optional<std::pair<QString, QString>> value = next(m_answers.values);
        if (!value)
            return false;
        values[u"V"_s] = value->first;
        values[u"VC"_s] = value->second;
        return true;
    }

private:
    template <class T>
    static std::optional<T> next(QList<T>& queue)
    {
        if (queue.isEmpty())
            return std::nullopt;
        return queue.takeFirst();
    }
    Answers& m_answers;
};

QAction* item(const QMenu* menu, const QStringList& path)
{
    return test::menuItem(menu, path);
}

class EventsPane : public ::testing::Test {
protected:
    EventsPane() : doc(tmp.app())
    {
        test::writeSampleLibrary(tmp.app());
        doc.create(tmp.makeDir(u"лес"_s) + u"/project.prg"_s);
        doc.importObject(u"hero.oba"_s);
        pane = std::make_unique<editor::EventSheetPane>(doc);
        pane->setDialogs(std::make_unique<FakeSheetDialogs>(answers));
        pane->setDoubleClickWait(0);
        // Each menu answers with the item at `choose`, and remembers what it offered.
        pane->setMenuRunner([this](QMenu* menu, const QPoint&) -> QAction* {
            QAction* chosen = item(menu, choose);
            shownEnabled = chosen && chosen->isEnabled();
            offered = menu;
            return shownEnabled ? chosen : nullptr; // a disabled item cannot be chosen
        });
        pane->resize(1000, 600);
        pane->show();
        pane->start();
        pane->start1();
        pane->repaint();
    }

    const model::StageData& s() const { return doc.project().current(); }
    int visibleRows() const
    {
        int n = 0;
        for (int r = 1; r <= model::kMaxEventRows; ++r)
            n += pane->RowButtons[size_t(r)]->isVisible() ? 1 : 0;
        return n;
    }
    void addRow(const QString& caption)
    {
        answers.conditions << events::Condition{caption, u"(obtime>0)"_s, {}, 0};
        choose = {u"новая строка"_s};
        pane->bAllEvents->click();
    }
    void pressCell(int row, int column)
    {
        QTest::mousePress(pane->Image1, Qt::LeftButton, {},
                          QPoint(events::columnLeft(column) + 10, events::rowTop(row) + 10));
    }

    test::TempAppFolder tmp;
    document::ProjectDocument doc;
    Answers answers;
    std::unique_ptr<editor::EventSheetPane> pane;
    QStringList choose;
    bool shownEnabled = false;
    QMenu* offered = nullptr;
};

} // namespace

// The empty row under the last is where a new author clicks for a new event:
// it says so and opens the chooser; the row below it and the rows above do not.
TEST_F(EventsPane, AClickUnderTheLastRowOpensTheChooser)
{
    test::ErrorCapture errors;
    EXPECT_TRUE(pane->RowLabels[1]->isVisible());
    EXPECT_FALSE(pane->RowLabels[1]->text().isEmpty()) << "the empty sheet points to its first row";
    answers.conditions << events::Condition{u"Всегда"_s, u"(obtime>0)"_s, {}, 0};
    pressCell(1, 0);
    EXPECT_EQ(answers.modes, QStringList{QString()}) << "the chooser opened for a new row";
    EXPECT_EQ(s().EventCurRow, 1);
    EXPECT_EQ(pane->RowLabels[1]->text(), u"Всегда"_s);
    EXPECT_TRUE(pane->RowLabels[2]->isVisible());

    // Two rows below the last, nothing opens; a closed chooser adds nothing.
    pressCell(3, 5);
    EXPECT_EQ(answers.modes.size(), 1);
    pressCell(2, 12);
    EXPECT_EQ(answers.modes.size(), 2);
    EXPECT_EQ(s().EventCurRow, 1);
    EXPECT_TRUE(errors.messages.isEmpty()) << errors.messages.join(u'\n').toStdString();
}

TEST_F(EventsPane, RowsAreAddedThroughTheMenuAndShownPerStage)
{
    test::ErrorCapture errors;
    EXPECT_EQ(pane->Image1->accessibleName(), u"Лист событий"_s);
    // A closed chooser adds no row.
    choose = {u"новая строка"_s};
    pane->bAllEvents->click();
    EXPECT_EQ(s().EventCurRow, 0);
    EXPECT_EQ(visibleRows(), 0);

    for (int r = 1; r <= 15; ++r)
        addRow(u"Всегда %1"_s.arg(r));
    EXPECT_EQ(visibleRows(), 15);
    EXPECT_EQ(pane->RowLabels[15]->text(), u"Всегда 15"_s);

    answers.titles << u"Враги"_s;
    choose = {u"Группа событий"_s};
    pane->bAllEvents->click();
    EXPECT_EQ(pane->RowButtons[16]->text(), u"Враги"_s);
    EXPECT_GT(pane->RowButtons[16]->width(), events::kSheetWidth / 2);
    choose = {u"комментарий"_s}; // cancelled: nothing added
    pane->bAllEvents->click();
    EXPECT_EQ(s().EventCurRow, 16);

    doc.addLevel();
    doc.selectLevel(2);
    for (int r = 1; r <= 3; ++r)
        addRow(u"Начало %1"_s.arg(r));
    EXPECT_EQ(visibleRows(), 3);
    doc.selectLevel(1);
    EXPECT_EQ(visibleRows(), 16);
    EXPECT_TRUE(errors.messages.isEmpty()) << errors.messages.join(u'\n').toStdString();
}

TEST_F(EventsPane, CellPressesPlaceAndDeleteActionsThroughTheColumnMenus)
{
    test::ErrorCapture errors;
    addRow(u"Всегда"_s);
    addRow(u"Конец игры"_s);

    choose = {u"следующий уровень"_s};
    pressCell(2, 3);
    EXPECT_EQ(s().EventRow[2].ActionCode[3], u"{nextStage();}"_s);
    EXPECT_EQ(pane->HintLabel->text(), u"уровень+1"_s);

    // A value dialog closed without "Да" places nothing.
    choose = {u"число жизней"_s, u"установить"_s};
    pressCell(1, 6);
    EXPECT_TRUE(s().EventRow[1].ActionText[6].isEmpty());
    answers.values << std::pair{u"часы"_s, u"obtime_hour"_s};
    pressCell(1, 6);
    EXPECT_EQ(s().EventRow[1].ActionCode[6], u"{life=obtime_hour;}"_s);

    // The object column of group 1 acts on group 1; the stage has no group 2,
    // so its column places nothing and says why.
    choose = {u"видимость"_s, u"видимый"_s};
    pressCell(1, 8);
    EXPECT_EQ(s().EventRow[1].ActionCode[8], u"{vis_obj[gr_obj[1][kr1]]=true;}"_s);
    EXPECT_EQ(s().EventRow[1].ActionObjects[8][1], u"1"_s);
    pressCell(1, 9);
    EXPECT_TRUE(s().EventRow[1].ActionText[9].isEmpty());
    ASSERT_EQ(errors.messages.size(), 1);
    EXPECT_TRUE(errors.messages.takeFirst().startsWith(u"На этапе нет объекта 2"_s));

    // Deleting is offered only where an action is.
    choose = {u"удалить действие"_s};
    pressCell(1, 4);
    EXPECT_FALSE(shownEnabled);
    pressCell(2, 3);
    EXPECT_TRUE(s().EventRow[2].ActionText[3].isEmpty());

    // The condition part offers "Добавить условие" for that row.
    answers.conditions << events::Condition{u"Любая клавиша"_s, u"(anykey==true)"_s, {}, 0};
    choose = {u"Добавить условие"_s};
    QTest::mousePress(pane->Image1, Qt::LeftButton, {}, QPoint(120, events::rowTop(2) + 5));
    EXPECT_EQ(answers.modes.last(), u"dob"_s);
    EXPECT_EQ(s().EventRow[2].CondText, u"Конец игры и Любая клавиша"_s);

    // Column 18, headed by group 11, offers the object actions; a press two rows below the last opens nothing.
    EXPECT_TRUE(errors.messages.isEmpty()) << errors.messages.join(u'\n').toStdString();
    choose = {u"видимость"_s, u"видимый"_s};
    pressCell(1, 18);
    EXPECT_TRUE(shownEnabled);
    // The stage has no group 11: the action is refused, naming it.
    ASSERT_EQ(errors.messages.size(), 1);
    EXPECT_TRUE(errors.messages[0].contains(u"11"_s)) << errors.messages[0].toStdString();
    errors.messages.clear();
    offered = nullptr;
    pressCell(4, 5);
    EXPECT_EQ(offered, nullptr);
    EXPECT_TRUE(errors.messages.isEmpty()) << errors.messages.join(u'\n').toStdString();
}

TEST_F(EventsPane, ADoubleClickOrChangeOpensTheDialogOnItsValuesAndReplacesAsOneStep)
{
    test::ErrorCapture errors;
    answers.conditions << catalogue::build(
        *catalogue::findItem(catalogue::Side::Condition, u"7:Таймер равен значению..."_s),
        {{u"A"_s, u"0/10/0"_s}, {u"T"_s, u"10000"_s}});
    choose = {u"новая строка"_s};
    pane->bAllEvents->click();
    addRow(u"Всегда"_s); // made without a record
    answers.values << std::pair{u"3"_s, u"3"_s};
    choose = {u"число жизней"_s, u"установить"_s};
    pressCell(1, 6);
    choose = {u"ничего"_s}; // menus opened by the presses choose nothing
    const model::StageData placed = s();
    const int steps = doc.undoStack().count();
    const QPoint condition(120, events::rowTop(1) + 10);
    const QPoint lives(events::columnLeft(6) + 10, events::rowTop(1) + 10);

    // "Отмена" changes nothing.
    QTest::mouseDClick(pane->Image1, Qt::LeftButton, {}, condition);
    EXPECT_EQ(answers.openedOn, QStringList{u"0/10/0"_s});
    EXPECT_TRUE(s() == placed);
    EXPECT_EQ(doc.undoStack().count(), steps);

    answers.conditionEdits << catalogue::Values{{u"A"_s, u"0/20/0"_s}, {u"T"_s, u"20000"_s}};
    QTest::mouseDClick(pane->Image1, Qt::LeftButton, {}, condition);
    EXPECT_EQ(s().EventRow[1].CondText, u"Таймер равен 0/20/0"_s);
    EXPECT_EQ(s().EventRow[1].CondCode, u"((obtime>=20000)&(obtime<20000+10))"_s);
    EXPECT_EQ(pane->RowLabels[1]->text(), u"Таймер равен 0/20/0"_s);
    EXPECT_EQ(pane->HintLabel->text(), u"Таймер равен 0/20/0"_s) << "the hint follows the edit";

    answers.actionEdits << catalogue::Values{{u"V"_s, u"5"_s}, {u"VC"_s, u"5"_s}};
    choose = {u"изменить…"_s};
    pressCell(1, 6);
    EXPECT_EQ(answers.openedOn.last(), u"3"_s);
    EXPECT_EQ(s().EventRow[1].ActionCode[6], u"{life=5;}"_s);
    EXPECT_EQ(doc.undoStack().count(), steps + 2);
    doc.undoStack().undo();
    doc.undoStack().undo();
    EXPECT_TRUE(s() == placed);

    // A row made without a record offers "изменить…" disabled, saying why; a double-click opens nothing.
    // The menus are gone once answered: what their "изменить…" offered is kept.
    int menus = 0;
    bool editEnabled = false;
    QString editTip;
    pane->setMenuRunner([&](QMenu* menu, const QPoint&) -> QAction* {
        ++menus;
        QAction* edit = item(menu, {u"изменить…"_s});
        editEnabled = edit && edit->isEnabled();
        editTip = edit ? edit->toolTip() : QString();
        return nullptr;
    });
    QTest::mousePress(pane->Image1, Qt::LeftButton, {}, QPoint(120, events::rowTop(2) + 10));
    EXPECT_EQ(menus, 1);
    EXPECT_FALSE(editEnabled);
    EXPECT_TRUE(editTip.contains(u"удалите и поставьте заново"_s));
    QTest::mousePress(pane->Image1, Qt::LeftButton, {}, condition);
    EXPECT_TRUE(editEnabled);
    errors.messages.clear();
    const int opened = int(answers.openedOn.size());
    QTest::mouseDClick(pane->Image1, Qt::LeftButton, {}, QPoint(120, events::rowTop(2) + 10));
    EXPECT_EQ(answers.openedOn.size(), opened);
    EXPECT_EQ(errors.messages.size(), 1);

    // With a wait, a press on a filled cell opens its menu only when no second press follows.
    pane->setDoubleClickWait(50);
    const int before = menus;
    QTest::mousePress(pane->Image1, Qt::LeftButton, {}, condition);
    EXPECT_EQ(menus, before);
    QTRY_COMPARE(menus, before + 1);
}

TEST_F(EventsPane, RowButtonMenuMovesCopiesAndDeletesRows)
{
    test::ErrorCapture errors;
    addRow(u"первая"_s);
    addRow(u"вторая"_s);

    choose = {u"вверх"_s};
    pane->RowButtons[1]->click();
    EXPECT_FALSE(shownEnabled);
    choose = {u"вниз"_s};
    pane->RowButtons[1]->click();
    EXPECT_EQ(pane->RowLabels[1]->text(), u"вторая"_s);
    choose = {u"копировать"_s};
    pane->RowButtons[2]->click();
    choose = {u"вставить"_s};
    pane->RowButtons[1]->click();
    EXPECT_EQ(pane->RowLabels[2]->text(), u"первая"_s);
    EXPECT_EQ(s().EventCurRow, 3);
    choose = {u"удалить строку"_s};
    pane->RowButtons[1]->click();
    EXPECT_EQ(visibleRows(), 2);
    EXPECT_EQ(pane->RowLabels[1]->text(), u"первая"_s);

    doc.undoStack().undo();
    EXPECT_EQ(visibleRows(), 3);
    EXPECT_EQ(pane->RowLabels[1]->text(), u"вторая"_s);

    answers.conditions << events::Condition{u"Всегда"_s, u"(obtime>0)"_s, {}, 0};
    choose = {u"заменить условие"_s};
    pane->RowButtons[3]->click();
    EXPECT_EQ(answers.modes.last(), u"izm"_s);
    EXPECT_EQ(pane->RowLabels[3]->text(), u"Всегда"_s);
    EXPECT_TRUE(errors.messages.isEmpty()) << errors.messages.join(u'\n').toStdString();
}
