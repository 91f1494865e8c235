#include "ErrorCapture.h"
#include "FakeDialogs.h"

#include "editor/common/Translations.h"
#include "editor/events/EventSheetPane.h"
#include "editor/level/LevelMapPane.h"
#include "editor/interface/ScreenSizeDialog.h"
#include "editor/interface/InterfaceEditorWindow.h"
#include "editor/interface/GamePropertiesDialog.h"
#include "editor/interface/TitleScreenDialog.h"
#include "editor/interface/VariablesDialog.h"
#include "editor/workspace/AboutBox.h"
#include "editor/workspace/ScenarioPane.h"
#include "editor/workspace/MainWindow.h"
#include "io/Png.h"
#include "level/LevelView.h"
#include "interface/InterfaceEditor.h"
#include "support/ObjectLibrary.h"
#include "support/TempAppFolder.h"

#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QStatusBar>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using namespace Qt::Literals::StringLiterals;
using kestrava::editor::MainWindow;

namespace {

class MainformTest : public ::testing::Test {
protected:
    std::shared_ptr<kestrava::test::FakeDialogs::Log> dialogs =
        std::make_shared<kestrava::test::FakeDialogs::Log>();
    void SetUp() override
    {
        window = std::make_unique<MainWindow>(folder.app());
        // Every file dialog is cancelled unless a test queues an answer.
        window->setDialogs(std::make_unique<kestrava::test::FakeDialogs>(dialogs));
        window->show();
    }

