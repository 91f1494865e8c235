#pragma once

#include "editor/events/ValueChooser.h"

#include <QString>

#include <array>
#include <optional>

class QDialog;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QVBoxLayout;

namespace kestrava::editor {

// The parts the value dialogs share.

// A titled box holding a value field and its "Редакт." button, which opens
// the keypad on the field's text and puts the keypad's text back on "Да".
QGroupBox* makeValueBox(QDialog* dialog, const QString& title, const ValueChooserSetup& setup, QLineEdit*& field,
                        QPushButton*& editButton);

// "Выберите способ отношения": the six comparisons, "равно" checked.
QGroupBox* makeRelationBox(QDialog* dialog, std::array<QRadioButton*, 6>& radios);

// The Java operator of the checked comparison.
QString checkedOperator(const std::array<QRadioButton*, 6>& radios);

// Adds "Да" and "Нет" (which rejects) under the dialog's controls.
QPushButton* addAnswerButtons(QDialog* dialog, QVBoxLayout* layout, QPushButton*& no);

// The Java of a field, or nullopt after telling the author what is wrong
// (missing names the field: "Введите первое значение.").
std::optional<QString> translateField(QWidget* parent, const QLineEdit* field, const QString& missing,
                                      const QList<model::GameVariableData>& variables);

} // namespace kestrava::editor
