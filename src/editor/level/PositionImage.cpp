#include "editor/level/PositionImage.h"

#include <QMouseEvent>
#include <QPainter>

namespace kestrava::editor {

PositionImage::PositionImage(const QImage& map, QWidget* parent) : QWidget(parent), m_map(map)
{
    setObjectName(QStringLiteral("ImPositionObjects"));
    setMouseTracking(true);
    setFixedSize(map.size());
    // The menus come after the release, from our own handler.
    setContextMenuPolicy(Qt::PreventContextMenu);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PositionImage::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const QRect area = event->rect();
    painter.drawImage(area.topLeft(), m_map, area);
}

void PositionImage::mouseMoveEvent(QMouseEvent* event)
{
    emit pointerMoved(event->position().toPoint());
}

void PositionImage::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_leftDown = true;
    emit buttonPressed(event->position().toPoint(), event->button());
}

void PositionImage::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    const bool click = event->button() == Qt::LeftButton && m_leftDown && rect().contains(pos);
    if (event->button() == Qt::LeftButton)
        m_leftDown = false;
    emit buttonReleased(pos, event->button(), click);
}

} // namespace kestrava::editor
