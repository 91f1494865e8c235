#pragma once

#include <QImage>
#include <QWidget>

namespace kestrava::editor {

// The level map (ImPositionObjects): shows the picture the level editor
// draws and reports the pointer in map pixels. A left press and release on
// it make a click, reported with the release, before it.
class PositionImage : public QWidget {
    Q_OBJECT
public:
    explicit PositionImage(const QImage& map, QWidget* parent = nullptr);

signals:
    void pointerMoved(QPoint pos);
    void buttonPressed(QPoint pos, Qt::MouseButton button);
    void buttonReleased(QPoint pos, Qt::MouseButton button, bool click);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    const QImage& m_map;
    bool m_leftDown = false;
};

} // namespace kestrava::editor
