#include "editor/events/TargetObjectDialog.h"
#include "editor/events/CollisionObjectDialog.h"
#include "editor/events/GroupNameDialog.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include <gtest/gtest.h>


using namespace Qt::Literals::StringLiterals;
using namespace kestrava::editor;

namespace {

QPushButton* yesButton(QDialog& dialog)
{
    auto* yes = dialog.findChild<QPushButton*>(u"bYes"_s);
    EXPECT_NE(yes, nullptr);
    if (yes)
        EXPECT_EQ(yes->text(), u"Да"_s);
    return yes;
}

bool hasLabel(const QDialog& dialog, const QString& text)
{
    for (const QLabel* label : dialog.findChildren<QLabel*>())
        if (label->text() == text)
            return true;
    return false;
}

// Types a number into the field as the author would.
void typeNumber(QSpinBox* field, const QString& text)
{
    field->selectAll();
    QTest::keyClicks(field, text);
    field->interpretText();
}

TEST(EntryDialogsTest, ObjectNumberForTheConditionChooser)
{
    CollisionObjectDialog dialog;
    EXPECT_EQ(dialog.windowTitle(), u"Номер объекта"_s);
    EXPECT_TRUE(hasLabel(dialog, u"Номер объекта"_s));
    EXPECT_EQ(dialog.seNumber()->value(), 0);
    dialog.show();
    typeNumber(dialog.seNumber(), u"2147483647"_s);
    QTest::mouseClick(yesButton(dialog), Qt::LeftButton);
    EXPECT_EQ(dialog.ChooserArg, u"2147483647"_s);
    EXPECT_EQ(dialog.ChooserArgCode, u"2147483647"_s);
    EXPECT_FALSE(dialog.isVisible());

    CollisionObjectDialog closed;
    closed.show();
    typeNumber(closed.seNumber(), u"7"_s);
    closed.close();
    EXPECT_TRUE(closed.ChooserArg.isEmpty());
    EXPECT_TRUE(closed.ChooserArgCode.isEmpty());
    EXPECT_EQ(closed.seNumber()->value(), 7);
}

TEST(EntryDialogsTest, GroupName)
{
    GroupNameDialog dialog;
    EXPECT_EQ(dialog.windowTitle(), u"Название группы"_s);
    auto* frame = dialog.findChild<QGroupBox*>();
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->title(), u"Введите название группы"_s);
    EXPECT_EQ(dialog.eNameGroup()->parentWidget(), frame);
    dialog.show();
    for (const QChar letter : u"Враги"_s)
        QTest::sendKeyEvent(QTest::Click, dialog.eNameGroup(), Qt::Key_unknown, QString(letter), Qt::NoModifier);
    QTest::keyClick(dialog.eNameGroup(), Qt::Key_Return);
    EXPECT_EQ(dialog.result(), QDialog::Accepted) << "Enter answers \"Да\"";
    EXPECT_EQ(dialog.name(), u"Враги"_s);
}

TEST(EntryDialogsTest, ObjectNumberForActions)
{
    TargetObjectDialog dialog;
    EXPECT_EQ(dialog.windowTitle(), u"Номер объекта"_s);
    EXPECT_TRUE(hasLabel(dialog, u"Введите номер объекта"_s));
    dialog.show();
    typeNumber(dialog.seNumber(), u"-3"_s);
    QTest::mouseClick(yesButton(dialog), Qt::LeftButton);
    EXPECT_EQ(dialog.Result, -3);

    TargetObjectDialog closed;
    closed.show();
    typeNumber(closed.seNumber(), u"9"_s);
    closed.close();
    EXPECT_EQ(closed.Result, 0);
}

} // namespace
