#include "objects/FonEditor.h"

#include "io/AppFolder.h"
#include "io/Error.h"
#include "io/Png.h"
#include "io/TextFile.h"
#include "model/Capacities.h"
#include "model/Numbers.h"
#include "objects/BackgroundObjectFile.h"
#include "objects/FonPictures.h"
#include "objects/ObjectFile.h"
#include "objects/SolidTiles.h"
#include "undo/Step.h"

#include <QPainter>

#include <algorithm>
#include <iterator>
#include <optional>
#include <cstdlib>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::objects {
namespace {

constexpr int kStoreColumns = model::kMaxMapColumns;
constexpr int kStoreRows = model::kMaxMapRows;

using CellTiles = std::vector<FonEditor::CellTile>;

// A later step of a stroke joins the step: a cell it changes first keeps
// its tile before, and every cell takes its latest tile after.
struct JoinCells {
    void operator()(CellTiles& before, CellTiles& after, const CellTiles& laterBefore,
                    const CellTiles& laterAfter) const
    {
        for (size_t k = 0; k < laterAfter.size(); ++k) {
            const FonEditor::CellTile& later = laterAfter[k];
            auto same = std::find_if(after.begin(), after.end(), [&](const FonEditor::CellTile& c) {
                return c.column == later.column && c.row == later.row;
            });
            if (same != after.end()) {
                same->tile = later.tile;
            } else {
                after.push_back(later);
                before.push_back(laterBefore[k]);
            }
        }
    }
};

// The cells from one corner cell to the other, both included, given either way round.
QRect cellsBetween(QPoint a, QPoint b)
{
    return QRect(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                 QPoint(std::max(a.x(), b.x()), std::max(a.y(), b.y())));
}

// The drawing copy of a picture: premultiplied when it has alpha, so tiles blit on the fast paths.
QImage bitmapOf(const QImage& picture)
{
    return picture.convertToFormat(picture.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                             : QImage::Format_RGB32);
}

void checkCount(int tiles, const QString& what)
{
    if (tiles < 1 || tiles > FonEditor::kMaxTiles)
        throw io::Error(u"Количество кадров %1 — %2, а должно быть от 1 до %3"_s.arg(what).arg(tiles).arg(
            FonEditor::kMaxTiles));
}

} // namespace

FonEditor::FonEditor(const io::AppFolder& app, QObject* parent)
    : QObject(parent), m_app(app), m_store(size_t(kStoreColumns) * kStoreRows, 0),
      m_crossed(size_t(kStoreColumns) * kStoreRows, false)
{
}

namespace {

// Square tiles of the sizes sheets are mostly drawn in (16 first), when one
// cuts the sheet evenly into no more than `most` tiles either way: the
// default counts would cut a strip of tiles into slivers.
std::optional<QSize> squareTileCounts(QSize sheet, int most)
{
    for (int side : {16, 32, 8, 24})
        if (sheet.width() % side == 0 && sheet.height() % side == 0 && sheet.width() / side <= most
            && sheet.height() / side <= most)
            return QSize(sheet.width() / side, sheet.height() / side);
    return std::nullopt;
}

} // namespace

void FonEditor::loadPicture(const QString& path)
{
    const QImage picture = io::readPng(path);
    // Counts the author set are kept; otherwise they are guessed from the sheet.
    if (!m_countsChosen)
        if (const std::optional<QSize> guessed = squareTileCounts(picture.size(), kMaxTiles)) {
            m_across = guessed->width();
            m_down = guessed->height();
        }
    // A picture too small for the counts would give tiles of no pixels.
    const int across = std::min(m_across, picture.width());
    const int down = std::min(m_down, picture.height());
    m_picture = picture;
    m_bitmap = bitmapOf(picture);
    cut(across, down);
    touch();
}

