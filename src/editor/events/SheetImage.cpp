#include "editor/events/SheetImage.h"

#include <QMouseEvent>
#include <QPainter>

namespace kestrava::editor {

SheetImage::SheetImage(const QImage& picture, QWidget* parent) : QWidget(parent), m_picture(picture)
{
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void SheetImage::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.drawImage(event->rect(), m_picture, event->rect());
}

void SheetImage::mousePressEvent(QMouseEvent* event)
{
    emit buttonPressed(event->position().toPoint(), event->button());
}

void SheetImage::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        emit doubleClicked(event->position().toPoint());
}

void SheetImage::mouseReleaseEvent(QMouseEvent* event)
{
    emit buttonReleased(event->position().toPoint());
}

void SheetImage::mouseMoveEvent(QMouseEvent* event)
{
    emit pointerMoved(event->position().toPoint());
}

} // namespace kestrava::editor
