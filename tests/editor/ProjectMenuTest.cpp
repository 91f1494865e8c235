#include "ErrorCapture.h"
#include "FakeDialogs.h"

#include "editor/common/NewProjectDialog.h"
#include "editor/level/LevelMapPane.h"
#include "editor/workspace/MainWindow.h"
#include "io/Error.h"
#include "level/LevelView.h"
#include "persist/NewProject.h"
#include "objects/BackgroundObjectFile.h"
#include "support/ObjectLibrary.h"
#include "support/TempAppFolder.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

using namespace kestrava;
using namespace Qt::Literals::StringLiterals;
using editor::MainWindow;

namespace {

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class ProjectMenuTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::writeSampleLibrary(folder.app());
        window = std::make_unique<MainWindow>(folder.app());
        window->setDialogs(std::make_unique<test::FakeDialogs>(dialogs));
        window->show();
    }

    void trigger(const char* name) { window->findChild<QAction*>(QString::fromLatin1(name))->trigger(); }
    bool enabled(const char* name) { return window->findChild<QAction*>(QString::fromLatin1(name))->isEnabled(); }

    test::TempAppFolder folder;
    std::shared_ptr<test::FakeDialogs::Log> dialogs = std::make_shared<test::FakeDialogs::Log>();
    std::unique_ptr<MainWindow> window;
    test::ErrorCapture errors;
};

} // namespace

TEST_F(ProjectMenuTest, NewMakesAFolderOfTheTypedNameWithTheInitialProject)
{
    dialogs->newProjects << editor::NewProjectAnswer{folder.app().project(), u"моя игра"_s};
    trigger("N_New");
    ASSERT_TRUE(errors.messages.isEmpty()) << errors.messages.join(u'\n').toStdString();
    EXPECT_EQ(dialogs->newProjectFolders, QStringList{folder.app().project()});
    const QString dir = folder.app().project() + u"/моя игра"_s;
    EXPECT_EQ(window->project().ProjectDir, dir);
    for (const char* sub : {"objects", "res", "src"})
        EXPECT_TRUE(QFileInfo(dir + u'/' + QString::fromLatin1(sub)).isDir()) << sub;
    EXPECT_EQ(readAll(dir + u"/project.prg"_s),
              QByteArray("proekt\r\nnumb_level\r\n1\r\n0\r\nfon\r\n0\r\n0\r\nfon_gr\r\nfon_ob\r\nactive\r\n0\r\n0\r\n"
                         "active_gr\r\nactive_ob\r\ntext\r\n0\r\ntext_gr\r\nevents\r\n0\r\naction\r\n0\r\n"));
    EXPECT_TRUE(enabled("N_Save"));
    // A folder the author picked instead of the projects folder.
    const QString picked = folder.makeDir(u"игры"_s);
    dialogs->newProjects << editor::NewProjectAnswer{picked, u"вторая"_s};
    trigger("N_New");
    EXPECT_EQ(window->project().ProjectDir, picked + u"/вторая"_s);
    EXPECT_TRUE(QFileInfo::exists(picked + u"/вторая/project.prg"_s));
}

