#pragma once

#include <QImage>
#include <QWidget>

namespace kestrava::objects { class FonEditor; }

namespace kestrava::editor {

// The map grid of the background editor: paints the part of the map it is
// asked to from the editor's state (no file is read) at its zoom and hands
// the left button's press, moves and release to it in the grid's own
// pixels; Alt + the left button or the right button picks the tile under
// the pointer. Ctrl + the wheel asks for another zoom.
class FonGridView : public QWidget {
    Q_OBJECT
public:
    explicit FonGridView(objects::FonEditor& editor, QWidget* parent = nullptr);

    // The grid's size follows the cut, the cell counts and the zoom.
    void resizeToGrid();
    int zoom() const { return m_zoom; }
    void setZoom(int percent);
    // A view pixel as a pixel of the grid at 100 %.
    QPoint toGrid(QPointF view) const;
    // Grid pixels (cells' rectangles) repainted at the zoom.
    void updateGrid(const QRect& pixels);

signals:
    // The left button came up: a click or the end of a stroke.
    void released();
    void zoomWheel(int steps, QPoint at);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    objects::FonEditor& m_editor;
    int m_zoom = 100;
    int m_wheel = 0;
};

// A picture the editor paints (palette, source, selected tile, preview);
// a left press on it is reported in its pixels.
class FonImageView : public QWidget {
    Q_OBJECT
public:
    explicit FonImageView(QWidget* parent = nullptr);

    void setImage(const QImage& image);
    const QImage& image() const { return m_image; }
    // Said over the picture while it has nothing to show; empty: nothing.
    void setHint(const QString& hint);

signals:
    void pressed(QPoint pixel);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QImage m_image;
    QString m_hint;
};

} // namespace kestrava::editor
