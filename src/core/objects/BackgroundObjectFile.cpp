#include "objects/BackgroundObjectFile.h"

#include "io/Error.h"
#include "io/TextFile.h"
#include "model/Capacities.h"
#include "objects/ReadChecks.h"

#include <limits>
#include <stdexcept>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::objects {
namespace {

constexpr int kAnySize = std::numeric_limits<int>::max();

const QString kKindName = u"файл фонового объекта"_s;

} // namespace

QString BackgroundObjectFile::keyword() { return u"fon"_s; }

int BackgroundObjectFile::cell(int row, int column) const
{
    if (row < 1 || row > Rows || column < 1 || column > Columns)
        return 0;
    const size_t at = size_t(row - 1) * size_t(Columns) + size_t(column - 1);
    return at < cells.size() ? cells[at] : 0;
}

void BackgroundObjectFile::setCell(int row, int column, int tile)
{
    if (row < 1 || row > Rows || column < 1 || column > Columns)
        throw std::out_of_range("map cell outside the map");
    cells[size_t(row - 1) * size_t(Columns) + size_t(column - 1)] = tile;
}

void BackgroundObjectFile::setMapSize(int columns, int rows)
{
    if (columns < 0 || rows < 0 || columns > model::kMaxMapColumns || rows > model::kMaxMapRows)
        throw std::out_of_range("map larger than the model holds");
    Columns = columns;
    Rows = rows;
    cells.assign(size_t(columns) * size_t(rows), 0);
}

BackgroundObjectFile BackgroundObjectFile::read(const QString& path)
{
    io::LineReader reader = io::LineReader::open(path);
    expectKeyword(reader, keyword(), kKindName);
    return readBody(reader);
}

BackgroundObjectFile BackgroundObjectFile::readBody(io::LineReader& reader)
{
    BackgroundObjectFile f;
    f.PictureName = reader.text();
    f.TileWidth = readBounded(reader, kAnySize, u"ширина плитки"_s);
    f.TileHeight = readBounded(reader, kAnySize, u"высота плитки"_s);
    const int columns = readBounded(reader, model::kMaxMapColumns, u"число столбцов карты"_s);
    const int rows = readBounded(reader, model::kMaxMapRows, u"число строк карты"_s);
    f.setMapSize(columns, rows);
    for (int& c : f.cells)
        c = reader.integer();
    return f;
}

void BackgroundObjectFile::writeTo(io::LineWriter& w) const
{
    checkBounded(w.path(), TileWidth, kAnySize, u"ширина плитки"_s);
    checkBounded(w.path(), TileHeight, kAnySize, u"высота плитки"_s);
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
    io::LineWriter w(path);
    writeTo(w);
    w.commit();
}

} // namespace kestrava::objects
