#pragma once

#include "level/MapTool.h"
#include "level/ObjectList.h"

#include <optional>

namespace kestrava::level {

// An icon of the object list picked to be placed: it follows the pointer
// over the map until a click places it.
struct PickedIcon {
    std::optional<model::ObjectKind> kind; // none: a blank slot
    int tag = 0;
};

// Placing: the picked group's picture follows the pointer and a click puts
// a placed object (or the text's position) there.
class PlaceTool : public MapTool {
public:
    using MapTool::MapTool;

    void pick(PickedIcon icon);
    std::optional<PickedIcon> picked() const { return m_picked; }

    void pressed(const MapPress&) override {}
    void moved(QPoint at) override;
    void clicked() override;
    void released() override;
    void cancel() override;
    void decorate(MapOverlay& overlay) const override;

private:
    std::optional<PickedIcon> m_picked;
    // ResetDrag: a release arms it; the next pointer move then drops a picked
    // group (a picked text stays until a click).
    bool m_resetDrag = false;
};

} // namespace kestrava::level
