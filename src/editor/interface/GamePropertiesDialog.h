#pragma once

#include "model/GameSuite.h"
#include "model/ScreenChoice.h"

#include <QDialog>

#include <optional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kestrava::editor {

// What "Свойства игры" sets: the phone screen the game is made for, what
// its jad says of it, and the author's budget for a screen of one's own.
struct GameSettings {
    model::ScreenSize screen;
    model::GameSuiteData suite;
    std::optional<model::GameBudgetData> ownBudget;
    bool touchButtons = false;
};

// "Свойства игры": the size of the phone screen the game is made for with
// the handset's budget, and the game's vendor, version and description.
class GamePropertiesDialog : public QDialog {
    Q_OBJECT
public:
    // current: the project's, which the dialog starts from.
    explicit GamePropertiesDialog(const GameSettings& current, QWidget* parent = nullptr);

    // The size chosen so far.
    int ScreenHeightChoice = 0;
    int ScreenWidthChoice = 0;
    std::optional<model::GameBudgetData> OwnBudgetChoice;

    QPushButton* ButtonSize = nullptr; // "размер: 176 x 208"
    QLabel* LabelBudget = nullptr;     // "Телефон: jar до 300 КБ, память игры 2048 КБ"
    QLineEdit* EditVendor = nullptr;
    QLineEdit* EditVersion = nullptr;
    QLineEdit* EditDescription = nullptr;
    QCheckBox* CheckTouchButtons = nullptr; // "Экранные кнопки для сенсорных телефонов"
    QPushButton* ButtonYes = nullptr;  // " Да"

    // The dialog's fields; " Да" closes it only when model::gameSuiteProblem finds nothing.
    GameSettings chosen() const;
};

// "Настройки игры": runs the game properties dialog from the project's
// settings `current`; what " Да" took, nothing when it was closed otherwise.
std::optional<GameSettings> showGameSettings(QWidget* parent, const GameSettings& current);

} // namespace kestrava::editor
