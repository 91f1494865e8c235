#include "level/MapRenderer.h"

#include "io/AppFolder.h"
#include "io/Error.h"
#include "io/Paths.h"
#include "media/PictureSource.h"
#include "level/MapKind.h"
#include "level/TileMap.h"
#include "model/Project.h"

#include <QPainter>

#include <algorithm>
#include <cstdlib>
#include <cstring>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::level {

namespace {

// Rendered maps larger than this are drawn tile by tile instead of kept.
constexpr qint64 kMaxRenderPixels = qint64(model::kMapSize) * model::kMapSize;

// Pixel helpers on the RGB32 map. Rectangles exclude their right and bottom
// edges, as the frames and squares of the map always have.
void fillPixels(QImage& image, qint64 left, qint64 top, qint64 right, qint64 bottom, QRgb colour)
{
    left = std::max<qint64>(left, 0);
    top = std::max<qint64>(top, 0);
    right = std::min<qint64>(right, image.width());
    bottom = std::min<qint64>(bottom, image.height());
    for (qint64 y = top; y < bottom; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(int(y)));
        std::fill(line + left, line + std::max(left, right), colour);
    }
}

void framePixels(QImage& image, qint64 left, qint64 top, qint64 right, qint64 bottom, QRgb colour)
{
    if (right <= left || bottom <= top)
        return;
    fillPixels(image, left, top, right, top + 1, colour);
    fillPixels(image, left, bottom - 1, right, bottom, colour);
    fillPixels(image, left, top, left + 1, bottom, colour);
    fillPixels(image, right - 1, top, right, bottom, colour);
}

void putPixel(QImage& image, qint64 x, qint64 y, QRgb colour)
{
    if (x >= 0 && y >= 0 && x < image.width() && y < image.height())
        reinterpret_cast<QRgb*>(image.scanLine(int(y)))[x] = colour;
}

// A one-pixel line from (x0, y0) towards (x1, y1), the end point left out.
void linePixels(QImage& image, qint64 x0, qint64 y0, qint64 x1, qint64 y1, QRgb colour)
{
    const qint64 dx = std::llabs(x1 - x0);
    const qint64 dy = -std::llabs(y1 - y0);
    const qint64 sx = x0 < x1 ? 1 : -1;
    const qint64 sy = y0 < y1 ? 1 : -1;
    qint64 err = dx + dy;
    while (x0 != x1 || y0 != y1) {
        putPixel(image, x0, y0, colour);
        const qint64 e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y0 += sy;
        }
    }
}

// Feeds `to` everything of a stage that the drawing under the marks depends
// on besides the picture files; the same walk records the inputs and
// compares them later, so the two cannot drift apart.
void visitBaseInputs(const model::Project& project, int level, MapInputs& to)
{
    const model::StageData& s = project.stage(level);
    to.numbers({level, project.hasProjectDir()});
    to.name(project.ProjectDir.value_or(QString()));
    for (model::ObjectKind kind : kDrawnOnTopFirst)
        if (const MapKind& on = onMap(kind); on.drawnUnderTheMarks())
            on.feedInputs(s, to);
}

struct BaseInputs {
    std::vector<qint64> numbers;
    QStringList names;
    std::vector<std::vector<int>> cells;
};

// Records into the lists of the last drawing, reusing their storage: while a
// background is dragged the base is drawn again on every move.
struct RecordInputs final : MapInputs {
    explicit RecordInputs(BaseInputs& into) : into(into) {}
    BaseInputs& into;
    size_t cellLists = 0;
    void numbers(std::initializer_list<qint64> ns) override { into.numbers.insert(into.numbers.end(), ns); }
    void name(const QString& n) override { into.names.push_back(n); }
    void cells(const std::vector<int>& c) override
    {
        if (cellLists < into.cells.size())
            into.cells[cellLists].assign(c.begin(), c.end());
        else
            into.cells.push_back(c);
        ++cellLists;
    }
};

