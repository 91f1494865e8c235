#include "objects/ObjectFile.h"

#include "io/AppFolder.h"
#include "io/Error.h"
#include "io/Paths.h"
#include "io/Png.h"
#include "io/TextFile.h"

#include <QStringList>

#include <array>
#include <utility>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::objects {

namespace {

// The reader of each kind's body (after the first line), by kind position.
template <std::size_t... I>
ObjectFile readBody(std::size_t position, io::LineReader& reader, std::index_sequence<I...>)
{
    using Read = ObjectFile (*)(io::LineReader&);
    static constexpr std::array<Read, sizeof...(I)> read{[](io::LineReader& r) {
        return ObjectFile(std::in_place_index<I>, FileOf<model::kObjectKinds[I]>::readBody(r));
    }...};
    return read[position](reader);
}

} // namespace

ObjectFile readObjectFile(const QString& path)
{
    io::LineReader reader = io::LineReader::open(path, io::kMaxObjectFileBytes);
    const QString keyword = reader.text();
    for (std::size_t k = 0; k < model::kObjectKinds.size(); ++k) {
        if (keyword != model::describe(model::kObjectKinds[k]).keyword)
            continue;
        ObjectFile file = readBody(k, reader, std::make_index_sequence<model::kObjectKinds.size()>{});
        reader.expectEnd(u"после данных объекта"_s);
        return file;
    }
    QStringList keywords;
    for (model::ObjectKind kind : model::kObjectKinds)
        keywords << u"«%1»"_s.arg(model::describe(kind).keyword);
    const QString last = keywords.takeLast();
    reader.fail(u"это не файл объекта: первая строка «%1», а должна быть %2 или %3"_s.arg(io::excerpt(keyword),
                                                                                       keywords.join(u", "_s), last));
}

model::ObjectKind kindOf(const ObjectFile& file)
{
    return model::kObjectKinds[file.index()];
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