TEST_F(ProjectMenuTest, ACancelledOrRefusedNewLeavesTheOpenProjectAsItWas)
{
    // Before any project, a cancelled "Новый" enables nothing.
    dialogs->newProjects << std::nullopt;
    trigger("N_New");
    EXPECT_FALSE(enabled("N_Save"));
    EXPECT_FALSE(window->project().hasProjectDir());

    dialogs->newProjects << editor::NewProjectAnswer{folder.root(), u"old"_s};
    trigger("N_New");
    const QString dir = folder.root() + u"/old"_s;
    window->document().addLevel();
    dialogs->saveAnswers << editor::SaveChangesAnswer::Discard << editor::SaveChangesAnswer::Discard
                         << editor::SaveChangesAnswer::Discard;
    const QString others = test::folderSnapshot(folder.root());

    // Cancelled, a name that exists, a name no folder can have, and "" each leave it all: the project, its
    // unsaved stage, its menus and the disk.
    folder.makeDir(u"taken"_s);
    const QString after = test::folderSnapshot(folder.root());
    const std::optional<editor::NewProjectAnswer> refused[] = {
        std::nullopt,
        editor::NewProjectAnswer{folder.root(), u"taken"_s},
        editor::NewProjectAnswer{folder.root(), u"a/b"_s},
        editor::NewProjectAnswer{folder.root(), u".."_s},
        editor::NewProjectAnswer{folder.root(), QString()},
    };
    int said = 0;
    for (const auto& answer : refused) {
        SCOPED_TRACE(answer ? answer->name.toStdString() : std::string("cancelled"));
        dialogs->newProjects << answer;
        dialogs->saveAnswers << editor::SaveChangesAnswer::Discard;
        trigger("N_New");
        EXPECT_EQ(window->project().ProjectDir, dir);
        EXPECT_EQ(window->project().LevelCount, 2);
        EXPECT_TRUE(window->document().isModified());
        EXPECT_TRUE(enabled("N_Save"));
        EXPECT_EQ(test::folderSnapshot(folder.root()), after);
        if (answer)
            ++said;
        EXPECT_EQ(errors.messages.size(), said);
    }
    EXPECT_TRUE(errors.messages.value(0).contains(u"уже есть"_s)) << errors.messages.value(0).toStdString();
    EXPECT_TRUE(errors.messages.value(1).contains(u"«/»"_s)) << errors.messages.value(1).toStdString();
    EXPECT_NE(others, after);
    // One character more than a folder may hold is refused; as many as it may, taken.
    const QString longest(persist::kMaxProjectName, u'я');
    EXPECT_THROW(persist::newProjectFolder(folder.root(), longest + u'я'), io::Error);
    EXPECT_EQ(persist::newProjectFolder(folder.root(), longest), folder.root() + u'/' + longest);
}

TEST_F(ProjectMenuTest, LoadObjectTakesTheFileOfThatNameFromTheLibrary)
{
    dialogs->newProjects << editor::NewProjectAnswer{folder.root(), u"p"_s};
    trigger("N_New");
    // Chosen from some other folder: the library's file of that name is read.
    dialogs->answers << u"/somewhere/else/forest.obf"_s;
    trigger("N_LoadObject");
    ASSERT_TRUE(errors.messages.isEmpty()) << errors.messages.join(u'\n').toStdString();
    EXPECT_EQ(dialogs->startDirs.last(), folder.app().objects());
    EXPECT_EQ(dialogs->filters.last(), MainWindow::kObjectFileFilter);
    const auto& stage = window->project().stage(1);
    EXPECT_EQ(stage.FonGroupCount, 1);
    EXPECT_EQ(stage.FonGroup[1].FileName, u"forest.obf"_s);
    EXPECT_TRUE(QFileInfo::exists(window->project().projectPath(u"objects/forest.png"_s)));
    // The level editor's list was rebuilt with the new icon.
    const auto& icons = window->FrLevelEditor1()->view().objectList().icons();
    ASSERT_GE(icons.size(), 2u);
    EXPECT_EQ(icons[1].kind, model::ObjectKind::Background);
}

TEST_F(ProjectMenuTest, OpenSaveAsAndSaveRoundTrip)
{
    const QString dir = folder.makeDir(u"demo"_s);
    test::copyFolderFiles(test::sourceFile(u"examples/demo"_s), dir);
    test::copyFolderFiles(test::sourceFile(u"examples/demo/objects"_s), dir + u"/objects"_s);
    const QByteArray original = readAll(dir + u"/project.prg"_s);

    dialogs->answers << dir + u"/project.prg"_s;
    trigger("N_Open");
    ASSERT_TRUE(errors.messages.isEmpty()) << errors.messages.join(u'\n').toStdString();
    EXPECT_EQ(window->project().LevelCount, 2);
    EXPECT_EQ(window->project().CurLevel, 1);
    EXPECT_GT(window->project().stage(1).FonObjCount, 0);

    const QString copy = folder.makeDir(u"copies"_s) + u"/copy.prg"_s;
    dialogs->answers << copy;
    trigger("N_SaveAs");
    EXPECT_EQ(dialogs->startDirs.last(), folder.app().src());
    // "Сохранить" afterwards writes the project's own file, not the copy.
    QFile::remove(dir + u"/project.prg"_s);
    trigger("N_Save");
    EXPECT_EQ(readAll(dir + u"/project.prg"_s).mid(5), readAll(copy).mid(5)) << "same body";
    EXPECT_TRUE(readAll(copy).startsWith("fdgdf\r\n"));
    // Saving what was read writes the file as it was, but for its header line.
    EXPECT_EQ(readAll(copy).mid(7), original.mid(original.indexOf('\n') + 1));
}

