// Active objects (sprites) on the level map: a picture each, over every
// background, in placing order.
#include "document/ProjectDocument.h"
#include "io/Paths.h"
#include "level/MapKind.h"
#include "level/MapTool.h"
#include "level/ObjectList.h"
#include "level/PlacedHits.h"
#include "media/PictureSource.h"
#include "media/PlacedSizes.h"

#include <QHash>
#include <QPainter>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::level {
namespace {

using model::ActiveObjectData;

bool hits(const model::StageData& s, int i, QPoint at)
{
    const ActiveObjectData& o = s.ActiveObject[size_t(i)];
    return within(at.x(), o.X, o.Width) && within(at.y(), o.Y, o.Height);
}

bool groupValid(const model::StageData& s, int g)
{
    return g >= 1 && g <= std::min(s.ActiveGroupCount, model::kMaxActiveGroups);
}

// A placed object made one of group g of its stage: the group's number,
// list slot and picture.
void joinGroup(ActiveObjectData& o, const model::ActiveGroupData& group, int g)
{
    o.Ref = QString::number(g);
    o.Layer = group.ListSlot;
    o.GroupValue = group.Index;
    o.FileName = group.BmpName;
}

class Records final : public TableRecords<ActiveObjectData, &model::StageData::ActiveObject,
                                           &model::StageData::ActiveObjCount, model::kMaxActiveObjects> {
public:
    QString countedAs() const override { return u"активных объектов"_s; }
    QString groupFile(const model::StageData& s, int number) const override
    {
        const int g = s.ActiveObject[size_t(number)].GroupValue;
        return groupValid(s, g) ? s.ActiveGroup[size_t(g)].FileName : QString();
    }
    std::variant<Record, QString> pasted(const Record& copied, const QString& file, const model::StageData& s,
                                         int level, QPoint offset, bool ownStage) const override
    {
        ActiveObjectData o = std::get<ActiveObjectData>(copied);
        const int g = groupOfFile(s.ActiveGroup, std::min(s.ActiveGroupCount, model::kMaxActiveGroups), file,
                                  ownStage ? o.GroupValue : 0);
        if (g == 0)
            return u"Вставка отменена: на этапе %1 нет активной группы «%2» — загрузите её в этот этап"_s.arg(level)
                .arg(file);
        o.X = clampToInt(qint64(o.X) + offset.x());
        o.Y = clampToInt(qint64(o.Y) + offset.y());
        joinGroup(o, s.ActiveGroup[size_t(g)], g);
        return o;
    }
};

class Active final : public MapKind {
public:
    int placedCount(const model::StageData& s) const override
    {
        return std::min(s.ActiveObjCount, model::kMaxActiveObjects);
    }
    bool exists(const model::StageData& s, int i) const override
    {
        return activeValid(s, i) && s.ActiveObject[size_t(i)].Exists;
    }
    QPoint position(const model::StageData& s, int i) const override
    {
        const ActiveObjectData& o = s.ActiveObject.at(size_t(i));
        return {o.X, o.Y};
    }
    void moveTo(model::StageData& s, int i, QPoint at) const override
    {
        s.ActiveObject.at(size_t(i)).X = at.x();
        s.ActiveObject.at(size_t(i)).Y = at.y();
    }
    std::optional<SelectionRect> frame(const model::StageData& s, int i) const override
    {
        const ActiveObjectData& o = s.ActiveObject[size_t(i)];
        return SelectionRect{o.X, clampToInt(qint64(o.X) + o.Width), o.Y, clampToInt(qint64(o.Y) + o.Height)};
    }
    const PlacedRecords* records() const override { return &m_records; }

    std::optional<int> topmostAt(const model::StageData& s, QPoint at) const override
    {
        // Over every background, in placing order.
        for (int i = placedCount(s); i >= 1; --i)
            if (s.ActiveObject[size_t(i)].Exists && hits(s, i, at))
                return i;
        return std::nullopt;
    }
    std::optional<int> touchedAt(const model::StageData& s, QPoint at, Touch) const override
    {
        std::optional<int> found;
        for (int i = 1; i <= placedCount(s); ++i)
            if (s.ActiveObject[size_t(i)].Exists && hits(s, i, at))
                found = i;
        return found;
    }
    QString hoverText(const model::StageData& s, int i) const override
    {
        const ActiveObjectData& o = s.ActiveObject[size_t(i)];
        const int g = o.GroupValue;
        const bool known = groupValid(s, g) && !s.ActiveGroup[size_t(g)].FileName.isEmpty();
        const QString file = known ? s.ActiveGroup[size_t(g)].FileName : o.FileName;
        const QString type = groupValid(s, g) ? model::movementTypeName(s.ActiveType[size_t(g)]) : QString();
        return u"активный объект %1 «%2»"_s.arg(i).arg(file) + (type.isEmpty() ? QString() : u", движение «%1»"_s.arg(type));
    }
    ContextMenu menu() const override { return ContextMenu::Active; }
    bool selectable() const override { return true; }

