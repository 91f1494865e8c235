#pragma once

#include "settings/ScreenSize.h"

#include <QDialog>

class QLineEdit;
class QPushButton;
class QRadioButton;

namespace kestrava::editor {

// The size dialog ("fmDisplay"): 128 x 128, 128 x 176 or a size of one's own.
class TfmDisplay : public QDialog {
    Q_OBJECT
public:
    // choice: the size chosen so far, changed by "Да".
    explicit TfmDisplay(settings::ScreenSize choice, QWidget* parent = nullptr);

    settings::ScreenSize choice() const { return m_choice; }

    QRadioButton* Radio128x128 = nullptr;
    QRadioButton* Radio128x176 = nullptr;
    QRadioButton* RadioOwn = nullptr;
    QLineEdit* EditWidth = nullptr;
    QLineEdit* EditHeight = nullptr;
    QPushButton* ButtonYes = nullptr;

private:
    void yes();

    settings::ScreenSize m_choice;
};

} // namespace kestrava::editor