    QAction* action(const char* name) const
    {
        auto* found = window->findChild<QAction*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QMenu* menu(const char* name) const { return window->findChild<QMenu*>(QString::fromLatin1(name)); }

    // The one visible pane, by object name; empty when none or several are.
    QString visiblePane() const
    {
        QStringList shown;
        for (QWidget* pane : {static_cast<QWidget*>(window->FrScriptEditor1()),
                              static_cast<QWidget*>(window->FrLevelEditor1()),
                              static_cast<QWidget*>(window->FrEventsEditor1())})
            if (pane->isVisible())
                shown << pane->objectName();
        return shown.size() == 1 ? shown.first() : shown.join(u'+');
    }

    // The commands that need a project, in menu order.
    QList<QAction*> projectCommands() const
    {
        return {action("N_Save"),          action("N_SaveAs"),
                action("N_GameSettings"),  action("N_Variables"), action("N_TitleScreen"), action("N_InterfaceEditor"),
                menu("N_Objects")->menuAction(), menu("N_Editors")->menuAction(),
                menu("N_Run")->menuAction()};
    }

    kestrava::test::TempAppFolder folder;
    std::unique_ptr<MainWindow> window;
};

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QStringList captions(const QList<QAction*>& actions)
{
    QStringList result;
    for (const QAction* a : actions)
        result << (a->isSeparator() ? u"—"_s : a->text());
    return result;
}

TEST_F(MainformTest, MenuCaptionsAndStartState)
{
    EXPECT_EQ(captions(window->menuBar()->actions()),
              (QStringList{u"Файл"_s, u"Правка"_s, u"Карта"_s, u"Вид"_s, u"Объекты"_s, u"Редакторы"_s, u"Запуск"_s,
                           u"Справка"_s}));
    // The level pane's menus show only with the pane.
    EXPECT_FALSE(menu("N_Map")->menuAction()->isVisible());
    EXPECT_FALSE(menu("N_View")->menuAction()->isVisible());
    EXPECT_EQ(captions(menu("N_Edit")->actions()), (QStringList{u"Отменить"_s, u"Повторить"_s}));
    EXPECT_EQ(captions(menu("N_File")->actions()),
              (QStringList{u"Открыть"_s, u"Недавние проекты"_s, u"Новый"_s, u"Открыть пример"_s, u"—"_s, u"Сохранить"_s, u"Сохранить как ..."_s, u"—"_s,
                           u"Настройки игры"_s, u"Редактор интерфейса"_s, u"—"_s, u"Выход"_s}));
    EXPECT_EQ(captions(menu("N_Objects")->actions()), (QStringList{u"Создать"_s, u"Загрузить"_s, u"Звуки проекта…"_s}));
    EXPECT_EQ(captions(menu("N_Editors")->actions()),
              (QStringList{u"Редактор сценария"_s, u"Редактор уровня"_s, u"Редактор событий"_s}));
    EXPECT_EQ(captions(menu("N_Run")->actions()),
              (QStringList{u"Конвертировать"_s, u"Собрать игру"_s, u"Играть"_s, u"Уменьшить игру"_s}));
    EXPECT_TRUE(action("N_ShrinkGame")->isCheckable());
    EXPECT_FALSE(action("N_ShrinkGame")->isChecked());
    EXPECT_EQ(captions(menu("N_Help")->actions()), (QStringList{u"Руководство"_s, u"Об авторах"_s}));

    for (const char* name : {"N_Open", "N_New", "N_Exit", "N_About"})
        EXPECT_TRUE(action(name)->isEnabled()) << name;
    EXPECT_TRUE(menu("N_File")->menuAction()->isEnabled());
    EXPECT_TRUE(menu("N_Help")->menuAction()->isEnabled());
    for (QAction* a : projectCommands())
        EXPECT_FALSE(a->isEnabled()) << a->text().toStdString();
    EXPECT_FALSE(action("N_Undo")->isEnabled());
    EXPECT_FALSE(action("N_Redo")->isEnabled());

    EXPECT_EQ(window->windowTitle(), u"Kestrava - Редактор сценария"_s);
    EXPECT_TRUE(window->windowState() & Qt::WindowMaximized);
    EXPECT_EQ(window->locale().language(), QLocale::Russian);
    EXPECT_EQ(visiblePane(), QString()) << "no pane before a project exists";
    EXPECT_FALSE(window->project().hasProjectDir());
    EXPECT_EQ(window->project().CurLevel, 1);
}

TEST_F(MainformTest, NewAndOpenEnableTheMenusAndShowTheScenario)
{
    action("N_New")->trigger();
    for (QAction* a : projectCommands())
        EXPECT_TRUE(a->isEnabled()) << a->text().toStdString();
    EXPECT_EQ(visiblePane(), u"FrScriptEditor1"_s);

    // "Открыть" on a window that never had a project; cancelled, it enables nothing.
    auto second = std::make_unique<MainWindow>(folder.app());
    second->setDialogs(std::make_unique<kestrava::test::FakeDialogs>(dialogs));
    second->show();
    second->findChild<QAction*>(u"N_Open"_s)->trigger();
    EXPECT_FALSE(second->findChild<QAction*>(u"N_Save"_s)->isEnabled());
    dialogs->answers << window->document().fileName();
    second->findChild<QAction*>(u"N_Open"_s)->trigger();
    for (const char* name : {"N_Save", "N_SaveAs", "N_GameSettings"})
        EXPECT_TRUE(second->findChild<QAction*>(QString::fromLatin1(name))->isEnabled()) << name;
    for (const char* name : {"N_Objects", "N_Editors", "N_Run"})
        EXPECT_TRUE(second->findChild<QMenu*>(QString::fromLatin1(name))->menuAction()->isEnabled()) << name;
    EXPECT_TRUE(second->FrScriptEditor1()->isVisible());
    EXPECT_FALSE(second->FrLevelEditor1()->isVisible());
    EXPECT_FALSE(second->FrEventsEditor1()->isVisible());
}

TEST_F(MainformTest, SwitchingPanesSetsTitleAndShowsExactlyOne)
{
    kestrava::test::ErrorCapture errors;
    action("N_New")->trigger();

    action("N_LevelEditor")->trigger();
    EXPECT_EQ(window->windowTitle(), u"Kestrava - Редактор уровня - проект 1"_s);
    EXPECT_EQ(visiblePane(), u"FrLevelEditor1"_s);

    action("N_EventsEditor")->trigger();
    EXPECT_EQ(window->windowTitle(), u"Kestrava - Редактор событий - проект 1"_s);
    EXPECT_EQ(visiblePane(), u"FrEventsEditor1"_s);

    action("N_ScriptEditor")->trigger();
    EXPECT_EQ(window->windowTitle(), u"Kestrava - Редактор сценария - проект 1"_s);
    EXPECT_EQ(visiblePane(), u"FrScriptEditor1"_s);

    // "Новый" from another pane brings back the scenario with its title.
    action("N_LevelEditor")->trigger();
    action("N_New")->trigger();
    EXPECT_EQ(window->windowTitle(), u"Kestrava - Редактор сценария - проект 2"_s);
    EXPECT_EQ(visiblePane(), u"FrScriptEditor1"_s);
    EXPECT_TRUE(errors.messages.isEmpty()) << errors.messages.join(u'\n').toStdString();
}

TEST_F(MainformTest, ScenarioSwitchStoresTheStageThumbnail)
{
    kestrava::test::ErrorCapture errors;
    action("N_New")->trigger();
    const auto& project = window->project();
    auto* scenario = window->FrScriptEditor1();

    // An older picture of stage 2 is replaced.
    const QString stage2 = folder.app().objectFile(u"etap2.bmp"_s);
    QImage old(5, 5, QImage::Format_RGB32);
    old.fill(Qt::red);
    kestrava::io::writeBmp(old, stage2);

    scenario->N2Click();
    QTest::mouseClick(scenario->stageButton(2), Qt::LeftButton);
    ASSERT_EQ(project.CurLevel, 2);
    action("N_LevelEditor")->trigger();
    action("N_ScriptEditor")->trigger();

    const QImage stored = kestrava::io::readBmp(stage2);
    EXPECT_EQ(stored.size(), window->FrLevelEditor1()->levelPicture().size());
    EXPECT_FALSE(QFile::exists(folder.app().objectFile(u"etap1.bmp"_s)));
    const QSize cell(kestrava::editor::ScenarioPane::kPictureWidth, kestrava::editor::ScenarioPane::kPictureHeight);
    for (int level : {1, 2})
        EXPECT_EQ(scenario->stagePicture(level)->pixmap().size(), cell) << "every stage, filling its cell";
    EXPECT_EQ(project.CurLevel, 2);
    EXPECT_TRUE(errors.messages.isEmpty()) << errors.messages.join(u'\n').toStdString();

    // A new project does not show the old project's pictures.
    dialogs->saveAnswers << kestrava::editor::SaveChangesAnswer::Discard;
    action("N_New")->trigger();
    EXPECT_TRUE(scenario->stagePicture(2)->pixmap().isNull());
}

TEST_F(MainformTest, EveryStagesThumbnailIsDrawnWhenTheProjectOpensAndAfterEachEditOfItsMap)
{
    kestrava::test::ErrorCapture errors;
    kestrava::test::writeSampleLibrary(folder.app());
    const QString file = folder.makeDir(u"two"_s) + u"/project.prg"_s;
    auto& doc = window->document();
    doc.create(file);
    doc.addLevel();
    doc.selectLevel(2);
    doc.importObject(u"hero.oba"_s);
    kestrava::level::LevelView& view = window->FrLevelEditor1()->view();
    view.listPointerMoved(20, 20);
    view.listReleased();
    view.pointerMoved(300, 200);
    view.pressed(300, 200);
    view.released(true);
    ASSERT_EQ(doc.project().stage(2).ActiveObjCount, 1);
    doc.save();

    // Opened, with the level editor never shown: the sprite (48 x 24, red) shows at its own size.
    window->openProjectFile(file);
    auto* scenario = window->FrScriptEditor1();
    const auto redPixels = [&](int level) {
        const QImage picture = scenario->stagePicture(level)->pixmap().toImage();
        int red = 0;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                red += picture.pixel(x, y) == qRgb(200, 0, 0);
        return red;
    };
    EXPECT_EQ(redPixels(2), 48 * 24);
    EXPECT_EQ(redPixels(1), 0);
    EXPECT_FALSE(scenario->stagePicture(1)->pixmap().isNull());

    // Deleted while the scenario shows: the thumbnail follows; undone, it comes back.
    QTest::mouseClick(scenario->stageButton(2), Qt::LeftButton);
    ASSERT_TRUE(view.tool().contextMenuAt(310, 210) == kestrava::level::ContextMenu::Active);
    view.tool().deleteMenuObject();
    // Drawn once the event that changed the map is over.
    const auto settled = [&](int expected) {
        for (int i = 0; i < 100 && redPixels(2) != expected; ++i)
            QTest::qWait(10);
        return redPixels(2);
    };
    EXPECT_EQ(settled(0), 0);
    doc.undoStack().undo();
    EXPECT_EQ(settled(48 * 24), 48 * 24);
    EXPECT_TRUE(errors.messages.isEmpty()) << errors.messages.join(u'\n').toStdString();
}

TEST_F(MainformTest, TheThumbnailShowsTheSelectedStageEvenUnseenInTheLevelEditor)
{
    kestrava::test::ErrorCapture errors;
    dialogs->newProjects << kestrava::editor::NewProjectAnswer{folder.root(), u"game"_s};
    action("N_New")->trigger();
    auto& project = window->document().edit();
    QImage red(10, 10, QImage::Format_RGB32);
    red.fill(qRgb(250, 0, 0));
    kestrava::io::writeBmp(red, project.projectPath(u"objects/red.bmp"_s));

    // Stage 2 holds a sprite; the level editor last drew stage 1, which is empty.
    auto* scenario = window->FrScriptEditor1();
    scenario->N2Click();
    auto& stage2 = project.stage(2);
    stage2.ActiveObjCount = 1;
    stage2.ActiveObject[1].FileName = u"red.bmp"_s;
    stage2.ActiveObject[1].X = 300;
    stage2.ActiveObject[1].Y = 200;
    stage2.ActiveObject[1].Exists = true;
    QTest::mouseClick(scenario->stageButton(2), Qt::LeftButton);
    action("N_ScriptEditor")->trigger();

    const QImage stored = kestrava::io::readBmp(folder.app().objectFile(u"etap2.bmp"_s));
    EXPECT_EQ(stored.pixel(305, 205), qRgb(250, 0, 0));
    EXPECT_EQ(stored.pixel(295, 205), qRgb(255, 255, 255));
    EXPECT_TRUE(errors.messages.isEmpty()) << errors.messages.join(u'\n').toStdString();
}

TEST_F(MainformTest, TheGameScreenIsTheProjectsOwnFromTheSettingsToTheMapTheInterfaceAndTheSavedFile)
{
    kestrava::test::ErrorCapture errors;
    const QString file = folder.root() + u"/game/project.prg"_s;
    dialogs->newProjects << kestrava::editor::NewProjectAnswer{folder.root(), u"game"_s};
    action("N_New")->trigger();
    action("N_LevelEditor")->trigger();
    ASSERT_TRUE(action("N_GameSettings")->isEnabled());
    const auto frame = [&] {
        const auto& view = window->FrLevelEditor1()->view();
        return kestrava::model::ScreenSize{view.ScreenWidth, view.ScreenHeight};
    };
    const auto preview = [&] { return window->Form29()->editor().iscreen().size(); };
    EXPECT_EQ(frame(), (kestrava::model::ScreenSize{176, 208}));
    EXPECT_EQ(preview(), QSize(176, 208));

    // "размер: 176 x 208" → "240 x 320" → "Да", then " Да".
    const auto choose = [](size_t handset) {
        QTimer::singleShot(0, [handset] {
            auto* feature = qobject_cast<kestrava::editor::GamePropertiesDialog*>(QApplication::activeModalWidget());
            ASSERT_TRUE(feature);
            QTimer::singleShot(0, [handset] {
                auto* display = qobject_cast<kestrava::editor::ScreenSizeDialog*>(QApplication::activeModalWidget());
                ASSERT_TRUE(display);
                display->RadioHandset.at(handset)->click();
                display->ButtonYes->click();
            });
            feature->ButtonSize->click();
            feature->ButtonYes->click();
        });
    };
    choose(4);
    action("N_GameSettings")->trigger();
    EXPECT_EQ(window->project().GameScreen, (kestrava::model::ScreenSize{240, 320}));
    EXPECT_EQ(frame(), (kestrava::model::ScreenSize{240, 320}));
    EXPECT_EQ(preview(), QSize(240, 320));
    // The shown map frames the screen at once.
    const QImage map = window->FrLevelEditor1()->levelPicture();
    EXPECT_EQ(map.pixel(239, 50), kestrava::level::MapRenderer::kScreenFrameColour);
    EXPECT_EQ(map.pixel(50, 319), kestrava::level::MapRenderer::kScreenFrameColour);
    EXPECT_EQ(map.pixel(240, 50), qRgb(255, 255, 255));
    // A change of the project, undone like any other.
    EXPECT_TRUE(window->windowTitle().endsWith(u'*'));
    action("N_Undo")->trigger();
    EXPECT_EQ(frame(), (kestrava::model::ScreenSize{176, 208}));
    EXPECT_EQ(preview(), QSize(176, 208));
    action("N_Redo")->trigger();

    // Saved with the project and read back with it.
    action("N_Save")->trigger();
    choose(0);
    action("N_GameSettings")->trigger();
    EXPECT_EQ(frame(), (kestrava::model::ScreenSize{128, 128}));
    dialogs->saveAnswers << kestrava::editor::SaveChangesAnswer::Discard;
    dialogs->answers << file;
    action("N_Open")->trigger();
    EXPECT_EQ(window->project().GameScreen, (kestrava::model::ScreenSize{240, 320}));
    EXPECT_EQ(frame(), (kestrava::model::ScreenSize{240, 320}));
    EXPECT_EQ(preview(), QSize(240, 320));
    EXPECT_TRUE(errors.messages.isEmpty()) << errors.messages.join(u'\n').toStdString();
}

TEST_F(MainformTest, ThumbnailWriteFailureIsReportedAndThePaneStillShows)
{
    kestrava::test::ErrorCapture errors;
    action("N_New")->trigger();
    action("N_LevelEditor")->trigger();

    // A file where the objects folder should be: nothing can be written there.
    ASSERT_TRUE(QDir(folder.app().objects()).removeRecursively());
    QFile blocker(folder.app().objects());
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    action("N_ScriptEditor")->trigger();
    ASSERT_EQ(errors.messages.size(), 1);
    EXPECT_TRUE(errors.messages.first().contains(u"etap1.bmp"_s)) << errors.messages.first().toStdString();
    EXPECT_EQ(visiblePane(), u"FrScriptEditor1"_s);
    EXPECT_EQ(window->windowTitle(), u"Kestrava - Редактор сценария - проект 1"_s);
}

TEST_F(MainformTest, NewResetsTheWholeModel)
{
    auto& project = window->document().edit();
    action("N_New")->trigger();
    auto* scenario = window->FrScriptEditor1();
    scenario->N2Click();
    scenario->N2Click();
    scenario->levels_rowClick(3);
    dialogs->saveAnswers << kestrava::editor::SaveChangesAnswer::Discard;

    project.ProjectDir = u"/tmp/old project"_s;
    project.addFonGroup(1);
    project.addActiveGroup(2);
    project.addTextObject(3);
    project.stage(2).ActiveObjCount = 4;
    project.stage(2).ActiveObject[4].Exists = true;
    project.stage(3).TextObject[1].Lines[1] = u"Привет"_s;
    project.stage(3).EventCount = 2;
    project.stage(3).EventRow[2].Kind = u"event"_s;
    project.stage(3).EventRow[2].ActionCode[20] = u"score++;"_s;
    project.stage(1).LivesBar.Present = true;
    ASSERT_EQ(project.CurLevel, 3);

    action("N_New")->trigger();
    kestrava::model::Project fresh;
    fresh.ProjectDir = project.ProjectDir;
    EXPECT_NE(project.ProjectDir, u"/tmp/old project"_s);
    EXPECT_TRUE(project == fresh) << "something of the old project survived";
    EXPECT_TRUE(scenario->stageCaption(1)->isVisible());
    EXPECT_FALSE(scenario->stageCaption(2)->isVisible());
    EXPECT_FALSE(scenario->stageButton(3)->isVisible());
}

TEST_F(MainformTest, EditMenuTitleAndStatusFollowTheHistory)
{
    kestrava::test::ErrorCapture errors;
    const QString file = folder.root() + u"/лес/project.prg"_s;
    dialogs->newProjects << kestrava::editor::NewProjectAnswer{folder.root(), u"лес"_s};
    action("N_New")->trigger();
    EXPECT_EQ(window->windowTitle(), u"Kestrava - Редактор сценария - лес"_s);
    EXPECT_FALSE(action("N_Undo")->isEnabled());

    window->FrScriptEditor1()->N2Click();
    EXPECT_EQ(window->windowTitle(), u"Kestrava - Редактор сценария - лес*"_s);
    EXPECT_TRUE(action("N_Undo")->isEnabled());
    EXPECT_EQ(action("N_Undo")->text(), u"Отменить: новый уровень"_s);
    EXPECT_FALSE(action("N_Redo")->isEnabled());
    EXPECT_EQ(action("N_Redo")->text(), u"Повторить"_s);
    EXPECT_EQ(action("N_Undo")->shortcut(), QKeySequence(u"Ctrl+Z"_s));
    EXPECT_TRUE(action("N_Redo")->shortcuts().contains(QKeySequence(u"Ctrl+Y"_s)));
    EXPECT_TRUE(action("N_Redo")->shortcuts().contains(QKeySequence(u"Ctrl+Shift+Z"_s)));

    action("N_Undo")->trigger();
    EXPECT_EQ(window->project().LevelCount, 1);
    EXPECT_EQ(window->windowTitle(), u"Kestrava - Редактор сценария - лес"_s) << "back at the saved state";
    EXPECT_EQ(action("N_Redo")->text(), u"Повторить: новый уровень"_s);
    action("N_Redo")->trigger();
    EXPECT_EQ(window->project().LevelCount, 2);
    EXPECT_TRUE(window->windowTitle().endsWith(u'*'));

    action("N_Save")->trigger();
    EXPECT_EQ(window->windowTitle(), u"Kestrava - Редактор сценария - лес"_s);
    auto* status = window->findChild<QStatusBar*>(u"StatusBar1"_s);
    EXPECT_EQ(status->currentMessage(), u"Проект сохранён: %1"_s.arg(file));
    action("N_LevelEditor")->trigger();
    EXPECT_EQ(window->windowTitle(), u"Kestrava - Редактор уровня - лес"_s);
    EXPECT_TRUE(errors.messages.isEmpty()) << errors.messages.join(u'\n').toStdString();
}

// "Новый", "Открыть", "Выход" and the window frame, each with the three answers.
TEST_F(MainformTest, UnsavedChangesAreAskedAboutBeforeTheProjectGoes)
{
    using kestrava::editor::SaveChangesAnswer;
    kestrava::test::ErrorCapture errors;
    const QString file = folder.root() + u"/лес/project.prg"_s;
    dialogs->newProjects << kestrava::editor::NewProjectAnswer{folder.root(), u"лес"_s};
    action("N_New")->trigger();
    const QString other = folder.makeDir(u"другой"_s) + u"/project.prg"_s;
    ASSERT_TRUE(QFile::copy(file, other));

    struct Way {
        const char* name;
        std::function<void()> run;
        bool closes;
    };
    const Way ways[] = {
        {"Новый", [&] { action("N_New")->trigger(); }, false},
        {"Открыть", [&] { action("N_Open")->trigger(); }, false},
        {"Выход", [&] { action("N_Exit")->trigger(); }, true},
        {"рамка окна", [&] { window->close(); }, true},
    };
    for (const Way& way : ways) {
        for (SaveChangesAnswer answer :
             {SaveChangesAnswer::Cancel, SaveChangesAnswer::Discard, SaveChangesAnswer::Save}) {
            SCOPED_TRACE(std::string(way.name) + " " + std::to_string(int(answer)));
            if (!window->isVisible())
                window->show();
            if (window->project().ProjectDir != QFileInfo(file).absolutePath())
                window->openProjectFile(file);
            window->FrScriptEditor1()->N2Click();
            const int levels = window->project().LevelCount;
            ASSERT_TRUE(window->document().isModified());
            const int asked = dialogs->questions;
            dialogs->saveAnswers = {answer};
            dialogs->answers = {other}; // the file dialog of "Открыть", when it comes
            const qsizetype offered = dialogs->newProjectFolders.size(); // and the name of "Новый"
            way.run();
            const bool wentOn = dialogs->answers.isEmpty() || dialogs->newProjectFolders.size() > offered;
            EXPECT_EQ(dialogs->questions, asked + 1);
            const int saved = QString::fromLatin1(readAll(file)).section(u"\r\n"_s, 2, 2).toInt();
            switch (answer) {
            case SaveChangesAnswer::Cancel:
                EXPECT_TRUE(window->isVisible());
                EXPECT_EQ(window->project().LevelCount, levels);
                EXPECT_TRUE(window->document().isModified());
                EXPECT_NE(saved, levels);
                EXPECT_FALSE(wentOn) << "no further dialog after \"Отмена\"";
                break;
            case SaveChangesAnswer::Discard:
            case SaveChangesAnswer::Save:
                EXPECT_EQ(saved == levels, answer == SaveChangesAnswer::Save);
                EXPECT_EQ(window->isVisible(), !way.closes);
                if (!way.closes)
                    EXPECT_TRUE(wentOn) << "the project went on to the next dialog";
                break;
            }
        }
    }
    // Nothing unsaved: no question.
    window->show();
    window->openProjectFile(file);
    const int asked = dialogs->questions;
    action("N_Exit")->trigger();
    EXPECT_EQ(dialogs->questions, asked);
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(errors.messages.isEmpty()) << errors.messages.join(u'\n').toStdString();
}

TEST_F(MainformTest, PanesAndMapsCarryAccessibleNamesAndQtSpeaksRussian)
{
    const std::pair<const char*, QString> named[] = {
        {"FrScriptEditor1", u"Редактор сценария"_s}, {"FrLevelEditor1", u"Редактор уровня"_s},
        {"FrEventsEditor1", u"Редактор событий"_s},  {"sbTable", u"Таблица этапов"_s},
        {"pnObjectsList", u"Список объектов"_s},     {"ImPositionObjects", u"Карта уровня"_s}};
    for (const auto& [name, accessible] : named) {
        auto* widget = window->findChild<QWidget*>(QString::fromLatin1(name));
        ASSERT_TRUE(widget) << name;
        EXPECT_EQ(widget->accessibleName(), accessible) << name;
    }

    ASSERT_TRUE(kestrava::editor::installQtTranslation(*QCoreApplication::instance()))
        << "Qt's Russian translation is not installed";
    QDialogButtonBox box(QDialogButtonBox::Cancel | QDialogButtonBox::Open);
    EXPECT_EQ(box.button(QDialogButtonBox::Cancel)->text(), u"Отмена"_s);
    EXPECT_EQ(box.button(QDialogButtonBox::Open)->text(), u"Открыть"_s);
}

TEST(AboutBoxTest, ShowsNameVersionDevelopersAndLicences)
{
    kestrava::editor::AboutBox about;
    EXPECT_EQ(about.windowTitle(), u"О нас"_s);
    QStringList texts;
    for (const QLabel* label : about.findChildren<QLabel*>())
        texts << label->text();
    for (const QString& expected : {u"Kestrava"_s, u"конструктор мобильных игр"_s, u"V. alpha[1.0.2]"_s,
                                    u"Разработчики:"_s, u"Команда Kestrava"_s})
        EXPECT_TRUE(texts.contains(expected)) << expected.toStdString();
    const QString licence = about.findChild<QLabel*>(u"lbLicence"_s)->text();
    EXPECT_TRUE(licence.contains(u"лицензии MIT."_s) && licence.contains(u"MIT-0"_s)) << licence.toStdString();
}

} // namespace

// The map's keys as the author presses them: they reach the map only while
// it is shown, and never move or delete objects from behind the event sheet.
TEST_F(MainformTest, TheMapsKeysActOnlyWhileTheLevelEditorIsShown)
{
    kestrava::test::ErrorCapture errors;
    action("N_New")->trigger();
    auto& project = window->document().edit();
    auto& s = project.current();
    const int g = project.addActiveGroup(1);
    s.ActiveGroup[size_t(g)].BmpName = u"hero.bmp"_s;
    QImage picture(20, 20, QImage::Format_RGB32);
    picture.fill(Qt::red);
    kestrava::io::writeBmp(picture, project.projectPath(u"objects/hero.bmp"_s));
    auto& hero = s.ActiveObject[1];
    hero.Ref = u"1"_s;
    hero.GroupValue = g;
    hero.Layer = s.ActiveGroup[size_t(g)].ListSlot;
    hero.FileName = u"hero.bmp"_s;
    hero.X = 100;
    hero.Y = 100;
    hero.Width = 20;
    hero.Height = 20;
    hero.Exists = true;
    s.ActiveObjCount = 1;
    action("N_LevelEditor")->trigger();
    auto& view = window->FrLevelEditor1()->view();
    view.pressed(110, 110);
    view.released(false);
    ASSERT_TRUE(view.tool().selection());
    ASSERT_EQ(view.tool().selection()->index, 1);

    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    auto press = [&](QWidget* to, Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        to->setFocus();
        QTest::keyClick(to, key, modifiers);
    };

    action("N_EventsEditor")->trigger();
    QWidget* sheet = window->FrEventsEditor1()->findChild<QWidget*>(u"pnSheet"_s);
    ASSERT_TRUE(sheet);
    for (Qt::Key key : {Qt::Key_Right, Qt::Key_Down, Qt::Key_Delete})
        press(sheet, key);
    press(sheet, Qt::Key_D, Qt::ControlModifier);
    press(sheet, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(hero.X, 100);
    EXPECT_EQ(hero.Y, 100);
    EXPECT_TRUE(hero.Exists);
    EXPECT_EQ(s.ActiveObjCount, 1);
    EXPECT_FALSE(action("N_Undo")->isEnabled());

    action("N_LevelEditor")->trigger();
    QWidget* map = window->FrLevelEditor1()->findChild<QWidget*>(u"ImPositionObjects"_s);
    ASSERT_TRUE(map);
    press(map, Qt::Key_Right);
    press(map, Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(hero.X, 101);
    EXPECT_EQ(hero.Y, 108);
    press(map, Qt::Key_D, Qt::ControlModifier);
    ASSERT_EQ(s.ActiveObjCount, 2);
    EXPECT_TRUE(s.ActiveObject[2].Exists);
    press(map, Qt::Key_Delete);
    EXPECT_FALSE(s.ActiveObject[2].Exists) << "the duplicate is the selection";
    press(map, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(s.ActiveObject[2].Exists);
    press(map, Qt::Key_0, Qt::ControlModifier);
    press(map, Qt::Key_Equal, Qt::ControlModifier);
    EXPECT_GT(window->FrLevelEditor1()->zoom(), 100);
    EXPECT_TRUE(errors.messages.isEmpty()) << errors.messages.join(u'\n').toStdString();
}

TEST_F(MainformTest, VariablesAndTheTitleScreenReachTheProjectItsFolderAndItsSavedFile)
{
    using namespace kestrava;
    test::ErrorCapture errors;
    const QString file = folder.root() + u"/game/project.prg"_s;
    dialogs->newProjects << editor::NewProjectAnswer{folder.root(), u"game"_s};
    action("N_New")->trigger();
    ASSERT_TRUE(action("N_Variables")->isEnabled());

    // Two variables added; a name the translator reads is refused and the dialog stays.
    QTimer::singleShot(0, [&] {
        auto* d = qobject_cast<editor::VariablesDialog*>(QApplication::activeModalWidget());
        ASSERT_TRUE(d);
        EXPECT_EQ(d->Table->item(0, 0)->text(), u"очки"_s);
        d->Table->setCurrentCell(0, 0);
        EXPECT_FALSE(d->ButtonRemove->isEnabled()) << "the score is every game's";
        d->ButtonAdd->click();
        d->ButtonAdd->click();
        d->Table->item(1, 0)->setText(u"монеты"_s);
        d->Table->item(2, 0)->setText(u"часы"_s);
        d->ButtonYes->click();
        EXPECT_TRUE(d->isVisible());
        EXPECT_EQ(errors.messages.size(), 1);
        d->Table->item(2, 0)->setText(u"шаги"_s);
        static_cast<QCheckBox*>(d->Table->cellWidget(2, 2))->setChecked(true);
        d->ButtonYes->click();
    });
    action("N_Variables")->trigger();
    const QList<model::GameVariableData> expected{{1, u"монеты"_s, 0, false}, {2, u"шаги"_s, 0, true}};
    EXPECT_EQ(window->project().Variables, expected);
    EXPECT_EQ(window->project().NextVariableId, 3);

    // The title with a picture from outside the project: copied in as title.png.
    const QString outside = folder.root() + u"/заставка.png"_s;
    QImage picture(40, 30, QImage::Format_ARGB32);
    picture.fill(qRgb(10, 200, 30));
    io::writePng(picture, outside);
    dialogs->answers << outside;
    QTimer::singleShot(0, [&] {
        auto* d = qobject_cast<editor::TitleScreenDialog*>(QApplication::activeModalWidget());
        ASSERT_TRUE(d);
        EXPECT_EQ(d->EditName->text(), u"game"_s);
        d->CheckShow->setChecked(true);
        d->EditName->setText(u"Сад"_s);
        d->ButtonPicture->click();
        d->ButtonYes->click();
    });
    action("N_TitleScreen")->trigger();
    ASSERT_TRUE(window->project().TitleScreen);
    EXPECT_EQ(*window->project().TitleScreen, (model::TitleScreenData{u"Сад"_s, u"title.png"_s}));
    EXPECT_EQ(io::readPng(folder.root() + u"/game/title.png"_s).pixel(5, 5), qRgb(10, 200, 30));
    EXPECT_EQ(errors.messages.size(), 1);

    action("N_Save")->trigger();
    dialogs->answers << file;
    action("N_Open")->trigger();
    EXPECT_EQ(window->project().Variables, expected);
    ASSERT_TRUE(window->project().TitleScreen);
    EXPECT_EQ(window->project().TitleScreen->Name, u"Сад"_s);
}
