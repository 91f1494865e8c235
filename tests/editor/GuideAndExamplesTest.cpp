#include "FakeDialogs.h"

#include "editor/events/EventSheetPane.h"
#include "editor/help/GuideLauncher.h"
#include "editor/help/GuideWindow.h"
#include "editor/level/LevelMapPane.h"
#include "editor/level/PathDialog.h"
#include "editor/workspace/MainWindow.h"
#include "io/TextFile.h"
#include "support/TempAppFolder.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QTextBrowser>
#include <QTest>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using namespace kestrava;

namespace {

class GuideAndExamplesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        window = std::make_unique<editor::MainWindow>(folder.app());
        window->setDialogs(std::make_unique<test::FakeDialogs>(dialogs));
        window->show();
    }

    QString guidePage() const
    {
        editor::GuideWindow* guide = window->findChild<editor::GuideWindow*>();
        return guide && guide->isVisible() ? guide->page() : QString();
    }

    std::shared_ptr<test::FakeDialogs::Log> dialogs = std::make_shared<test::FakeDialogs::Log>();
    test::TempAppFolder folder;
    std::unique_ptr<editor::MainWindow> window;
};

TEST_F(GuideAndExamplesTest, TheEmptyWindowSaysWhatToDoFirstUntilAProjectIsOpen)
{
    auto* hint = window->findChild<QLabel*>(u"lbStartHint"_s);
    ASSERT_NE(hint, nullptr);
    EXPECT_TRUE(hint->isVisible());
    EXPECT_EQ(hint->text(), u"Файл → Новый — создать проект;\nФайл → Открыть пример — посмотреть готовую игру"_s);
    EXPECT_FALSE(hint->accessibleName().isEmpty());
    window->N_NewClick();
    EXPECT_FALSE(hint->isVisible());
}

// An installed example opens as a copy in the projects folder; the example stays as it was.
TEST_F(GuideAndExamplesTest, OpenExampleOpensACopyInTheProjectsFolder)
{
    for (const char* name : {"demo", "maze"}) {
        const QString from = test::sourceFile(u"examples/"_s + QString::fromLatin1(name));
        const QString to = folder.app().examples() + u'/' + QString::fromLatin1(name);
        QDir().mkpath(to + u"/objects"_s);
        test::copyFolderFiles(from, to);
        test::copyFolderFiles(from + u"/objects"_s, to + u"/objects"_s);
    }
    const QByteArray installed = io::readWholeFile(folder.app().examples() + u"/maze/project.prg"_s);

    window->N_OpenExampleClick(); // cancelled: nothing opens
    ASSERT_EQ(dialogs->examplesOffered.size(), 2);
    EXPECT_TRUE(dialogs->examplesOffered[1].startsWith(u"maze — Лабиринт"_s)) << dialogs->examplesOffered[1].toStdString();
    EXPECT_FALSE(window->project().hasProjectDir());

    dialogs->exampleChoices = {1};
    window->N_OpenExampleClick();
    ASSERT_TRUE(window->project().hasProjectDir());
    EXPECT_EQ(QDir(*window->project().ProjectDir).absolutePath(), QDir(folder.app().project() + u"/maze"_s).absolutePath());
    EXPECT_GT(window->project().stage(1).ActiveObjCount, 0);
    EXPECT_TRUE(window->findChild<QAction*>(u"N_Save"_s)->isEnabled());
    EXPECT_TRUE(window->N_SaveClick());
    EXPECT_EQ(io::readWholeFile(folder.app().examples() + u"/maze/project.prg"_s), installed);
}

// F1 opens the guide at the page of whatever is in front: the event sheet,
// and a dialog over the main window.
TEST_F(GuideAndExamplesTest, F1OpensThePageOfTheWindowInFront)
{
    QDir().mkpath(folder.app().guide());
    test::copyFolderFiles(test::sourceFile(u"docs/guide"_s), folder.app().guide());
    window->N_NewClick();
    window->N_EventsEditorClick();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    auto* sheet = window->FrEventsEditor1()->findChild<QWidget*>(u"Image1"_s);
    ASSERT_NE(sheet, nullptr);
    sheet->setFocus();
    QTest::keyClick(sheet, Qt::Key_F1);
    EXPECT_EQ(guidePage(), u"events.md"_s);

    window->N_LevelEditorClick();
    window->activateWindow();
    window->FrLevelEditor1()->setFocus();
    QTest::keyClick(window.get(), Qt::Key_F1);
    EXPECT_EQ(guidePage(), u"level.md"_s);

    editor::PathDialog plan(window->FrLevelEditor1()->view(), window.get());
    plan.show();
    QTest::keyClick(&plan, Qt::Key_F1);
    EXPECT_EQ(guidePage(), u"level.md"_s);
    editor::GuideWindow* guide = window->findChild<editor::GuideWindow*>();
    ASSERT_NE(guide, nullptr);
    EXPECT_EQ(guide->parentWidget(), window.get()) << "a modeless dialog leaves the guide with the main window";
    EXPECT_FALSE(guide->browser()->toPlainText().contains(u"не найдено"_s));
}

} // namespace
