#pragma once

#include "editor/events/ValueChooser.h"

#include <QDialog>
#include <QString>

#include <array>

class QLineEdit;
class QPushButton;

namespace kestrava::editor {

// "Редактор значения": a keypad that builds the readable text of a value.
// The field shows KeypadText; "объект" opens the value chooser, which appends
// a word. "Да" accepts keeping the text, "Нет" rejects.
class ValueKeypadDialog : public QDialog {
    Q_OBJECT
public:
    ValueKeypadDialog(ValueChooserSetup setup, const QString& text, QWidget* parent = nullptr);

    QString KeypadText;

    QLineEdit* Edit1 = nullptr;
    std::array<QPushButton*, 10> ButtonDigit{};   // "0".."9"
    QPushButton* ButtonOpen = nullptr;            // "("
    QPushButton* ButtonClose = nullptr;           // ")"
    QPushButton* ButtonPlus = nullptr;
    QPushButton* ButtonMinus = nullptr;
    QPushButton* ButtonDivide = nullptr;
    QPushButton* ButtonMultiply = nullptr;
    QPushButton* ButtonDelete = nullptr;          // "удалить"
    QPushButton* ButtonClear = nullptr;           // "очистить"
    QPushButton* ButtonAbs = nullptr;             // "модуль", disabled
    QPushButton* ButtonObject = nullptr;          // "объект"
    QPushButton* bYes = nullptr;
    QPushButton* bNo = nullptr;

    void bObjectClick();

private:
    void refresh();

    ValueChooserSetup m_setup;
};

} // namespace kestrava::editor
