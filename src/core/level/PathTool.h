#pragma once

#include "level/MapTool.h"

namespace kestrava::level {

// Whether presses on the map draw the path of an active object.
enum class PathMode { Off, Drawing };

// Drawing the path of one placed active object: every left press adds a
// point; the right button still opens the menus.
class PathTool : public MapTool {
public:
    using MapTool::MapTool;

    void start() { m_mode = PathMode::Drawing; }
    void end() { m_mode = PathMode::Off; }
    PathMode mode() const { return m_mode; }
    void setObject(int object) { m_object = object; }
    int object() const { return m_object; }
    // The last point dropped.
    void deleteLast();

    void pressed(const MapPress& press) override;
    void moved(QPoint) override {}
    void released() override {}
    void cancel() override;
    void decorate(MapOverlay& overlay) const override;

private:
    PathMode m_mode = PathMode::Off;
    int m_object = 0;
};

} // namespace kestrava::level
