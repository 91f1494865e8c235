#pragma once

#include "io/AppFolder.h"
#include "model/Project.h"

#include <QByteArray>
#include <QString>

#include <utility>
#include <vector>

namespace kestrava::codegen {

// What the converter writes for the game's sound: Sounds.java and a
// resource for every sound of the project the sheets use, by its name in
// the jar (objects::soundResourceName). A game whose sheets use no sound gets
// a small class of the same hooks that does nothing, and no resource; a
// sound the sheets do not use stays out. Each used file is read from the
// project's sounds folder (a name only, no links) and checked; an io::Error
// names the sound.
struct GameSounds {
    bool plays = false; // the sheets play sound: the full class, and the sound switch kept on the phone
    QByteArray source;
    std::vector<std::pair<QString, QByteArray>> resources;
};
GameSounds gameSounds(const model::Project& project, const std::vector<model::StageData>& stages,
                      const io::AppFolder& app);

// The key that turns a game's sound on and off in play: "#" (35), or "*"
// (42) when a sheet asks about "#", or 0 when sheets ask about both; the
// player of the game then has the title's item only.
int soundSwitchKey(const std::vector<model::StageData>& stages);

inline constexpr const char* kSoundsSource = "Sounds.java";

} // namespace kestrava::codegen
