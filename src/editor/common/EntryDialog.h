#pragma once

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <initializer_list>
#include <limits>

namespace kestrava::editor {

// A whole-number field without bounds, starting at 0, as the entry dialogs use.
inline QSpinBox* makeNumberField(QWidget* parent)
{
    auto* field = new QSpinBox(parent);
    field->setRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    field->setValue(0);
    field->setMinimumWidth(120);
    return field;
}

// Lays out a small entry dialog: its controls one under the other, then
// "Да", which calls onYes (the Enter key answers it too).
template <class OnYes>
void layOutEntryDialog(QDialog* dialog, std::initializer_list<QWidget*> controls, OnYes onYes)
{
    auto* yes = new QPushButton(QStringLiteral("Да"), dialog);
    yes->setObjectName(QStringLiteral("bYes"));
    yes->setDefault(true);
    QObject::connect(yes, &QPushButton::clicked, dialog, onYes);

    auto* layout = new QVBoxLayout(dialog);
    for (QWidget* control : controls)
        layout->addWidget(control);
    layout->addWidget(yes, 0, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

// A one-number dialog: a label, the number field and "Да". Returns the field.
template <class OnYes>
QSpinBox* buildNumberDialog(QDialog* dialog, const QString& labelText, OnYes onYes)
{
    auto* label = new QLabel(labelText, dialog);
    label->setObjectName(QStringLiteral("Label1"));
    QSpinBox* field = makeNumberField(dialog);
    field->setObjectName(QStringLiteral("seNumber"));
    label->setBuddy(field);
    layOutEntryDialog(dialog, {label, field}, onYes);
    return field;
}

} // namespace kestrava::editor
