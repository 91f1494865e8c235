#pragma once

#include <QDialog>

#include <functional>

class QPushButton;

namespace kestrava::level { class LevelEditor; }

namespace kestrava::editor {

// "Настройка заданного движения объекта": modeless; switches the map into
// drawing the path of placed active object CurObject.
class TfmsbPlan : public QDialog {
    Q_OBJECT
public:
    // redraw repaints the level map after a change of the path.
    TfmsbPlan(level::LevelEditor& editor, std::function<void()> redraw, QWidget* parent = nullptr);

    QPushButton* ButtonLine = nullptr;   // "прямая"
    QPushButton* ButtonDelete = nullptr; // "удалить"
    QPushButton* ButtonYes = nullptr;    // "Да"
    QPushButton* ButtonNo = nullptr;     // "Нет"

private:
    level::LevelEditor& m_editor;
    std::function<void()> m_redraw;
};

} // namespace kestrava::editor
