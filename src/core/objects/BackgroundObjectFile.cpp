#include "objects/BackgroundObjectFile.h"

#include "io/Error.h"
#include "io/TextFile.h"
#include "model/Capacities.h"
#include "model/ObjectKind.h"
#include "model/Project.h"
#include "objects/ReadChecks.h"

#include <stdexcept>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::objects {
QString BackgroundObjectFile::keyword() { return model::describe(model::ObjectKind::Background).keyword; }

int BackgroundObjectFile::cell(int row, int column) const
{
    const long long at = model::mapCellOffset(Columns, Rows, row, column);
    return at >= 0 && size_t(at) < cells.size() ? cells[size_t(at)] : 0;
}

void BackgroundObjectFile::setCell(int row, int column, int tile)
{
    const long long at = model::mapCellOffset(Columns, Rows, row, column);
    if (at < 0)
        throw std::out_of_range("map cell outside the map");
    cells.at(size_t(at)) = tile;
}

void BackgroundObjectFile::setMapSize(int columns, int rows)
{
    model::checkMapSize(columns, rows);
    Columns = columns;
    Rows = rows;
    cells.assign(size_t(columns) * size_t(rows), 0);
}

BackgroundObjectFile BackgroundObjectFile::read(const QString& path)
{
    return readObjectFileOfKind<BackgroundObjectFile>(path, u"файл фонового объекта"_s);
}

BackgroundObjectFile BackgroundObjectFile::readBody(io::LineReader& reader)
{
    BackgroundObjectFile f;
    f.PictureName = readPictureName(reader);
    f.TileWidth = readInRange(reader, 1, model::kMaxPictureSide, u"ширина плитки"_s);
    f.TileHeight = readInRange(reader, 1, model::kMaxPictureSide, u"высота плитки"_s);
    const int columns = readBounded(reader, model::kMaxMapColumns, u"число столбцов карты"_s);
    const int rows = readBounded(reader, model::kMaxMapRows, u"число строк карты"_s);
    f.setMapSize(columns, rows);
    reader.integers(f.cells);
    // A cell holds a tile of the sheet, or 0; checked after the quick read of them all.
    const int firstLine = reader.lineNumber() - int(f.cells.size()) + 1;
    for (size_t k = 0; k < f.cells.size(); ++k)
        if (f.cells[k] < 0 || f.cells[k] > model::kMaxTiles)
            throw io::Error::atLine(reader.path(), firstLine + int(k),
                                    u"номер плитки = %1, а допускается от 0 до %2"_s.arg(f.cells[k]).arg(model::kMaxTiles));
    return f;
}

void BackgroundObjectFile::writeTo(io::LineWriter& w) const
{
    checkInRange(w.path(), TileWidth, 1, model::kMaxPictureSide, u"ширина плитки"_s);
    checkInRange(w.path(), TileHeight, 1, model::kMaxPictureSide, u"высота плитки"_s);
    for (const int tile : cells)
        checkInRange(w.path(), tile, 0, model::kMaxTiles, u"номер плитки"_s);
    checkBounded(w.path(), Columns, model::kMaxMapColumns, u"число столбцов карты"_s);
    checkBounded(w.path(), Rows, model::kMaxMapRows, u"число строк карты"_s);
    w.text(keyword());
    w.text(PictureName);
    w.integer(TileWidth);
    w.integer(TileHeight);
    w.integer(Columns);
    w.integer(Rows);
    for (int row = 1; row <= Rows; ++row)
        for (int column = 1; column <= Columns; ++column)
            w.integer(cell(row, column));
}

void BackgroundObjectFile::write(const QString& path) const
{
    writeObjectFile(*this, path);
}

} // namespace kestrava::objects
