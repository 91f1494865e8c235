#include "editor/events/CompareTwoValuesDialog.h"

#include "editor/events/ValueFields.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::editor {

CompareTwoValuesDialog::CompareTwoValuesDialog(const ValueChooserSetup& setup, QWidget* parent) : QDialog(parent), m_variables(setup.variables)
{
    setObjectName(u"fmCompare1"_s);
    setWindowTitle(u"Сравнение с глобальным значением"_s);

    QGroupBox* first = makeValueBox(this, u"Введите первое значение"_s, setup, Edit1, bEdit1);
    first->setObjectName(u"GroupBox1"_s);
    Edit1->setObjectName(u"Edit1"_s);
    bEdit1->setObjectName(u"bEdit1"_s);
    QGroupBox* relation = makeRelationBox(this, RadioButton);
    QGroupBox* second = makeValueBox(this, u"Введите второе значение"_s, setup, Edit2, bEdit2);
    second->setObjectName(u"GroupBox3"_s);
    Edit2->setObjectName(u"Edit2"_s);
    bEdit2->setObjectName(u"bEdit2"_s);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(first);
    layout->addWidget(relation);
    layout->addWidget(second);
    bYes = addAnswerButtons(this, layout, bNo);
    connect(bYes, &QPushButton::clicked, this, &CompareTwoValuesDialog::acceptAnswer);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void CompareTwoValuesDialog::acceptAnswer()
{
    const auto first = translateField(this, Edit1, u"Введите первое значение."_s, m_variables);
    if (!first)
        return;
    const auto second = translateField(this, Edit2, u"Введите второе значение."_s, m_variables);
    if (!second)
        return;
    FirstCode = *first;
    SecondCode = *second;
    Operator = checkedOperator(RadioButton);
    ResultCode = FirstCode + Operator + SecondCode;
    ChooserArg = Edit1->text() + Operator + Edit2->text();
    ChooserArgCode = ResultCode;
    accept();
}

} // namespace kestrava::editor
