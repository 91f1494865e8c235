#include "ErrorCapture.h"
#include "editor/events/TargetObjectDialog.h"
#include "editor/events/MadeObjectDialog.h"
#include "editor/events/ParameterDialogs.h"
#include "catalogue/Item.h"
#include "editor/events/CompareTwoValuesDialog.h"
#include "editor/events/CompareValueDialog.h"
#include "editor/events/ValueKeypadDialog.h"
#include "editor/events/ValueDialog.h"
#include "editor/events/PhoneKeyDialog.h"
#include "editor/events/TimerConditionDialog.h"
#include "editor/events/ValueChooser.h"

#include <QAction>
#include <QComboBox>
#include <QSpinBox>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <functional>

using namespace Qt::Literals::StringLiterals;
using namespace kestrava;
using namespace kestrava::editor;

namespace {

std::string s(const QString& text) { return text.toStdString(); }

void click(QAbstractButton* button) { QTest::mouseClick(button, Qt::LeftButton); }

// On its indicator: a radio button wider than its caption ignores clicks past it.
void choose(QRadioButton* radio) { QTest::mouseClick(radio, Qt::LeftButton, {}, QPoint(6, radio->height() / 2)); }

// Answers the next modal dialog of type D once its exec() runs.
template <class D>
void whenOpened(std::function<void(D&)> answer)
{
    QTimer::singleShot(0, [answer] {
        auto* dialog = qobject_cast<D*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        answer(*dialog);
    });
}

QAction* actionIn(const QMenu* menu, const QString& text)
{
    for (QAction* action : menu->actions())
        if (action->text() == text)
            return action;
    return nullptr;
}

TEST(ValueDialogs, CompareTwoValuesStoresReadableTextAndJava)
{
    CompareTwoValuesDialog dialog;
    EXPECT_EQ(dialog.windowTitle(), u"Сравнение с глобальным значением"_s);
    EXPECT_TRUE(dialog.RadioButton[0]->isChecked());
    dialog.show();
    QTest::keyClicks(dialog.Edit2, u"5"_s);
    dialog.Edit1->setText(u"часы"_s);
    choose(dialog.RadioButton[2]);
    click(dialog.bYes);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(s(dialog.ChooserArg), "часы>5");
    EXPECT_EQ(s(dialog.ChooserArgCode), "obtime_hour>5");
    EXPECT_EQ(s(dialog.FirstCode), "obtime_hour");
    EXPECT_EQ(s(dialog.Operator), ">");

    CompareValueDialog one;
    one.show();
    choose(one.RadioButton[5]);
    one.Edit1->setText(u" Х[объект1] + 2"_s);
    click(one.bYes);
    EXPECT_EQ(s(one.ChooserArg), "<= Х[объект1] + 2");
    EXPECT_EQ(s(one.ChooserArgCode), "<=obj[1].getX()+2");
}

TEST(ValueDialogs, UnreadableOrEmptyValueKeepsTheDialogOpenAndStoresNothing)
{
    test::ErrorCapture errors;
    CompareTwoValuesDialog dialog;
    dialog.show();
    dialog.Edit1->setText(u"часы"_s);
    dialog.Edit2->setText(u"5,5"_s);
    click(dialog.bYes);
    ASSERT_EQ(errors.messages.size(), 1);
    EXPECT_TRUE(errors.messages[0].contains(u"«,5»"_s)) << s(errors.messages[0]);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(dialog.ChooserArg.isEmpty());
    EXPECT_TRUE(dialog.ChooserArgCode.isEmpty());
    EXPECT_TRUE(dialog.FirstCode.isEmpty()) << "the readable first value is not kept half way";

    dialog.Edit2->clear();
    click(dialog.bYes);
    ASSERT_EQ(errors.messages.size(), 2);
    EXPECT_EQ(s(errors.messages[1]), "Введите второе значение.");
    EXPECT_TRUE(dialog.isVisible());

    ValueDialog value;
    value.show();
    value.Edit1->setText(u"кот"_s);
    click(value.bYes);
    EXPECT_EQ(errors.messages.size(), 3);
    EXPECT_TRUE(value.isVisible());
    EXPECT_TRUE(value.ValueText.isEmpty());
    EXPECT_TRUE(value.ValueCode.isEmpty());
}

TEST(ValueDialogs, EnterValueYesAndNo)
{
    ValueDialog no;
    no.show();
    no.Edit1->setText(u"жизни - 1"_s);
    click(no.bNo);
    EXPECT_EQ(no.result(), QDialog::Rejected);
    EXPECT_FALSE(no.isVisible());
    EXPECT_TRUE(no.ValueText.isEmpty());
    EXPECT_TRUE(no.ValueCode.isEmpty());

    ValueDialog yes;
    yes.show();
    yes.Edit1->setText(u"жизни - 1"_s);
    click(yes.bYes);
    EXPECT_EQ(yes.result(), QDialog::Accepted);
    EXPECT_EQ(s(yes.ValueText), "жизни - 1");
    EXPECT_EQ(s(yes.ValueCode), "life-1");
}

TEST(ValueDialogs, KeyChooserStoresTheClickedKeyOnly)
{
    PhoneKeyDialog dialog;
    EXPECT_EQ(dialog.Keys.size(), 19);
    QPushButton* five = dialog.findChild<QPushButton*>(u"Key_5"_s);
    ASSERT_NE(five, nullptr);
    EXPECT_EQ(five->geometry(), QRect(56, 160, 25, 25));
    EXPECT_EQ(five->accessibleName(), u"клавиша 5"_s);
    dialog.show();
    click(five);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(s(dialog.KeyName), "5");
    EXPECT_EQ(s(dialog.KeyCode), "53");

    PhoneKeyDialog closed;
    closed.show();
    closed.close();
    EXPECT_EQ(closed.result(), QDialog::Rejected);
    EXPECT_TRUE(closed.KeyName.isEmpty());
    EXPECT_TRUE(closed.KeyCode.isEmpty());
}

TEST(ValueDialogs, KeypadBuildsTextAndEditButtonPutsItBackOnlyOnYes)
{
    ValueKeypadDialog keypad({}, u"2"_s, nullptr);
    EXPECT_FALSE(keypad.ButtonAbs->isEnabled());
    EXPECT_TRUE(keypad.Edit1->isReadOnly());
    keypad.show();
    for (QPushButton* b : {keypad.ButtonOpen, keypad.ButtonDigit[1], keypad.ButtonPlus, keypad.ButtonDigit[0],
                           keypad.ButtonClose, keypad.ButtonMultiply, keypad.ButtonDelete})
        click(b);
    EXPECT_EQ(s(keypad.Edit1->text()), "2(1 + 0) *");
    click(keypad.ButtonClear);
    EXPECT_TRUE(keypad.Edit1->text().isEmpty());

    CompareTwoValuesDialog dialog;
    dialog.show();
    dialog.Edit1->setText(u"скорость"_s);
    whenOpened<ValueKeypadDialog>([](ValueKeypadDialog& opened) {
        EXPECT_EQ(s(opened.Edit1->text()), "скорость") << "the keypad starts with the field's text";
        click(opened.ButtonMinus);
        click(opened.ButtonDigit[3]);
        click(opened.bNo);
    });
    click(dialog.bEdit1);
    EXPECT_EQ(s(dialog.Edit1->text()), "скорость");

    whenOpened<ValueKeypadDialog>([](ValueKeypadDialog& opened) {
        click(opened.ButtonMinus);
        click(opened.ButtonDigit[3]);
        click(opened.bYes);
    });
    click(dialog.bEdit1);
    EXPECT_EQ(s(dialog.Edit1->text()), "скорость - 3");
    EXPECT_TRUE(dialog.isVisible()) << "the comparison stays open for the rest";
}

TEST(ValueDialogs, ObjectIconsNameTheirObjectInTheWord)
{
    ValueChooser chooser({}, u"1 +"_s);
    EXPECT_EQ(chooser.windowTitle(), u"Выбор значения"_s);
    EXPECT_EQ(chooser.ObjectNumber, 0);
    for (int icon = 1; icon <= ValueChooser::kIconCount; ++icon)
        EXPECT_FALSE(chooser.Image[icon]->accessibleName().isEmpty()) << icon;
    chooser.show();

    QTest::mousePress(chooser.Image[9], Qt::RightButton, {}, QPoint(2, 30));
    EXPECT_EQ(chooser.ObjectNumber, 2);
    QTest::mousePress(chooser.Image[11], Qt::LeftButton, {}, QPoint(16, 16));
    EXPECT_EQ(chooser.ObjectNumber, 2) << "icon 11 keeps the number";
    EXPECT_TRUE(chooser.PopupMenu->isVisible());

    QAction* moving = actionIn(chooser.PopupMenu, u"Движение"_s);
    ASSERT_TRUE(moving && moving->menu());
    EXPECT_TRUE(moving->isEnabled());
    EXPECT_TRUE(actionIn(moving->menu(), u"Разгон"_s)->isEnabled());
    QAction* position = actionIn(chooser.PopupMenu, u"Текущая позиция "_s);
    ASSERT_TRUE(position && position->menu());
    QAction* x = actionIn(position->menu(), u"Х-координата"_s);
    ASSERT_NE(x, nullptr);
    x->trigger();
    EXPECT_EQ(s(chooser.KeypadText), "1 + Х[объект2] ");
    EXPECT_EQ(chooser.result(), QDialog::Accepted);
    EXPECT_FALSE(chooser.PopupMenu->isVisible());

    ValueChooser fixed({}, QString());
    fixed.show();
    QTest::mousePress(fixed.Image[1], Qt::LeftButton);
    QAction* random = actionIn(fixed.PopupMenu, u"Генерирование случайного числа"_s);
    ASSERT_NE(random, nullptr);
    EXPECT_FALSE(actionIn(fixed.PopupMenu, u"Конвертирование числа в строку"_s)->isEnabled());
    QTest::mousePress(fixed.Image[10], Qt::LeftButton);
    EXPECT_EQ(fixed.ObjectNumber, 3);
    EXPECT_EQ(actionIn(fixed.PopupMenu, u"Генерирование случайного числа"_s), nullptr) << "menus do not pile up";
    fixed.PopupMenu->close();
}

} // namespace

