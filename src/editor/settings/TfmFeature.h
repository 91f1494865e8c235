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
    explicit TfmFeature(QWidget* parent = nullptr);

    // The size chosen so far; 0 x 0 on every opening.
    int ScreenHeightChoice = 0;
    int ScreenWidthChoice = 0;

    QPushButton* ButtonSize = nullptr; // "размер: "
    QPushButton* ButtonYes = nullptr;  // " Да"
};

// "Настройки игры": runs the game properties dialog; the size " Да" took,
// nothing when it was closed otherwise.
std::optional<settings::ScreenSize> showGameSettings(QWidget* parent);

} // namespace kestrava::editor
