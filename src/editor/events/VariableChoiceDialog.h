#pragma once

#include "catalogue/Variables.h"

#include <QDialog>

class QComboBox;
class QPushButton;

namespace kestrava::editor {

// "Выберите переменную": the score or one of the author's variables for a
// row. "Да" stores its id and name; the list is never empty (the score is
// in every game).
class VariableChoiceDialog : public QDialog {
    Q_OBJECT
public:
    // values: catalogue::variableNames of the project.
    explicit VariableChoiceDialog(const QList<catalogue::NamedValue>& values, QWidget* parent = nullptr);

    // Picks the variable of that id when the list has it.
    void choose(int id);

    int ChosenId = 0;
    QString ChosenName;

    QComboBox* cbVariable = nullptr;
    QPushButton* bYes = nullptr;
    QPushButton* bNo = nullptr;

private:
    QList<catalogue::NamedValue> m_values;
};

} // namespace kestrava::editor
