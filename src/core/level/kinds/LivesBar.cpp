// The lives bar on the level map: one per stage, from its object file; it
// takes no list slot, has no menu and is only dragged.
#include "io/Paths.h"
#include "level/MapKind.h"
#include "level/PlacedHits.h"
#include "media/PictureSource.h"

#include <QPainter>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::level {
namespace {

bool hits(const model::StageData& s, QPoint at)
{
    const model::LivesBarData& bar = s.LivesBar;
    return !bar.BmpName.isEmpty() && within(at.x(), bar.X, bar.Width) && within(at.y(), bar.Y, bar.Height);
}

class LivesBar final : public MapKind {
public:
    int placedCount(const model::StageData&) const override { return 0; }
    bool exists(const model::StageData& s, int) const override { return !s.LivesBar.BmpName.isEmpty(); }
    QPoint position(const model::StageData& s, int) const override { return {s.LivesBar.X, s.LivesBar.Y}; }
    void moveTo(model::StageData& s, int, QPoint at) const override
    {
        s.LivesBar.X = at.x();
        s.LivesBar.Y = at.y();
    }
    // Never framed or selected by a band.
    std::optional<SelectionRect> frame(const model::StageData&, int) const override { return std::nullopt; }
    const PlacedRecords* records() const override { return nullptr; }

    std::optional<int> topmostAt(const model::StageData& s, QPoint at) const override
    {
        return hits(s, at) ? std::optional<int>(0) : std::nullopt;
    }
    // A press takes it over everything; a release never selects it.
    std::optional<int> touchedAt(const model::StageData& s, QPoint at, Touch touch) const override
    {
        return touch == Touch::Press && hits(s, at) ? std::optional<int>(0) : std::nullopt;
    }
    QString hoverText(const model::StageData&, int) const override { return u"полоса жизней"_s; }
    ContextMenu menu() const override { return ContextMenu::None; }
    bool selectable() const override { return false; }

    int listed(const model::StageData&) const override { return 0; }
    int listSlot(const model::StageData&, int) const override { return 0; }
    QString listPicture(const model::Project&, const model::StageData&, int, media::PictureSource&) const override
    {
        return QString();
    }
    QString listedFile(const model::StageData&, int) const override { return QString(); }

    bool place(ToolContext&, int) const override { return true; } // never on the list
    std::optional<IconPicture> pickedPicture(const ToolContext&, int) const override { return std::nullopt; }
    bool pickStaysAfterPlacing() const override { return false; }

    // It covers the frame of a selection.
    bool drawnUnderTheMarks() const override { return false; }
    void feedInputs(const model::StageData&, MapInputs&) const override {}
    void paint(MapCanvas& canvas) const override
    {
        const model::LivesBarData& bar = canvas.project.stage(canvas.level).LivesBar;
        if (bar.BmpName.isEmpty())
            return;
        // The bar's picture stays in the library; a project may carry its own copy.
        media::PictureSource& pictures = canvas.renderer.pictures();
        const QString key = u"lives:"_s + bar.BmpName;
        media::CachedPicture picture;
        QString path;
        if (!io::isPlainFileName(bar.BmpName))
            pictures.report(key, u"Полоса жизней: имя рисунка «%1» недопустимо"_s.arg(bar.BmpName));
        else if (pictures.loadLibraryOrOwn(key, bar.BmpName, canvas.project.projectPath(u"objects"_s), &path,
                                           &picture, true))
            canvas.painter.drawImage(QPoint(bar.X, bar.Y), picture.image);
    }
};

} // namespace

template <>
const MapKind& kindOnMap<model::ObjectKind::LivesBar>() { static const LivesBar kind; return kind; }

} // namespace kestrava::level
