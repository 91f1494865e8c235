#pragma once

#include <QSpinBox>

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

} // namespace kestrava::editor
