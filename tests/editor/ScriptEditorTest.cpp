#include "ErrorCapture.h"

#include "document/ProjectDocument.h"
#include "editor/workspace/ScenarioPane.h"
#include "model/Project.h"
#include "support/TempAppFolder.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using kestrava::editor::ScenarioPane;

namespace {

class ScriptEditorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        editor.resize(800, 600);
        editor.start();
        editor.show();
    }
    void TearDown() override { editor.PopupMenu1()->hide(); }

    QPushButton* button(int p) const { return editor.stageButton(p); }
    bool isRed(int p) const { return button(p)->palette().color(QPalette::ButtonText) == QColor(255, 0, 0); }
    void click(int p) { QTest::mouseClick(button(p), Qt::LeftButton); }
    void newLevel() { editor.newLevelAction()->trigger(); }

    kestrava::test::TempAppFolder folder;
    kestrava::document::ProjectDocument doc{folder.app()};
    const kestrava::model::Project& project = doc.project();
    ScenarioPane editor{doc};
};

TEST_F(ScriptEditorTest, StartShowsOneStageAndTheShortButton)
{
    EXPECT_EQ(project.LevelCount, 1);
    EXPECT_EQ(project.SelLevel, 1);
    EXPECT_EQ(project.CurLevel, 1);
    EXPECT_TRUE(editor.stageCaption(1)->isVisible());
    EXPECT_EQ(editor.stageCaption(1)->text(), u"Этап №1"_s);
    EXPECT_FALSE(editor.stageCaption(2)->isVisible());
    EXPECT_TRUE(button(1)->isVisible());
    EXPECT_EQ(button(1)->height(), ScenarioPane::kRowHeight);
    EXPECT_TRUE(isRed(1));
    EXPECT_TRUE(button(2)->isVisible());
    EXPECT_EQ(button(2)->text(), u"2"_s);
    EXPECT_EQ(button(2)->height(), ScenarioPane::kShortButtonHeight);
    EXPECT_FALSE(isRed(2));
    EXPECT_FALSE(button(3)->isVisible());
    EXPECT_EQ(editor.PopupMenu1()->actions().size(), 1);
    EXPECT_EQ(editor.newLevelAction()->text(), u"новый уровень"_s);

    // Header and table lines: the "Вид" column's left edge runs through row
    // 1, the table ends at the bottom of the last row.
    const QImage& im = editor.imMain();
    EXPECT_EQ(im.pixelColor(ScenarioPane::kViewLeft, 50), QColor(Qt::black));
    EXPECT_EQ(im.pixelColor(ScenarioPane::kCommentLeft, 50), QColor(Qt::black));
    EXPECT_EQ(im.pixelColor(300, ScenarioPane::kRowHeight), QColor(Qt::black));
    EXPECT_EQ(im.pixelColor(300, 50), QColor(Qt::white));
    EXPECT_EQ(im.pixelColor(ScenarioPane::kViewLeft, ScenarioPane::kRowHeight + 50), QColor(Qt::white));
}

