#include "ErrorCapture.h"
#include "MenuItem.h"

#include "document/ProjectDocument.h"
#include "editor/events/SheetDialogs.h"
#include "editor/events/SheetImage.h"
#include "editor/events/TFrEventsEditor.h"
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
    QList<std::pair<QString, QString>> values;
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
    std::optional<std::pair<QString, QString>> askValue(QWidget*) override { return next(m_answers.values); }
    std::optional<int> askTarget(QWidget*) override { return std::nullopt; }

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
        pane = std::make_unique<editor::TFrEventsEditor>(doc);
        pane->setDialogs(std::make_unique<FakeSheetDialogs>(answers));
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
    std::unique_ptr<editor::TFrEventsEditor> pane;
    QStringList choose;
    bool shownEnabled = false;
    QMenu* offered = nullptr;
};

} // namespace

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
    EXPECT_EQ(s().EventRow[2].ActionCode[3], u"{etap=etap+1;}"_s);
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

    // Disabled items stay disabled; deleting is offered only where an action is.
    choose = {u"создать объект"_s};
    pressCell(1, 4);
    EXPECT_FALSE(shownEnabled);
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

    // Columns past 16 and presses below the rows open nothing.
    offered = nullptr;
    pressCell(1, 18);
    pressCell(3, 5);
    EXPECT_EQ(offered, nullptr);
    EXPECT_TRUE(errors.messages.isEmpty()) << errors.messages.join(u'\n').toStdString();
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
