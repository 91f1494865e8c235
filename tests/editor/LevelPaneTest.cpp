#include "ErrorCapture.h"

#include "editor/level/ObjectListPanel.h"
#include "editor/level/PositionImage.h"
#include "editor/level/LevelMapPane.h"
#include "editor/level/MovementTypeDialog.h"
#include "editor/level/ObstacleDialog.h"
#include "editor/level/PathDialog.h"
#include "document/ProjectDocument.h"
#include "io/Png.h"
#include "level/LevelView.h"
#include "model/Project.h"
#include "support/TempAppFolder.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QInputDialog>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QDoubleSpinBox>
#include <QTimer>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <functional>

using namespace kestrava;
using namespace Qt::Literals::StringLiterals;

namespace {

class LevelPane : public ::testing::Test {
protected:
    LevelPane() : doc(tmp.app()), project(doc.edit())
    {
        project.ProjectDir = tmp.makeDir(u"proj"_s);
        QDir().mkpath(project.projectPath(u"objects"_s));
        model::StageData& s = project.current();

        const int g = project.addFonGroup(1);
        model::FonGroupData& group = s.FonGroup[size_t(g)];
        group.BmpName = u"back.bmp"_s;
        group.PictureName = u"back.png"_s;
        group.TileWidth = 16;
        group.TileHeight = 16;
        group.setMapSize(2, 2);
        for (int r = 1; r <= 2; ++r)
            for (int c = 1; c <= 2; ++c)
                group.setCell(r, c, 1);
        QImage sheet(32, 32, QImage::Format_RGB32);
        sheet.fill(qRgb(0, 120, 0));
        io::writePng(sheet, tmp.app().objectFile(u"back.png"_s));
        writeBmp(u"back.bmp"_s, qRgb(5, 5, 5));

        const int a = project.addActiveGroup(1);
        s.ActiveGroup[size_t(a)].BmpName = u"hero.bmp"_s;
        writeBmp(u"hero.bmp"_s, qRgb(200, 0, 0));

        pane = std::make_unique<editor::LevelMapPane>(doc);
        pane->resize(1100, 760);
        pane->show();
        pane->start();
        list = pane->findChild<editor::ObjectListPanel*>(u"pnObjectsList"_s);
        map = pane->findChild<editor::PositionImage*>(u"ImPositionObjects"_s);
    }

    void writeBmp(const QString& name, QRgb colour)
    {
        QImage image(20, 20, QImage::Format_RGB32);
        image.fill(colour);
        io::writeBmp(image, project.projectPath(u"objects/"_s + name));
    }

