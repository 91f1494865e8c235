// "Первая игра" followed as it reads, through the real windows: the menus by
// their captions, clicks on the object list and the map, the real modal
// dialogs answered as the author fills them. A step the windows no longer do
// as the tutorial says fails here before an author trips over it.
#include "ErrorCapture.h"
#include "FakeDialogs.h"
#include "MenuItem.h"

#include "catalogue/Item.h"
#include "editor/events/ConditionChooserDialog.h"
#include "editor/events/DetectionDialog.h"
#include "editor/events/EventSheetPane.h"
#include "editor/events/SheetImage.h"
#include "editor/events/TargetObjectDialog.h"
#include "editor/events/ValueDialog.h"
#include "editor/level/LevelMapPane.h"
#include "editor/level/MovementTypeDialog.h"
#include "editor/level/ObjectListPanel.h"
#include "editor/level/PositionImage.h"
#include "editor/workspace/BuildProgressDialog.h"
#include "editor/workspace/MainWindow.h"
#include "editor/workspace/ScenarioPane.h"
#include "events/SheetView.h"
#include "persist/ProjectFile.h"
#include "support/ObjectLibrary.h"
#include "support/TempAppFolder.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace kestrava;
using namespace Qt::Literals::StringLiterals;

namespace {

// The main menu's item at a path of captions ("Файл", "Новый").
QAction* mainMenu(editor::MainWindow& window, const QStringList& path)
{
    for (QAction* top : window.menuBar()->actions())
        if (top->text() == path.first() && top->menu())
            if (QAction* found = test::menuItem(top->menu(), path.mid(1)))
                return found;
    return nullptr;
}

void choose(editor::MainWindow& window, const QStringList& path)
{
    QAction* item = mainMenu(window, path);
    ASSERT_TRUE(item) << path.join(u" → "_s).toStdString();
    ASSERT_TRUE(item->isEnabled()) << path.join(u" → "_s).toStdString();
    item->trigger();
}

// A click as a mouse gives it: the pointer arrives, presses, lets go.
void click(QWidget* w, QPoint at)
{
    QTest::mouseMove(w, at);
    QTest::mousePress(w, Qt::LeftButton, {}, at);
    QTest::mouseRelease(w, Qt::LeftButton, {}, at);
}

// Runs `answer` on the modal dialog of type T once its exec() turns.
template <class T>
void whenOpened(std::function<void(T&)> answer)
{
    QTimer::singleShot(0, [answer] {
        auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
        ASSERT_TRUE(dialog) << "no " << T::staticMetaObject.className();
        answer(*dialog);
    });
}

// "Да", as the author presses it.
void pressYes(QDialog& dialog)
{
    for (QPushButton* b : dialog.findChildren<QPushButton*>())
        if (b->text() == u"Да"_s) {
            b->click();
            return;
        }
    ADD_FAILURE() << "no «Да» in " << dialog.windowTitle().toStdString();
    dialog.reject();
}

// In "Новое событие": the icon named `icon`, then the item at `path` of its menu.
void chooseCondition(const QString& icon, const QStringList& path, std::function<void()> beforeItem = {})
{
    whenOpened<editor::ConditionChooserDialog>([=](editor::ConditionChooserDialog& chooser) {
        QToolButton* button = nullptr;
        for (QToolButton* b : chooser.Image)
            if (b && b->accessibleName() == icon)
                button = b;
        ASSERT_TRUE(button) << icon.toStdString();
        QTest::mousePress(button, Qt::LeftButton, {}, QPoint(16, 16));
        ASSERT_TRUE(chooser.PopupMenu && chooser.PopupMenu->isVisible());
        QAction* item = test::menuItem(chooser.PopupMenu, path);
        ASSERT_TRUE(item && item->isEnabled()) << path.join(u'/').toStdString();
        if (beforeItem)
            beforeItem();
        item->trigger();
    });
}

} // namespace