void FonEditor::setTiles(int across, int down)
{
    checkCount(across, u"в ширину"_s);
    checkCount(down, u"в высоту"_s);
    if (pictureLoaded()) {
        if (model::nearest(double(m_picture.width()) / across) < 1)
            throw io::Error(u"Количество кадров в ширину (%1) слишком велико для ширины рисунка (%2 точ.): кадр был "
                            u"бы уже одной точки"_s.arg(across).arg(m_picture.width()));
        if (model::nearest(double(m_picture.height()) / down) < 1)
            throw io::Error(u"Количество кадров в высоту (%1) слишком велико для высоты рисунка (%2 точ.): кадр был "
                            u"бы ниже одной точки"_s.arg(down).arg(m_picture.height()));
        cut(across, down);
        touch();
    } else {
        m_across = across;
        m_down = down;
    }
    m_countsChosen = true;
}

void FonEditor::cutSheet()
{
    if (pictureLoaded())
        cut(m_across, m_down);
}

void FonEditor::cut(int across, int down)
{
    m_across = across;
    m_down = down;
    m_tileWidth = model::nearest(double(m_picture.width()) / across);
    m_tileHeight = model::nearest(double(m_picture.height()) / down);
    const int count = across * down;
    m_tiles.assign(size_t(count) + 1, QRect());
    for (int k = 1; k <= count; ++k) {
        const int i = (k - 1) % across;
        const int j = (k - 1) / across;
        m_tiles[size_t(k)] = QRect(m_tileWidth * i, m_tileHeight * j, m_tileWidth, m_tileHeight);
    }
    // A selection the new cut has no tile for would paint invisible cells.
    if (m_selected > count) {
        m_selected = 0;
        emit selectionChanged();
    }
    emit sheetChanged();
}

QRect FonEditor::tileRect(int tile) const
{
    return tile >= 1 && size_t(tile) < m_tiles.size() ? m_tiles[size_t(tile)] : QRect();
}

int FonEditor::paletteColumns() const
{
    return std::max(kPaletteColumns, (tileCount() + kPaletteRows - 1) / kPaletteRows);
}

int FonEditor::paletteTile(int column, int row) const
{
    if (column < 0 || row < 0 || row >= kPaletteRows)
        return 0;
    const long long tile = (long long)column * kPaletteRows + row + 1;
    return tile <= tileCount() ? int(tile) : 0;
}

void FonEditor::paletteClicked(QPoint pixel)
{
    if (pixel.x() < 0 || pixel.y() < 0)
        return;
    const int tile = paletteTile(pixel.x() / kPaletteCell, pixel.y() / kPaletteCell);
    if (m_solidMarking) {
        toggleSolid(tile);
        return;
    }
    m_selected = tile;
    emit selectionChanged();
}

bool FonEditor::isSolid(int tile) const
{
    return std::binary_search(m_solid.begin(), m_solid.end(), tile);
}

void FonEditor::toggleSolid(int tile)
{
    if (tile < 1 || tile > tileCount())
        return;
    std::vector<int> after = m_solid;
    if (const auto at = std::lower_bound(after.begin(), after.end(), tile); at != after.end() && *at == tile)
        after.erase(at);
    else
        after.insert(at, tile);
    m_history.push(new undo::SnapshotStep<std::vector<int>>(
        u"непроходимая плитка"_s, m_solid, std::move(after), [this](const std::vector<int>& shown) { showSolid(shown); }));
}

void FonEditor::showSolid(const std::vector<int>& tiles)
{
    m_solid = tiles;
    emit sheetChanged();
}

void FonEditor::setMapSize(int columns, int rows)
{
    if (columns < 1 || columns > kStoreColumns || rows < 1 || rows > kStoreRows)
        throw io::Error(u"Карта %1 x %2 ячеек: ячеек в ширину и в высоту должно быть от 1 до %3"_s.arg(columns)
                            .arg(rows)
                            .arg(std::min(kStoreColumns, kStoreRows)));
    if (columns == m_columns && rows == m_rows)
        return;
    m_columns = columns;
    m_rows = rows;
    touch();
    emit gridResized();
}

std::optional<QPoint> FonEditor::cellAt(QPoint pixel) const
{
    if (pixel.x() < 0 || pixel.y() < 0)
        return std::nullopt;
    const int column = pixel.x() / m_tileWidth;
    const int row = pixel.y() / m_tileHeight;
    if (column >= m_columns || row >= m_rows)
        return std::nullopt;
    return QPoint(column, row);
}

