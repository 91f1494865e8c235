#include "editor/events/ValueDialog.h"

#include "editor/events/ValueFields.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::editor {

ValueDialog::ValueDialog(const ValueChooserSetup& setup, QWidget* parent) : QDialog(parent), m_variables(setup.variables)
{
    setObjectName(u"fmEnter_value"_s);
    setWindowTitle(u"Введите значение"_s);

    QGroupBox* value = makeValueBox(this, u"Введите значение"_s, setup, Edit1, bEdit1);
    value->setObjectName(u"GroupBox1"_s);
    Edit1->setObjectName(u"Edit1"_s);
    bEdit1->setObjectName(u"bEdit1"_s);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(value);
    bYes = addAnswerButtons(this, layout, bNo);
    connect(bYes, &QPushButton::clicked, this, &ValueDialog::acceptAnswer);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void ValueDialog::acceptAnswer()
{
    const auto code = translateField(this, Edit1, u"Введите значение."_s, m_variables);
    if (!code)
        return;
    ValueCode = *code;
    ValueText = Edit1->text();
    accept();
}

} // namespace kestrava::editor
