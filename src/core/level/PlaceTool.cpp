#include "level/PlaceTool.h"

#include "level/MapKind.h"

using namespace Qt::Literals::StringLiterals;

namespace kestrava::level {

void PlaceTool::pick(PickedIcon icon)
{
    m_picked = icon;
    // Picked after the last release: the pointer may reach the map without
    // having moved over it since, and must not lose the pick.
    m_resetDrag = false;
}

void PlaceTool::moved(QPoint)
{
    if (m_resetDrag) {
        if (m_picked && !(m_picked->kind && onMap(*m_picked->kind).pickOutlivesRelease()))
            m_picked.reset();
        m_resetDrag = false;
    }
}

void PlaceTool::released()
{
    m_resetDrag = true;
}

void PlaceTool::cancel()
{
    m_picked.reset();
    m_resetDrag = false;
}

void PlaceTool::clicked()
{
    m_context.status.clear();
    if (!m_picked)
        return;
    const PickedIcon picked = *m_picked;
    if (!picked.kind) {
        m_picked.reset();
        return;
    }
    if (onMap(*picked.kind).place(m_context, picked.tag))
        m_picked.reset();
}

void PlaceTool::decorate(MapOverlay& overlay) const
{
    if (!m_picked || !m_picked->kind) // nothing, or a blank slot
        return;
    if (const std::optional<IconPicture> picture = onMap(*m_picked->kind).pickedPicture(m_context, m_picked->tag);
        picture && !picture->name.isEmpty())
        overlay.floating = FloatingPicture{u"drag:"_s + picture->name, picture->path, m_context.snapped(m_context.last, false)};
}

} // namespace kestrava::level