TEST(ValueDialogs, NoneIsTitledWithTheNameOfItsForm)
{
    const CompareValueDialog compare;
    const ValueDialog value;
    const PhoneKeyDialog key;
    const TimerConditionDialog timer;
    const TargetObjectDialog number;
    const ValueChooser chooser({}, QString());
    const QDialog* dialogs[] = {&compare, &value, &key, &timer, &number, &chooser};
    QStringList titles;
    for (const QDialog* dialog : dialogs) {
        const QString title = dialog->windowTitle();
        EXPECT_FALSE(title.isEmpty()) << title.toStdString();
        EXPECT_FALSE(title.startsWith(u"fm"_s, Qt::CaseInsensitive)) << title.toStdString();
        EXPECT_FALSE(title.contains(u'_')) << title.toStdString();
        titles << title;
    }
    EXPECT_EQ(titles, (QStringList{u"Сравнение значения"_s, u"Введите значение"_s, u"Выбор клавиши"_s,
                                   u"Настройка таймера"_s, u"Номер объекта"_s, u"Выбор значения"_s}));
}

// "создать объект": what the dialog is given becomes the item's values and its caption, and "изменить…" opens
// on them; a speed only counts with a direction.
TEST(ValueDialogs, AnObjectMadeIsAskedAndEditedInItsDialog)
{
    const catalogue::Item& item = *catalogue::actionAt(4, u"создать объект/у объекта…"_s);
    catalogue::Values values;
    whenOpened<MadeObjectDialog>([](MadeObjectDialog& d) {
        EXPECT_FALSE(d.seSpeed->isEnabled());
        // Each number is named as the stage has it, as it changes.
        QLabel* made = d.findChild<QLabel*>(u"lGroupName"_s);
        QLabel* near = d.findChild<QLabel*>(u"lNearName"_s);
        ASSERT_TRUE(made && near);
        d.seNear->setValue(2);
        EXPECT_EQ(near->text(), u"группа 2"_s);
        d.seGroup->setValue(3);
        d.seNear->setValue(1);
        EXPECT_EQ(made->text(), u"группа 3"_s);
        EXPECT_EQ(near->text(), u"группа 1"_s);
        d.seX->setValue(16);
        d.seY->setValue(-4);
        d.cbDirection->setCurrentIndex(1);
        EXPECT_TRUE(d.seSpeed->isEnabled());
        d.seSpeed->setValue(6);
        click(d.findChild<QPushButton*>(u"bYes"_s));
    });
    ValueChooserSetup named;
    named.groupName = [](int group) { return u"группа %1"_s.arg(group); };
    ASSERT_TRUE(askParameters(nullptr, named, item, values, false));
    const catalogue::Built made = catalogue::build(item, values);
    EXPECT_EQ(s(made.caption), "создать объект 3 у объекта 1 (16, -4), вправо, скорость 6");
    EXPECT_EQ(s(made.code), "{make(3,gr_obj[1][kr1],16,-4,1,6);}");
    EXPECT_EQ(made.objects, QStringList{u"1"_s});

    whenOpened<MadeObjectDialog>([](MadeObjectDialog& d) {
        EXPECT_EQ(d.seGroup->value(), 3);
        EXPECT_EQ(d.seY->value(), -4);
        EXPECT_EQ(d.seSpeed->value(), 6);
        d.cbDirection->setCurrentIndex(0); // stands where it is made
        click(d.findChild<QPushButton*>(u"bYes"_s));
    });
    ASSERT_TRUE(askParameters(nullptr, {}, item, values, true));
    EXPECT_EQ(s(catalogue::build(item, values).caption), "создать объект 3 у объекта 1 (16, -4)");
    // Closed without "Да": nothing changes.
    whenOpened<MadeObjectDialog>([](MadeObjectDialog& d) { d.reject(); });
    const catalogue::Values kept = values;
    EXPECT_FALSE(askParameters(nullptr, {}, item, values, true));
    EXPECT_EQ(values, kept);
}
