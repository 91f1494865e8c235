#pragma once

#include "media/PictureCache.h"

#include <QHash>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QRgb>
#include <QSize>
#include <QString>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

class QPainter;

namespace kestrava::model { class Project; struct StageData; struct FonGroupData; }
namespace kestrava::media { class PictureSource; }

namespace kestrava::level {

struct MapCanvas;

// The selection frame's colour; it steps on every redraw.
struct BlinkColour {
    int red = 0;
    int green = 255;
    int blue = 0;
    bool up = true;

    void advance();
    // The colour drawn: the low 8 bits of each component.
    QRgb rgb() const;
};

struct SelectionRect {
    int left = 0;
    int right = 0;
    int top = 0;
    int bottom = 0;
    bool operator==(const SelectionRect&) const = default;
};

// A picture that follows the pointer (a picked icon).
struct FloatingPicture {
    QString key;  // under which a problem with it is reported
    QString path;
    QPoint at;
};

// What the map shows besides the stage itself.
struct MapOverlay {
    SelectionRect selection;  // all 0: none
    std::vector<SelectionRect> moreSelected; // the rest of a selection of several
    std::optional<QRect> band;               // the rubber band being dragged out
    QRgb selectionColour = 0;
    QSize screen;             // the game screen frame at the origin
    int pathObject = 0;       // placed active object whose path is shown; 0 for none
    std::optional<FloatingPicture> floating;
};

// Draws a stage of a project into the map picture. It changes nothing in
// the project; pictures come from the cache, so a redraw on every pointer
// move reads no file that has not changed.
class MapRenderer {
public:
    static constexpr QRgb kScreenFrameColour = 0xff64c896;  // 100, 200, 150
    static constexpr QRgb kPathPointColour = 0xff1900ff;    // 25, 0, 255
    static constexpr QRgb kBandColour = 0xff2060e0;
    // The marker of a positioned text object, in the images folder.
    static inline const QString kTextMarker = QStringLiteral("text1.bmp");

    explicit MapRenderer(media::PictureSource& pictures);
    ~MapRenderer();

    void render(QImage& map, const model::Project& project, int level, const MapOverlay& overlay);

    media::PictureSource& pictures() { return m_pictures; }

    // Why a background group cannot be drawn (its sheet cannot be cut into
    // its tiles); empty when it can, or when the sheet is only missing.
    QString sheetProblem(const model::Project& project, const model::FonGroupData& group);

    // Draws background group g of the canvas's stage with its map's corner at
    // `at`, from the render kept of it when pictures are cached.
    void drawGroupMap(MapCanvas& canvas, int g, QPoint at);

    // Off: every picture is decoded again each time it is drawn (for measurements).
    void setPictureCaching(bool on);
    // Another project: nothing kept from the previous one may be drawn.
    void forgetRenders();

private:
    struct GroupRender;
    struct TileSheet;
    struct BaseRender;

    bool loadSheet(const model::Project& project, const model::FonGroupData& group, QString* path,
                   media::CachedPicture* out, bool report);
    std::shared_ptr<const TileSheet> tileSheet(const model::Project& project, const model::FonGroupData& group,
                                               bool report);
    const GroupRender* groupRender(const model::Project& project, int level, int g);

    // The stage without the editor's marks, kept between redraws that change nothing under them.
    const QImage& base(const model::Project& project, int level, QSize size);
    // The kinds drawn under the marks, or those drawn over them, bottom first.
    void drawKinds(QImage& map, const model::Project& project, int level, bool underTheMarks);
    void drawPath(QImage& map, const model::StageData& stage, int object);
    void drawFloating(QImage& map, const FloatingPicture& floating);

    media::PictureSource& m_pictures;
    QHash<QString, std::shared_ptr<TileSheet>> m_sheets;
    QHash<qint64, std::shared_ptr<GroupRender>> m_renders; // by stage and group
    std::unique_ptr<BaseRender> m_base;
};

} // namespace kestrava::level
