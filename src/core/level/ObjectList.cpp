#include "level/ObjectList.h"

#include "io/AppFolder.h"
#include "io/Paths.h"
#include "level/MapKind.h"
#include "media/PictureSource.h"
#include "model/Project.h"

#include <QPainter>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::level {

ObjectList::ObjectList()
{
    blank(kBlankIcons);
}

void ObjectList::blank(int count)
{
    m_icons.assign(size_t(count) + 1, ListIcon());
    for (int p = 1; p <= count; ++p)
        m_icons[size_t(p)].geometry = QRect(kIconLeft, kIconStep * (p - 1), kIconWidth, kIconHeight);
}

void ObjectList::clear()
{
    blank(kBlankIcons);
}

QString fileOfListed(const model::StageData& s, model::ObjectKind kind, int tag)
{
    return onMap(kind).listedFile(s, tag);
}

QString ownPicture(const model::Project& project, const QString& name)
{
    return project.hasProjectDir() ? project.projectPath(u"objects/"_s + name) : QString();
}

QString ObjectList::build(const model::Project& project, int level, media::PictureSource& pictures)
{
    const model::StageData& s = project.stage(level);
    pictures.cache().beginPass();
    int count = s.ListSlotCount;
    QString status;
    if (count > model::kMaxListSlots) {
        status = u"В списке объектов этапа %1 слотов, а показать можно не больше %2 — показаны первые %2"_s
                     .arg(count).arg(model::kMaxListSlots);
        count = model::kMaxListSlots;
    }
    blank(std::max(kBlankIcons, count));
    for (int p = 1; p <= count; ++p) {
        for (model::ObjectKind kind : model::kObjectKinds) {
            const MapKind& on = onMap(kind);
            for (int tag = 1; tag <= on.listed(s); ++tag)
                if (on.listSlot(s, tag) == p)
                    setSlot(p, kind, tag, on.listPicture(project, s, tag, pictures), pictures);
        }
    }
    return status;
}

void ObjectList::setSlot(int slot, model::ObjectKind kind, int tag, const QString& picturePath, media::PictureSource& pictures)
{
    ListIcon& icon = m_icons.at(size_t(slot));
    icon = ListIcon();
    icon.kind = kind;
    icon.tag = tag;
    icon.geometry = QRect(kIconLeft, kIconStep * (slot - 1), kIconWidth, kIconHeight);
    icon.image = QImage(kIconWidth, kIconHeight, QImage::Format_RGB32);
    icon.image.fill(kIconFaceColour);
    if (picturePath.isEmpty())
        return;
    const QString key = u"icon:"_s + picturePath;
    if (!io::isPlainFileName(io::fileNamePart(picturePath))) {
        pictures.report(key, u"Значок объекта: имя рисунка «%1» недопустимо"_s.arg(picturePath));
        return;
    }
    media::CachedPicture picture;
    if (!pictures.loadReported(key, picturePath, &picture) || picture.image.isNull())
        return;
    QPainter painter(&icon.image);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QImage scaled = picture.image.scaled(kIconWidth, kIconHeight, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    painter.drawImage(QPoint(0, 0), scaled);
}

std::optional<ListIcon> ObjectList::iconAt(int x, int y, int slotCount) const
{
    const int count = std::min<int>(slotCount, int(m_icons.size()) - 1);
    std::optional<ListIcon> found;
    // One pass per kind, slots in order; a later match overwrites an earlier one.
    for (model::ObjectKind kind : model::kObjectKinds) {
        for (int p = 1; p <= count; ++p) {
            const ListIcon& icon = m_icons[size_t(p)];
            const QRect& r = icon.geometry;
            if (icon.kind == kind && r.left() - kPickMargin < x && x < r.left() + r.width() + kPickMargin
                && r.top() - kPickMargin < y && y < r.top() + r.height() + kPickMargin)
                found = icon;
        }
    }
    return found;
}

} // namespace kestrava::level