    static void move(QWidget* w, QPoint pos)
    {
        QMouseEvent event(QEvent::MouseMove, pos, w->mapToGlobal(pos), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(w, &event);
    }

    // Picks list slot p with the mouse, then clicks the map at pos and,
    // unless told to keep the icon for more, drops it (Esc).
    void place(int p, QPoint pos, bool keepPicked = false)
    {
        const QPoint onIcon(20, 50 * (p - 1) + 20);
        move(list, onIcon);
        QTest::mouseClick(list, Qt::LeftButton, {}, onIcon);
        move(map, pos);
        QTest::mouseClick(map, Qt::LeftButton, {}, pos);
        move(map, pos + QPoint(1, 0));
        if (!keepPicked)
            pane->findChild<QAction*>(u"DropPicked"_s)->trigger();
    }

    model::StageData& s() { return project.current(); }
    level::LevelTool& tool() { return pane->view().tool(); }

    test::TempAppFolder tmp;
    document::ProjectDocument doc;
    model::Project& project;
    std::unique_ptr<editor::LevelMapPane> pane;
    editor::ObjectListPanel* list = nullptr;
    editor::PositionImage* map = nullptr;
    test::ErrorCapture errors;
    QStringList& messages = errors.messages;
};

} // namespace

TEST_F(LevelPane, AnIconReleasedAndAClickOnTheMapPlaceAnObject)
{
    ASSERT_TRUE(list && map);
    EXPECT_TRUE(list->findChild<QLabel*>(u"icon1"_s));
    EXPECT_TRUE(list->findChild<QLabel*>(u"icon2"_s));
    place(1, QPoint(120, 45), true);
    ASSERT_EQ(s().FonObjCount, 1);
    EXPECT_EQ(s().FonObject[1].X, 120);
    EXPECT_EQ(s().FonObject[1].Y, 45);
    EXPECT_EQ(s().FonObject[1].Ref, u"1"_s);
    // The icon stays for another click, until Esc.
    ASSERT_TRUE(tool().picked());
    move(map, QPoint(300, 45));
    QTest::mouseClick(map, Qt::LeftButton, {}, QPoint(300, 45));
    ASSERT_EQ(s().FonObjCount, 2);
    EXPECT_EQ(s().FonObject[2].X, 300);
    pane->findChild<QAction*>(u"DropPicked"_s)->trigger(); // Esc
    EXPECT_FALSE(tool().picked());
    move(map, QPoint(121, 45));
    EXPECT_EQ(pane->findChild<QLabel*>(u"Label1"_s)->text(), u"121x45"_s);
    EXPECT_EQ(pane->levelPicture().pixel(130, 50), qRgb(0, 120, 0));

    // A release far from the icons picks nothing; a click then places nothing.
    move(list, QPoint(60, 300));
    QTest::mouseClick(list, Qt::LeftButton, {}, QPoint(60, 300));
    move(map, QPoint(400, 400));
    QTest::mouseClick(map, Qt::LeftButton, {}, QPoint(400, 400));
    EXPECT_EQ(s().FonObjCount, 2);
    EXPECT_TRUE(messages.isEmpty()) << messages.join(u'\n').toStdString();
}

TEST_F(LevelPane, DraggingWithTheMouseMovesTheObject)
{
    place(2, QPoint(300, 300));
    ASSERT_EQ(s().ActiveObjCount, 1);
    move(map, QPoint(305, 305));
    QTest::mousePress(map, Qt::LeftButton, {}, QPoint(305, 305));
    QMouseEvent drag(QEvent::MouseMove, QPoint(307, 302), map->mapToGlobal(QPoint(307, 302)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(map, &drag);
    QTest::mouseRelease(map, Qt::LeftButton, {}, QPoint(307, 302));
    EXPECT_EQ(s().ActiveObject[1].X, 302);
    EXPECT_EQ(s().ActiveObject[1].Y, 297);
    // The release selects what lies under the press, where the object now is.
    EXPECT_EQ(tool().selectionFrame(), (level::SelectionRect{302, 322, 297, 317}));

    // Delete removes it; Ctrl+Z, through the document, brings it back.
    pane->DeleteSelected->trigger();
    EXPECT_FALSE(s().ActiveObject[1].Exists);
    EXPECT_EQ(pane->levelPicture().pixel(305, 300), qRgb(255, 255, 255));
    doc.undoStack().undo();
    EXPECT_TRUE(s().ActiveObject[1].Exists);
    EXPECT_EQ(pane->levelPicture().pixel(305, 300), qRgb(200, 0, 0));

    // Escape drops a picked icon: a click then places nothing.
    const QPoint onIcon(20, 20);
    move(list, onIcon);
    QTest::mouseClick(list, Qt::LeftButton, {}, onIcon);
    ASSERT_TRUE(tool().picked());
    pane->DropPicked->trigger();
    EXPECT_FALSE(tool().picked());
    move(map, QPoint(700, 700));
    QTest::mouseClick(map, Qt::LeftButton, {}, QPoint(700, 700));
    EXPECT_EQ(s().FonObjCount, 0);
}

TEST_F(LevelPane, ContextMenuDeleteClearsExistsAndEmptyMapShowsNoMenu)
{
    place(2, QPoint(300, 300));
    place(1, QPoint(600, 600));
    QMenu* shown = nullptr;
    QStringList texts;
    pane->setMenuRunner([&](QMenu* menu, const QPoint&) -> QAction* {
        shown = menu;
        texts.clear();
        for (QAction* a : menu->actions())
            texts << (a->isSeparator() ? u"-"_s : a->text());
        QAction* remove = menu->actions().last();
        EXPECT_TRUE(remove->isEnabled());
        remove->trigger();
        return remove;
    });

    QTest::mouseClick(map, Qt::RightButton, {}, QPoint(800, 100));
    EXPECT_EQ(shown, nullptr);

    QTest::mouseClick(map, Qt::RightButton, {}, QPoint(305, 305));
    EXPECT_EQ(shown, pane->PopupMenu3);
    EXPECT_EQ(texts, (QStringList{u"свойства"_s, u"-"_s, u"удалить"_s}));
    EXPECT_FALSE(s().ActiveObject[1].Exists);
    EXPECT_EQ(s().ActiveObjCount, 1);
    EXPECT_EQ(pane->levelPicture().pixel(305, 305), qRgb(255, 255, 255));

    shown = nullptr;
    QTest::mouseClick(map, Qt::RightButton, {}, QPoint(610, 610));
    EXPECT_EQ(shown, pane->PopupMenu2);
    EXPECT_FALSE(s().FonObject[1].Exists);
    EXPECT_EQ(pane->levelPicture().pixel(610, 610), qRgb(255, 255, 255));
}

TEST_F(LevelPane, TheMovementDialogShowsTheTypeAndOnlyAChoiceChangesIt)
{
    place(2, QPoint(300, 300));
    s().ActiveType[1] = model::MovementType::Static; // a ghost standing still
    pane->setMenuRunner([&](QMenu* menu, const QPoint&) -> QAction* {
        menu->actions().first()->trigger(); // "свойства"
        return menu->actions().first();
    });
    const int steps = doc.undoStack().count();

    // "Отмена", then the window frame: nothing changes, not even through a selection.
    for (bool byFrame : {false, true}) {
        QTimer::singleShot(0, [byFrame] {
            auto* dialog = qobject_cast<editor::MovementTypeDialog*>(QApplication::activeModalWidget());
            ASSERT_TRUE(dialog);
            EXPECT_EQ(dialog->windowTitle(), u"Выбор типа движения"_s);
            EXPECT_TRUE(dialog->ButtonStatic->isChecked());
            EXPECT_FALSE(dialog->Button8->isChecked());
            EXPECT_EQ(dialog->LabelCurrent->text(), u"Сейчас: «Статический»"_s);
            if (byFrame)
                dialog->close();
            else
                dialog->ButtonCancel->click();
        });
        QTest::mouseClick(map, Qt::RightButton, {}, QPoint(305, 305));
        EXPECT_EQ(s().ActiveType[1], model::MovementType::Static) << byFrame;
        EXPECT_EQ(doc.undoStack().count(), steps) << byFrame;
    }
    QTest::mouseClick(map, Qt::LeftButton, {}, QPoint(305, 305));
    EXPECT_EQ(s().ActiveType[1], model::MovementType::Static);

    // "Запланированное": the type, and the modeless path dialog for this object.
    const auto openPlan = [&] {
        QTimer::singleShot(0, [] {
            auto* dialog = qobject_cast<editor::MovementTypeDialog*>(QApplication::activeModalWidget());
            ASSERT_TRUE(dialog);
            dialog->ButtonPlanned->click();
        });
        QTest::mouseClick(map, Qt::RightButton, {}, QPoint(305, 305));
        editor::PathDialog* shown = nullptr;
        for (editor::PathDialog* plan : pane->findChildren<editor::PathDialog*>())
            if (plan->isVisible())
                shown = plan;
        return shown;
    };
    editor::PathDialog* plan = openPlan();
    EXPECT_EQ(s().ActiveType[1], model::MovementType::Planned);
    EXPECT_EQ(s().ActiveGroup[1].Caption, QString());
    EXPECT_EQ(doc.undoStack().undoText(), u"тип движения"_s);
    ASSERT_TRUE(plan);
    EXPECT_FALSE(plan->isModal());
    EXPECT_EQ(plan->LabelHint->text(), u"Щёлкайте по карте, чтобы добавить точки пути; Esc — закончить"_s);
    // As the hint says, clicks on the map add points at once.
    EXPECT_EQ(tool().pathMode(), level::PathMode::Drawing);
    for (QPoint p : {QPoint(10, 10), QPoint(50, 10), QPoint(50, 60)})
        QTest::mouseClick(map, Qt::LeftButton, {}, p);
    EXPECT_EQ(s().ActiveObject[1].PathCount, 3);
    EXPECT_EQ(pane->levelPicture().pixel(9, 9), level::MapRenderer::kPathPointColour);
    // A right click opens the menus as ever and adds no point.
    pane->setMenuRunner([](QMenu*, const QPoint&) -> QAction* { return nullptr; });
    QTest::mouseClick(map, Qt::RightButton, {}, QPoint(305, 305));
    EXPECT_EQ(s().ActiveObject[1].PathCount, 3);
    plan->ButtonDelete->click();
    EXPECT_EQ(s().ActiveObject[1].PathCount, 2);
    EXPECT_EQ(pane->levelPicture().pixel(49, 59), qRgb(255, 255, 255)) << "the dropped point is gone";
    plan->ButtonYes->click();
    EXPECT_EQ(tool().pathMode(), level::PathMode::Off);
    EXPECT_EQ(s().ActiveGroup[1].Caption, QString());
    QTest::mouseClick(map, Qt::LeftButton, {}, QPoint(600, 600));
    EXPECT_EQ(s().ActiveObject[1].PathCount, 2);

    // The path stays on the map while its sprite is selected, and only then.
    QTest::mouseClick(map, Qt::LeftButton, {}, QPoint(305, 305));
    EXPECT_EQ(pane->levelPicture().pixel(9, 9), level::MapRenderer::kPathPointColour);
    QTest::mouseClick(map, Qt::LeftButton, {}, QPoint(700, 700));
    EXPECT_EQ(pane->levelPicture().pixel(9, 9), qRgb(255, 255, 255));

    // "Нет", the window frame and Escape each end drawing, keeping the points.
    pane->setMenuRunner([&](QMenu* menu, const QPoint&) -> QAction* {
        menu->actions().first()->trigger();
        return menu->actions().first();
    });
    const std::function<void(editor::PathDialog*)> endings[] = {
        [](editor::PathDialog* p) { p->ButtonNo->click(); },
        [](editor::PathDialog* p) { p->close(); },
        [&](editor::PathDialog*) { pane->DropPicked->trigger(); },
    };
    for (const auto& end : endings) {
        plan = openPlan();
        ASSERT_TRUE(plan);
        EXPECT_EQ(tool().pathMode(), level::PathMode::Drawing);
        end(plan);
        EXPECT_EQ(tool().pathMode(), level::PathMode::Off);
        if (plan->isVisible())
            plan->close(); // Escape leaves the dialog for "Да"
        QTest::mouseClick(map, Qt::LeftButton, {}, QPoint(650, 650));
        EXPECT_EQ(s().ActiveObject[1].PathCount, 2);
    }
}

TEST_F(LevelPane, APlatformerGetsItsSpeedsAndTheMapNamesItsType)
{
    place(2, QPoint(300, 300));
    pane->setMenuRunner([&](QMenu* menu, const QPoint&) -> QAction* {
        menu->actions().first()->trigger(); // "свойства"
        return menu->actions().first();
    });
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<editor::MovementTypeDialog*>(QApplication::activeModalWidget());
        ASSERT_TRUE(dialog);
        EXPECT_EQ(dialog->EditSpeed->text(), u"как у игры"_s);
        dialog->EditSpeed->setValue(3);
        dialog->EditAccel->setValue(0.5);
        dialog->EditMaxFall->setValue(0); // the least fall speed is a hundredth of a pixel
        dialog->ButtonPlatform->click();
    });
    QTest::mouseClick(map, Qt::RightButton, {}, QPoint(305, 305));
    EXPECT_EQ(s().ActiveType[1], model::MovementType::Platform);
    EXPECT_EQ(s().Motion[1], (model::MotionData{300, 50, 0, 50, 1, 600}));
    move(map, QPoint(306, 306));
    EXPECT_TRUE(map->toolTip().endsWith(u", движение «Платформер»"_s)) << map->toolTip().toStdString();

    // "Отмена" keeps the speeds however the boxes were turned.
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<editor::MovementTypeDialog*>(QApplication::activeModalWidget());
        ASSERT_TRUE(dialog);
        EXPECT_TRUE(dialog->ButtonPlatform->isChecked());
        EXPECT_EQ(dialog->EditAccel->value(), 0.5);
        dialog->EditAccel->setValue(9);
        dialog->ButtonCancel->click();
    });
    QTest::mouseClick(map, Qt::RightButton, {}, QPoint(305, 305));
    EXPECT_EQ(s().Motion[1].Accel, 50);
    doc.undoStack().undo();
    EXPECT_EQ(s().Motion[1], model::MotionData{});
    EXPECT_EQ(s().ActiveType[1], model::MovementType::NotSet);
}

