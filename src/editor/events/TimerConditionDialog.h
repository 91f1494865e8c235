#pragma once

#include <QDialog>
#include <QString>

class QLineEdit;
class QPushButton;

namespace kestrava::editor {

// "Настройка таймера": a time in minutes, seconds and hundredths, each a real
// number. "Да" stores the fields as typed in ChooserArg ("1/30/0") and the
// total in ms in ChooserTime; an empty, unreadable or negative field is
// shown and the dialog stays open.
class TimerConditionDialog : public QDialog {
    Q_OBJECT
public:
    explicit TimerConditionDialog(QWidget* parent = nullptr);

    QString ChooserArg;
    int ChooserTime = 0;

    QLineEdit* Edit1 = nullptr; // "минут"
    QLineEdit* Edit2 = nullptr; // "секунд"
    QLineEdit* Edit3 = nullptr; // "сотых"
    QPushButton* bYes = nullptr;
    QPushButton* bNo = nullptr;

    void acceptAnswer();
};

} // namespace kestrava::editor
