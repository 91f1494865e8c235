#include "level/SelectTool.h"

#include "document/ProjectDocument.h"
#include "level/MapKind.h"
#include "level/PlacedHits.h"

#include <algorithm>

namespace kestrava::level {

namespace {

// The object under `at`: the last background hit, a sprite over any
// background. A press takes it with the map's full extent and the lives bar
// over everything; a release selects with each tile 4 pixels narrower and
// lower, and never the bar.
std::optional<PlacedRef> objectAt(const model::StageData& s, QPoint at, Touch touch)
{
    std::optional<PlacedRef> found;
    for (ObjectKind kind : model::kObjectKinds)
        if (const std::optional<int> index = onMap(kind).touchedAt(s, at, touch))
            found = PlacedRef{kind, *index};
    return found;
}

bool inside(const SelectionRect& frame, const QRect& band)
{
    return frame.left >= band.left() && frame.top >= band.top() && frame.right <= band.right() + 1
           && frame.bottom <= band.bottom() + 1;
}

bool contains(const std::vector<PlacedRef>& list, PlacedRef object)
{
    return std::find(list.begin(), list.end(), object) != list.end();
}

} // namespace

std::optional<PlacedRef> SelectTool::selection() const
{
    if (m_selected.empty())
        return std::nullopt;
    return m_selected.back();
}

void SelectTool::select(std::optional<PlacedRef> object)
{
    m_selected.clear();
    if (object)
        m_selected.push_back(*object);
}

void SelectTool::selectAll(std::vector<PlacedRef> objects)
{
    m_selected = std::move(objects);
}

std::vector<PlacedRef> SelectTool::existing() const
{
    std::vector<PlacedRef> result;
    for (const PlacedRef& object : m_selected)
        if (onMap(object.kind).selectable() && exists(m_context.stage(), object))
            result.push_back(object);
    return result;
}

void SelectTool::toggle(PlacedRef object)
{
    const auto at = std::find(m_selected.begin(), m_selected.end(), object);
    if (at != m_selected.end())
        m_selected.erase(at);
    else
        m_selected.push_back(object);
}

void SelectTool::pressed(const MapPress& press)
{
    const model::StageData& s = m_context.stage();
    m_down = press.at;
    m_extend = press.extend;
    m_moved = false;
    m_band.reset();
    m_applied = QPoint();
    // A drag moves by the pointer's way from here, even when no move over
    // the map came before the press (the first press after a dialog).
    m_context.last = m_down;
    m_drag = objectAt(s, press.at, Touch::Press);
    if (m_extend) {
        // Shift or Ctrl: nothing is dragged; a band starts even on a map
        // that covers the stage, and a click adds or removes.
        m_band = QRect(m_down, m_down);
        m_drag.reset();
        return;
    }
    if (!m_drag) {
        m_selected.clear();
        m_band = QRect(m_down, m_down);
        return;
    }
    // A selected object drags the whole selection along.
    if (contains(m_selected, *m_drag)) {
        m_moving = existing();
    } else {
        m_selected.clear();
        m_moving = {*m_drag};
    }
    m_grabbed = placedPosition(s, *m_drag);
    ++m_dragSerial;
}

void SelectTool::moved(QPoint at)
{
    if (m_band) {
        // Both corners inside, whichever way the band was dragged.
        m_band = QRect(QPoint(std::min(m_down.x(), at.x()), std::min(m_down.y(), at.y())),
                       QPoint(std::max(m_down.x(), at.x()), std::max(m_down.y(), at.y())));
        m_moved = m_moved || at != m_down;
        return;
    }
    const model::StageData& s = m_context.stage();
    if (!m_drag || !exists(s, *m_drag) || at == m_context.last)
        return;
    // The taken object's corner goes where the pointer's way takes it, onto
    // the grid when snapping; the others keep their distance to it.
    const QPoint target(clampToInt(qint64(m_grabbed.x()) + at.x() - m_down.x()),
                        clampToInt(qint64(m_grabbed.y()) + at.y() - m_down.y()));
    const QPoint offset = m_context.snapped(target, true) - m_grabbed;
    if (offset == m_applied)
        return;
    std::vector<PlacedRef> moving;
    for (const PlacedRef& object : m_moving)
        if (exists(s, object))
            moving.push_back(object);
    m_context.document.push(
        new MoveObjectCommand(m_context.document, m_context.level(), moving, offset - m_applied, m_dragSerial));
    m_applied = offset;
    m_moved = true;
}

void SelectTool::released()
{
    const model::StageData& s = m_context.stage();
    const bool dragged = m_drag && m_moved;
    const std::optional<PlacedRef> taken = m_drag;
    const std::optional<QRect> band = m_band;
    m_drag.reset();
    m_band.reset();
    if (band && m_moved) {
        if (!m_extend)
            m_selected.clear();
        for (ObjectKind kind : model::kObjectKinds) {
            for (int i = 1; i <= placedCount(s, kind); ++i) {
                const PlacedRef object{kind, i};
                if (const auto frame = frameOf(s, object); frame && inside(*frame, *band) && !contains(m_selected, object))
                    m_selected.push_back(object);
            }
        }
        return;
    }
    if (dragged) {
        // What was dragged stays selected, so it can be nudged or dragged again.
        if (m_moving.size() > 1 || (m_moving.size() == 1 && onMap(m_moving.front().kind).selectable()))
            m_selected = m_moving;
        return;
    }
    // Selecting changes nothing in the project: the group keeps its movement type.
    // A release hits with tiles a little smaller than a press; what the press
    // took near a tile's edge is still what the click selects.
    std::optional<PlacedRef> found = objectAt(s, m_down, Touch::Release);
    if (!found && taken && onMap(taken->kind).selectable())
        found = taken;
    if (m_extend) {
        if (found)
            toggle(*found);
        return;
    }
    select(found);
}

void SelectTool::cancel()
{
    m_drag.reset();
    m_band.reset();
    m_selected.clear();
}

bool SelectTool::deleteSelected()
{
    std::vector<PlacedRef> objects = existing();
    m_selected.clear();
    if (objects.empty())
        return false;
    m_context.document.push(new DeleteObjectCommand(m_context.document, m_context.level(), std::move(objects)));
    return true;
}

bool SelectTool::nudge(int dx, int dy)
{
    std::vector<PlacedRef> objects = existing();
    if (objects.empty())
        return false;
    // Each nudge is an undo step of its own.
    ++m_dragSerial;
    m_context.document.push(
        new MoveObjectCommand(m_context.document, m_context.level(), std::move(objects), QPoint(dx, dy), m_dragSerial));
    ++m_dragSerial;
    return true;
}

SelectionRect SelectTool::frame() const
{
    const std::optional<PlacedRef> primary = selection();
    return primary ? frameOf(m_context.stage(), *primary).value_or(SelectionRect()) : SelectionRect();
}

void SelectTool::decorate(MapOverlay& overlay) const
{
    const model::StageData& s = m_context.stage();
    overlay.selection = frame();
    for (size_t k = 0; k + 1 < m_selected.size(); ++k)
        if (const std::optional<SelectionRect> more = frameOf(s, m_selected[k]))
            overlay.moreSelected.push_back(*more);
    if (m_band && m_moved)
        overlay.band = *m_band;
    // The selected sprite's path, unless a path is being drawn.
    const std::optional<PlacedRef> primary = selection();
    if (overlay.pathObject == 0 && primary && primary->kind == ObjectKind::Active && exists(s, *primary))
        overlay.pathObject = primary->index;
}

} // namespace kestrava::level
