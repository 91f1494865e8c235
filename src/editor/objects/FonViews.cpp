#include "editor/objects/FonViews.h"

#include "objects/FonEditor.h"
#include "objects/FonPictures.h"

#include <QMouseEvent>
#include <QPainter>

namespace kestrava::editor {

FonGridView::FonGridView(objects::FonEditor& editor, QWidget* parent) : QWidget(parent), m_editor(editor)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    resizeToGrid();
}

void FonGridView::resizeToGrid()
{
    setFixedSize(m_editor.gridSize());
    update();
}

void FonGridView::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    objects::paintMap(painter, m_editor, event->rect());
}

void FonGridView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_editor.pressed(event->position().toPoint());
}

void FonGridView::mouseMoveEvent(QMouseEvent* event)
{
    if (event->buttons() & Qt::LeftButton)
        m_editor.pointerMoved(event->position().toPoint());
}

void FonGridView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    m_editor.released(event->position().toPoint());
    emit released();
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
}

void FonImageView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        emit pressed(event->position().toPoint());
}

} // namespace kestrava::editor
