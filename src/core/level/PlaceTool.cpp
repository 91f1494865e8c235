#include "level/PlaceTool.h"

#include "level/MapKind.h"

using namespace Qt::Literals::StringLiterals;

namespace kestrava::level {

void PlaceTool::pick(PickedIcon icon)
{
    m_picked = icon;
}

void PlaceTool::pressed(const MapPress& press)
{
    if (!press.primary)
        m_picked.reset();
}

void PlaceTool::moved(QPoint) {}

void PlaceTool::cancel()
{
    m_picked.reset();
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
    if (onMap(*picked.kind).place(m_context, picked.tag) && !onMap(*picked.kind).pickStaysAfterPlacing())
        m_picked.reset();
}

void PlaceTool::decorate(MapOverlay& overlay) const
{
    if (!m_picked || !m_picked->kind) // nothing, or a blank slot
        return;
    if (const std::optional<IconPicture> picture = onMap(*m_picked->kind).pickedPicture(m_context, m_picked->tag);
        picture && !picture->name.isEmpty())
        overlay.floating = FloatingPicture{u"drag:"_s + picture->name, picture->path, picture->at};
}

} // namespace kestrava::level