// Compares without allocating: this runs on every pointer move.
struct CompareInputs final : MapInputs {
    explicit CompareInputs(const BaseInputs& with) : with(with) {}
    const BaseInputs& with;
    // How far each list has been compared.
    size_t numbersRead = 0;
    qsizetype namesRead = 0;
    size_t cellListsRead = 0;
    bool same = true;
    void numbers(std::initializer_list<qint64> ns) override
    {
        for (qint64 n : ns)
            same = same && numbersRead < with.numbers.size() && with.numbers[numbersRead++] == n;
    }
    void name(const QString& n) override { same = same && namesRead < with.names.size() && with.names[namesRead++] == n; }
    void cells(const std::vector<int>& c) override
    {
        same = same && cellListsRead < with.cells.size() && with.cells[cellListsRead++] == c;
    }
    bool all() const
    {
        return same && numbersRead == with.numbers.size() && namesRead == with.names.size()
               && cellListsRead == with.cells.size();
    }
};

} // namespace

void BlinkColour::advance()
{
    if (up) {
        red += 10;
        blue += 10;
        green -= 10;
    } else {
        red -= 10;
        blue -= 10;
        green += 10;
    }
    if (red > 254)
        up = false;
    if (red < 1)
        up = true;
}

QRgb BlinkColour::rgb() const
{
    return qRgb(red & 0xff, green & 0xff, blue & 0xff);
}

struct MapRenderer::TileSheet {
    std::uint64_t serial = 0;
    QImage image;
    std::vector<QRect> rects;
};

struct MapRenderer::GroupRender {
    std::uint64_t sheetSerial = 0;
    int tileWidth = 0;
    int tileHeight = 0;
    int columns = 0;
    int rows = 0;
    std::vector<int> cells;
    std::shared_ptr<const TileSheet> sheet;
    QImage image;       // null: too large to keep, drawn tile by tile
};

struct MapRenderer::BaseRender {
    QImage image;
    BaseInputs inputs;
    QStringList files;               // every picture file the drawing asked for
    std::uint64_t pictureChanges = 0; // the cache's count once they were read
};

MapRenderer::MapRenderer(media::PictureSource& pictures) : m_pictures(pictures) {}

MapRenderer::~MapRenderer() = default;

bool MapRenderer::loadSheet(const model::Project& project, const model::FonGroupData& group, QString* path,
                            media::CachedPicture* out, bool doReport)
{
    const QString key = u"sheet:"_s + group.PictureName;
    if (!io::isPlainFileName(group.PictureName)) {
        if (doReport)
            m_pictures.report(key, u"Фоновая группа «%1»: имя рисунка плиток «%2» недопустимо"_s.arg(
                                       group.FileName, group.PictureName));
        return false;
    }
    return m_pictures.loadLibraryOrOwn(key, group.PictureName, project.projectPath(u"objects"_s), path, out,
                                       doReport);
}

std::shared_ptr<const MapRenderer::TileSheet> MapRenderer::tileSheet(const model::Project& project,
                                                                     const model::FonGroupData& group, bool doReport)
{
    QString path;
    media::CachedPicture picture;
    if (!loadSheet(project, group, &path, &picture, doReport))
        return nullptr;
    const QString key = path + u'|' + QString::number(group.TileWidth) + u'x' + QString::number(group.TileHeight);
    std::shared_ptr<TileSheet>& sheet = m_sheets[key];
    if (sheet && sheet->serial == picture.serial)
        return sheet;
    const QString reportKey = u"tiles:"_s + key;
    try {
        auto fresh = std::make_shared<TileSheet>();
        fresh->rects = tileRects(picture.image, group.TileWidth, group.TileHeight, path);
        fresh->serial = picture.serial;
        fresh->image = picture.image;
        sheet = fresh;
        m_pictures.forget(reportKey);
        return fresh;
    } catch (const io::Error& e) {
        m_sheets.remove(key);
        if (doReport)
            m_pictures.report(reportKey, e.message());
        return nullptr;
    }
}

