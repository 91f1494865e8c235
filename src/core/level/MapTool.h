#pragma once

#include "level/MapRenderer.h"

#include <QPoint>
#include <QSize>
#include <QString>

namespace kestrava::document { class ProjectDocument; }
namespace kestrava::model { class Project; struct StageData; }

namespace kestrava::level {

// The level map's grid cell on a stage: the tile size of its first
// background group, else 16 x 16 pixels.
QSize gridCell(const model::StageData& stage);

// What the tools of the map share: the document they edit, the renderer
// (which knows the pictures), the pointer's last map position and why the
// last action was refused.
struct ToolContext {
    ToolContext(document::ProjectDocument& document, MapRenderer& renderer) : document(document), renderer(renderer) {}

    const model::Project& project() const;
    const model::StageData& stage() const;
    int level() const;
    void refuse(const QString& why) { status = why; }
    // A map position on the grid when snapping is on: the corner of the
    // cell it lies in, or with `nearest` the corner nearest to it.
    QPoint snapped(QPoint at, bool nearest) const;
    // Where a click at the pointer puts a new object's corner: onto the grid
    // when snapping, else onto the map's left or top edge when that is less
    // than kEdgeStick pixels away (a click meant for the corner misses by a few).
    QPoint placedCorner() const;
    static constexpr int kEdgeStick = 8;

    document::ProjectDocument& document;
    MapRenderer& renderer;
    QPoint last;
    QString status;
};

// A button going down on the map.
struct MapPress {
    QPoint at;
    bool primary = true; // the left button
    bool extend = false; // Shift or Ctrl held: add to what is selected
};

// One way of working on the map (placing, selecting and moving, drawing a
// path). The level tool hands a press, the moves while the button is held
// and the release to the tool that took the press; between presses the
// pointer's moves go to the tool in charge.
class MapTool {
public:
    explicit MapTool(ToolContext& context) : m_context(context) {}
    virtual ~MapTool() = default;
    MapTool(const MapTool&) = delete;
    MapTool& operator=(const MapTool&) = delete;

    virtual void pressed(const MapPress& press) = 0;
    // The pointer is at `at`; the context's `last` is still where it was.
    virtual void moved(QPoint at) = 0;
    // The release ends a left click on the map; released() follows.
    virtual void clicked() {}
    virtual void released() = 0;
    // Another stage or Escape: whatever the tool holds goes.
    virtual void cancel() = 0;
    // Adds what the tool shows to the map's overlay.
    virtual void decorate(MapOverlay& overlay) const = 0;

protected:
    ToolContext& m_context;
};

} // namespace kestrava::level
