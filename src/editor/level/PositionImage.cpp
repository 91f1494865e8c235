#include "editor/level/PositionImage.h"

#include "level/LevelView.h"
#include "editor/common/ZoomBox.h"
#include "media/MapZoom.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <cmath>

namespace kestrava::editor {

PositionImage::PositionImage(const level::LevelView& view, QWidget* parent) : QWidget(parent), m_view(view)
{
    setObjectName(QStringLiteral("ImPositionObjects"));
    setMouseTracking(true);
    // A press gives the map the keys: arrows nudge, Ctrl+C copies.
    setFocusPolicy(Qt::ClickFocus);
    setZoom(100);
    // The menus come after the release, from our own handler.
    setContextMenuPolicy(Qt::PreventContextMenu);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PositionImage::setZoom(int percent)
{
    m_zoom = media::zoom::clamp(percent);
    const QSize map = m_view.map().size();
    setFixedSize(int(media::zoom::toView(map.width(), m_zoom)), int(media::zoom::toView(map.height(), m_zoom)));
    update();
}

QPoint PositionImage::toMap(QPointF view) const
{
    const QPoint pixel(int(std::floor(view.x())), int(std::floor(view.y())));
    return {media::zoom::toGame(pixel.x(), m_zoom), media::zoom::toGame(pixel.y(), m_zoom)};
}

void PositionImage::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    m_view.paint(painter, m_zoom, event->rect());
}

void PositionImage::mouseMoveEvent(QMouseEvent* event)
{
    m_pointer = event->globalPosition().toPoint();
    emit pointerMoved(toMap(event->position()));
}

void PositionImage::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_leftDown = true;
    emit buttonPressed(toMap(event->position()), event->button(), event->modifiers());
}

void PositionImage::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint pos = toMap(event->position());
    const bool click = event->button() == Qt::LeftButton && m_leftDown && rect().contains(event->position().toPoint());
    if (event->button() == Qt::LeftButton)
        m_leftDown = false;
    emit buttonReleased(pos, event->button(), click);
}

void PositionImage::leaveEvent(QEvent* event)
{
    m_pointer.reset();
    QWidget::leaveEvent(event);
}

void PositionImage::wheelEvent(QWheelEvent* event)
{
    if ((event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier)) == Qt::ShiftModifier) {
        // Some platforms turn Shift + wheel into a sideways turn themselves.
        const QPoint angle = event->angleDelta();
        emit sidewaysWheel(angle.y() != 0 ? angle.y() : angle.x());
        event->accept();
        return;
    }
    if (const int steps = wheelZoomSteps(event, m_wheel))
        emit zoomWheel(steps, event->position().toPoint());
}

} // namespace kestrava::editor