QRect FonEditor::cellPixels(const QRect& cells) const
{
    return QRect(cells.left() * m_tileWidth, cells.top() * m_tileHeight, cells.width() * m_tileWidth,
                 cells.height() * m_tileHeight);
}

int FonEditor::cell(int column, int row) const
{
    if (column < 0 || row < 0 || column >= kStoreColumns || row >= kStoreRows)
        return 0;
    return m_store[size_t(row) * kStoreColumns + size_t(column)];
}

void FonEditor::showCells(const std::vector<CellTile>& cells)
{
    if (cells.empty())
        return;
    QRect touched;
    for (const CellTile& c : cells) {
        m_store[size_t(c.row) * kStoreColumns + size_t(c.column)] = c.tile;
        touched |= QRect(c.column, c.row, 1, 1);
    }
    touch();
    emit cellsChanged(touched);
}

void FonEditor::setCellsAsStep(std::vector<CellChange> changes, const QString& text, int stroke)
{
    if (changes.empty())
        return;
    // Only the cells it changes, before and after: a whole map per step would be most of the history.
    CellTiles before;
    CellTiles after;
    for (const CellChange& c : changes) {
        before.push_back({c.column, c.row, c.before});
        after.push_back({c.column, c.row, c.after});
    }
    m_history.push(new undo::SnapshotStep<CellTiles, JoinCells>(
        text, std::move(before), std::move(after), [this](const CellTiles& shown) { showCells(shown); }, stroke));
}

void FonEditor::toggle(int column, int row)
{
    if (column < 0 || row < 0 || column >= m_columns || row >= m_rows)
        return;
    const int now = cell(column, row);
    // Another tile replaces the cell's at once; its own tile clears it.
    const int next = now == m_selected ? 0 : m_selected;
    if (next != now)
        setCellsAsStep({{column, row, now, next}}, u"ячейка карты"_s, 0);
}

void FonEditor::pressed(QPoint pixel)
{
    m_press = cellAt(pixel);
    m_last = m_press;
    m_painting = false;
    if (m_press)
        ++m_stroke;
}

void FonEditor::pointerMoved(QPoint pixel)
{
    if (!m_press)
        return;
    const std::optional<QPoint> at = cellAt(pixel);
    if (m_brush == Brush::Rectangle || m_brush == Brush::Fill) {
        // The rectangle keeps its last corner on the grid while the pointer is off it.
        if (at && at != m_last) {
            const QRect before = pendingRectangle().value_or(QRect());
            m_last = at;
            if (m_brush == Brush::Rectangle)
                emit cellsChanged(before | *pendingRectangle());
        }
        if (at != m_press)
            m_painting = true;
        return;
    }
    if (!at) {
        // Off the grid the stroke pauses; coming back does not draw across the gap.
        m_last.reset();
        return;
    }
    if (!m_painting) {
        if (*at == *m_press)
            return;
        m_painting = true;
        std::fill(m_crossed.begin(), m_crossed.end(), false);
        paintCrossed(*m_press, *at, strokeTile());
    } else {
        paintCrossed(m_last.value_or(*at), *at, strokeTile());
    }
    m_last = at;
}

void FonEditor::released(QPoint pixel)
{
    if (!m_press)
        return;
    const QPoint press = *m_press;
    const std::optional<QPoint> at = cellAt(pixel);
    const QPoint corner = at.value_or(m_last.value_or(press));
    const bool click = !m_painting && at == press;
    const std::optional<QRect> pending = pendingRectangle();
    m_press.reset();
    m_last.reset();
    m_painting = false;
    switch (m_brush) {
    case Brush::Pencil:
        if (click)
            toggle(press.x(), press.y());
        break;
    case Brush::Eraser:
        if (click && cell(press.x(), press.y()) != 0)
            setCellsAsStep({{press.x(), press.y(), cell(press.x(), press.y()), 0}}, u"ластик"_s, 0);
        break;
    case Brush::Rectangle:
        fillRectangle(press, corner);
        // The outline goes even when the cells already held the tile.
        if (pending)
            emit cellsChanged(*pending);
        break;
    case Brush::Fill:
        if (click)
            floodFill(press.x(), press.y());
        break;
    }
}

