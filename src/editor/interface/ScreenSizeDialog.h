#pragma once

#include "model/ScreenChoice.h"

#include <QDialog>

#include <vector>

class QLineEdit;
class QPushButton;
class QRadioButton;

namespace kestrava::editor {

// The size dialog ("fmDisplay"): the common handset screens or a size of one's own.
class ScreenSizeDialog : public QDialog {
    Q_OBJECT
public:
    // choice: the size chosen so far, shown chosen when the dialog opens and changed by "Да".
    explicit ScreenSizeDialog(model::ScreenSize choice, QWidget* parent = nullptr);

    model::ScreenSize choice() const { return m_choice; }

    // One a handset screen, in the order of model::handsetScreens().
    std::vector<QRadioButton*> RadioHandset;
    QRadioButton* RadioOwn = nullptr;
    QLineEdit* EditWidth = nullptr;
    QLineEdit* EditHeight = nullptr;
    QPushButton* ButtonYes = nullptr;

private:
    void yes();

    model::ScreenSize m_choice;
};

} // namespace kestrava::editor
