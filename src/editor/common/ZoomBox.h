#pragma once

#include <QComboBox>

#include <functional>
#include <optional>

class QScrollArea;
class QWheelEvent;

namespace kestrava::editor {

// "Масштаб": the zoom of a map in percent, chosen from the steps or typed
// (25..800); a typed value outside or not a number puts the box back.
class ZoomBox : public QComboBox {
    Q_OBJECT
public:
    explicit ZoomBox(QWidget* parent = nullptr);

    int percent() const { return m_percent; }
    // Shows `percent` without reporting it.
    void setPercent(int percent);

signals:
    void percentChosen(int percent);

private:
    void take(const QString& text);

    int m_percent = 100;
};

// Ctrl + the wheel over a zoomed map: the whole steps turned (up positive),
// the rest kept in `pending` for the next event; 0 and the event left to
// the scroll area without Ctrl.
int wheelZoomSteps(QWheelEvent* event, int& pending);

// `percent` moved by `steps` zoom steps, up or down.
int steppedZoom(int percent, int steps);

// A map in `area` zoomed from `before` to `after` percent by `resize`; the
// scroll bars keep the map position under `about` (a point of the
// viewport, its middle when none) where it was.
void zoomAbout(QScrollArea* area, int before, int after, std::optional<QPoint> about,
               const std::function<void()>& resize);

} // namespace kestrava::editor