TEST_F(ScriptEditorTest, ShortButtonOffersNewStageInsteadOfSelectingAMissingOne)
{
    click(2);
    EXPECT_EQ(project.SelLevel, 1) << "stage 2 does not exist yet";
    EXPECT_EQ(project.CurLevel, 1);
    EXPECT_TRUE(isRed(1));
    EXPECT_TRUE(editor.PopupMenu1()->isVisible());
    editor.PopupMenu1()->hide();

    // The right button opens the same menu on the short button only.
    QContextMenuEvent onStage(QContextMenuEvent::Mouse, QPoint(5, 5), button(1)->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(button(1), &onStage);
    EXPECT_FALSE(editor.PopupMenu1()->isVisible());
    QContextMenuEvent onShort(QContextMenuEvent::Mouse, QPoint(5, 5), button(2)->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(button(2), &onShort);
    EXPECT_TRUE(editor.PopupMenu1()->isVisible());

    newLevel();
    EXPECT_EQ(project.LevelCount, 2);
    EXPECT_EQ(project.SelLevel, 1);
    EXPECT_EQ(editor.stageCaption(2)->text(), u"Этап №2"_s);
    EXPECT_TRUE(editor.stageCaption(2)->isVisible());
    EXPECT_EQ(button(2)->height(), ScenarioPane::kRowHeight);
    EXPECT_EQ(button(3)->height(), ScenarioPane::kShortButtonHeight);
    EXPECT_TRUE(button(3)->isVisible());
    EXPECT_EQ(editor.imMain().pixelColor(300, 2 * ScenarioPane::kRowHeight), QColor(Qt::black));
}

TEST_F(ScriptEditorTest, EveryStageButtonSelectsItsStage)
{
    kestrava::test::ErrorCapture errors;
    for (int n = 2; n <= 20; ++n)
        newLevel();
    ASSERT_EQ(project.LevelCount, 20);
    EXPECT_TRUE(errors.messages.isEmpty());

    for (int p : {2, 6, 12, 20, 1}) {
        click(p);
        EXPECT_EQ(project.SelLevel, p);
        EXPECT_EQ(project.CurLevel, p);
        for (int q = 1; q <= 20; ++q)
            EXPECT_EQ(isRed(q), q == p) << "selected " << p << ", button " << q;
    }
    EXPECT_TRUE(editor.stageCaption(20)->isVisible());
    EXPECT_EQ(editor.stageCaption(20)->text(), u"Этап №20"_s);

    // The table is taller than the pane, so it scrolls.
    EXPECT_GT(editor.imMain().height(), editor.height());

    // No room for a 21st stage: a message, and nothing changes.
    click(21);
    EXPECT_EQ(project.SelLevel, 1);
    newLevel();
    EXPECT_EQ(project.LevelCount, 20);
    ASSERT_EQ(errors.messages.size(), 1);
    EXPECT_TRUE(errors.messages.first().contains(u"20"_s)) << errors.messages.first().toStdString();
}

// "новый уровень" is a button in sight under the last stage, and a press on
// a stage's picture or caption selects that stage, not one beside it.
TEST_F(ScriptEditorTest, TheNewStageButtonAndThePicturesDoWhatTheySay)
{
    QPushButton* add = editor.newLevelButton();
    ASSERT_TRUE(add->isVisible());
    EXPECT_EQ(add->text(), u"+ новый уровень"_s);
    QTest::mouseClick(add, Qt::LeftButton);
    EXPECT_EQ(project.LevelCount, 2);
    EXPECT_GE(add->y(), editor.stagePicture(2)->geometry().bottom()) << "it moves under the new stage";

    QTest::mouseClick(editor.stagePicture(2), Qt::LeftButton);
    EXPECT_EQ(project.SelLevel, 2);
    EXPECT_TRUE(isRed(2));
    QTest::mouseClick(editor.stageCaption(1), Qt::LeftButton);
    EXPECT_EQ(project.SelLevel, 1);

    for (int n = 3; n <= 20; ++n)
        QTest::mouseClick(add, Qt::LeftButton);
    EXPECT_EQ(project.LevelCount, 20);
    EXPECT_FALSE(add->isVisible()) << "no room for a 21st stage";
}

TEST_F(ScriptEditorTest, AnotherProjectGoesBackToOneStage)
{
    newLevel();
    newLevel();
    click(3);
    ASSERT_EQ(project.CurLevel, 3);
    QImage picture(200, 100, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    editor.setStagePicture(3, picture);
    EXPECT_EQ(editor.stagePicture(3)->pixmap().size(), QSize(137, 81)) << "filling its cell";

    doc.reset();
    EXPECT_EQ(project.LevelCount, 1);
    EXPECT_EQ(project.SelLevel, 1);
    EXPECT_EQ(project.CurLevel, 1);
    EXPECT_FALSE(editor.stageCaption(2)->isVisible());
    EXPECT_FALSE(editor.stageCaption(3)->isVisible());
    EXPECT_FALSE(button(3)->isVisible());
    EXPECT_FALSE(button(4)->isVisible());
    EXPECT_TRUE(isRed(1));
    EXPECT_FALSE(isRed(3));
    EXPECT_TRUE(editor.stagePicture(3)->pixmap().isNull());

    // A stage count set from outside (a project just read) is redrawn as is.
    doc.edit().LevelCount = 7;
    doc.selectLevel(5);
    EXPECT_EQ(project.CurLevel, 5);
    EXPECT_TRUE(isRed(5));
    EXPECT_TRUE(editor.stageCaption(7)->isVisible());
    EXPECT_EQ(button(8)->height(), ScenarioPane::kShortButtonHeight);
}

} // namespace
