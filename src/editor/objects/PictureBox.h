#pragma once

#include <QImage>
#include <QLabel>

#include <functional>

namespace kestrava::editor {

// A picture the object editors paint in core code, shown at its own size;
// a release of the left button over it and the arrow keys (when it takes
// the focus) are handed to whoever listens.
class PictureBox : public QLabel {
public:
    explicit PictureBox(const QString& accessibleName, QWidget* parent = nullptr);

    void setImage(const QImage& image);
    const QImage& image() const { return m_image; }

    std::function<void(QPoint)> onRelease;
    std::function<void(int key)> onArrow;

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_image;
};

} // namespace kestrava::editor
