#pragma once

#include "editor/events/ValueChooser.h"

#include <QDialog>
#include <QString>

#include <array>

class QLineEdit;
class QPushButton;
class QRadioButton;

namespace kestrava::editor {

// "Сравнение с глобальным значением": two values and how they relate. "Да"
// translates both; the readable comparison goes to ChooserArg, its Java to
// ChooserArgCode. An unreadable value is shown and nothing is stored.
class CompareTwoValuesDialog : public QDialog {
    Q_OBJECT
public:
    explicit CompareTwoValuesDialog(const ValueChooserSetup& setup = {}, QWidget* parent = nullptr);

    QString FirstCode;
    QString SecondCode;
    QString Operator;
    QString ResultCode;
    QString ChooserArg;
    QString ChooserArgCode;

    QLineEdit* Edit1 = nullptr;
    QLineEdit* Edit2 = nullptr;
    std::array<QRadioButton*, 6> RadioButton{};
    QPushButton* bEdit1 = nullptr;
    QPushButton* bEdit2 = nullptr;
    QPushButton* bYes = nullptr;
    QPushButton* bNo = nullptr;

    void acceptAnswer();

private:
    QList<model::GameVariableData> m_variables;
};

} // namespace kestrava::editor
