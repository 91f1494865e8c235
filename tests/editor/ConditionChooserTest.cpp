#include "ErrorCapture.h"
#include "MenuItem.h"

#include "document/ProjectDocument.h"
#include "editor/events/ChooserIconBox.h"
#include "editor/events/CompareValueDialog.h"
#include "editor/events/DetectionDialog.h"
#include "editor/events/ConditionChooserDialog.h"
#include "editor/events/CollisionObjectDialog.h"
#include "editor/events/TimerConditionDialog.h"
#include "support/TempAppFolder.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <functional>

using namespace kestrava;
using namespace kestrava::editor;
using namespace Qt::Literals::StringLiterals;
using D = catalogue::Parameter;

namespace {

std::string s(const QString& text) { return text.toStdString(); }

QAction* item(const QMenu* menu, const QStringList& path)
{
    return test::menuItem(menu, path);
}

// Answers the next modal dialog of type T once its exec() runs.
template <class T>
void whenOpened(std::function<void(T&)> answer)
{
    QTimer::singleShot(0, [answer] {
        auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        answer(*dialog);
    });
}

// A chooser whose stage shows a picture for active group 1 only. Parameter
// dialogs are answered by `answer` (closed when it is empty), or the real
// ones open.
class ConditionChooser : public ::testing::Test {
protected:
    ConditionChooser() : doc(tmp.app()) { doc.create(tmp.makeDir(u"лес"_s) + u"/project.prg"_s); }

    std::unique_ptr<ConditionChooserDialog> open(bool realDialogs = false)
    {
        auto chooser = std::make_unique<ConditionChooserDialog>(doc, [](int g) {
            QImage picture(16, 16, QImage::Format_RGB32);
            picture.fill(Qt::red);
            return g == 1 ? picture : QImage();
        }, u"dob"_s);
        if (!realDialogs)
            chooser->setParameterDialogs([this](const catalogue::Item& item, catalogue::Values& values) {
                asked << QList<D>(item.parameters.begin(), item.parameters.end());
                return answer ? answer(item.parameters.front(), values) : false;
            });
        chooser->show();
        return chooser;
    }

    // Presses an icon at its centre and runs a menu item.
    void run(ConditionChooserDialog& chooser, int icon, const QStringList& path, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mousePress(chooser.Image[size_t(icon)], button, {}, QPoint(16, 16));
        ASSERT_TRUE(chooser.PopupMenu->isVisible());
        QAction* action = item(chooser.PopupMenu, path);
        ASSERT_NE(action, nullptr) << s(path.join(u'/'));
        ASSERT_TRUE(action->isEnabled()) << s(path.join(u'/'));
        action->trigger();
    }

