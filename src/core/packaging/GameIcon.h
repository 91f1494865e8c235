#pragma once

#include "model/Project.h"

#include <QImage>
#include <QString>

namespace kestrava::packaging {

// The name of the icon in the game's jar, as MIDlet-Icon and MIDlet-1 name it.
inline constexpr const char* kIconEntry = "kestrava-icon.png";
// The file of the project folder that, when there, is the game's icon.
inline constexpr const char* kAuthorIcon = "icon.png";

// The icon a phone shows in its menu: the project folder's icon.png when the
// author put one there (as it is at 16 x 16 or 32 x 32, else fitted into
// 32 x 32), else the first frame of the hero (the first object of stage 1
// the keys move, else its first active object) from the picture the
// converter wrote into resDir, fitted into 32 x 32. A null image when the
// project has neither. An icon.png that is no readable PNG is an io::Error naming it.
QImage gameIcon(const model::Project& project, const QString& resDir);

} // namespace kestrava::packaging