void FonEditor::setBrush(Brush brush)
{
    if (m_press)
        return;
    m_brush = brush;
}

std::optional<QRect> FonEditor::pendingRectangle() const
{
    if (m_brush != Brush::Rectangle || !m_press)
        return std::nullopt;
    return cellsBetween(*m_press, m_last.value_or(*m_press));
}

void FonEditor::pickAt(QPoint pixel)
{
    const std::optional<QPoint> at = cellAt(pixel);
    if (!at)
        return;
    const int tile = cell(at->x(), at->y());
    // A number the cut has no tile for selects nothing that could be painted.
    m_selected = tile <= tileCount() ? tile : 0;
    emit selectionChanged();
}

void FonEditor::fillRectangle(QPoint corner, QPoint opposite)
{
    const QRect cells = cellsBetween(corner, opposite).intersected(QRect(0, 0, m_columns, m_rows));
    std::vector<CellChange> changes;
    for (int row = cells.top(); row <= cells.bottom(); ++row)
        for (int column = cells.left(); column <= cells.right(); ++column)
            if (const int now = cell(column, row); now != m_selected)
                changes.push_back({column, row, now, m_selected});
    setCellsAsStep(std::move(changes), u"прямоугольник"_s, 0);
}

void FonEditor::floodFill(int column, int row)
{
    if (column < 0 || row < 0 || column >= m_columns || row >= m_rows)
        return;
    const int from = cell(column, row);
    if (from == m_selected)
        return;
    // Breadth first over the grid, each cell visited once.
    std::vector<bool> seen(size_t(m_columns) * size_t(m_rows), false);
    std::vector<QPoint> queue{QPoint(column, row)};
    seen[size_t(row) * size_t(m_columns) + size_t(column)] = true;
    std::vector<CellChange> changes;
    for (size_t next = 0; next < queue.size(); ++next) {
        const QPoint p = queue[next];
        changes.push_back({p.x(), p.y(), from, m_selected});
        for (const QPoint step : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)}) {
            const QPoint n = p + step;
            if (n.x() < 0 || n.y() < 0 || n.x() >= m_columns || n.y() >= m_rows)
                continue;
            const size_t at = size_t(n.y()) * size_t(m_columns) + size_t(n.x());
            if (seen[at] || cell(n.x(), n.y()) != from)
                continue;
            seen[at] = true;
            queue.push_back(n);
        }
    }
    setCellsAsStep(std::move(changes), u"заливка"_s, 0);
}

void FonEditor::paintCrossed(QPoint from, QPoint to, int tile)
{
    // Every cell on the line between the two, so a quick pointer skips none.
    std::vector<CellChange> changes;
    int x = from.x();
    int y = from.y();
    const int dx = std::abs(to.x() - x);
    const int dy = -std::abs(to.y() - y);
    const int sx = x < to.x() ? 1 : -1;
    const int sy = y < to.y() ? 1 : -1;
    int error = dx + dy;
    for (;;) {
        const size_t at = size_t(y) * kStoreColumns + size_t(x);
        if (!m_crossed[at]) {
            m_crossed[at] = true;
            if (m_store[at] != tile)
                changes.push_back({x, y, m_store[at], tile});
        }
        if (x == to.x() && y == to.y())
            break;
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x += sx;
        }
        if (twice <= dx) {
            error += dx;
            y += sy;
        }
    }
    setCellsAsStep(std::move(changes), tile == 0 ? u"ластик"_s : u"рисование карты"_s, m_stroke);
}

void FonEditor::clear()
{
    std::vector<CellChange> changes;
    for (int row = 0; row < m_rows; ++row)
        for (int column = 0; column < m_columns; ++column)
            if (const int now = cell(column, row); now != 0)
                changes.push_back({column, row, now, 0});
    setCellsAsStep(std::move(changes), u"очистка поля"_s, 0);
}

QImage FonEditor::sheetAsCut() const
{
    const int width = m_across * m_tileWidth;
    const int height = m_down * m_tileHeight;
    if (width <= m_picture.width() && height <= m_picture.height())
        return width == m_picture.width() && height == m_picture.height() ? m_picture
                                                                          : m_picture.copy(0, 0, width, height);
    QImage sheet(width, height, QImage::Format_ARGB32);
    sheet.fill(Qt::transparent);
    QPainter painter(&sheet);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(QPoint(0, 0), m_picture);
    return sheet;
}