// "Открыть" starts where the author last worked, a cancelled one keeps the
// project open, and "Недавние проекты" lists the projects newest first and
// opens one; a project moved away is listed disabled.
TEST_F(ProjectMenuTest, OpenStartsWhereTheLastProjectWasAndRecentProjectsOpenAgain)
{
    trigger("N_Open");
    EXPECT_EQ(dialogs->startDirs.last(), folder.app().project()) << "nothing opened yet: the projects folder";
    QMenu* recent = window->recentMenu();
    EXPECT_FALSE(recent->isEnabled());

    dialogs->newProjects << editor::NewProjectAnswer{folder.root(), u"first"_s}
                         << editor::NewProjectAnswer{folder.root(), u"second"_s};
    trigger("N_New");
    trigger("N_New");
    const QString first = folder.root() + u"/first/project.prg"_s;
    const QString second = folder.root() + u"/second/project.prg"_s;
    window->document().addLevel(); // unsaved, and "Открыть" is cancelled: nothing is lost
    dialogs->saveAnswers << editor::SaveChangesAnswer::Discard;
    trigger("N_Open");
    EXPECT_EQ(dialogs->startDirs.last(), folder.root() + u"/second"_s);
    EXPECT_EQ(window->document().fileName(), second);
    EXPECT_EQ(window->project().LevelCount, 2) << "a cancelled Открыть keeps the project as it was";

    emit recent->aboutToShow();
    ASSERT_EQ(recent->actions().size(), 2);
    EXPECT_TRUE(recent->actions()[0]->text().endsWith(QDir::toNativeSeparators(second)));
    dialogs->saveAnswers << editor::SaveChangesAnswer::Discard;
    recent->actions()[1]->trigger();
    EXPECT_EQ(window->document().fileName(), first);
    emit recent->aboutToShow();
    EXPECT_TRUE(recent->actions()[0]->text().endsWith(QDir::toNativeSeparators(first)));

    ASSERT_TRUE(QDir(folder.root() + u"/second"_s).removeRecursively());
    emit recent->aboutToShow();
    EXPECT_FALSE(recent->actions()[1]->isEnabled());
    trigger("N_Open");
    EXPECT_EQ(dialogs->startDirs.last(), folder.root() + u"/first"_s);
    EXPECT_TRUE(errors.messages.isEmpty()) << errors.messages.join(u'\n').toStdString();
}

TEST_F(ProjectMenuTest, ABadProjectFileLeavesAnEmptyProjectAndSaysWhy)
{
    const QString dir = folder.makeDir(u"bad"_s);
    QFile f(dir + u"/project.prg"_s);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("proekt\r\nnumb_level\r\nmany\r\n");
    f.close();
    window->openProjectFile(dir + u"/project.prg"_s);
    ASSERT_EQ(errors.messages.size(), 1);
    EXPECT_TRUE(errors.messages.first().contains(u"строка 3"_s)) << errors.messages.first().toStdString();
    EXPECT_EQ(window->project().LevelCount, 1);
    EXPECT_FALSE(window->project().hasProjectDir());
    EXPECT_TRUE(enabled("N_Save"));
}