QString MapRenderer::sheetProblem(const model::Project& project, const model::FonGroupData& group)
{
    QString path;
    media::CachedPicture picture;
    if (!loadSheet(project, group, &path, &picture, false))
        return QString();
    try {
        tileRects(picture.image, group.TileWidth, group.TileHeight, path);
        return QString();
    } catch (const io::Error& e) {
        return e.message();
    }
}

const MapRenderer::GroupRender* MapRenderer::groupRender(const model::Project& project, int level, int g)
{
    const model::FonGroupData& group = project.stage(level).FonGroup[size_t(g)];
    const std::shared_ptr<const TileSheet> sheet = tileSheet(project, group, true);
    if (!sheet)
        return nullptr;
    std::shared_ptr<GroupRender>& render = m_renders[qint64(level) * 1000 + g];
    if (render && render->sheetSerial == sheet->serial && render->tileWidth == group.TileWidth
        && render->tileHeight == group.TileHeight && render->columns == group.Columns && render->rows == group.Rows
        && render->cells == group.Cells)
        return render.get();
    auto fresh = std::make_shared<GroupRender>();
    fresh->sheetSerial = sheet->serial;
    fresh->tileWidth = group.TileWidth;
    fresh->tileHeight = group.TileHeight;
    fresh->columns = group.Columns;
    fresh->rows = group.Rows;
    fresh->cells = group.Cells;
    fresh->sheet = sheet;
    const qint64 width = qint64(group.TileWidth) * group.Columns;
    const qint64 height = qint64(group.TileHeight) * group.Rows;
    if (width <= 4 * model::kMapSize && height <= 4 * model::kMapSize && width * height <= kMaxRenderPixels)
        fresh->image = renderTileMap(sheet->image, sheet->rects, group);
    render = fresh;
    return render.get();
}

void MapRenderer::setPictureCaching(bool on)
{
    m_pictures.cache().setEnabled(on);
    forgetRenders();
}

void MapRenderer::forgetRenders()
{
    m_sheets.clear();
    m_renders.clear();
    m_base.reset();
}

const QImage& MapRenderer::base(const model::Project& project, int level, QSize size)
{
    media::PictureCache& cache = m_pictures.cache();
    if (m_base && cache.enabled() && m_base->image.size() == size) {
        CompareInputs compare{m_base->inputs};
        visitBaseInputs(project, level, compare);
        if (compare.all()) {
            // A picture file changed on disk draws the base again, as it would have without keeping it.
            cache.check(m_base->files);
            if (cache.changeCount() == m_base->pictureChanges)
                return m_base->image;
        }
    }
    if (!m_base)
        m_base = std::make_unique<BaseRender>();
    BaseRender& fresh = *m_base;
    if (fresh.image.size() != size)
        fresh.image = QImage(size, QImage::Format_RGB32);
    fresh.inputs.numbers.clear();
    fresh.inputs.names.clear();
    RecordInputs record{fresh.inputs};
    visitBaseInputs(project, level, record);
    fresh.inputs.cells.resize(record.cellLists);
    fresh.files.clear();
    cache.recordPaths(&fresh.files);
    fresh.image.fill(Qt::white);
    drawKinds(fresh.image, project, level, true);
    cache.recordPaths(nullptr);
    fresh.files.removeDuplicates();
    fresh.pictureChanges = cache.changeCount();
    return fresh.image;
}