    int listed(const model::StageData& s) const override
    {
        return std::min(s.ActiveGroupCount, model::kMaxActiveGroups);
    }
    int listSlot(const model::StageData& s, int g) const override { return s.ActiveGroup[size_t(g)].ListSlot; }
    QString listPicture(const model::Project& project, const model::StageData& s, int g,
                        media::PictureSource&) const override
    {
        return ownPicture(project, s.ActiveGroup[size_t(g)].BmpName);
    }
    QString listedFile(const model::StageData& s, int g) const override
    {
        return g >= 1 && g <= model::kMaxActiveGroups ? s.ActiveGroup[size_t(g)].FileName : QString();
    }

    bool place(ToolContext& context, int g) const override
    {
        const model::StageData& s = context.stage();
        const int level = context.level();
        if (s.ActiveObjCount >= model::kMaxActiveObjects) {
            context.refuse(u"На этапе %1 уже %2 активных объектов — больше поставить нельзя"_s.arg(level)
                               .arg(model::kMaxActiveObjects));
            return false;
        }
        if (!groupValid(s, g)) {
            context.refuse(u"Активной группы %1 на этапе нет — объект не поставлен"_s.arg(g));
            return false;
        }
        const model::ActiveGroupData& group = s.ActiveGroup[size_t(g)];
        ActiveObjectData o;
        const QPoint at = context.placedCorner();
        o.X = at.x();
        o.Y = at.y();
        joinGroup(o, group, g);
        const QSize size = media::pictureSize(context.project().projectPath(u"objects"_s), group.BmpName,
                                              context.renderer.pictures().cache());
        if (size.isValid()) {
            o.Width = size.width();
            o.Height = size.height();
        }
        o.Exists = true;
        context.document.push(new PlaceObjectCommand(context.document, level, o));
        return true;
    }
    std::optional<IconPicture> pickedPicture(const ToolContext& context, int g) const override
    {
        if (g < 1 || g > model::kMaxActiveGroups)
            return std::nullopt;
        const QString& picture = context.stage().ActiveGroup[size_t(g)].BmpName;
        return IconPicture{picture, context.project().projectPath(u"objects/"_s + picture), context.placedCorner()};
    }
    bool pickStaysAfterPlacing() const override { return true; }

    bool drawnUnderTheMarks() const override { return true; }
    void feedInputs(const model::StageData& s, MapInputs& to) const override
    {
        to.numbers({s.ActiveObjCount});
        for (int i = 1; i <= placedCount(s); ++i) {
            const ActiveObjectData& o = s.ActiveObject[size_t(i)];
            to.name(o.FileName);
            to.numbers({o.Exists, o.X, o.Y});
        }
    }
    void paint(MapCanvas& canvas) const override
    {
        const model::Project& project = canvas.project;
        if (!project.hasProjectDir())
            return;
        const model::StageData& s = project.stage(canvas.level);
        media::PictureSource& pictures = canvas.renderer.pictures();
        for (int i = 1; i <= placedCount(s); ++i) {
            const ActiveObjectData& o = s.ActiveObject[size_t(i)];
            if (!o.Exists || !io::isPlainFileName(o.FileName))
                continue;
            // A picture that cannot be read is left out without a word.
            media::CachedPicture icon;
            if (!pictures.loadSilently(project.projectPath(u"objects/"_s + o.FileName), &icon))
                continue;
            canvas.painter.drawImage(QPoint(o.X, o.Y), withStripAlpha(project, pictures, o.FileName, icon));
        }
    }

private:
    // The icon is the first frame on white (a BMP has no alpha); the strip
    // beside it says which pixels are transparent, so the map shows the
    // background through them as the game does. Same size as the icon, so
    // placing and selecting are unchanged.
    const QImage& withStripAlpha(const model::Project& project, media::PictureSource& pictures, const QString& file,
                                 const media::CachedPicture& icon) const
    {
        media::CachedPicture strip;
        if (!pictures.loadSilently(project.projectPath(u"objects/"_s + io::changeExtension(file, u".png"_s)), &strip)
            || !strip.image.hasAlphaChannel() || strip.image.height() != icon.image.height()
            || strip.image.width() < icon.image.width())
            return icon.image;
        Drawn& drawn = m_drawn[file];
        if (drawn.iconSerial != icon.serial || drawn.stripSerial != strip.serial) {
            drawn = {icon.serial, strip.serial,
                     strip.image.copy(0, 0, icon.image.width(), icon.image.height())
                         .convertToFormat(QImage::Format_ARGB32_Premultiplied)};
        }
        return drawn.image;
    }

    struct Drawn {
        std::uint64_t iconSerial = 0;
        std::uint64_t stripSerial = 0;
        QImage image;
    };
    Records m_records;
    // Made once per change of either file: the map is redrawn on every pointer move.
    mutable QHash<QString, Drawn> m_drawn;
};

} // namespace

template <>
const MapKind& kindOnMap<model::ObjectKind::Active>() { static const Active kind; return kind; }

} // namespace kestrava::level
