#pragma once

#include "io/AppFolder.h"
#include "model/ScreenChoice.h"

#include <QString>
#include <QStringList>

namespace kestrava::packaging {

// How many times larger than the phone the player's window shows it: three
// times at most, and no taller than about 700 pixels.
int playerScale(model::ScreenSize size);

// The arguments of `java` that open a packaged game (its .jad) in the
// player's window at the screen the jad names (`size`, which packaging wrote
// into it, so no --size), enlarged to fit a desktop screen.
QStringList playerArguments(const io::AppFolder& app, const QString& jad, const QString& title,
                            model::ScreenSize size);

} // namespace kestrava::packaging
