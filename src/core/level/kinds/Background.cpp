// Background objects on the level map: tile maps of a background group,
// stacked by their group's list slot.
#include "document/ProjectDocument.h"
#include "io/Paths.h"
#include "level/MapKind.h"
#include "level/MapTool.h"
#include "level/ObjectList.h"
#include "level/PlacedHits.h"

#include <QPainter>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::level {
namespace {

using model::FonObjectData;

// shrink: pixels taken off every tile's width and height (the release's test).
bool hits(const model::StageData& s, int i, QPoint at, int shrink)
{
    const FonObjectData& o = s.FonObject[size_t(i)];
    const model::FonGroupData& g = s.FonGroup[size_t(o.Group)];
    return within(at.x(), o.X, qint64(o.Width - shrink) * g.Columns)
           && within(at.y(), o.Y, qint64(o.Height - shrink) * g.Rows);
}

bool groupValid(const model::StageData& s, int g)
{
    return g >= 1 && g <= std::min(s.FonGroupCount, model::kMaxFonGroups);
}

// A placed object made one of group g of its stage: the group's number,
// list slot and picture, and its tile size.
void joinGroup(FonObjectData& o, const model::FonGroupData& group, int g)
{
    o.Ref = QString::number(g);
    o.Layer = group.ListSlot;
    o.Group = group.Index;
    o.FileName = group.BmpName;
    o.Width = group.TileWidth;
    o.Height = group.TileHeight;
}

class Records final : public TableRecords<FonObjectData, &model::StageData::FonObject, &model::StageData::FonObjCount,
                                           model::kMaxFonObjects> {
public:
    QString countedAs() const override { return u"фоновых объектов"_s; }
    QString groupFile(const model::StageData& s, int number) const override
    {
        return s.FonGroup[size_t(s.FonObject[size_t(number)].Group)].FileName;
    }
    std::variant<Record, QString> pasted(const Record& copied, const QString& file, const model::StageData& s,
                                         int level, QPoint offset, bool ownStage) const override
    {
        FonObjectData o = std::get<FonObjectData>(copied);
        const int g = groupOfFile(s.FonGroup, std::min(s.FonGroupCount, model::kMaxFonGroups), file,
                                  ownStage ? o.Group : 0);
        if (g == 0)
            return u"Вставка отменена: на этапе %1 нет фоновой группы «%2» — загрузите её в этот этап"_s.arg(level)
                .arg(file);
        o.X = clampToInt(qint64(o.X) + offset.x());
        o.Y = clampToInt(qint64(o.Y) + offset.y());
        joinGroup(o, s.FonGroup[size_t(g)], g);
        return o;
    }
};

class Background final : public MapKind {
public:
    int placedCount(const model::StageData& s) const override { return std::min(s.FonObjCount, model::kMaxFonObjects); }
    bool exists(const model::StageData& s, int i) const override
    {
        return fonValid(s, i) && s.FonObject[size_t(i)].Exists;
    }
    QPoint position(const model::StageData& s, int i) const override
    {
        const FonObjectData& o = s.FonObject.at(size_t(i));
        return {o.X, o.Y};
    }
    void moveTo(model::StageData& s, int i, QPoint at) const override
    {
        s.FonObject.at(size_t(i)).X = at.x();
        s.FonObject.at(size_t(i)).Y = at.y();
    }
    std::optional<SelectionRect> frame(const model::StageData& s, int i) const override
    {
        const FonObjectData& o = s.FonObject[size_t(i)];
        const model::FonGroupData& g = s.FonGroup[size_t(o.Group)];
        return SelectionRect{o.X, clampToInt(o.X + qint64(o.Width) * g.Columns), o.Y,
                             clampToInt(o.Y + qint64(o.Height) * g.Rows)};
    }
    const PlacedRecords* records() const override { return &m_records; }

    std::optional<int> topmostAt(const model::StageData& s, QPoint at) const override
    {
        // Backgrounds layer by list slot, within a slot in placing order;
        // only what the map draws can be seen there.
        std::optional<int> top;
        int topLayer = 0;
        for (int i = 1; i <= placedCount(s); ++i) {
            const FonObjectData& o = s.FonObject[size_t(i)];
            if (!fonValid(s, i) || !o.Exists || o.Layer < 1 || o.Layer > s.ListSlotCount || !hits(s, i, at, 0))
                continue;
            if (!top || o.Layer >= topLayer) {
                top = i;
                topLayer = o.Layer;
            }
        }
        return top;
    }
    std::optional<int> touchedAt(const model::StageData& s, QPoint at, Touch touch) const override
    {
        // A release selects with each tile 4 pixels narrower and lower.
        const int shrink = touch == Touch::Release ? 4 : 0;
        std::optional<int> found;
        for (int i = 1; i <= placedCount(s); ++i)
            if (fonValid(s, i) && s.FonObject[size_t(i)].Exists && hits(s, i, at, shrink))
                found = i;
        return found;
    }
    QString hoverText(const model::StageData& s, int i) const override
    {
        const FonObjectData& o = s.FonObject[size_t(i)];
        return u"фоновый объект %1 «%2»"_s.arg(i).arg(s.FonGroup[size_t(o.Group)].FileName);
    }
    ContextMenu menu() const override { return ContextMenu::Background; }
    bool selectable() const override { return true; }

