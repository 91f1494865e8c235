#pragma once

#include <QImage>
#include <QWidget>

namespace kestrava::editor {

// The sheet picture (Image1): shows what the sheet paints and reports
// presses, releases and pointer moves in picture pixels.
class SheetImage : public QWidget {
    Q_OBJECT
public:
    explicit SheetImage(const QImage& picture, QWidget* parent = nullptr);

signals:
    void buttonPressed(QPoint pos, Qt::MouseButton button);
    void buttonReleased(QPoint pos);
    void pointerMoved(QPoint pos);
    void doubleClicked(QPoint pos);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    const QImage& m_picture;
};

} // namespace kestrava::editor
