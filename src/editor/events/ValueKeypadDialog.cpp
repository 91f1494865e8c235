#include "editor/events/ValueKeypadDialog.h"

#include "events/Choosers.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::editor {

ValueKeypadDialog::ValueKeypadDialog(ValueChooserSetup setup, const QString& text, QWidget* parent)
    : QDialog(parent), KeypadText(text), m_setup(std::move(setup))
{
    setObjectName(u"fmEditValue"_s);
    setWindowTitle(u"Редактор значения"_s);

    auto* label = new QLabel(u"Введите значение"_s, this);
    label->setObjectName(u"Label1"_s);
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(u"Edit1"_s);
    Edit1->setReadOnly(true);
    Edit1->setMinimumWidth(260);
    label->setBuddy(Edit1);

    const auto makeButton = [this](const QString& caption, const QString& name) {
        auto* button = new QPushButton(caption, this);
        button->setObjectName(name);
        button->setAutoDefault(false);
        return button;
    };
    const auto pressing = [this](QPushButton* button, events::KeypadButton key, QChar digit = {}) {
        connect(button, &QPushButton::clicked, this, [this, key, digit] {
            events::keypadPress(KeypadText, key, digit);
            refresh();
        });
    };
    for (int d = 0; d <= 9; ++d) {
        ButtonDigit[d] = makeButton(QString::number(d), u"Button%1"_s.arg(d));
        pressing(ButtonDigit[d], events::KeypadButton::Digit, QChar(u'0' + d));
    }
    struct Key {
        QPushButton* ValueKeypadDialog::*button;
        QString caption;
        const char* name;
        events::KeypadButton key;
    };
    const Key operators[] = {
        {&ValueKeypadDialog::ButtonOpen, u"("_s, "ButtonOpen", events::KeypadButton::OpenBracket},
        {&ValueKeypadDialog::ButtonClose, u")"_s, "ButtonClose", events::KeypadButton::CloseBracket},
        {&ValueKeypadDialog::ButtonPlus, u"+"_s, "ButtonPlus", events::KeypadButton::Plus},
        {&ValueKeypadDialog::ButtonMinus, u"-"_s, "ButtonMinus", events::KeypadButton::Minus},
        {&ValueKeypadDialog::ButtonDivide, u"/"_s, "ButtonDivide", events::KeypadButton::Divide},
        {&ValueKeypadDialog::ButtonMultiply, u"*"_s, "ButtonMultiply", events::KeypadButton::Multiply},
        {&ValueKeypadDialog::ButtonDelete, u"удалить"_s, "ButtonDelete", events::KeypadButton::Delete},
        {&ValueKeypadDialog::ButtonClear, u"очистить"_s, "ButtonClear", events::KeypadButton::Clear},
    };
    for (const Key& k : operators) {
        this->*k.button = makeButton(k.caption, QString::fromLatin1(k.name));
        pressing(this->*k.button, k.key);
    }
    // It would write "abs ", which the translator cannot read into Java.
    ButtonAbs = makeButton(u"модуль"_s, u"ButtonAbs"_s);
    ButtonAbs->setEnabled(false);
    ButtonObject = makeButton(u"объект"_s, u"ButtonObject"_s);
    connect(ButtonObject, &QPushButton::clicked, this, &ValueKeypadDialog::bObjectClick);
    bYes = makeButton(u"Да"_s, u"bYes"_s);
    bYes->setDefault(true);
    connect(bYes, &QPushButton::clicked, this, &QDialog::accept);
    bNo = makeButton(u"Нет"_s, u"bNo"_s);
    connect(bNo, &QPushButton::clicked, this, &QDialog::reject);

    auto* keys = new QGridLayout;
    QPushButton* const grid[4][5] = {
        {ButtonDigit[7], ButtonDigit[8], ButtonDigit[9], ButtonOpen, ButtonClose},
        {ButtonDigit[4], ButtonDigit[5], ButtonDigit[6], ButtonPlus, ButtonMinus},
        {ButtonDigit[1], ButtonDigit[2], ButtonDigit[3], ButtonDivide, ButtonMultiply},
        {ButtonDigit[0], ButtonDelete, ButtonClear, ButtonAbs, ButtonObject},
    };
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < 5; ++column)
            keys->addWidget(grid[row][column], row, column);
    auto* answers = new QHBoxLayout;
    answers->addStretch();
    answers->addWidget(bYes);
    answers->addWidget(bNo);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(Edit1);
    layout->addLayout(keys);
    layout->addLayout(answers);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    refresh();
}

void ValueKeypadDialog::bObjectClick()
{
    ValueChooser chooser(m_setup, KeypadText, this);
    if (chooser.exec() == QDialog::Accepted)
        KeypadText = chooser.KeypadText;
    refresh();
}

void ValueKeypadDialog::refresh()
{
    Edit1->setText(KeypadText);
}

} // namespace kestrava::editor
