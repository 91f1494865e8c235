#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace kestrava::level { class LevelView; }

namespace kestrava::editor {

// "Настройка заданного движения объекта": modeless; switches the map into
// drawing the path of the active object whose properties were opened last.
// However it closes, drawing ends with it.
class PathDialog : public QDialog {
    Q_OBJECT
public:
    explicit PathDialog(level::LevelView& view, QWidget* parent = nullptr);

    QPushButton* ButtonLine = nullptr;   // "прямая"
    QPushButton* ButtonDelete = nullptr; // "удалить"
    QPushButton* ButtonYes = nullptr;    // "Да"
    QPushButton* ButtonNo = nullptr;     // "Нет"
    QLabel* LabelHint = nullptr;         // how to draw, in one line

public slots:
    // "Нет", Escape and the window frame: path drawing ends, the points stay.
    void reject() override;

private:
    level::LevelView& m_view;
};

} // namespace kestrava::editor
