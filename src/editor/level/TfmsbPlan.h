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
    // showMap shows the level map after the editor redrew it.
    TfmsbPlan(level::LevelEditor& editor, std::function<void()> showMap, QWidget* parent = nullptr);

    QPushButton* ButtonLine = nullptr;   // "прямая"
    QPushButton* ButtonDelete = nullptr; // "удалить"
    QPushButton* ButtonYes = nullptr;    // "Да"
    QPushButton* ButtonNo = nullptr;     // "Нет"

private:
    void redrawn();

    level::LevelEditor& m_editor;
    std::function<void()> m_showMap;
};

} // namespace kestrava::editor
