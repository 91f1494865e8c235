#include "objects/ActiveObjectFile.h"

#include "io/TextFile.h"
#include "model/Capacities.h"
#include "model/ObjectKind.h"
#include "objects/ReadChecks.h"

using namespace Qt::Literals::StringLiterals;

namespace kestrava::objects {

QString ActiveObjectFile::keyword() { return model::describe(model::ObjectKind::Active).keyword; }

ActiveObjectFile ActiveObjectFile::read(const QString& path)
{
    return readObjectFileOfKind<ActiveObjectFile>(path, u"файл активного объекта"_s);
}

ActiveObjectFile ActiveObjectFile::readBody(io::LineReader& reader)
{
    ActiveObjectFile f;
    f.PictureName = readPictureName(reader);
    f.FrameCount = readInRange(reader, 1, model::kMaxFrames, u"число кадров"_s);
    f.TileWidth = readInRange(reader, 1, model::kMaxPictureSide, u"ширина кадра"_s);
    f.TileHeight = readInRange(reader, 1, model::kMaxPictureSide, u"высота кадра"_s);
    // A frame number is 1..N, 0 for an empty position: any other would cut outside the strip.
    for (int s = 1; s <= model::kAnimPositions; ++s)
        for (int d = 1; d <= model::kAnimDirections; ++d)
            for (int b = 1; b <= model::kAnimStates; ++b)
                f.Anim[s][d][b] = readInRange(reader, 0, f.FrameCount, u"номер кадра"_s);
    return f;
}

void ActiveObjectFile::writeTo(io::LineWriter& w) const
{
    checkInRange(w.path(), FrameCount, 1, model::kMaxFrames, u"число кадров"_s);
    checkInRange(w.path(), TileWidth, 1, model::kMaxPictureSide, u"ширина кадра"_s);
    checkInRange(w.path(), TileHeight, 1, model::kMaxPictureSide, u"высота кадра"_s);
    for (int s = 1; s <= model::kAnimPositions; ++s)
        for (int d = 1; d <= model::kAnimDirections; ++d)
            for (int b = 1; b <= model::kAnimStates; ++b)
                checkInRange(w.path(), Anim[s][d][b], 0, FrameCount, u"номер кадра"_s);
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
