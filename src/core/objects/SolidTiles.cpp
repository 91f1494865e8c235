#include "objects/SolidTiles.h"

#include "io/Error.h"
#include "io/JsonTape.h"
#include "io/Paths.h"
#include "io/TextFile.h"

#include <QFileInfo>

#include <algorithm>
#include <cmath>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::objects {

namespace {
constexpr qint64 kMaxBytes = 64 * 1024;
const QString kKey = u"solidTiles"_s;
} // namespace

QString solidTilesNameOf(const QString& objectFile)
{
    return io::changeExtension(io::fileNamePart(objectFile), u".solid.json"_s);
}

std::vector<int> readSolidTiles(const QString& path, int tileCount)
{
    if (!QFileInfo(path).isFile())
        return {};
    const QByteArray bytes = io::readWholeFile(path, kMaxBytes);
    const auto refuse = [&](const QString& why) { return io::Error::inFile(path, why); };
    qsizetype at = 0;
    const std::optional<io::JsonTape> tape = io::JsonTape::parse(bytes, &at);
    if (!tape)
        throw refuse(u"не JSON (байт %1)"_s.arg(at));
    const io::JsonTape::Value root = tape->root();
    const std::optional<io::JsonTape::Value> list = root.isObject() ? root.member(kKey) : std::nullopt;
    if (!list || !list->isArray() || root.size() != 1)
        throw refuse(u"ожидается {\"%1\": [номера плиток]}"_s.arg(kKey));
    std::vector<int> tiles;
    list->elements([&](const io::JsonTape::Value& v) {
        const double n = v.isNumber() ? v.number() : -1;
        if (n < 1 || n > tileCount || n != std::floor(n))
            throw refuse(u"«%1» — не номер плитки листа (их %2)"_s.arg(QString::fromUtf8(v.raw().toByteArray()))
                             .arg(tileCount));
        tiles.push_back(int(n));
    });
    std::sort(tiles.begin(), tiles.end());
    tiles.erase(std::unique(tiles.begin(), tiles.end()), tiles.end());
    return tiles;
}

std::vector<int> solidTilesBeside(const QString& objectPath)
{
    return readSolidTiles(QFileInfo(objectPath).absolutePath() + u'/' + solidTilesNameOf(objectPath), kMaxSheetTiles);
}

QByteArray solidTilesBytes(const std::vector<int>& tiles)
{
    QByteArray out = "{\"" + kKey.toLatin1() + "\":[";
    for (size_t i = 0; i < tiles.size(); ++i)
        out += (i ? "," : "") + QByteArray::number(tiles[i]);
    return out + "]}\n";
}

} // namespace kestrava::objects
