#pragma once

#include "settings/ScreenSize.h"

#include <QDialog>

#include <optional>

class QPushButton;

namespace kestrava::editor {

// "Свойства игры": the size of the phone screen the game is made for.
class TfmFeature : public QDialog {
    Q_OBJECT
public:
    // current: the project's screen, which the dialog starts from.
    explicit TfmFeature(settings::ScreenSize current, QWidget* parent = nullptr);

    // The size chosen so far.
    int ScreenHeightChoice = 0;
    int ScreenWidthChoice = 0;

    QPushButton* ButtonSize = nullptr; // "размер: 176 x 208"
    QPushButton* ButtonYes = nullptr;  // " Да"
};

// "Настройки игры": runs the game properties dialog from the project's
// screen `current`; the size " Да" took, nothing when it was closed otherwise.
std::optional<settings::ScreenSize> showGameSettings(QWidget* parent, settings::ScreenSize current);

} // namespace kestrava::editor
