#include "objects/ActiveObjectFile.h"

#include "io/TextFile.h"
#include "objects/ReadChecks.h"

using namespace Qt::Literals::StringLiterals;

namespace kestrava::objects {

QString ActiveObjectFile::keyword() { return u"active"_s; }

ActiveObjectFile ActiveObjectFile::read(const QString& path)
{
    return readObjectFileOfKind<ActiveObjectFile>(path, u"файл активного объекта"_s);
}

ActiveObjectFile ActiveObjectFile::readBody(io::LineReader& reader)
{
    ActiveObjectFile f;
    f.PictureName = readPictureName(reader);
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
    writeObjectFile(*this, path);
}

} // namespace kestrava::objects
