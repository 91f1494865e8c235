#include "level/SelectTool.h"

#include "document/ProjectDocument.h"
#include "level/PlacedHits.h"

namespace kestrava::level {

void SelectTool::pressed(const MapPress& press)
{
    const model::StageData& s = m_context.stage();
    const int x = press.at.x();
    const int y = press.at.y();
    m_selection.reset();
    m_down = press.at;
    // A drag moves by the pointer's way from here, even when no move over
    // the map came before the press (the first press after a dialog).
    m_context.last = m_down;
    m_drag.reset();
    for (int i = 1; i <= std::min(s.FonObjCount, model::kMaxFonObjects); ++i)
        if (fonValid(s, i) && s.FonObject[size_t(i)].Exists && hitsFon(s, i, x, y, 0))
            m_drag = PlacedRef{PlacedKind::Background, i};
    for (int i = 1; i <= std::min(s.ActiveObjCount, model::kMaxActiveObjects); ++i)
        if (s.ActiveObject[size_t(i)].Exists && hitsActive(s, i, x, y))
            m_drag = PlacedRef{PlacedKind::Active, i};
    // The lives bar lies over everything, so it is what the press takes.
    if (hitsLivesBar(s, x, y))
        m_drag = PlacedRef{PlacedKind::LivesBar, 0};
    if (m_drag)
        ++m_dragSerial;
}

void SelectTool::moved(QPoint at)
{
    const model::StageData& s = m_context.stage();
    const QPoint last = m_context.last;
    if (!m_drag || !exists(s, *m_drag) || at == last)
        return;
    const QPoint from = placedPosition(s, *m_drag);
    const QPoint to(clampToInt(qint64(from.x()) + at.x() - last.x()), clampToInt(qint64(from.y()) + at.y() - last.y()));
    m_context.document.push(
        new MoveObjectCommand(m_context.document, m_context.level(), *m_drag, from, to, m_dragSerial));
}

void SelectTool::released()
{
    const model::StageData& s = m_context.stage();
    m_drag.reset();
    for (int i = 1; i <= std::min(s.FonObjCount, model::kMaxFonObjects); ++i)
        if (fonValid(s, i) && s.FonObject[size_t(i)].Exists && hitsFon(s, i, m_down.x(), m_down.y(), 4))
            m_selection = PlacedRef{PlacedKind::Background, i};
    // Selecting changes nothing in the project: the group keeps its movement type.
    for (int i = 1; i <= std::min(s.ActiveObjCount, model::kMaxActiveObjects); ++i)
        if (s.ActiveObject[size_t(i)].Exists && hitsActive(s, i, m_down.x(), m_down.y()))
            m_selection = PlacedRef{PlacedKind::Active, i};
}

void SelectTool::cancel()
{
    m_drag.reset();
    m_selection.reset();
}

bool SelectTool::deleteSelected()
{
    if (!m_selection || m_selection->kind == PlacedKind::LivesBar || !exists(m_context.stage(), *m_selection))
        return false;
    const PlacedRef object = *m_selection;
    m_selection.reset();
    m_context.document.push(new DeleteObjectCommand(m_context.document, m_context.level(), object));
    return true;
}

SelectionRect SelectTool::frame() const
{
    return m_selection ? frameOf(m_context.stage(), *m_selection).value_or(SelectionRect()) : SelectionRect();
}

void SelectTool::decorate(MapOverlay& overlay) const
{
    overlay.selection = frame();
    // The selected sprite's path, unless a path is being drawn.
    if (overlay.pathObject == 0 && m_selection && m_selection->kind == PlacedKind::Active
        && exists(m_context.stage(), *m_selection))
        overlay.pathObject = m_selection->index;
}

} // namespace kestrava::level