    int listed(const model::StageData& s) const override { return std::min(s.FonGroupCount, model::kMaxFonGroups); }
    int listSlot(const model::StageData& s, int g) const override { return s.FonGroup[size_t(g)].ListSlot; }
    QString listPicture(const model::Project& project, const model::StageData& s, int g,
                        media::PictureSource&) const override
    {
        return ownPicture(project, s.FonGroup[size_t(g)].BmpName);
    }
    QString listedFile(const model::StageData& s, int g) const override
    {
        return g >= 1 && g <= model::kMaxFonGroups ? s.FonGroup[size_t(g)].FileName : QString();
    }

    bool place(ToolContext& context, int g) const override
    {
        const model::StageData& s = context.stage();
        const int level = context.level();
        if (s.FonObjCount >= model::kMaxFonObjects) {
            context.refuse(u"На этапе %1 уже %2 фоновых объектов — больше поставить нельзя"_s.arg(level)
                               .arg(model::kMaxFonObjects));
            return false;
        }
        if (!groupValid(s, g)) {
            context.refuse(u"Фоновой группы %1 на этапе нет — объект не поставлен"_s.arg(g));
            return false;
        }
        const model::FonGroupData& group = s.FonGroup[size_t(g)];
        // A sheet the map cannot cut (a bad tile size, too many tiles) is refused
        // here; a sheet that is only missing is reported by the redraw.
        if (const QString why = context.renderer.sheetProblem(context.project(), group); !why.isEmpty()) {
            context.refuse(why + u" — объект не поставлен"_s);
            return false;
        }
        FonObjectData o;
        const QPoint at = context.placedCorner();
        o.X = at.x();
        o.Y = at.y();
        joinGroup(o, group, g);
        o.Exists = true;
        context.document.push(new PlaceObjectCommand(context.document, level, o));
        return true;
    }
    std::optional<IconPicture> pickedPicture(const ToolContext& context, int g) const override
    {
        if (g < 1 || g > model::kMaxFonGroups)
            return std::nullopt;
        const QString& picture = context.stage().FonGroup[size_t(g)].BmpName;
        return IconPicture{picture, context.project().projectPath(u"objects/"_s + picture), context.placedCorner()};
    }
    bool pickStaysAfterPlacing() const override { return true; }

    bool drawnUnderTheMarks() const override { return true; }
    void feedInputs(const model::StageData& s, MapInputs& to) const override
    {
        to.numbers({s.ListSlotCount, s.FonGroupCount, s.FonObjCount});
        for (int g = 1; g <= listed(s); ++g) {
            const model::FonGroupData& group = s.FonGroup[size_t(g)];
            to.name(group.FileName);
            to.name(group.PictureName);
            to.numbers({group.TileWidth, group.TileHeight, group.Columns, group.Rows});
            to.cells(group.Cells);
        }
        for (int i = 1; i <= placedCount(s); ++i) {
            const FonObjectData& o = s.FonObject[size_t(i)];
            to.numbers({o.Exists, o.Layer, o.Group, o.X, o.Y});
        }
    }
    void paint(MapCanvas& canvas) const override
    {
        const model::StageData& s = canvas.project.stage(canvas.level);
        // Layer by layer in list slot order, within a layer in placing order.
        std::vector<int> order;
        order.reserve(size_t(model::kMaxFonObjects));
        for (int i = 1; i <= placedCount(s); ++i) {
            const FonObjectData& o = s.FonObject[size_t(i)];
            if (o.Exists && o.Layer >= 1 && o.Layer <= s.ListSlotCount && groupValid(s, o.Group))
                order.push_back(i);
        }
        std::stable_sort(order.begin(), order.end(),
                         [&](int a, int b) { return s.FonObject[size_t(a)].Layer < s.FonObject[size_t(b)].Layer; });
        for (int i : order) {
            const FonObjectData& o = s.FonObject[size_t(i)];
            canvas.renderer.drawGroupMap(canvas, o.Group, QPoint(o.X, o.Y));
        }
    }

private:
    Records m_records;
};

} // namespace

template <>
const MapKind& kindOnMap<model::ObjectKind::Background>() { static const Background kind; return kind; }

} // namespace kestrava::level
