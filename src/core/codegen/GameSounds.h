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
    QByteArray source;
    std::vector<std::pair<QString, QByteArray>> resources;
};
GameSounds gameSounds(const model::Project& project, const std::vector<model::StageData>& stages,
                      const io::AppFolder& app);

inline constexpr const char* kSoundsSource = "Sounds.java";

} // namespace kestrava::codegen
