#include "editor/objects/FonViews.h"

#include "objects/FonEditor.h"
#include "objects/FonPictures.h"
#include "editor/common/ZoomBox.h"
#include "media/MapZoom.h"

#include <cmath>

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

namespace kestrava::editor {

FonGridView::FonGridView(objects::FonEditor& editor, QWidget* parent) : QWidget(parent), m_editor(editor)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    resizeToGrid();
}

void FonGridView::resizeToGrid()
{
    const QSize grid = m_editor.gridSize();
    setFixedSize(int(media::zoom::toView(grid.width(), m_zoom)), int(media::zoom::toView(grid.height(), m_zoom)));
    update();
}

void FonGridView::setZoom(int percent)
{
    m_zoom = media::zoom::clamp(percent);
    resizeToGrid();
}

QPoint FonGridView::toGrid(QPointF view) const
{
    return {media::zoom::toGame(int(std::floor(view.x())), m_zoom), media::zoom::toGame(int(std::floor(view.y())), m_zoom)};
}

void FonGridView::updateGrid(const QRect& pixels)
{
    const qint64 left = media::zoom::toView(pixels.left(), m_zoom);
    const qint64 top = media::zoom::toView(pixels.top(), m_zoom);
    const qint64 right = media::zoom::toView(qint64(pixels.right()) + 1, m_zoom);
    const qint64 bottom = media::zoom::toView(qint64(pixels.bottom()) + 1, m_zoom);
    update(QRect(int(left) - 1, int(top) - 1, int(right - left) + 2, int(bottom - top) + 2));
}

void FonGridView::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const QRect exposed = event->rect();
    if (m_zoom == 100) {
        objects::paintMap(painter, m_editor, exposed);
    } else {
        painter.fillRect(exposed, Qt::white);
        painter.scale(m_zoom / 100.0, m_zoom / 100.0);
        const QPoint from = toGrid(exposed.topLeft());
        const QPoint to = toGrid(exposed.bottomRight());
        objects::paintMap(painter, m_editor, QRect(from, to).adjusted(-1, -1, 1, 1));
        painter.resetTransform();
    }
    if (const std::optional<QRect> cells = m_editor.pendingRectangle()) {
        const QRect pixels = m_editor.cellPixels(*cells);
        const QRect shown(int(media::zoom::toView(pixels.left(), m_zoom)), int(media::zoom::toView(pixels.top(), m_zoom)),
                          int(media::zoom::toView(pixels.width(), m_zoom)), int(media::zoom::toView(pixels.height(), m_zoom)));
        painter.setPen(QPen(Qt::blue, 1, Qt::DashLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(shown.adjusted(0, 0, -1, -1));
    }
}

void FonGridView::mousePressEvent(QMouseEvent* event)
{
    const bool pick = event->button() == Qt::RightButton
                      || (event->button() == Qt::LeftButton && (event->modifiers() & Qt::AltModifier));
    if (pick)
        m_editor.pickAt(toGrid(event->position()));
    else if (event->button() == Qt::LeftButton)
        m_editor.pressed(toGrid(event->position()));
}

void FonGridView::mouseMoveEvent(QMouseEvent* event)
{
    if (event->buttons() & Qt::LeftButton)
        m_editor.pointerMoved(toGrid(event->position()));
}

void FonGridView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !m_editor.stroking())
        return;
    m_editor.released(toGrid(event->position()));
    emit released();
}

void FonGridView::wheelEvent(QWheelEvent* event)
{
    if (const int steps = wheelZoomSteps(event, m_wheel))
        emit zoomWheel(steps, event->position().toPoint());
}

FonImageView::FonImageView(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void FonImageView::setImage(const QImage& image)
{
    m_image = image;
    setFixedSize(image.size());
    update();
}

void FonImageView::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.fillRect(event->rect(), Qt::white);
    painter.drawImage(event->rect().topLeft(), m_image, event->rect());
    if (!m_hint.isEmpty()) {
        painter.setPen(palette().color(QPalette::Disabled, QPalette::Text));
        painter.drawText(rect().adjusted(8, 8, -8, -8), Qt::AlignCenter | Qt::TextWordWrap, m_hint);
    }
}

void FonImageView::setHint(const QString& hint)
{
    if (hint == m_hint)
        return;
    m_hint = hint;
    setToolTip(hint);
    setCursor(hint.isEmpty() ? Qt::ArrowCursor : Qt::PointingHandCursor);
    update();
}

void FonImageView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        emit pressed(event->position().toPoint());
}

} // namespace kestrava::editor
