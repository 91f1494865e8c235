#pragma once

#include "level/LevelCommands.h"
#include "level/MapTool.h"

#include <optional>

namespace kestrava::level {

// Selecting and moving placed objects: a press takes the object under it
// (the lives bar over everything) and the pointer drags it, one undo step
// a drag; the release selects the object under the press.
class SelectTool : public MapTool {
public:
    using MapTool::MapTool;

    std::optional<PlacedRef> selection() const { return m_selection; }
    // The frame of the selected object as it now lies; all 0 for none.
    SelectionRect frame() const;
    void select(std::optional<PlacedRef> object) { m_selection = object; }
    // Delete: false when nothing that can be deleted was selected.
    bool deleteSelected();
    void endDrag() { m_drag.reset(); }

    void pressed(const MapPress& press) override;
    void moved(QPoint at) override;
    void released() override;
    void cancel() override;
    void decorate(MapOverlay& overlay) const override;

private:
    QPoint m_down; // DownX, DownY: where the last press on the map was
    std::optional<PlacedRef> m_drag;
    int m_dragSerial = 0;
    std::optional<PlacedRef> m_selection;
};

} // namespace kestrava::level
