#include "level/PlaceTool.h"

#include "document/ProjectDocument.h"
#include "io/AppFolder.h"
#include "level/LevelCommands.h"
#include "media/PictureSource.h"
#include "media/PlacedSizes.h"

#include <algorithm>

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
        if (m_picked && m_picked->kind != model::ObjectKind::Text)
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

void PlaceTool::placeFon(int g)
{
    const model::StageData& s = m_context.stage();
    const int level = m_context.level();
    if (s.FonObjCount >= model::kMaxFonObjects) {
        m_context.refuse(u"На этапе %1 уже %2 фоновых объектов — больше поставить нельзя"_s.arg(level)
                             .arg(model::kMaxFonObjects));
        return;
    }
    if (g < 1 || g > std::min(s.FonGroupCount, model::kMaxFonGroups)) {
        m_context.refuse(u"Фоновой группы %1 на этапе нет — объект не поставлен"_s.arg(g));
        return;
    }
    const model::FonGroupData& group = s.FonGroup[size_t(g)];
    // A sheet the map cannot cut (a bad tile size, too many tiles) is refused
    // here; a sheet that is only missing is reported by the redraw.
    if (const QString why = m_context.renderer.sheetProblem(m_context.project(), group); !why.isEmpty()) {
        m_context.refuse(why + u" — объект не поставлен"_s);
        return;
    }
    model::FonObjectData o;
    const QPoint at = m_context.snapped(m_context.last, false);
    o.X = at.x();
    o.Y = at.y();
    joinGroup(o, group, g);
    o.Exists = true;
    m_context.document.push(new PlaceObjectCommand(m_context.document, level, o));
    m_picked.reset();
}

void PlaceTool::placeActive(int g)
{
    const model::StageData& s = m_context.stage();
    const int level = m_context.level();
    if (s.ActiveObjCount >= model::kMaxActiveObjects) {
        m_context.refuse(u"На этапе %1 уже %2 активных объектов — больше поставить нельзя"_s.arg(level)
                             .arg(model::kMaxActiveObjects));
        return;
    }
    if (g < 1 || g > std::min(s.ActiveGroupCount, model::kMaxActiveGroups)) {
        m_context.refuse(u"Активной группы %1 на этапе нет — объект не поставлен"_s.arg(g));
        return;
    }
    const model::ActiveGroupData& group = s.ActiveGroup[size_t(g)];
    model::ActiveObjectData o;
    const QPoint at = m_context.snapped(m_context.last, false);
    o.X = at.x();
    o.Y = at.y();
    joinGroup(o, group, g);
    const QSize size = pictureSize(m_context.project().projectPath(u"objects"_s), group.BmpName,
                                   m_context.renderer.pictures().cache());
    if (size.isValid()) {
        o.Width = size.width();
        o.Height = size.height();
    }
    o.Exists = true;
    m_context.document.push(new PlaceObjectCommand(m_context.document, level, o));
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
    switch (*picked.kind) {
    case model::ObjectKind::Background:
        placeFon(picked.tag);
        break;
    case model::ObjectKind::Active:
        placeActive(picked.tag);
        break;
    case model::ObjectKind::Text:
        if (picked.tag >= 1 && picked.tag <= std::min(m_context.stage().TextCount, model::kMaxTextObjects))
            m_context.document.push(
                new PlaceTextCommand(m_context.document, m_context.level(), picked.tag,
                                     m_context.snapped(m_context.last, false)));
        m_picked.reset();
        break;
    case model::ObjectKind::LivesBar: // not on the list
        m_picked.reset();
        break;
    }
}

void PlaceTool::decorate(MapOverlay& overlay) const
{
    if (!m_picked || !m_picked->kind) // nothing, or a blank slot
        return;
    const model::StageData& s = m_context.stage();
    QString picture;
    QString path;
    const int tag = m_picked->tag;
    switch (*m_picked->kind) {
    case model::ObjectKind::Background:
        if (tag >= 1 && tag <= model::kMaxFonGroups) {
            picture = s.FonGroup[size_t(tag)].BmpName;
            path = m_context.project().projectPath(u"objects/"_s + picture);
        }
        break;
    case model::ObjectKind::Active:
        if (tag >= 1 && tag <= model::kMaxActiveGroups) {
            picture = s.ActiveGroup[size_t(tag)].BmpName;
            path = m_context.project().projectPath(u"objects/"_s + picture);
        }
        break;
    case model::ObjectKind::Text:
        picture = MapRenderer::kTextMarker;
        path = m_context.renderer.pictures().app().imageFile(picture);
        break;
    case model::ObjectKind::LivesBar: // not on the list
        break;
    }
    if (!picture.isEmpty())
        overlay.floating = FloatingPicture{u"drag:"_s + picture, path, m_context.snapped(m_context.last, false)};
}

} // namespace kestrava::level
