#pragma once

#include "model/Project.h"

#include <QDialog>

#include <functional>

class QDoubleSpinBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace kestrava::editor {

// "Выбор типа движения": how the objects of an active group move, and how
// fast. It shows the group's type and speeds; each type button closes the
// dialog at once with its choice and the speeds as they stand, "Отмена" and
// the window frame with none.
class MovementTypeDialog : public QDialog {
    Q_OBJECT
public:
    MovementTypeDialog(model::MovementType current, std::function<void()> openPathDialog, QWidget* parent = nullptr,
                       const model::MotionData& motion = {});

    // The type chosen and the speeds; meaningful when the dialog was accepted.
    model::MovementType choice() const { return m_choice; }
    model::MotionData motion() const;

    QLabel* LabelCurrent = nullptr;
    QPushButton* Button8 = nullptr;        // "8 направлений"
    QPushButton* ButtonPlatform = nullptr; // "Платформер"
    QPushButton* ButtonPlanned = nullptr;  // "Запланированное"
    QPushButton* ButtonStatic = nullptr;   // "Статический"
    QPushButton* ButtonCancel = nullptr;   // "Отмена"
    // Pixels per tick, and per tick each tick.
    QDoubleSpinBox* EditSpeed = nullptr;   // "Скорость"; 0: the game's
    QDoubleSpinBox* EditAccel = nullptr;   // "Разгон"; 0: at once
    QDoubleSpinBox* EditBrake = nullptr;   // "Торможение"; 0: at once
    QGroupBox* BoxPlatform = nullptr;
    QDoubleSpinBox* EditGravity = nullptr; // "Сила тяжести"
    QDoubleSpinBox* EditMaxFall = nullptr; // "Наибольшая скорость падения"
    QDoubleSpinBox* EditJump = nullptr;    // "Сила прыжка"

private:
    void choose(model::MovementType type);

    std::function<void()> m_openPathDialog;
    model::MovementType m_choice;
};

} // namespace kestrava::editor
