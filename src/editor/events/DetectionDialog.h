#pragma once

#include <QDialog>
#include <QString>

class QCheckBox;
class QSpinBox;

namespace kestrava::editor {

// "Настройка параметров обнаружения": the detection radii and the object
// detected. "Да" stores "обнаружение от MIN до MAX" in ChooserArg and
// accepts; the numbers are read from the fields.
class DetectionDialog : public QDialog {
    Q_OBJECT
public:
    explicit DetectionDialog(QWidget* parent = nullptr);

    QString ChooserArg;

    QSpinBox* seMin = nullptr;
    QSpinBox* seMax = nullptr;
    QSpinBox* seNumber = nullptr;
    // "С учетом припятствий": obstacles are not looked at yet.
    QCheckBox* CheckBox1 = nullptr;

    void acceptAnswer();
};

} // namespace kestrava::editor
