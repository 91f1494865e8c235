#pragma once

#include "model/Project.h"

#include <QDialog>

#include <functional>

class QPushButton;

namespace kestrava::level { class LevelEditor; }

namespace kestrava::editor {

// "Выбор типа движения": how the objects of an active group move. Each
// button closes the dialog at once; the level editor copies the choice into
// the group after it closes, however it closed.
class TfmMovementType : public QDialog {
    Q_OBJECT
public:
    TfmMovementType(level::LevelEditor& editor, std::function<void()> openPathDialog, QWidget* parent = nullptr);

    QPushButton* Button8 = nullptr;       // "8 направлений"
    QPushButton* ButtonPlanned = nullptr; // "Запланированное"
    QPushButton* ButtonStatic = nullptr;  // "Статический"
    QPushButton* ButtonCancel = nullptr;  // "Отмена"

private:
    void choose(model::MovementType type);

    level::LevelEditor& m_editor;
    std::function<void()> m_openPathDialog;
};

} // namespace kestrava::editor