TEST_F(LevelPane, MissingPicturesAreShownOnceThroughTheSink)
{
    QFile::remove(tmp.app().objectFile(u"back.png"_s));
    place(1, QPoint(100, 100));
    for (int i = 0; i < 20; ++i)
        move(map, QPoint(200 + i, 200));
    ASSERT_EQ(messages.size(), 1) << messages.join(u'\n').toStdString();
    EXPECT_TRUE(messages[0].contains(u"back.png"_s));
}

TEST_F(LevelPane, PropertiesOfTheWallOpenOneDialogShowingItsGroupsValue)
{
    // A wall group (slot 3) laid over the grass ("back", slot 1).
    const int wall = project.addFonGroup(1);
    model::FonGroupData& w = s().FonGroup[size_t(wall)];
    w.BmpName = u"wall.bmp"_s;
    w.PictureName = u"back.png"_s;
    w.TileWidth = w.TileHeight = 16;
    w.setMapSize(1, 1);
    w.setCell(1, 1, 1);
    writeBmp(u"wall.bmp"_s, qRgb(90, 90, 90));
    pane->start1();
    place(1, QPoint(100, 100));
    place(3, QPoint(110, 110));
    pane->setMenuRunner([](QMenu* menu, const QPoint&) -> QAction* {
        menu->actions().first()->trigger(); // "свойства"
        return menu->actions().first();
    });

    // Every dialog that opens is answered and counted, so a second one would show.
    int opened = 0;
    std::function<void(editor::ObstacleDialog*)> answer;
    QTimer answering;
    answering.setInterval(0);
    QObject::connect(&answering, &QTimer::timeout, [&] {
        if (auto* dialog = qobject_cast<editor::ObstacleDialog*>(QApplication::activeModalWidget())) {
            ++opened;
            answer(dialog);
        }
    });
    const auto rightClick = [&](QPoint at) {
        opened = 0;
        answering.start();
        QTest::mouseClick(map, Qt::RightButton, {}, at);
        answering.stop();
    };

    answer = [&](editor::ObstacleDialog* dialog) {
        EXPECT_EQ(dialog->RadioObstacle->text(), u"является препятствием"_s);
        EXPECT_TRUE(dialog->RadioPassable->isChecked());
        // The wall is framed on the map while its dialog is open.
        EXPECT_EQ(tool().selectionFrame(), (level::SelectionRect{110, 126, 110, 126}));
        EXPECT_NE(pane->levelPicture().pixel(110, 118), qRgb(0, 120, 0));
        dialog->RadioObstacle->click();
        dialog->ButtonYes->click();
    };
    rightClick(QPoint(124, 124)); // near the wall's far corner, over the grass too
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(s().FonGroup[size_t(wall)].Obstacle, 1);
    EXPECT_EQ(s().FonGroup[1].Obstacle, 0);

    // Opened again, it shows the value now; its frame changes nothing.
    answer = [&](editor::ObstacleDialog* dialog) {
        EXPECT_TRUE(dialog->RadioObstacle->isChecked());
        dialog->close();
    };
    const int steps = doc.undoStack().count();
    rightClick(QPoint(112, 112));
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(doc.undoStack().count(), steps);

    // Beside the wall the grass is what lies under the click.
    answer = [&](editor::ObstacleDialog* dialog) {
        EXPECT_TRUE(dialog->RadioPassable->isChecked());
        EXPECT_EQ(tool().selectionFrame(), (level::SelectionRect{100, 132, 100, 132}));
        dialog->close();
    };
    rightClick(QPoint(102, 130));
    EXPECT_EQ(opened, 1);
}

