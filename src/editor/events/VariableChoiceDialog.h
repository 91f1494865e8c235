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
    // ids[i] is the id of names[i].
    VariableChoiceDialog(const QStringList& names, const QList<int>& ids, QWidget* parent = nullptr);

    // Picks the variable of that id when the list has it.
    void choose(int id);

    int ChosenId = 0;
    QString ChosenName;

    QComboBox* cbVariable = nullptr;
    QPushButton* bYes = nullptr;
    QPushButton* bNo = nullptr;

private:
    QList<int> m_ids;
};

} // namespace kestrava::editor
