#include "editor/common/ZoomBox.h"

#include "media/MapZoom.h"

#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QWheelEvent>

#include <cstdlib>

namespace kestrava::editor {

namespace {

QString shown(int percent)
{
    return QString::number(percent) + QStringLiteral(" %");
}

} // namespace

ZoomBox::ZoomBox(QWidget* parent) : QComboBox(parent)
{
    setObjectName(QStringLiteral("ZoomBox"));
    setAccessibleName(QStringLiteral("Масштаб"));
    setToolTip(QStringLiteral("Масштаб карты: Ctrl + колесо мыши, Ctrl + «+», Ctrl + «−», Ctrl + 0"));
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    for (int step : media::zoom::kSteps)
        addItem(shown(step), step);
    setPercent(100);
    connect(this, &QComboBox::activated, this, [this](int index) { take(itemText(index)); });
    connect(lineEdit(), &QLineEdit::editingFinished, this, [this] { take(lineEdit()->text()); });
}

void ZoomBox::setPercent(int percent)
{
    m_percent = percent;
    const QSignalBlocker block(this);
    const int index = findData(percent);
    if (index >= 0)
        setCurrentIndex(index);
    setEditText(shown(percent));
}

void ZoomBox::take(const QString& text)
{
    const int percent = media::zoom::parse(text);
    if (percent < media::zoom::kMin || percent > media::zoom::kMax) {
        setPercent(m_percent);
        return;
    }
    const bool changed = percent != m_percent;
    setPercent(percent);
    if (changed)
        emit percentChosen(percent);
}

int wheelZoomSteps(QWheelEvent* event, int& pending)
{
    if (!(event->modifiers() & Qt::ControlModifier)) {
        // The scroll area scrolls.
        event->ignore();
        return 0;
    }
    event->accept();
    pending += event->angleDelta().y();
    const int steps = pending / 120;
    pending -= steps * 120;
    return steps;
}

int steppedZoom(int percent, int steps)
{
    for (int k = 0; k < std::abs(steps); ++k)
        percent = steps > 0 ? media::zoom::in(percent) : media::zoom::out(percent);
    return percent;
}

void zoomAbout(QScrollArea* area, int before, int after, std::optional<QPoint> about,
               const std::function<void()>& resize)
{
    const QWidget* viewport = area->viewport();
    const QPoint at = about.value_or(QPoint(viewport->width() / 2, viewport->height() / 2));
    QScrollBar* across = area->horizontalScrollBar();
    QScrollBar* down = area->verticalScrollBar();
    const int left = media::zoom::scrollAbout(across->value(), at.x(), before, after);
    const int top = media::zoom::scrollAbout(down->value(), at.y(), before, after);
    resize();
    across->setValue(left);
    down->setValue(top);
}

} // namespace kestrava::editor
