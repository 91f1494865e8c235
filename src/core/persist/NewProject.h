#pragma once

#include <QString>

namespace kestrava::persist {

// "Новый": the folder a new project named `name` takes inside `parent`
// (the projects folder, or one the author picked). Refused, with an
// io::Error saying why, when the name is empty, starts or ends with a
// blank, is "." or "..", ends with a dot, holds a character a folder name
// cannot (/ \ : * ? " < > | or a control character) or is longer than
// kMaxProjectName; when parent is no folder; or when the folder already
// exists. Nothing is created.
inline constexpr int kMaxProjectName = 100;
QString newProjectFolder(const QString& parent, const QString& name);

} // namespace kestrava::persist
