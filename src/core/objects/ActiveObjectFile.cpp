#include "objects/ActiveObjectFile.h"

#include "io/TextFile.h"
#include "objects/ReadChecks.h"

#include <limits>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::objects {
namespace {

constexpr int kAnySize = std::numeric_limits<int>::max();

} // namespace

QString ActiveObjectFile::keyword() { return u"active"_s; }

ActiveObjectFile ActiveObjectFile::read(const QString& path)
{
    io::LineReader reader = io::LineReader::open(path);
    expectKeyword(reader, keyword(), u"файл активного объекта"_s);
    return readBody(reader);
}

ActiveObjectFile ActiveObjectFile::readBody(io::LineReader& reader)
{
    ActiveObjectFile f;
    f.PictureName = reader.text();
    f.FrameCount = readBounded(reader, kAnySize, u"число кадров"_s);
    f.TileWidth = readBounded(reader, kAnySize, u"ширина кадра"_s);
    f.TileHeight = readBounded(reader, kAnySize, u"высота кадра"_s);
    for (int s = 1; s <= model::kAnimPositions; ++s)
        for (int d = 1; d <= model::kAnimDirections; ++d)
            for (int b = 1; b <= model::kAnimStates; ++b)
                f.Anim[s][d][b] = reader.integer();
    return f;
}

void ActiveObjectFile::writeTo(io::LineWriter& w) const
{
    checkBounded(w.path(), FrameCount, kAnySize, u"число кадров"_s);
    checkBounded(w.path(), TileWidth, kAnySize, u"ширина кадра"_s);
    checkBounded(w.path(), TileHeight, kAnySize, u"высота кадра"_s);
    w.text(keyword());
    w.text(PictureName);
    w.integer(FrameCount);
    w.integer(TileWidth);
    w.integer(TileHeight);
    for (int s = 1; s <= model::kAnimPositions; ++s)
        for (int d = 1; d <= model::kAnimDirections; ++d)
            for (int b = 1; b <= model::kAnimStates; ++b)
                w.integer(Anim[s][d][b]);
}

void ActiveObjectFile::write(const QString& path) const
{
    io::LineWriter w(path);
    writeTo(w);
    w.commit();
}

} // namespace kestrava::objects
