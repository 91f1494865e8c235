#include "objects/ObjectFile.h"

#include "io/AppFolder.h"
#include "io/Error.h"
#include "io/Paths.h"
#include "io/Png.h"
#include "io/TextFile.h"

using namespace Qt::Literals::StringLiterals;

namespace kestrava::objects {

ObjectFile readObjectFile(const QString& path)
{
    io::LineReader reader = io::LineReader::open(path, io::kMaxObjectFileBytes);
    const QString kind = reader.text();
    auto whole = [&reader](auto file) -> ObjectFile {
        reader.expectEnd(u"после данных объекта"_s);
        return file;
    };
    if (kind == BackgroundObjectFile::keyword())
        return whole(BackgroundObjectFile::readBody(reader));
    if (kind == ActiveObjectFile::keyword())
        return whole(ActiveObjectFile::readBody(reader));
    if (kind == BarObjectFile::keyword())
        return whole(BarObjectFile::readBody(reader));
    if (kind == TextObjectFile::keyword())
        return whole(TextObjectFile::readBody(reader));
    reader.fail(u"это не файл объекта: первая строка «%1», а должна быть «fon», «active», «lives» или «text»"_s
                    .arg(io::excerpt(kind)));
}

model::ObjectKind kindOf(const ObjectFile& file)
{
    struct Kind {
        model::ObjectKind operator()(const BackgroundObjectFile&) const { return model::ObjectKind::Background; }
        model::ObjectKind operator()(const ActiveObjectFile&) const { return model::ObjectKind::Active; }
        model::ObjectKind operator()(const BarObjectFile&) const { return model::ObjectKind::LivesBar; }
        model::ObjectKind operator()(const TextObjectFile&) const { return model::ObjectKind::Text; }
    };
    return std::visit(Kind{}, file);
}

QString pngNameOf(const QString& objectFile)
{
    return io::changeExtension(io::fileNamePart(objectFile), u".png"_s);
}

QString bmpNameOf(const QString& objectFile)
{
    return io::changeExtension(io::fileNamePart(objectFile), u".bmp"_s);
}

void writeObjectPng(const io::AppFolder& app, const QString& objectFile, const QImage& picture)
{
    io::writePng(picture, app.objectFile(pngNameOf(objectFile)));
}

void writeObjectBmp(const io::AppFolder& app, const QString& objectFile, const QImage& picture)
{
    io::writeBmp(picture, app.objectFile(bmpNameOf(objectFile)));
}

} // namespace kestrava::objects
