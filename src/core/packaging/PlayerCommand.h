#pragma once

#include "io/AppFolder.h"
#include "settings/ScreenSize.h"

#include <QString>
#include <QStringList>

namespace kestrava::packaging {

// The screen the author plays on: the project's, or the usual one for a size
// no phone has.
settings::ScreenSize playSize(settings::ScreenSize chosen);

// The arguments of `java` that open a packaged game (its .jad) in the
// player's window at `size`, enlarged to fit a desktop screen.
QStringList playerArguments(const io::AppFolder& app, const QString& jad, const QString& title,
                            settings::ScreenSize size);

} // namespace kestrava::packaging
