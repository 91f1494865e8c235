#pragma once

#include <QString>

#include <vector>

namespace kestrava::model {

// A sound of the project ("Объекты" → "Звуки проекта…"): a WAV or MIDI file
// copied into the project's sounds folder, or a melody typed as notes.
enum class SoundKind { Wave, Midi, Melody };

struct SoundData {
    int Number = 0;  // 1..kMaxSounds, as the sheet's sound items name it; never reused
    QString Name;    // the author's
    SoundKind Kind = SoundKind::Wave;
    QString File;    // a plain name in the sounds folder; none for a melody
    QString Notes;   // a melody as typed: "C5 8, D5 8, - 4, G5 2"
    int Tempo = 120; // a melody's beats (quarter notes) a minute
    bool operator==(const SoundData&) const = default;
};

inline constexpr int kMaxSounds = 100;
inline constexpr qsizetype kMaxSoundName = 60;
inline constexpr qsizetype kMaxMelodyText = 4000;
// The tempo a tone sequence can say: 4 beats a minute a step, 5..127 steps.
inline constexpr int kMinTempo = 20;
inline constexpr int kMaxTempo = 508;
// The project's folder of sound files.
inline constexpr const char* kSoundsFolder = "sounds";

// Why a sound record cannot be kept (a stranger's extras file, say); empty
// when it can. The file must be a plain name of its kind's extension.
QString soundProblem(const SoundData& sound);
// The sound of that number, or null.
const SoundData* findSound(const std::vector<SoundData>& sounds, int number);
// The number a new sound gets: one past the highest; 0 when none is left.
int nextSoundNumber(const std::vector<SoundData>& sounds);
// "WAV", "MIDI", "мелодия".
QString soundKindName(SoundKind kind);

} // namespace kestrava::model