TEST_F(ProjectMenuTest, LoadingAnObjectTheStageHoldsOffersToUpdateItAndSoDoesTheObjectList)
{
    const QString dir = folder.makeDir(u"p"_s);
    window->document().create(dir + u"/project.prg"_s);
    window->openProjectFile(dir + u"/project.prg"_s);
    const QString forest = folder.app().objectFile(u"forest.obf"_s);
    dialogs->answers << forest;
    trigger("N_LoadObject");
    trigger("N_LevelEditor");
    level::LevelView& view = window->FrLevelEditor1()->view();
    view.listPointerMoved(20, 20);
    view.listReleased();
    view.pointerMoved(100, 100);
    view.pressed(100, 100);
    view.released(true);
    view.tool().dropPicked(); // Esc: one forest is enough
    const auto& stage = window->project().stage(1);
    ASSERT_EQ(stage.FonObjCount, 1);
    // The library's forest, edited since.
    objects::BackgroundObjectFile edited = objects::BackgroundObjectFile::read(forest);
    edited.cells = {4, 4, 4, 4, 4, 4};
    edited.write(forest);

    // "Отмена" loads nothing; "Нет" loads another group, as before.
    dialogs->answers << forest;
    trigger("N_LoadObject");
    EXPECT_EQ(dialogs->updateQuestions, QStringList{u"forest.obf"_s});
    EXPECT_EQ(stage.FonGroupCount, 1);
    dialogs->answers << forest;
    dialogs->updateAnswers << editor::UpdateObjectAnswer::LoadAnother;
    trigger("N_LoadObject");
    EXPECT_EQ(stage.FonGroupCount, 2);
    window->document().undoStack().undo();
    // "Да": the group is read again, its placed object stays, and Ctrl+Z is one step back.
    dialogs->answers << forest;
    dialogs->updateAnswers << editor::UpdateObjectAnswer::Update;
    trigger("N_LoadObject");
    EXPECT_EQ(stage.FonGroupCount, 1);
    EXPECT_EQ(stage.FonGroup[1].cell(1, 1), 4);
    EXPECT_EQ(stage.FonObjCount, 1);
    EXPECT_EQ(stage.FonObject[1].X, 100);
    EXPECT_EQ(window->document().undoStack().undoText(), u"обновление объекта «forest.obf»"_s);
    trigger("N_Undo");
    EXPECT_EQ(stage.FonGroup[1].cell(1, 1), 1);

    // The object list's menu offers the same for the group under the right click.
    QStringList shown;
    window->FrLevelEditor1()->setMenuRunner([&](QMenu* menu, const QPoint&) -> QAction* {
        for (QAction* a : menu->actions())
            if (a->isVisible())
                shown << a->text();
        menu->actions().first()->trigger();
        return menu->actions().first();
    });
    auto* list = window->FrLevelEditor1()->findChild<QWidget*>(u"pnObjectsList"_s);
    ASSERT_TRUE(list);
    QTest::mouseClick(list, Qt::RightButton, {}, QPoint(20, 300)); // no icon there: no menu
    EXPECT_TRUE(shown.isEmpty());
    QTest::mouseClick(list, Qt::RightButton, {}, QPoint(20, 20));
    EXPECT_EQ(shown, QStringList{u"Обновить из библиотеки"_s});
    EXPECT_EQ(stage.FonGroup[1].cell(1, 1), 4);
    EXPECT_FALSE(view.tool().picked()) << "a right click picks nothing";
    EXPECT_TRUE(errors.messages.isEmpty()) << errors.messages.join(u'\n').toStdString();
}

TEST(NewProjectDialogTest, CreateClosesOnlyForANameTheFolderCanTake)
{
    test::TempAppFolder folder;
    QDir().mkpath(folder.app().project() + u"/лес"_s);
    editor::NewProjectDialog dialog(folder.app().project());
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), u"Новый проект"_s);
    EXPECT_EQ(dialog.folder(), folder.app().project());
    for (QWidget* w : {static_cast<QWidget*>(dialog.edName), static_cast<QWidget*>(dialog.edFolder)})
        EXPECT_FALSE(w->accessibleName().isEmpty());
    for (QPushButton* b : {dialog.bFolder, dialog.bCreate, dialog.bCancel})
        EXPECT_FALSE(b->text().isEmpty());

    // A name that exists: said in the dialog, which stays open; typing hides the word again.
    dialog.edName->setText(u" лес "_s);
    dialog.bCreate->click();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(dialog.lbProblem->isVisible());
    EXPECT_TRUE(dialog.lbProblem->text().contains(u"уже есть"_s)) << dialog.lbProblem->text().toStdString();
    QTest::keyClick(dialog.edName, Qt::Key_Backspace);
    EXPECT_FALSE(dialog.lbProblem->isVisible());

    // The folder is typed as well as chosen: a relative or missing one is refused in the dialog.
    for (const QString& typed : {u"projects"_s, folder.root() + u"/missing"_s}) {
        dialog.edFolder->clear();
        QTest::keyClicks(dialog.edFolder, typed);
        dialog.edName->setText(u"лесной"_s);
        dialog.bCreate->click();
        EXPECT_TRUE(dialog.isVisible()) << typed.toStdString();
        EXPECT_TRUE(dialog.lbProblem->text().contains(u"Папк"_s)) << dialog.lbProblem->text().toStdString();
    }
    dialog.edFolder->setText(QDir::toNativeSeparators(folder.app().project()) + u' ');
    dialog.edName->setText(u"лесной "_s);
    dialog.bCreate->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.name(), u"лесной"_s);
    EXPECT_FALSE(QFileInfo::exists(folder.app().project() + u"/лесной"_s)) << "the dialog only asks";
}
