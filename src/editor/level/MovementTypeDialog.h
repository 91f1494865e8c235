#pragma once

#include "model/Project.h"

#include <QDialog>

#include <functional>

class QLabel;
class QPushButton;

namespace kestrava::editor {

// "Выбор типа движения": how the objects of an active group move. It shows
// the group's type; each button closes the dialog at once with its choice,
// "Отмена" and the window frame with none.
class MovementTypeDialog : public QDialog {
    Q_OBJECT
public:
    MovementTypeDialog(model::MovementType current, std::function<void()> openPathDialog, QWidget* parent = nullptr);

    // The type chosen; meaningful when the dialog was accepted.
    model::MovementType choice() const { return m_choice; }

    QLabel* LabelCurrent = nullptr;
    QPushButton* Button8 = nullptr;       // "8 направлений"
    QPushButton* ButtonPlanned = nullptr; // "Запланированное"
    QPushButton* ButtonStatic = nullptr;  // "Статический"
    QPushButton* ButtonCancel = nullptr;  // "Отмена"

private:
    void choose(model::MovementType type);

    std::function<void()> m_openPathDialog;
    model::MovementType m_choice;
};

} // namespace kestrava::editor
