#pragma once

#include <QDialog>

class QPushButton;

namespace kestrava::level { class LevelView; }

namespace kestrava::editor {

// "Настройка заданного движения объекта": modeless; switches the map into
// drawing the path of the active object whose properties were opened last.
class TfmsbPlan : public QDialog {
    Q_OBJECT
public:
    explicit TfmsbPlan(level::LevelView& view, QWidget* parent = nullptr);

    QPushButton* ButtonLine = nullptr;   // "прямая"
    QPushButton* ButtonDelete = nullptr; // "удалить"
    QPushButton* ButtonYes = nullptr;    // "Да"
    QPushButton* ButtonNo = nullptr;     // "Нет"

private:
    level::LevelView& m_view;
};

} // namespace kestrava::editor
