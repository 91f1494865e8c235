// Text objects on the level map: placed from the list by a click, shown
// with their lines as the game draws them (a marker for a text without
// any), never picked on the map itself.
#include "document/ProjectDocument.h"
#include "io/AppFolder.h"
#include "level/MapKind.h"
#include "level/MapTool.h"
#include "io/ColourNames.h"
#include "media/PictureSource.h"

#include <QFont>
#include <QGuiApplication>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::level {
namespace {

// The font the game's player shows a text in: its face, style and pixel height.
QFont gameFont(const model::TextObjectData& text)
{
    QFont font(text.FontFace == 1 ? u"Monospace"_s : u"Sans Serif"_s);
    font.setStyleHint(text.FontFace == 1 ? QFont::Monospace : QFont::SansSerif);
    constexpr int heights[] = {10, 12, 15}; // small, medium, large
    font.setPixelSize(heights[text.FontSize >= 0 && text.FontSize <= 2 ? text.FontSize : 1]);
    font.setBold(text.Bold != 0);
    font.setItalic(text.Italic != 0);
    font.setUnderline(text.Underline != 0);
    return font;
}

// Draws the text's lines from its corner down; false when it has none.
bool drawLines(QPainter& painter, const model::TextObjectData& text)
{
    const int lines = std::clamp(text.LineCount, 0, model::kMaxTextLines);
    // Text needs a GUI application's fonts; drawn without one (a tool), the marker stands in.
    if (lines == 0 || !qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return false;
    const QFont font = gameFont(text);
    const QFontMetrics metrics(font);
    painter.setFont(font);
    painter.setPen(io::colourOf(text.Colour));
    int top = text.Y;
    for (int k = 1; k <= lines; ++k) {
        painter.drawText(QPoint(text.X, top + metrics.ascent()), text.Lines[size_t(k)]);
        top += metrics.height();
    }
    return true;
}

class Text final : public MapKind {
    // Where a click puts the text: on the grid when snapping, never stuck to
    // the map's edge, since a text at 0 counts as not placed.
    static QPoint position(const ToolContext& context) { return context.snapped(context.last, false); }

public:
    int placedCount(const model::StageData& s) const override { return std::min(s.TextCount, model::kMaxTextObjects); }
    bool exists(const model::StageData& s, int i) const override { return i >= 1 && i <= placedCount(s); }
    QPoint position(const model::StageData& s, int i) const override
    {
        const model::TextObjectData& t = s.TextObject.at(size_t(i));
        return {t.X, t.Y};
    }
    void moveTo(model::StageData& s, int i, QPoint at) const override
    {
        s.TextObject.at(size_t(i)).X = at.x();
        s.TextObject.at(size_t(i)).Y = at.y();
    }
    std::optional<SelectionRect> frame(const model::StageData&, int) const override { return std::nullopt; }
    const PlacedRecords* records() const override { return nullptr; }

    std::optional<int> topmostAt(const model::StageData&, QPoint) const override { return std::nullopt; }
    std::optional<int> touchedAt(const model::StageData&, QPoint, Touch) const override { return std::nullopt; }
    QString hoverText(const model::StageData&, int) const override { return QString(); }
    ContextMenu menu() const override { return ContextMenu::None; }
    bool selectable() const override { return true; }

    int listed(const model::StageData& s) const override { return placedCount(s); }
    int listSlot(const model::StageData& s, int t) const override { return s.TextObject[size_t(t)].ListSlot; }
    QString listPicture(const model::Project&, const model::StageData&, int,
                        media::PictureSource& pictures) const override
    {
        return pictures.app().imageFile(model::describe(model::ObjectKind::Text).listIcon);
    }
    QString listedFile(const model::StageData&, int) const override { return QString(); } // read once, never updated

    bool place(ToolContext& context, int t) const override
    {
        if (t >= 1 && t <= placedCount(context.stage()))
            context.document.push(new PlaceTextCommand(context.document, context.level(), t,
                                                       position(context)));
        return true;
    }
    std::optional<IconPicture> pickedPicture(const ToolContext& context, int) const override
    {
        return IconPicture{MapRenderer::kTextMarker, context.renderer.pictures().app().imageFile(MapRenderer::kTextMarker),
                           position(context)};
    }
    // A text has one position: placed once.
    bool pickStaysAfterPlacing() const override { return false; }

    // Its markers cover the frame of a selection.
    bool drawnUnderTheMarks() const override { return false; }
    void feedInputs(const model::StageData&, MapInputs&) const override {}
    void paint(MapCanvas& canvas) const override
    {
        const model::StageData& s = canvas.project.stage(canvas.level);
        media::PictureSource& pictures = canvas.renderer.pictures();
        media::CachedPicture marker;
        bool haveMarker = false;
        bool triedMarker = false;
        for (int t = 1; t <= placedCount(s); ++t) {
            const model::TextObjectData& text = s.TextObject[size_t(t)];
            if (text.X == 0 || text.Y == 0)
                continue;
            if (drawLines(canvas.painter, text))
                continue;
            if (!triedMarker) {
                haveMarker = pictures.loadSilently(pictures.app().imageFile(MapRenderer::kTextMarker), &marker);
                triedMarker = true;
            }
            if (haveMarker)
                canvas.painter.drawImage(QPoint(text.X, text.Y), marker.image);
        }
    }
};

} // namespace

template <>
const MapKind& kindOnMap<model::ObjectKind::Text>() { static const Text kind; return kind; }

} // namespace kestrava::level
