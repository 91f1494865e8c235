#pragma once

#include "model/GameValues.h"

#include <QDialog>

class QPushButton;
class QTableWidget;

namespace kestrava::editor {

// "Переменные": the score, which every game has, and the author's variables:
// name, start value and whether each stage starts it again. "Да" closes only
// when catalogue::variablesProblem finds nothing, and says what it found.
class VariablesDialog : public QDialog {
    Q_OBJECT
public:
    VariablesDialog(const QList<model::GameVariableData>& variables, int nextId, QWidget* parent = nullptr);

    // A new row with a free name, its name cell being edited.
    void addVariable();
    // The selected row, never the score's.
    void removeSelected();

    // What the rows say, in their order, and the next id to give.
    QList<model::GameVariableData> chosen() const;
    int nextId() const { return m_nextId; }

    QTableWidget* Table = nullptr;
    QPushButton* ButtonAdd = nullptr;
    QPushButton* ButtonRemove = nullptr;
    QPushButton* ButtonYes = nullptr;
    QPushButton* ButtonNo = nullptr;

private:
    void addRow(const model::GameVariableData& variable, bool score);
    void acceptAnswer();

    QList<int> m_ids; // of the rows after the score's
    int m_nextId;
};

// Runs the dialog on the project's variables; what "Да" took, nothing otherwise.
struct ChosenVariables {
    QList<model::GameVariableData> variables;
    int nextId = 1;
};
std::optional<ChosenVariables> showVariables(QWidget* parent, const QList<model::GameVariableData>& variables,
                                             int nextId);

} // namespace kestrava::editor
