#pragma once

#include "level/LevelCommands.h"
#include "level/MapTool.h"

#include <optional>
#include <vector>

namespace kestrava::level {

// Selecting and moving placed objects. A press takes the object under it
// (the lives bar over everything) and the pointer drags it, or the whole
// selection when it is one of it; one undo step a drag. A press on empty
// map drags out a rubber band that selects the objects wholly inside it.
// Released where it was pressed, it selects the object under the press.
// With Shift or Ctrl nothing is dragged: the band starts anywhere, even on
// a background map, and its objects join the selection; a click adds the
// object under it, or takes a selected one away.
class SelectTool : public MapTool {
public:
    using MapTool::MapTool;

    // The selected objects in the order they were selected; the last is the primary one.
    const std::vector<PlacedRef>& selected() const { return m_selected; }
    // The primary selected object: the one selected last.
    std::optional<PlacedRef> selection() const;
    // The frame of the primary object as it now lies; all 0 for none.
    SelectionRect frame() const;
    // Only `object` (nothing for none) is selected.
    void select(std::optional<PlacedRef> object);
    void selectAll(std::vector<PlacedRef> objects);
    // The selected objects that are on the map now.
    std::vector<PlacedRef> existing() const;
    // Delete: false when nothing that can be deleted was selected.
    bool deleteSelected();
    // The selection moved by (dx, dy), one undo step; false with nothing selected.
    bool nudge(int dx, int dy);
    void endDrag() { m_drag.reset(); }

    void pressed(const MapPress& press) override;
    void moved(QPoint at) override;
    void released() override;
    void cancel() override;
    void decorate(MapOverlay& overlay) const override;

private:
    void toggle(PlacedRef object);

    QPoint m_down; // DownX, DownY: where the last press on the map was
    bool m_extend = false;
    bool m_moved = false;
    // The object the press took and what moves with it.
    std::optional<PlacedRef> m_drag;
    std::vector<PlacedRef> m_moving;
    QPoint m_grabbed; // where the taken object was at the press
    QPoint m_applied; // the offset already moved
    int m_dragSerial = 0;
    std::optional<QRect> m_band;
    std::vector<PlacedRef> m_selected;
};

} // namespace kestrava::level
