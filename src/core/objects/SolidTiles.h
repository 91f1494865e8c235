#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

namespace kestrava::objects {

// The tiles of a background object's sheet that block movement ("Непроходимые
// плитки"). The object file's format has no place for them, so they are kept
// in a small file beside its pictures: "forest.obf" -> "forest.solid.json",
// {"solidTiles":[2,5]}. No file means no tile is marked.
QString solidTilesNameOf(const QString& objectFile);

// The most tiles a sheet is cut into (20 x 20).
inline constexpr int kMaxSheetTiles = 400;

// The tile numbers (1..tileCount, ascending, each once) in the file at path;
// empty when there is no file. An io::Error naming the file for anything
// else: not JSON, another shape, a number that is no tile of the sheet.
std::vector<int> readSolidTiles(const QString& path, int tileCount);
// The list beside a background object file at objectPath, read as
// readSolidTiles with any tile a sheet may have; empty when there is none.
std::vector<int> solidTilesBeside(const QString& objectPath);
// The file's bytes for tiles.
QByteArray solidTilesBytes(const std::vector<int>& tiles);

} // namespace kestrava::objects
