#pragma once

#include <QImage>
#include <QWidget>

namespace kestrava::objects { class FonEditor; }

namespace kestrava::editor {

// The map grid of the background editor: paints the part of the map it is
// asked to from the editor's state (no file is read) and hands the left
// button's press, moves and release to it.
class FonGridView : public QWidget {
    Q_OBJECT
public:
    explicit FonGridView(objects::FonEditor& editor, QWidget* parent = nullptr);

    // The grid's size follows the cut and the cell counts.
    void resizeToGrid();

signals:
    // The left button came up: a click or the end of a stroke.
    void released();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    objects::FonEditor& m_editor;
};

// A picture the editor paints (palette, source, selected tile, preview);
// a left press on it is reported in its pixels.
class FonImageView : public QWidget {
    Q_OBJECT
public:
    explicit FonImageView(QWidget* parent = nullptr);

    void setImage(const QImage& image);
    const QImage& image() const { return m_image; }

signals:
    void pressed(QPoint pixel);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QImage m_image;
};

} // namespace kestrava::editor
