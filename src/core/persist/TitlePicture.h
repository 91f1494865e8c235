#pragma once

#include <QString>

namespace kestrava::persist {

// The title screen's picture chosen anywhere (a PNG or BMP), written into the
// project folder as "title.png" and its name returned; an io::Error naming
// the file when it cannot be read or is larger than a phone's screen can use
// (over 1000 pixels a side), nothing written then.
QString copyTitlePicture(const QString& projectDir, const QString& source);

inline constexpr const char* kTitlePictureName = "title.png";

} // namespace kestrava::persist
