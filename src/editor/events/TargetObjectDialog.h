#pragma once

#include <QDialog>

class QSpinBox;

namespace kestrava::editor {

// "Введите номер объекта": the target object of an action. "Да" stores the
// number in Result; closing otherwise leaves Result at 0.
class TargetObjectDialog : public QDialog {
    Q_OBJECT
public:
    explicit TargetObjectDialog(QWidget* parent = nullptr);

    int Result = 0;

    QSpinBox* seNumber() const { return m_seNumber; }

private:
    void acceptAnswer();

    QSpinBox* m_seNumber;
};

} // namespace kestrava::editor