TEST_F(LevelPane, AtFourHundredPercentToolsWorkInGamePixelsAndTheMenusAct)
{
    pane->setZoom(400);
    EXPECT_EQ(map->size(), QSize(4000, 4000));
    EXPECT_EQ(pane->findChild<QComboBox*>(u"ZoomBox"_s)->currentText(), u"400 %"_s);
    // View pixel 1603 is game pixel 400, 1600..1603 all of it.
    place(2, QPoint(1603, 404));
    ASSERT_EQ(s().ActiveObjCount, 1);
    EXPECT_EQ(s().ActiveObject[1].X, 400);
    EXPECT_EQ(s().ActiveObject[1].Y, 101);
    move(map, QPoint(1640, 440));
    EXPECT_EQ(pane->findChild<QLabel*>(u"Label1"_s)->text(), u"410x110"_s);
    EXPECT_EQ(pane->findChild<QLabel*>(u"HoverLabel"_s)->text(), u"активный объект 1 «hero.bmp»"_s);
    QTest::mouseClick(map, Qt::LeftButton, {}, QPoint(1640, 440));
    ASSERT_EQ(tool().selection(), (level::PlacedRef{level::ObjectKind::Active, 1}));

    // The arrows nudge the selection: 1 pixel, with Shift 8.
    auto* nudge = pane->findChild<QAction*>(u"NudgeRight8"_s);
    ASSERT_TRUE(nudge);
    EXPECT_EQ(nudge->shortcut(), QKeySequence(u"Shift+Right"_s));
    nudge->trigger();
    pane->findChild<QAction*>(u"NudgeUp"_s)->trigger();
    EXPECT_EQ(s().ActiveObject[1].X, 408);
    EXPECT_EQ(s().ActiveObject[1].Y, 100);

    // Ctrl + the wheel zooms about the pointer: the game pixel under it stays there.
    auto* area = pane->findChild<QScrollArea*>(u"frPos_Obj1"_s);
    area->horizontalScrollBar()->setValue(1200);
    area->verticalScrollBar()->setValue(200);
    const QPoint inViewport = map->mapTo(map->parentWidget(), QPoint(1640, 440));
    ASSERT_EQ(inViewport, QPoint(440, 240));
    QWheelEvent wheel(QPointF(1640, 440), map->mapToGlobal(QPointF(1640, 440)), {}, QPoint(0, -120), Qt::NoButton,
                      Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(map, &wheel);
    EXPECT_EQ(pane->zoom(), 300);
    const QPoint after = map->mapFrom(map->parentWidget(), inViewport);
    EXPECT_EQ(map->toMap(after), QPoint(410, 110)) << after.x() << "," << after.y();

    // Copy and paste through the menu: the copy a grid cell away.
    ASSERT_TRUE(pane->MapMenu && pane->ViewMenu);
    EXPECT_FALSE(pane->PasteObjects->isEnabled());
    pane->CopyObjects->trigger();
    EXPECT_TRUE(pane->PasteObjects->isEnabled());
    pane->PasteObjects->trigger();
    ASSERT_EQ(s().ActiveObjCount, 2);
    EXPECT_EQ(s().ActiveObject[2].X, 424);

    // The grid: a step of the project's history, shown over the map.
    pane->GridShown->trigger();
    EXPECT_TRUE(project.LevelGrid.Shown);
    doc.undoStack().undo();
    EXPECT_FALSE(project.LevelGrid.Shown);
    EXPECT_FALSE(pane->GridShown->isChecked());
    EXPECT_TRUE(messages.isEmpty()) << messages.join(u'\n').toStdString();
}

TEST_F(LevelPane, KeyboardZoomKeepsThePointersPointOrTheCentreAndShiftWheelScrollsAcross)
{
    auto* area = pane->findChild<QScrollArea*>(u"frPos_Obj1"_s);
    QWidget* viewport = area->viewport();
    ASSERT_TRUE(area && pane->ZoomIn && pane->ZoomOut);
    EXPECT_EQ(pane->focusWidget(), map) << "the map takes the keys without a click";
    const auto underViewport = [&](QPoint inViewport) { return map->toMap(map->mapFrom(viewport, inViewport)); };
    // Every step from 800 % down to 25 % and up again keeps the game pixel
    // under the pointer, unless the map's edge stops the scroll there (or
    // the map, smaller than the view, shows whole).
    const QPoint pointer(300, 200);
    pane->setZoom(800);
    area->horizontalScrollBar()->setValue(2000);
    area->verticalScrollBar()->setValue(1000);
    move(map, map->mapFrom(viewport, pointer));
    int kept = 0;
    const auto atAnEdge = [](const QScrollBar* bar) { return bar->value() == 0 || bar->value() == bar->maximum(); };
    for (QAction* step : {pane->ZoomOut, pane->ZoomIn}) {
        for (int k = 0; k < 12; ++k) {
            const int before = pane->zoom();
            const QPoint was = underViewport(pointer);
            step->trigger();
            if (pane->zoom() == before)
                break;
            const QPoint now = underViewport(pointer);
            if (!atAnEdge(area->horizontalScrollBar()))
                EXPECT_LE(std::abs(now.x() - was.x()), 1) << pane->zoom() << "%: " << now.x() << " was " << was.x();
            if (!atAnEdge(area->verticalScrollBar()))
                EXPECT_LE(std::abs(now.y() - was.y()), 1) << pane->zoom() << "%: " << now.y() << " was " << was.y();
            kept += !atAnEdge(area->horizontalScrollBar()) && !atAnEdge(area->verticalScrollBar());
        }
        EXPECT_EQ(pane->zoom(), step == pane->ZoomIn ? 800 : 25);
    }
    EXPECT_GE(kept, 8);
    // With the pointer off the map, the view's centre.
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(map, &leave);
    pane->setZoom(100);
    area->horizontalScrollBar()->setValue(200);
    area->verticalScrollBar()->setValue(150);
    const QPoint centre(viewport->width() / 2, viewport->height() / 2);
    const QPoint middle = underViewport(centre);
    while (pane->zoom() < 800) {
        pane->ZoomIn->trigger();
        EXPECT_LE((underViewport(centre) - middle).manhattanLength(), 2) << pane->zoom() << "%";
    }

    // Shift + the wheel scrolls sideways, not down.
    const int across = area->horizontalScrollBar()->value();
    const int down = area->verticalScrollBar()->value();
    QWheelEvent wheel(QPointF(50, 50), map->mapToGlobal(QPointF(50, 50)), {}, QPoint(0, -120), Qt::NoButton,
                      Qt::ShiftModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(map, &wheel);
    EXPECT_GT(area->horizontalScrollBar()->value(), across);
    EXPECT_EQ(area->verticalScrollBar()->value(), down);
}

// A group's "Наибольшее число объектов на экране" from its list icon: offered
// for active groups only, set through its dialog, one undo step.
TEST_F(LevelPane, TheMadeObjectsOfAnActiveGroupAreSetFromItsListIcon)
{
    s().ActiveGroup[1].FileName = u"hero.oba"_s; // the list's menu acts on groups with an object file
    QAction* shown = nullptr;
    pane->setMenuRunner([&](QMenu* menu, const QPoint&) -> QAction* {
        shown = pane->N_MadeObjects->isVisible() ? pane->N_MadeObjects : nullptr;
        if (shown)
            shown->trigger();
        return shown;
    });
    const auto rightClickIcon = [&](int slot) {
        const QPoint onIcon(20, 50 * (slot - 1) + 20);
        move(list, onIcon);
        QTest::mouseClick(list, Qt::RightButton, {}, onIcon);
    };
    rightClickIcon(1); // the background
    EXPECT_EQ(shown, nullptr);

    const int steps = doc.undoStack().count();
    for (int answer : {0, 25}) {
        QTimer::singleShot(0, [answer] {
            auto* dialog = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
            ASSERT_TRUE(dialog);
            EXPECT_EQ(dialog->intValue(), model::kDefaultMadeObjects);
            EXPECT_EQ(dialog->intMaximum(), model::kMaxMadeObjects);
            if (answer == 0) {
                dialog->reject();
                return;
            }
            dialog->setIntValue(answer);
            dialog->accept();
        });
        rightClickIcon(2);
        EXPECT_EQ(s().MadeObjects[1], answer);
    }
    EXPECT_EQ(doc.undoStack().count(), steps + 1);
    doc.undoStack().undo();
    EXPECT_EQ(s().MadeObjects[1], 0);
}