    test::TempAppFolder tmp;
    document::ProjectDocument doc;
    std::function<bool(D, catalogue::Values&)> answer;
    QList<D> asked;
};

TEST_F(ConditionChooser, IconsAreNamedButtonsAndAlwaysIsChosenAtOnce)
{
    auto chooser = open();
    EXPECT_EQ(chooser->size(), QSize(445, 257));
    EXPECT_EQ(chooser->GroupBox1->geometry(), QRect(16, 8, 345, 177));
    for (int icon = 1; icon <= 12; ++icon) {
        QToolButton* button = chooser->Image[size_t(icon)];
        EXPECT_EQ(button->geometry(), events::chooserIconRect(icon)) << icon;
        EXPECT_FALSE(button->accessibleName().isEmpty()) << icon;
        EXPECT_EQ(button->focusPolicy(), Qt::StrongFocus);
        // event1..6.bmp and event8.bmp, then the one active group of the stage.
        EXPECT_EQ(button->icon().isNull(), icon > 8) << icon;
    }
    run(*chooser, 1, {u"Всегда"_s}, Qt::RightButton);
    ASSERT_TRUE(chooser->chosen());
    EXPECT_EQ(s(chooser->chosen()->caption), "Всегда");
    EXPECT_EQ(s(chooser->chosen()->code), "(obtime>0)");
    EXPECT_EQ(chooser->result(), QDialog::Accepted);
    EXPECT_TRUE(asked.isEmpty()) << "no dialog asked";
}

TEST_F(ConditionChooser, ClosedParameterDialogsChooseNothing)
{
    test::ErrorCapture errors;
    auto chooser = open();
    int withDialog = 0;
    for (const catalogue::Item& entry : catalogue::conditionItems()) {
        if (!entry.enabled || entry.parameters.empty())
            continue;
        ++withDialog;
        asked.clear();
        run(*chooser, entry.menu, entry.path);
        EXPECT_TRUE(asked == QList<D>(entry.parameters.begin(), entry.parameters.end())) << s(entry.path.last());
        EXPECT_FALSE(chooser->chosen()) << s(entry.path.last());
        EXPECT_TRUE(chooser->isVisible());
    }
    EXPECT_EQ(withDialog, 19);
    EXPECT_TRUE(errors.messages.isEmpty());

    // Answered, the two-value comparison counts its extra step.
    answer = [](D, catalogue::Values& in) {
        in[u"AC"_s] = u"obtime_hour>5"_s;
        return true;
    };
    run(*chooser, 1, {u"Сравнение двух значений"_s});
    ASSERT_TRUE(chooser->chosen());
    EXPECT_EQ(s(chooser->chosen()->code), "(obtime_hour>5)");
    EXPECT_EQ(chooser->chosen()->extraCount, 1);
}

TEST_F(ConditionChooser, EveryWithZeroIsRefusedOnce)
{
    test::ErrorCapture errors;
    auto chooser = open();
    answer = [](D, catalogue::Values& in) {
        in[u"A"_s] = u"0/0/0"_s;
        return true;
    };
    run(*chooser, 7, {u"Каждую..."_s});
    ASSERT_EQ(errors.messages.size(), 1);
    EXPECT_TRUE(errors.messages[0].contains(u"Каждую..."_s)) << s(errors.messages[0]);
    EXPECT_FALSE(chooser->chosen());
    EXPECT_TRUE(chooser->isVisible());
    run(*chooser, 7, {u"Таймер больше значения..."_s});
    EXPECT_TRUE(chooser->chosen()) << "only the period divides by the time";
}

TEST_F(ConditionChooser, ObjectIconsNameTheirOwnObject)
{
    auto chooser = open();
    EXPECT_EQ(chooser->ChosenObject, 0);
    QTest::mousePress(chooser->Image[12], Qt::LeftButton, {}, QPoint(2, 2));
    EXPECT_EQ(chooser->ChosenObject, 5);
    chooser->PopupMenu->close();
    // The keyboard opens the menu too, naming the focused icon.
    chooser->Image[9]->setFocus();
    QTest::keyClick(chooser->Image[9], Qt::Key_Space);
    EXPECT_EQ(chooser->ChosenObject, 2);
    EXPECT_TRUE(item(chooser->PopupMenu, {u"столкновение"_s, u"с любым фоновым объектом"_s})->isEnabled());
    EXPECT_TRUE(item(chooser->PopupMenu, {u"анимация"_s, u"какая анимация проигрывается?"_s, u"атака"_s})->isEnabled());

    run(*chooser, 10, {u"режим"_s, u"спокойствие"_s});
    ASSERT_TRUE(chooser->chosen());
    EXPECT_EQ(s(chooser->chosen()->caption), "спокойствие хотя бы одного объекта 3");
    EXPECT_EQ(chooser->chosen()->objects, QStringList{u"3"_s});

    // Detecting the object itself lists it twice; the sheet's object list keeps one.
    auto detection = open();
    answer = [](D, catalogue::Values& in) {
        in[u"B"_s] = u"1"_s;
        return true;
    };
    run(*detection, 8, {u"обнаружение объекта"_s});
    ASSERT_TRUE(detection->chosen());
    EXPECT_EQ(detection->chosen()->objects, (QStringList{u"1"_s, u"1"_s}));
    EXPECT_EQ(detection->chosen()->extraCount, 1);
}

TEST_F(ConditionChooser, RealDialogsFeedTheCondition)
{
    auto coordinate = open(true);
    whenOpened<CompareValueDialog>([](CompareValueDialog& d) {
        QTest::mouseClick(d.RadioButton[3], Qt::LeftButton, {}, QPoint(6, d.RadioButton[3]->height() / 2));
        d.Edit1->setText(u"100"_s);
        QTest::mouseClick(d.bYes, Qt::LeftButton);
    });
    run(*coordinate, 9, {u"координаты"_s, u"сравнение Х-координаты объекта со значением"_s});
    ASSERT_TRUE(coordinate->chosen());
    EXPECT_EQ(s(coordinate->chosen()->caption), "Х-координата хотя бы одного объекта2 >=100");

    auto timer = open(true);
    whenOpened<TimerConditionDialog>([](TimerConditionDialog& d) { QTest::mouseClick(d.bNo, Qt::LeftButton); });
    run(*timer, 7, {u"Каждую..."_s});
    EXPECT_FALSE(timer->chosen());
    EXPECT_TRUE(timer->isVisible());

    whenOpened<CollisionObjectDialog>([](CollisionObjectDialog& d) {
        EXPECT_EQ(d.seNumber()->value(), 1) << "no object 0";
        QTest::mouseClick(d.findChild<QPushButton*>(u"bYes"_s), Qt::LeftButton);
    });
    run(*timer, 8, {u"столкновение"_s, u"с активным объектом"_s});
    ASSERT_TRUE(timer->chosen());
    EXPECT_EQ(s(timer->chosen()->caption), "столкновение 1 с 1");
}

TEST(ConditionDialogs, TimerAndDetectionSetup)
{
    test::ErrorCapture errors;
    TimerConditionDialog timer;
    timer.show();
    timer.Edit1->clear();
    QTest::mouseClick(timer.bYes, Qt::LeftButton);
    ASSERT_EQ(errors.messages.size(), 1);
    EXPECT_EQ(s(errors.messages[0]), "Поле «минут»: введите число.");
    EXPECT_TRUE(timer.isVisible());
    QTest::keyClicks(timer.Edit1, u"1,5"_s);
    timer.Edit3->setText(u"2.5"_s);
    QTest::mouseClick(timer.bYes, Qt::LeftButton);
    EXPECT_EQ(timer.result(), QDialog::Accepted);
    EXPECT_EQ(s(timer.ChooserArg), "1,5/0/2.5");
    EXPECT_EQ(timer.ChooserTime, 90025);

    DetectionDialog detection;
    detection.show();
    EXPECT_FALSE(detection.CheckBox1->isVisible());
    EXPECT_FALSE(detection.CheckBox1->isEnabled());
    EXPECT_EQ(detection.seNumber->value(), 1);
    detection.seMin->setValue(10);
    detection.seMax->setValue(50);
    QTest::mouseClick(detection.findChild<QPushButton*>(u"bYes"_s), Qt::LeftButton);
    EXPECT_EQ(detection.result(), QDialog::Accepted);
    EXPECT_EQ(s(detection.ChooserArg), "обнаружение от 10 до 50");
}

} // namespace