void FonEditor::checkSavable() const
{
    if (!pictureLoaded())
        throw io::Error(u"Карта не сохранена: изображение не загружено. Сначала выберите «Правка» → "
                        u"«загрузить изображение»"_s);
}

void FonEditor::save(const QString& path)
{
    checkSavable();
    BackgroundObjectFile file;
    file.PictureName = pngNameOf(path);
    file.TileWidth = m_tileWidth;
    file.TileHeight = m_tileHeight;
    file.setMapSize(m_columns, m_rows);
    for (int row = 0; row < m_rows; ++row)
        for (int column = 0; column < m_columns; ++column)
            file.setCell(row + 1, column + 1, cell(column, row));
    io::LineWriter writer(path);
    file.writeTo(writer);

    const QString png = m_app.objectFile(pngNameOf(path));
    const QString bmp = m_app.objectFile(bmpNameOf(path));
    // Tiles past the cut are no tiles of the saved sheet.
    std::vector<int> solid;
    std::copy_if(m_solid.begin(), m_solid.end(), std::back_inserter(solid), [&](int t) { return t <= tileCount(); });
    // The pictures first: the object file never names a sheet that is not there.
    io::writeFilesTogether({{png, io::encodePng(sheetAsCut(), png)},
                            {bmp, io::encodeBmp(previewImage(*this), bmp)},
                            {m_app.objectFile(solidTilesNameOf(path)), solidTilesBytes(solid)},
                            {path, writer.bytes()}});
    m_history.setClean();
}

void FonEditor::open(const QString& path)
{
    const BackgroundObjectFile file = BackgroundObjectFile::read(path);
    if (file.PictureName.isEmpty())
        throw io::Error::inFile(path, u"в файле не указан рисунок с плитками"_s);
    const QString sheetPath = m_app.objectFile(file.PictureName);
    const QImage picture = io::readPng(sheetPath);
    if (file.TileWidth < 1 || file.TileHeight < 1)
        throw io::Error::inFile(path, u"плитка %1 x %2 точек: плитки должны быть не меньше 1 x 1 точки"_s
                                          .arg(file.TileWidth)
                                          .arg(file.TileHeight));
    // The editor cuts by counts; a tile size no count gives cannot be shown as the file means it.
    const int across = model::nearest(double(picture.width()) / file.TileWidth);
    const int down = model::nearest(double(picture.height()) / file.TileHeight);
    if (across < 1 || down < 1 || across > kMaxTiles || down > kMaxTiles
        || model::nearest(double(picture.width()) / across) != file.TileWidth
        || model::nearest(double(picture.height()) / down) != file.TileHeight)
        throw io::Error::inFile(path, u"рисунок «%1» (%2 x %3 точек) не разрезается на плитки %4 x %5 "
                                      u"по 1..%6 кадров в ширину и в высоту; такую карту редактор открыть не может"_s
                                          .arg(file.PictureName)
                                          .arg(picture.width())
                                          .arg(picture.height())
                                          .arg(file.TileWidth)
                                          .arg(file.TileHeight)
                                          .arg(kMaxTiles));

    const std::vector<int> solid = readSolidTiles(m_app.objectFile(solidTilesNameOf(path)), across * down);

    // Everything is read: the old state goes.
    m_solid = solid;
    m_press.reset();
    m_last.reset();
    m_painting = false;
    m_picture = picture;
    m_bitmap = bitmapOf(picture);
    m_columns = std::max(1, file.Columns);
    m_rows = std::max(1, file.Rows);
    // Cells of the previous map must not come back when this one's grid grows.
    std::fill(m_store.begin(), m_store.end(), 0);
    for (int row = 1; row <= file.Rows; ++row)
        for (int column = 1; column <= file.Columns; ++column)
            m_store[size_t(row - 1) * kStoreColumns + size_t(column - 1)] = file.cell(row, column);
    cut(across, down);
    m_countsChosen = true; // the object's own cut
    m_history.clear();
}

} // namespace kestrava::objects
