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
    QFont small = font();
    small.setPixelSize(9);
    painter.setFont(small);
    for (const auto& [cell, text] : std::as_const(m_texts)) {
        if (!cell.intersects(event->rect()))
            continue;
        painter.save();
        painter.setClipRect(cell);
        painter.fillRect(cell, QColor(255, 250, 215));
        painter.setPen(Qt::black);
        painter.drawText(cell.adjusted(1, 0, -1, 0), Qt::AlignCenter | Qt::TextWordWrap | Qt::TextWrapAnywhere, text);
        painter.restore();
    }
}

void SheetImage::setCellTexts(QList<std::pair<QRect, QString>> texts)
{
    if (texts == m_texts)
        return;
    m_texts = std::move(texts);
    update();
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
