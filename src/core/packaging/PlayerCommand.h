#pragma once

#include "io/AppFolder.h"
#include "model/ScreenChoice.h"

#include <QString>
#include <QStringList>

namespace kestrava::packaging {

// The heap the Java machine of the player, and of the standby, may take: far
// above the 1-4 MB a handset gives a game, so only a game that allocates
// without end reaches it, and the player stops that game instead of it taking
// the author's memory. Read from here by the tests' build too.
inline constexpr int kGameHeapMegabytes = 64;
// The option of `java` that sets it: "-Xmx64m".
QString gameHeapOption();

// How many times larger than the phone the player's window shows it: three
// times at most, and no taller than about 700 pixels.
int playerScale(model::ScreenSize size);

// The arguments of `java` that open a packaged game (its .jad) in the
// player's window, with the heap limit, at the screen the jad names (`size`, which packaging wrote
// into it, so no --size), enlarged to fit a desktop screen.
QStringList playerArguments(const io::AppFolder& app, const QString& jad, const QString& title,
                            model::ScreenSize size);

} // namespace kestrava::packaging
