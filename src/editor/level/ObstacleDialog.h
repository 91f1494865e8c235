#pragma once

#include <QDialog>

#include <optional>

class QPushButton;
class QRadioButton;

namespace kestrava::editor {

// "Настройка фонового объекта": whether the group of a placed background
// object blocks active objects.
class ObstacleDialog : public QDialog {
    Q_OBJECT
public:
    // obstacle: the group's flag now (1 obstacle, anything else passable), chosen when the dialog opens.
    explicit ObstacleDialog(int obstacle, QWidget* parent = nullptr);

    // After "Да": 1 for an obstacle, 0 for passable, nothing when neither was chosen.
    std::optional<int> choice() const;

    QRadioButton* RadioObstacle = nullptr; // "является препятствием"
    QRadioButton* RadioPassable = nullptr; // "не является припятствием"
    QPushButton* ButtonYes = nullptr;      // "Да"
};

} // namespace kestrava::editor
