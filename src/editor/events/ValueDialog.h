#pragma once

#include "editor/events/ValueChooser.h"

#include <QDialog>
#include <QString>

class QLineEdit;
class QPushButton;

namespace kestrava::editor {

// "Введите значение": one value. "Да" stores its Java in ValueCode and the text
// as typed in ValueText; "Нет" leaves both empty, and so does an unreadable
// value, which is shown.
class ValueDialog : public QDialog {
    Q_OBJECT
public:
    explicit ValueDialog(const ValueChooserSetup& setup = {}, QWidget* parent = nullptr);

    QString ValueCode;
    QString ValueText;

    QLineEdit* Edit1 = nullptr;
    QPushButton* bEdit1 = nullptr;
    QPushButton* bYes = nullptr;
    QPushButton* bNo = nullptr;

    void acceptAnswer();

private:
    QList<model::GameVariableData> m_variables;
};

} // namespace kestrava::editor
