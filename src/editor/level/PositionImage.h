#pragma once

#include <QWidget>

#include <optional>

namespace kestrava::level { class LevelView; }

namespace kestrava::editor {

// The level map (ImPositionObjects): shows the picture the level editor
// draws at its zoom and reports the pointer in game pixels, whatever the
// zoom. A left press and release on it make a click, reported with the
// release, before it. Ctrl + the wheel asks for another zoom, Shift + the
// wheel to scroll sideways.
class PositionImage : public QWidget {
    Q_OBJECT
public:
    explicit PositionImage(const level::LevelView& view, QWidget* parent = nullptr);

    int zoom() const { return m_zoom; }
    // The map shown at `percent`; the widget takes the map's size at it.
    void setZoom(int percent);
    // A view pixel of the widget as a map position.
    QPoint toMap(QPointF view) const;
    // Where on the screen the pointer was last seen while over the map
    // (on the screen, since a zoom scrolls the map under a pointer that stays).
    std::optional<QPoint> pointerOnScreen() const { return m_pointer; }

signals:
    void pointerMoved(QPoint pos);
    void buttonPressed(QPoint pos, Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
    void buttonReleased(QPoint pos, Qt::MouseButton button, bool click);
    // Ctrl + wheel: steps up (positive) or down, about the view pixel `at`.
    void zoomWheel(int steps, QPoint at);
    // Shift + wheel: the wheel's angle, to scroll across.
    void sidewaysWheel(int angle);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    const level::LevelView& m_view;
    int m_zoom = 100;
    int m_wheel = 0; // wheel angle not yet turned into steps
    bool m_leftDown = false;
    std::optional<QPoint> m_pointer;
};

} // namespace kestrava::editor
