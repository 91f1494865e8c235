#pragma once

#include "editor/events/ValueChooser.h"

#include <QDialog>
#include <QString>

#include <array>

class QLineEdit;
class QPushButton;
class QRadioButton;

namespace kestrava::editor {

// "Сравнение значения": a relation and one value, compared with what the condition
// names. "Да" stores operator + value as typed in ChooserArg and operator +
// its Java in ChooserArgCode; an unreadable value is shown and nothing stored.
class CompareValueDialog : public QDialog {
    Q_OBJECT
public:
    explicit CompareValueDialog(const ValueChooserSetup& setup = {}, QWidget* parent = nullptr);

    QString ChooserArg;
    QString ChooserArgCode;

    std::array<QRadioButton*, 6> RadioButton{};
    QLineEdit* Edit1 = nullptr;
    QPushButton* bEdit1 = nullptr;
    QPushButton* bYes = nullptr;
    QPushButton* bNo = nullptr;

    void acceptAnswer();

private:
    QList<model::GameVariableData> m_variables;
};

} // namespace kestrava::editor
