#include "objects/BarObjectFile.h"

#include "io/Error.h"
#include "io/TextFile.h"
#include "model/Capacities.h"
#include "model/ObjectKind.h"
#include "objects/ReadChecks.h"

using namespace Qt::Literals::StringLiterals;

namespace kestrava::objects {
QString BarObjectFile::directionProblem(const QString& direction)
{
    if (direction == BarObjectFile::vertical() || direction == BarObjectFile::horizontal())
        return QString();
    return u"направление полосы «%1», а должно быть «vert» или «gor»"_s.arg(io::excerpt(direction));
}

QString BarObjectFile::keyword() { return model::describe(model::ObjectKind::LivesBar).keyword; }
QString BarObjectFile::vertical() { return u"vert"_s; }
QString BarObjectFile::horizontal() { return u"gor"_s; }

BarObjectFile BarObjectFile::read(const QString& path)
{
    return readObjectFileOfKind<BarObjectFile>(path, u"файл объекта жизней"_s);
}

BarObjectFile BarObjectFile::readBody(io::LineReader& reader)
{
    BarObjectFile f;
    f.Width = readInRange(reader, 1, model::kMaxPictureSide, u"ширина полосы"_s);
    f.Height = readInRange(reader, 1, model::kMaxPictureSide, u"высота полосы"_s);
    f.Direction = reader.text();
    const QString problem = directionProblem(f.Direction);
    if (!problem.isEmpty())
        reader.fail(problem);
    return f;
}

void BarObjectFile::writeTo(io::LineWriter& w) const
{
    checkInRange(w.path(), Width, 1, model::kMaxPictureSide, u"ширина полосы"_s);
    checkInRange(w.path(), Height, 1, model::kMaxPictureSide, u"высота полосы"_s);
    const QString problem = directionProblem(Direction);
    if (!problem.isEmpty())
        throw io::Error::inFile(w.path(), problem + u"; файл не записан"_s);
    w.text(keyword());
    w.integer(Width);
    w.integer(Height);
    w.text(Direction);
}

void BarObjectFile::write(const QString& path) const
{
    writeObjectFile(*this, path);
}

} // namespace kestrava::objects
