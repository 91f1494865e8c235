#include "ErrorCapture.h"

#include "editor/interface/ScreenSizeDialog.h"
#include "editor/interface/GamePropertiesDialog.h"
#include "model/Project.h"
#include "support/TempAppFolder.h"

#include <QCheckBox>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include <gtest/gtest.h>

using namespace kestrava;
using namespace Qt::Literals::StringLiterals;

TEST(GameSettings, ABadSizeBoxIsReportedAndTheDialogStaysOpen)
{
    test::ErrorCapture capture;
    const QStringList& errors = capture.messages;
    editor::ScreenSizeDialog dialog({176, 208});
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), u"Настройки игры"_s);
    // The dialog opens with the project's screen chosen.
    ASSERT_EQ(dialog.RadioHandset.size(), 5u);
    EXPECT_EQ(dialog.RadioHandset[2]->text(), u"176 x 208"_s);
    EXPECT_TRUE(dialog.RadioHandset[2]->isChecked());
    EXPECT_FALSE(dialog.EditWidth->isEnabled());
    dialog.RadioOwn->click();
    EXPECT_TRUE(dialog.EditWidth->isEnabled());
    EXPECT_TRUE(dialog.EditHeight->isEnabled());

    dialog.EditWidth->setText(u"широко"_s);
    dialog.EditHeight->setText(u"160"_s);
    dialog.ButtonYes->click();
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].contains(u"широко"_s));
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.choice(), (model::ScreenSize{176, 208}));

    dialog.EditWidth->setText(u" 120,5 "_s);
    dialog.ButtonYes->click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.choice(), (model::ScreenSize{120, 160}));

    dialog.RadioHandset[0]->click();
    EXPECT_FALSE(dialog.EditWidth->isEnabled());

    // A size of one's own opens with its own choice and boxes.
    editor::ScreenSizeDialog own({120, 160});
    EXPECT_TRUE(own.RadioOwn->isChecked());
    EXPECT_EQ(own.EditWidth->text(), u"120"_s);
    EXPECT_EQ(own.EditHeight->text(), u"160"_s);
    EXPECT_TRUE(own.EditHeight->isEnabled());
}

TEST(GameSettings, YesGivesTheChosenSizeAndEveryOpeningStartsAtTheProjectsScreen)
{
    QTimer::singleShot(0, [] {
        auto* feature = qobject_cast<editor::GamePropertiesDialog*>(QApplication::activeModalWidget());
        ASSERT_TRUE(feature);
        EXPECT_EQ(feature->windowTitle(), u"Свойства игры"_s);
        EXPECT_EQ(feature->ButtonSize->text(), u"размер: 176 x 208"_s);
        EXPECT_EQ(feature->ButtonYes->text(), u" Да"_s);
        QTimer::singleShot(0, [] {
            auto* display = qobject_cast<editor::ScreenSizeDialog*>(QApplication::activeModalWidget());
            ASSERT_TRUE(display);
            display->RadioHandset[4]->click();
            display->ButtonYes->click();
        });
        feature->ButtonSize->click();
        EXPECT_EQ(feature->ButtonSize->text(), u"размер: 240 x 320"_s);
        EXPECT_EQ(feature->EditVendor->placeholderText(), u"Kestrava"_s);
        feature->EditVendor->setText(u" Студия "_s);
        feature->EditVersion->setText(u"2.1"_s);
        EXPECT_FALSE(feature->CheckTouchButtons->isChecked());
        feature->CheckTouchButtons->setChecked(true);
        feature->ButtonYes->click();
    });
    const auto chosen = editor::showGameSettings(nullptr, {{176, 208}, {}});
    ASSERT_TRUE(chosen);
    EXPECT_TRUE(chosen->touchButtons);
    EXPECT_EQ(chosen->screen, (model::ScreenSize{240, 320}));
    EXPECT_EQ(chosen->suite, (model::GameSuiteData{u"Студия"_s, u"2.1"_s, {}}));

    // Closing by the frame gives nothing; " Да" alone keeps the project's settings.
    QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
    EXPECT_EQ(editor::showGameSettings(nullptr, {{176, 208}, {}}), std::nullopt);
    const model::GameSuiteData suite{u"Я"_s, u"1.2.3"_s, u"Игра"_s};
    QTimer::singleShot(0, [] {
        qobject_cast<editor::GamePropertiesDialog*>(QApplication::activeModalWidget())->ButtonYes->click();
    });
    const auto kept = editor::showGameSettings(nullptr, {{128, 160}, suite, {}, true});
    ASSERT_TRUE(kept);
    EXPECT_TRUE(kept->touchButtons);
    EXPECT_EQ(kept->screen, (model::ScreenSize{128, 160}));
    EXPECT_EQ(kept->suite, suite);
}

