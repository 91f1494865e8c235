#include "editor/objects/PictureBox.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace kestrava::editor {

PictureBox::PictureBox(const QString& accessibleName, QWidget* parent) : QLabel(parent)
{
    setAccessibleName(accessibleName);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void PictureBox::setImage(const QImage& image)
{
    m_image = image;
    setFixedSize(image.size());
    setPixmap(QPixmap::fromImage(image));
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && onRelease)
        onRelease(event->position().toPoint());
    QLabel::mouseReleaseEvent(event);
}

void PictureBox::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
        if (onArrow) {
            onArrow(event->key());
            return;
        }
        break;
    default:
        break;
    }
    QLabel::keyPressEvent(event);
}

void PictureBox::paintEvent(QPaintEvent* event)
{
    QLabel::paintEvent(event);
    if (!hasFocus())
        return;
    // Keyboard users see where the arrows go.
    QPainter p(this);
    p.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DotLine));
    p.drawRect(rect().adjusted(2, 2, -3, -3));
}

} // namespace kestrava::editor