void MapRenderer::render(QImage& map, const model::Project& project, int level, const MapOverlay& overlay)
{
    const model::StageData& s = project.stage(level);
    m_pictures.cache().beginPass();
    const QImage& under = base(project, level, map.size());
    if (map.format() == under.format() && map.bytesPerLine() == under.bytesPerLine())
        std::memcpy(map.bits(), under.constBits(), size_t(under.sizeInBytes()));
    else
        QPainter(&map).drawImage(0, 0, under);
    const auto frameSelected = [&](const SelectionRect& sel) {
        framePixels(map, sel.left, sel.top, sel.right, sel.bottom, overlay.selectionColour);
        framePixels(map, qint64(sel.left) + 2, qint64(sel.top) + 2, qint64(sel.right) - 2, qint64(sel.bottom) - 2,
                    overlay.selectionColour);
    };
    for (const SelectionRect& more : overlay.moreSelected)
        frameSelected(more);
    frameSelected(overlay.selection);
    if (overlay.band)
        framePixels(map, overlay.band->left(), overlay.band->top(), qint64(overlay.band->right()) + 1,
                    qint64(overlay.band->bottom()) + 1, kBandColour);
    framePixels(map, 0, 0, overlay.screen.width(), overlay.screen.height(), kScreenFrameColour);
    drawKinds(map, project, level, false);
    if (overlay.pathObject > 0)
        drawPath(map, s, overlay.pathObject);
    if (overlay.floating)
        drawFloating(map, *overlay.floating);
}

void MapRenderer::drawKinds(QImage& map, const model::Project& project, int level, bool underTheMarks)
{
    QPainter painter(&map);
    MapCanvas canvas{painter, map.rect(), project, level, *this};
    for (auto kind = kDrawnOnTopFirst.rbegin(); kind != kDrawnOnTopFirst.rend(); ++kind)
        if (const MapKind& on = onMap(*kind); on.drawnUnderTheMarks() == underTheMarks)
            on.paint(canvas);
}

void MapRenderer::drawGroupMap(MapCanvas& canvas, int g, QPoint at)
{
    const model::FonGroupData& group = canvas.project.stage(canvas.level).FonGroup[size_t(g)];
    if (m_pictures.cache().enabled()) {
        const GroupRender* render = groupRender(canvas.project, canvas.level, g);
        if (!render)
            return;
        if (!render->image.isNull())
            canvas.painter.drawImage(at, render->image);
        else
            drawTileMap(canvas.painter, at.x(), at.y(), render->sheet->image, render->sheet->rects, group,
                        canvas.bounds);
    } else {
        // Read and cut the sheet for every object, tile by tile.
        m_sheets.clear();
        const std::shared_ptr<const TileSheet> sheet = tileSheet(canvas.project, group, true);
        if (sheet)
            drawTileMap(canvas.painter, at.x(), at.y(), sheet->image, sheet->rects, group, canvas.bounds);
    }
}

void MapRenderer::drawPath(QImage& map, const model::StageData& s, int object)
{
    if (object > std::min(s.ActiveObjCount, model::kMaxActiveObjects))
        return;
    const model::ActiveObjectData& o = s.ActiveObject[size_t(object)];
    const int count = std::min(o.PathCount, model::kMaxPathPoints);
    if (count < 1)
        return;
    // The pen keeps the screen frame's colour; the squares are filled blue.
    qint64 penX = o.Path[1].X;
    qint64 penY = o.Path[1].Y;
    for (int k = 1; k <= count; ++k) {
        const qint64 x = o.Path[size_t(k)].X;
        const qint64 y = o.Path[size_t(k)].Y;
        fillPixels(map, x - 3, y - 3, x + 3, y + 3, kPathPointColour);
        framePixels(map, x - 3, y - 3, x + 3, y + 3, kScreenFrameColour);
        linePixels(map, penX, penY, x, y, kScreenFrameColour);
        penX = x;
        penY = y;
    }
}

void MapRenderer::drawFloating(QImage& map, const FloatingPicture& floating)
{
    if (!io::isPlainFileName(io::fileNamePart(floating.path))) {
        m_pictures.report(floating.key, u"Рисунок «%1»: имя недопустимо"_s.arg(floating.path));
        return;
    }
    media::CachedPicture picture;
    if (!m_pictures.loadReported(floating.key, floating.path, &picture))
        return;
    QPainter painter(&map);
    painter.drawImage(floating.at, picture.image);
}

} // namespace kestrava::level
