#include "ErrorCapture.h"

#include "editor/settings/TfmDisplay.h"
#include "editor/settings/TfmFeature.h"
#include "model/Project.h"
#include "support/TempAppFolder.h"

#include <QApplication>
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
    editor::TfmDisplay dialog({0, 0});
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), u"fmDisplay"_s);
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
    EXPECT_EQ(dialog.choice(), (settings::ScreenSize{0, 0}));

    dialog.EditWidth->setText(u" 120,5 "_s);
    dialog.ButtonYes->click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.choice(), (settings::ScreenSize{120, 160}));

    dialog.Radio128x128->click();
    EXPECT_FALSE(dialog.EditWidth->isEnabled());
}

TEST(GameSettings, YesGivesTheChosenSizeAndEveryOpeningStartsAtZero)
{
    QTimer::singleShot(0, [] {
        auto* feature = qobject_cast<editor::TfmFeature*>(QApplication::activeModalWidget());
        ASSERT_TRUE(feature);
        EXPECT_EQ(feature->windowTitle(), u"Свойства игры"_s);
        EXPECT_EQ(feature->ButtonSize->text(), u"размер: "_s);
        EXPECT_EQ(feature->ButtonYes->text(), u" Да"_s);
        QTimer::singleShot(0, [] {
            auto* display = qobject_cast<editor::TfmDisplay*>(QApplication::activeModalWidget());
            ASSERT_TRUE(display);
            display->Radio128x176->click();
            display->ButtonYes->click();
        });
        feature->ButtonSize->click();
        EXPECT_EQ(feature->ButtonSize->text(), u"размер: 128 x 176"_s);
        feature->ButtonYes->click();
    });
    EXPECT_EQ(editor::showGameSettings(nullptr), (settings::ScreenSize{128, 176}));

    // Closing by the frame gives nothing; " Да" alone gives 0 x 0.
    QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
    EXPECT_EQ(editor::showGameSettings(nullptr), std::nullopt);
    QTimer::singleShot(0, [] {
        qobject_cast<editor::TfmFeature*>(QApplication::activeModalWidget())->ButtonYes->click();
    });
    EXPECT_EQ(editor::showGameSettings(nullptr), (settings::ScreenSize{0, 0}));
}
