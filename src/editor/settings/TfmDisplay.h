#pragma once

#include "settings/ScreenSize.h"

#include <QDialog>

#include <functional>

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
    // Where a bad size box is reported: the standard error box unless replaced.
    void setErrorSink(std::function<void(const QString&)> sink);

    QRadioButton* Radio128x128 = nullptr;
    QRadioButton* Radio128x176 = nullptr;
    QRadioButton* RadioOwn = nullptr;
    QLineEdit* EditWidth = nullptr;
    QLineEdit* EditHeight = nullptr;
    QPushButton* ButtonYes = nullptr;

private:
    void yes();

    settings::ScreenSize m_choice;
    std::function<void(const QString&)> m_sink;
};

} // namespace kestrava::editor
