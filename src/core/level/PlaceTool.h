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

// Placing: the picked group's picture follows the pointer and each click puts
// a placed object there, until Esc, a right press or another icon; a text's
// position or the lives bar is placed once.
class PlaceTool : public MapTool {
public:
    using MapTool::MapTool;

    void pick(PickedIcon icon);
    std::optional<PickedIcon> picked() const { return m_picked; }

    void pressed(const MapPress& press) override;
    void moved(QPoint at) override;
    void clicked() override;
    void released() override {}
    void cancel() override;
    void decorate(MapOverlay& overlay) const override;

private:
    std::optional<PickedIcon> m_picked;
};

} // namespace kestrava::level
