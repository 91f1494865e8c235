#include "level/PathTool.h"

#include "document/ProjectDocument.h"
#include "level/LevelCommands.h"
#include "level/PlacedHits.h"

using namespace Qt::Literals::StringLiterals;

namespace kestrava::level {

void PathTool::pressed(const MapPress& press)
{
    m_context.status.clear();
    if (!press.primary)
        return;
    const model::StageData& s = m_context.stage();
    if (!activeValid(s, m_object)) {
        m_context.refuse(u"Путь рисуется для активного объекта, а объекта %1 на этапе нет"_s.arg(m_object));
        return;
    }
    if (s.ActiveObject[size_t(m_object)].PathCount >= model::kMaxPathPoints) {
        m_context.refuse(u"В пути объекта %1 уже %2 точек — больше добавить нельзя"_s.arg(m_object)
                             .arg(model::kMaxPathPoints));
        return;
    }
    m_context.document.push(new AddPathPointCommand(m_context.document, m_context.level(), m_object,
                                                    model::PathPoint{press.at.x(), press.at.y()}));
}

void PathTool::deleteLast()
{
    const model::StageData& s = m_context.stage();
    if (activeValid(s, m_object) && s.ActiveObject[size_t(m_object)].PathCount > 0)
        m_context.document.push(new RemovePathPointCommand(m_context.document, m_context.level(), m_object));
}

void PathTool::cancel()
{
    m_mode = PathMode::Off;
    m_object = 0;
}

void PathTool::decorate(MapOverlay& overlay) const
{
    if (m_mode == PathMode::Drawing && activeValid(m_context.stage(), m_object))
        overlay.pathObject = m_object;
}

} // namespace kestrava::level
