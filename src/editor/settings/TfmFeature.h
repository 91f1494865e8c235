#pragma once

#include "settings/ScreenSize.h"

#include <QDialog>

class QPushButton;

namespace kestrava::level { class LevelEditor; }

namespace kestrava::editor {

// "Свойства игры": the size of the phone screen the game is made for.
class TfmFeature : public QDialog {
    Q_OBJECT
public:
    explicit TfmFeature(level::LevelEditor& editor, QWidget* parent = nullptr);

    // The size chosen so far; 0 x 0 on every opening.
    int ScreenHeightChoice = 0;
    int ScreenWidthChoice = 0;

    QPushButton* ButtonSize = nullptr; // "размер: "
    QPushButton* ButtonYes = nullptr;  // " Да"

private:
    level::LevelEditor& m_editor;
};

// "Настройки игры": runs the game properties dialog; true when " Да" set the
// level editor's screen size (the map frames it from the next redraw).
bool showGameSettings(QWidget* parent, level::LevelEditor& editor);

} // namespace kestrava::editor
