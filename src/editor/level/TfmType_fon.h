#pragma once

#include <QDialog>

class QPushButton;
class QRadioButton;

namespace kestrava::level { class LevelEditor; }

namespace kestrava::editor {

// "Настройка фонового объекта": whether the group of a placed background
// object blocks active objects.
class TfmType_fon : public QDialog {
    Q_OBJECT
public:
    TfmType_fon(level::LevelEditor& editor, int object, QWidget* parent = nullptr);

    QRadioButton* RadioObstacle = nullptr; // no caption: an obstacle
    QRadioButton* RadioPassable = nullptr; // "не является припятствием"
    QPushButton* ButtonYes = nullptr;      // "Да"

private:
    level::LevelEditor& m_editor;
    int m_object;
};

} // namespace kestrava::editor
