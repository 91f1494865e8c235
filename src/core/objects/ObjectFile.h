#pragma once

#include "model/ObjectKind.h"
#include "objects/ActiveObjectFile.h"
#include "objects/BackgroundObjectFile.h"
#include "objects/BarObjectFile.h"
#include "objects/TextObjectFile.h"

#include <QImage>
#include <QString>

#include <variant>

namespace kestrava::io { class AppFolder; }

namespace kestrava::objects {

// Any object file; the first line tells the kind.
using ObjectFile = std::variant<BackgroundObjectFile, ActiveObjectFile, BarObjectFile, TextObjectFile>;

// Reads and checks an object file of any kind; a first line that names no
// kind is refused.
ObjectFile readObjectFile(const QString& path);
// The kind of object a file makes.
model::ObjectKind kindOf(const ObjectFile& file);

// The pictures of an object are found by its base name, not by what the file
// says: "a.b.obf" (in any folder) has "a.b.png" and "a.b.bmp".
QString pngNameOf(const QString& objectFile);
QString bmpNameOf(const QString& objectFile);

// Pictures always go to the program's objects folder, whatever folder the
// object file was saved to; an existing picture is replaced.
void writeObjectPng(const io::AppFolder& app, const QString& objectFile, const QImage& picture);
void writeObjectBmp(const io::AppFolder& app, const QString& objectFile, const QImage& picture);

} // namespace kestrava::objects
