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

// The file format of each kind: one specialisation per kind, or the build
// stops at ObjectFile below.
template <model::ObjectKind K>
struct FileFormat;
template <>
struct FileFormat<model::ObjectKind::Background> { using type = BackgroundObjectFile; };
template <>
struct FileFormat<model::ObjectKind::Active> { using type = ActiveObjectFile; };
template <>
struct FileFormat<model::ObjectKind::LivesBar> { using type = BarObjectFile; };
template <>
struct FileFormat<model::ObjectKind::Text> { using type = TextObjectFile; };
template <model::ObjectKind K>
using FileOf = typename FileFormat<K>::type;

// Any object file; the first line tells the kind. Its alternatives are in
// the order of model::kObjectKinds.
using ObjectFile = model::EveryKind<FileOf, std::variant>;

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