TEST(GameSettings, AVersionPhonesCannotCompareIsNamedAndTheDialogStaysOpen)
{
    test::ErrorCapture capture;
    editor::GamePropertiesDialog dialog(editor::GameSettings{{176, 208}, {}});
    dialog.show();
    dialog.EditVersion->setText(u"1.0 beta"_s);
    dialog.ButtonYes->click();
    ASSERT_EQ(capture.messages.size(), 1);
    EXPECT_TRUE(capture.messages[0].contains(u"1.0 beta"_s));
    EXPECT_TRUE(dialog.isVisible());
    dialog.EditVersion->setText(u"1.1"_s);
    dialog.ButtonYes->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST(GameSettings, AHandsetShowsItsBudgetAndAScreenOfOnesOwnTakesTheAuthors)
{
    test::ErrorCapture capture;
    editor::ScreenSizeDialog dialog({176, 208});
    dialog.show();
    EXPECT_EQ(dialog.EditJar->text(), u"300"_s);
    EXPECT_EQ(dialog.EditHeap->text(), u"2048"_s);
    EXPECT_FALSE(dialog.EditJar->isEnabled());
    dialog.RadioHandset[0]->click();
    EXPECT_EQ(dialog.EditJar->text(), u"64"_s);
    EXPECT_EQ(dialog.EditHeap->text(), u"512"_s);

    dialog.RadioOwn->click();
    EXPECT_TRUE(dialog.EditJar->isEnabled() && dialog.EditHeap->isEnabled());
    dialog.EditWidth->setText(u"200"_s);
    dialog.EditHeight->setText(u"300"_s);
    dialog.EditJar->setText(u"500"_s);
    dialog.EditHeap->setText(u"много"_s);
    dialog.ButtonYes->click();
    ASSERT_EQ(capture.messages.size(), 1);
    EXPECT_TRUE(capture.messages[0].startsWith(u"Память игры: «много» — не целое число"_s));
    // A bad box leaves the whole choice as it was.
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.choice(), (model::ScreenSize{176, 208}));
    EXPECT_EQ(dialog.ownBudget(), std::nullopt);
    dialog.EditHeap->setText(u"3000"_s);
    dialog.ButtonYes->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.choice(), (model::ScreenSize{200, 300}));
    EXPECT_EQ(dialog.ownBudget(), (model::GameBudgetData{500, 3000}));

    // "Свойства игры" opens with it, and a handset screen chosen there drops it.
    editor::GamePropertiesDialog feature(editor::GameSettings{{200, 300}, {}, model::GameBudgetData{500, 3000}});
    EXPECT_EQ(feature.LabelBudget->text(), u"Телефон: jar до 500 КБ, память игры 3000 КБ"_s);
    QTimer::singleShot(0, [] {
        auto* display = qobject_cast<editor::ScreenSizeDialog*>(QApplication::activeModalWidget());
        ASSERT_TRUE(display);
        EXPECT_TRUE(display->RadioOwn->isChecked());
        EXPECT_EQ(display->EditJar->text(), u"500"_s);
        display->RadioHandset[4]->click();
        display->ButtonYes->click();
    });
    feature.ButtonSize->click();
    EXPECT_EQ(feature.LabelBudget->text(), u"Телефон: jar до 1024 КБ, память игры 4096 КБ"_s);
    EXPECT_EQ(feature.chosen().ownBudget, std::nullopt);
}
