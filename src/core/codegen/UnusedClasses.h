#pragma once

namespace kestrava::codegen {

// Stand-ins for runtime classes a game does not use: the same members the
// canvas and the other classes call, doing nothing, so a game without sound,
// a title screen, anything kept on the phone or touches does not carry their
// code in its jar. The converter writes a stand-in in the class's place and the whole
// class again once the game needs it.
extern const char* const kSilentSounds;      // Sounds.java: the sheets play no sound
extern const char* const kSilentTitleScreen; // TitleScreen.java: no title screen is set
extern const char* const kSilentGameRecords; // GameRecords.java: no score, no title, no sound switch
extern const char* const kSilentTouch;       // Touch.java: no row asks about touches, no on-screen buttons

// The stand-in of a fixed runtime source by its file name ("TitleScreen.java"),
// nullptr for one that has none. Sounds.java is no fixed source: GameSounds
// writes it, whole or as kSilentSounds.
const char* standInOf(const char* fileName);

} // namespace kestrava::codegen
