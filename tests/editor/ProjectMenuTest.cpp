#include "ErrorCapture.h"
#include "FakeDialogs.h"

#include "editor/level/TFrLevelEditor.h"
#include "editor/workspace/TMainform.h"
#include "level/LevelView.h"
#include "objects/BackgroundObjectFile.h"
#include "support/ObjectLibrary.h"
#include "support/TempAppFolder.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

using namespace kestrava;
using namespace Qt::Literals::StringLiterals;
using editor::TMainform;

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
        window = std::make_unique<TMainform>(folder.app());
        window->setDialogs(std::make_unique<test::FakeDialogs>(dialogs));
        window->show();
    }

    void trigger(const char* name) { window->findChild<QAction*>(QString::fromLatin1(name))->trigger(); }
    bool enabled(const char* name) { return window->findChild<QAction*>(QString::fromLatin1(name))->isEnabled(); }

    test::TempAppFolder folder;
    std::shared_ptr<test::FakeDialogs::Log> dialogs = std::make_shared<test::FakeDialogs::Log>();
    std::unique_ptr<TMainform> window;
    test::ErrorCapture errors;
};

} // namespace

TEST_F(ProjectMenuTest, NewWritesTheInitialProjectWhereTheDialogChose)
{
    const QString dir = folder.makeDir(u"игры/первая"_s);
    dialogs->answers << dir + u"/любое имя.prg"_s;
    trigger("N_New");
    ASSERT_TRUE(errors.messages.isEmpty()) << errors.messages.join(u'\n').toStdString();
    EXPECT_EQ(dialogs->startDirs.value(0), folder.app().project());
    EXPECT_EQ(dialogs->filters.value(0), u"файл проекта (*.prg)"_s);
    EXPECT_EQ(window->project().ProjectDir, dir);
    for (const char* sub : {"objects", "res", "src"})
        EXPECT_TRUE(QFileInfo(dir + u'/' + QString::fromLatin1(sub)).isDir()) << sub;
    EXPECT_EQ(readAll(dir + u"/project.prg"_s),
              QByteArray("proekt\r\nnumb_level\r\n1\r\n0\r\nfon\r\n0\r\n0\r\nfon_gr\r\nfon_ob\r\nactive\r\n0\r\n0\r\n"
                         "active_gr\r\nactive_ob\r\ntext\r\n0\r\ntext_gr\r\nevents\r\n0\r\naction\r\n0\r\n"));
    EXPECT_FALSE(QFileInfo::exists(dir + u"/любое имя.prg"_s));
    EXPECT_TRUE(enabled("N_Save"));
}

TEST_F(ProjectMenuTest, CancelledNewLeavesNothingToSaveOver)
{
    // A project is open and saved; "Новый" is then cancelled.
    const QString dir = folder.makeDir(u"old"_s);
    dialogs->answers << dir + u"/project.prg"_s;
    trigger("N_New");
    window->document().addLevel();
    trigger("N_Save");
    const QByteArray saved = readAll(dir + u"/project.prg"_s);
    ASSERT_TRUE(saved.contains("numb_level\r\n2\r\n"));

    trigger("N_New"); // cancelled
    EXPECT_TRUE(enabled("N_Save")) << "menus follow the reset even when the dialog is cancelled";
    EXPECT_EQ(window->project().LevelCount, 1);
    trigger("N_Save");
    trigger("N_SaveAs"); // cancelled too
    EXPECT_EQ(readAll(dir + u"/project.prg"_s), saved) << "the empty project was written over the old one";
    ASSERT_FALSE(errors.messages.isEmpty());
    EXPECT_TRUE(errors.messages.first().contains(u"Проект ещё не создан"_s)) << errors.messages.first().toStdString();
}

TEST_F(ProjectMenuTest, LoadObjectTakesTheFileOfThatNameFromTheLibrary)
{
    dialogs->answers << folder.makeDir(u"p"_s) + u"/project.prg"_s;
    trigger("N_New");
    // Chosen from some other folder: the library's file of that name is read.
    dialogs->answers << u"/somewhere/else/forest.obf"_s;
    trigger("N_LoadObject");
    ASSERT_TRUE(errors.messages.isEmpty()) << errors.messages.join(u'\n').toStdString();
    EXPECT_EQ(dialogs->startDirs.last(), folder.app().objects());
    EXPECT_EQ(dialogs->filters.last(), TMainform::kObjectFileFilter);
    const auto& stage = window->project().stage(1);
    EXPECT_EQ(stage.FonGroupCount, 1);
    EXPECT_EQ(stage.FonGroup[1].FileName, u"forest.obf"_s);
    EXPECT_TRUE(QFileInfo::exists(window->project().projectPath(u"objects/forest.png"_s)));
    // The level editor's list was rebuilt with the new icon.
    const auto& icons = window->FrLevelEditor1()->view().objectList().icons();
    ASSERT_GE(icons.size(), 2u);
    EXPECT_EQ(icons[1].kind, level::SlotKind::Fon);
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