TEST(Tutorial, TheFirstGameIsMadeThroughTheWindowsAsTheTutorialReads)
{
    test::TempAppFolder folder;
    test::writeSampleLibrary(folder.app());
    test::ErrorCapture errors;
    auto log = std::make_shared<test::FakeDialogs::Log>();
    editor::MainWindow window(folder.app());
    window.setDialogs(std::make_unique<test::FakeDialogs>(log));
    window.resize(1000, 640);
    window.show();

    // 1. "Файл" → "Новый", a name, "Создать": the scenario editor with the first stage.
    log->newProjects << editor::NewProjectAnswer{folder.app().project(), u"Первая игра"_s};
    choose(window, {u"Файл"_s, u"Новый"_s});
    ASSERT_TRUE(window.project().hasProjectDir());
    EXPECT_TRUE(window.FrScriptEditor1()->isVisible());
    EXPECT_EQ(window.project().LevelCount, 1);

    // 2. "Редакторы" → "Редактор уровня", "Объекты" → "Загрузить" three times.
    choose(window, {u"Редакторы"_s, u"Редактор уровня"_s});
    editor::LevelMapPane* level = window.FrLevelEditor1();
    ASSERT_TRUE(level->isVisible());
    auto* emptyHint = level->findChild<QLabel*>(u"lbEmptyList"_s);
    ASSERT_TRUE(emptyHint);
    EXPECT_TRUE(emptyHint->isVisible()) << "an empty stage points to «Загрузить»";
    for (const QString& name : {u"forest.obf"_s, u"hero.oba"_s, u"ghost.oba"_s}) {
        log->answers << folder.app().objectFile(name);
        choose(window, {u"Объекты"_s, u"Загрузить"_s});
    }
    auto* list = level->findChild<editor::ObjectListPanel*>(u"pnObjectsList"_s);
    auto* map = level->findChild<editor::PositionImage*>(u"ImPositionObjects"_s);
    ASSERT_TRUE(list && map);
    EXPECT_FALSE(emptyHint->isVisible());
    // The icon, then its place: the forest in the top-left corner, the hero on the path, the ghost further on.
    const QPoint places[] = {{5, 5}, {40, 90}, {200, 60}};
    for (int slot = 1; slot <= 3; ++slot) {
        click(list, QPoint(20, 50 * (slot - 1) + 20));
        click(map, places[slot - 1]);
    }
    // The icon stays picked: a second click places a second ghost, Esc drops the icon.
    click(map, QPoint(300, 60));
    QTest::keyClick(map, Qt::Key_Escape);
    click(map, QPoint(400, 60));
    const model::StageData& s = window.project().current();
    ASSERT_EQ(s.FonObjCount, 1);
    EXPECT_EQ((QPoint(s.FonObject[1].X, s.FonObject[1].Y)), QPoint(0, 0)) << "the corner takes the forest";
    ASSERT_EQ(s.ActiveObjCount, 3);
    EXPECT_EQ(s.ActiveObject[1].GroupValue, 1);
    EXPECT_EQ(s.ActiveObject[3].GroupValue, 2);
    window.document().undoStack().undo(); // the second ghost was a try

    // 3. A right click on the hero, "свойства", "8 направлений".
    level->setMenuRunner([](QMenu* menu, const QPoint&) {
        QAction* properties = test::menuItem(menu, {u"свойства"_s});
        EXPECT_TRUE(properties);
        if (properties)
            properties->trigger();
        return properties;
    });
    // (The pointer moves first: moving turns the event loop, which must not answer the dialog early.)
    const QPoint hero = places[1] + QPoint(4, 4);
    QTest::mouseMove(map, hero);
    whenOpened<editor::MovementTypeDialog>([](editor::MovementTypeDialog& d) { d.Button8->click(); });
    QTest::mousePress(map, Qt::RightButton, {}, hero);
    QTest::mouseRelease(map, Qt::RightButton, {}, hero);
    EXPECT_EQ(s.ActiveType[1], model::MovementType::EightWay);
    // The ghost keeps the type it came with: it stands still.
    EXPECT_TRUE(s.ActiveType[2] == model::MovementType::NotSet || s.ActiveType[2] == model::MovementType::Static);

    // 4. "Редакторы" → "Редактор событий".
    choose(window, {u"Редакторы"_s, u"Редактор событий"_s});
    editor::EventSheetPane* sheet = window.FrEventsEditor1();
    ASSERT_TRUE(sheet->isVisible());
    sheet->setDoubleClickWait(0);
    QStringList columnItem;
    sheet->setMenuRunner([&](QMenu* menu, const QPoint&) {
        QAction* item = test::menuItem(menu, columnItem);
        EXPECT_TRUE(item && item->isEnabled()) << columnItem.join(u'/').toStdString();
        return item && item->isEnabled() ? item : nullptr;
    });
    const auto pressCell = [&](int row, int column) {
        QTest::mousePress(sheet->Image1, Qt::LeftButton, {},
                          QPoint(events::columnLeft(column) + 10, events::rowTop(row) + 10));
    };
    // 4.1 The empty row under the header, "Уровень" → "Начало уровня".
    chooseCondition(u"Уровень"_s, {u"Начало уровня"_s});
    pressCell(1, 0);
    // 4.2 Column 6 → "число жизней" → "установить", 3.
    columnItem = {u"число жизней"_s, u"установить"_s};
    whenOpened<editor::ValueDialog>([](editor::ValueDialog& d) {
        d.Edit1->setText(u"3"_s);
        d.bYes->click();
    });
    pressCell(1, 6);
    // 4.3 A new row: "Объект 2" → "обнаружение объекта", at most 40, the object found 1.
    chooseCondition(u"Объект 2"_s, {u"обнаружение объекта"_s}, [] {
        whenOpened<editor::DetectionDialog>([](editor::DetectionDialog& d) {
            d.seMax->setValue(40);
            d.seNumber->setValue(1);
            pressYes(d);
        });
    });
    pressCell(2, 0);
    // 4.4 Column 9 → "режим" → "атака", the target object 1.
    columnItem = {u"режим"_s, u"атака"_s};
    whenOpened<editor::TargetObjectDialog>([](editor::TargetObjectDialog& d) {
        d.seNumber()->setValue(1);
        pressYes(d);
    });
    pressCell(2, 9);

    ASSERT_EQ(s.EventCurRow, 2);
    const model::EventRowData& first = s.EventRow[1];
    const model::EventRowData& second = s.EventRow[2];
    const catalogue::Built start = catalogue::buildCondition(3, u"Начало уровня"_s, {});
    EXPECT_EQ(first.CondText, start.caption);
    EXPECT_EQ(first.CondCode, start.code);
    const catalogue::Built lives = catalogue::buildAction(6, u"число жизней/установить"_s, u"3"_s, 0);
    EXPECT_EQ(first.ActionText[6], lives.caption);
    EXPECT_EQ(first.ActionCode[6], lives.code);
    const catalogue::Built sight = catalogue::buildCondition(
        9, u"обнаружение объекта"_s,
        {{u"N"_s, u"2"_s}, {u"B"_s, u"1"_s}, {u"MAX"_s, u"40"_s}, {u"A"_s, u"обнаружение от 0 до 40"_s}});
    EXPECT_EQ(second.CondText, sight.caption);
    EXPECT_EQ(second.CondCode, sight.code);
    const catalogue::Built attack = catalogue::buildAction(9, u"режим/атака"_s, QString(), 1);
    EXPECT_EQ(second.ActionText[9], attack.caption);
    EXPECT_EQ(second.ActionCode[9], attack.code);

    // 5. "Файл" → "Сохранить" (Ctrl+S): saved, and read back the same.
    EXPECT_EQ(mainMenu(window, {u"Файл"_s, u"Сохранить"_s})->shortcut(), QKeySequence(u"Ctrl+S"_s));
    choose(window, {u"Файл"_s, u"Сохранить"_s});
    EXPECT_FALSE(window.document().isModified());
    model::Project saved;
    persist::load(saved, folder.app(), window.document().fileName());
    EXPECT_EQ(saved.stage(1).EventRow[2], second);
    EXPECT_EQ(saved.stage(1).ActiveType[1], model::MovementType::EightWay);

    // "Запуск" → "Собрать игру": the game compiles, and the dialog stays on its report until it is closed.
    if (!QStandardPaths::findExecutable(u"ecj"_s).isEmpty()) {
        folder.addJava();
        QString report;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            auto* dialog = qobject_cast<editor::BuildProgressDialog*>(QApplication::activeModalWidget());
            if (dialog && dialog->report()) {
                report = dialog->report()->toPlainText();
                dialog->cancelButton()->click();
            }
        });
        poll.start(20);
        choose(window, {u"Запуск"_s, u"Собрать игру"_s});
        poll.stop();
        EXPECT_TRUE(report.contains(u"Архив игры"_s)) << report.toStdString();
        EXPECT_EQ(QDir(window.project().projectPath(u"bin"_s)).entryList({u"*.jar"_s}).size(), 1);
    }
    EXPECT_TRUE(errors.messages.isEmpty()) << errors.messages.join(u'\n').toStdString();
}
