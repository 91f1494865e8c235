#include "FakeDialogs.h"

#include "editor/events/EventSheetPane.h"
#include "editor/help/GuideLauncher.h"
#include "editor/interface/GamePropertiesDialog.h"
#include "editor/interface/InterfaceEditorWindow.h"
#include "editor/objects/ActiveObjectEditorWindow.h"
#include "editor/objects/BackgroundEditorWindow.h"
#include "editor/objects/FontDialogWindow.h"
#include "editor/objects/LivesBarEditorWindow.h"
#include "editor/objects/ObjectKindChooser.h"
#include "editor/help/GuideWindow.h"
#include "editor/level/LevelMapPane.h"
#include "editor/level/PathDialog.h"
#include "editor/workspace/MainWindow.h"
#include "editor/workspace/ScenarioPane.h"
#include "io/TextFile.h"
#include "support/TempAppFolder.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
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

// F1 opens the guide at the page of whatever is in front: each pane of the
// main window (the focus on the pane, on the menu bar, or left behind on the
// pane shown before), and each editor window and dialog over it.
TEST_F(GuideAndExamplesTest, F1OpensThePageOfTheWindowInFront)
{
    QDir().mkpath(folder.app().guide());
    test::copyFolderFiles(test::sourceFile(u"docs/guide"_s), folder.app().guide());
    window->N_NewClick();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    const auto f1 = [&](QWidget* on) {
        if (editor::GuideWindow* open = window->findChild<editor::GuideWindow*>())
            open->close();
        QTest::keyClick(on, Qt::Key_F1);
        return guidePage();
    };

    struct Pane {
        void (editor::MainWindow::*show)();
        QWidget* pane;
        const char16_t* page;
    };
    const Pane panes[] = {
        {&editor::MainWindow::N_ScriptEditorClick, window->FrScriptEditor1(), u"scenario.md"},
        {&editor::MainWindow::N_LevelEditorClick, window->FrLevelEditor1(), u"level.md"},
        {&editor::MainWindow::N_EventsEditorClick, window->FrEventsEditor1(), u"events.md"},
    };
    for (const Pane& before : panes) {
        for (const Pane& shown : panes) {
            SCOPED_TRACE(QString::fromUtf16(shown.page).toStdString());
            // The focus stays where it was on the pane shown before.
            (window.get()->*before.show)();
            QWidget* left = before.pane->findChild<QWidget*>();
            ASSERT_NE(left, nullptr);
            left->setFocus();
            (window.get()->*shown.show)();
            window->activateWindow();
            EXPECT_EQ(f1(QApplication::focusWidget() ? QApplication::focusWidget() : window.get()),
                      QString::fromUtf16(shown.page));
            EXPECT_EQ(f1(window->menuBar()), QString::fromUtf16(shown.page));
        }
    }
    auto* sheet = window->FrEventsEditor1()->findChild<QWidget*>(u"Image1"_s);
    ASSERT_NE(sheet, nullptr);
    sheet->setFocus();
    EXPECT_EQ(f1(sheet), u"events.md"_s);

    // The windows and dialogs opened over the main window.
    test::FakeDialogs standard(dialogs);
    editor::BackgroundEditorWindow background(folder.app(), standard, window.get());
    editor::ActiveObjectEditorWindow active(folder.app(), standard, window.get());
    editor::LivesBarEditorWindow bar(folder.app(), standard, window.get());
    editor::ObjectKindChooser kinds(window.get());
    editor::GamePropertiesDialog settings({}, window.get());
    editor::PathDialog plan(window->FrLevelEditor1()->view(), window.get());
    const std::pair<QWidget*, const char16_t*> windows[] = {
        {&background, u"objects.md"},
        {&active, u"objects.md"},
        {&bar, u"objects.md"},
        {window->frmFont(), u"objects.md"},
        {&kinds, u"objects.md"},
        {window->Form29(), u"interface.md"},
        {&settings, u"game-settings.md"},
        {&plan, u"level.md"},
    };
    for (const auto& [shown, page] : windows) {
        SCOPED_TRACE(shown->metaObject()->className());
        shown->show();
        // Offscreen, a window shown is not made active by itself.
        QApplication::setActiveWindow(shown);
        EXPECT_EQ(f1(shown), QString::fromUtf16(page));
        shown->hide();
    }
    editor::GuideWindow* guide = window->findChild<editor::GuideWindow*>();
    ASSERT_NE(guide, nullptr);
    EXPECT_EQ(guide->parentWidget(), window.get()) << "a modeless window leaves the guide with the main window";
    EXPECT_FALSE(guide->browser()->toPlainText().contains(u"не найдено"_s));
    // Esc closes the guide.
    guide->show();
    QTest::keyClick(guide, Qt::Key_Escape);
    EXPECT_FALSE(guide->isVisible());
}

} // namespace
