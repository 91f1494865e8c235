#pragma once

#include "io/AppFolder.h"
#include "model/ScreenChoice.h"

#include <QString>
#include <QStringList>

namespace kestrava::packaging {

// The screen the author plays on: the project's, or the usual one for a size
// no phone has.
model::ScreenSize playSize(model::ScreenSize chosen);

// How many times larger than the phone the player's window shows it: three
// times at most, and no taller than about 700 pixels.
int playerScale(model::ScreenSize size);

// The arguments of `java` that open a packaged game (its .jad) in the
// player's window at `size`, enlarged to fit a desktop screen.
QStringList playerArguments(const io::AppFolder& app, const QString& jad, const QString& title,
                            model::ScreenSize size);

} // namespace kestrava::packaging
