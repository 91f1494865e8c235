#include "editor/events/CompareValueDialog.h"

#include "editor/events/ValueFields.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::editor {

CompareValueDialog::CompareValueDialog(const ValueChooserSetup& setup, QWidget* parent) : QDialog(parent), m_variables(setup.variables)
{
    setObjectName(u"fmCompare_one"_s);
    setWindowTitle(u"Сравнение значения"_s);

    QGroupBox* relation = makeRelationBox(this, RadioButton);
    QGroupBox* value = makeValueBox(this, u"Введите значение"_s, setup, Edit1, bEdit1);
    value->setObjectName(u"GroupBox1"_s);
    Edit1->setObjectName(u"Edit1"_s);
    bEdit1->setObjectName(u"bEdit1"_s);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(relation);
    layout->addWidget(value);
    bYes = addAnswerButtons(this, layout, bNo);
    connect(bYes, &QPushButton::clicked, this, &CompareValueDialog::acceptAnswer);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void CompareValueDialog::acceptAnswer()
{
    const auto code = translateField(this, Edit1, u"Введите значение."_s, m_variables);
    if (!code)
        return;
    const QString op = checkedOperator(RadioButton);
    ChooserArg = op + Edit1->text();
    ChooserArgCode = op + *code;
    accept();
}

} // namespace kestrava::editor
