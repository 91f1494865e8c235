#pragma once

#include "model/Sound.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace kestrava::objects {

// What a sound file holds, as the sounds window shows it.
struct SoundInfo {
    model::SoundKind kind = model::SoundKind::Wave;
    int lengthMs = 0;
    QString format; // "16 бит, стерео, 22050 Гц", "MIDI, тип 1, 4 дорожки", "12 нот"
    // A WAV larger than a handset needs: over 8 kHz, over 8 bits or stereo.
    bool reducible = false;
};

// The largest sound file taken: a handset has less memory than this anyway.
inline constexpr qint64 kMaxSoundFileBytes = qint64(8) << 20;

// A WAV file a phone plays: PCM, 8 or 16 bits, mono or stereo, 8000..44100 Hz.
// Anything else throws io::Error saying what it is.
SoundInfo inspectWave(const QByteArray& bytes);
// A standard MIDI file of type 0 or 1; its length follows its tempo changes.
SoundInfo inspectMidi(const QByteArray& bytes);
// The same sound at 8 kHz, mono, 8 bits ("Уменьшить для телефона").
QByteArray reducedWave(const QByteArray& bytes);

// A melody typed as notes, "C5 8, D5 8, E5 4, - 4, G5 2": a note (C D E F G
// A B, # or b after it, octave 0..9; "-" a rest) and its length as a
// fraction of a whole note (1, 2, 4, 8, 16, 32; a dot after it makes it half
// as long again), at tempo quarter notes a minute. Made into a MIDP tone
// sequence; an io::Error names the first note it cannot read.
struct Melody {
    QByteArray sequence;
    int lengthMs = 0;
    int notes = 0;
};
Melody melodySequence(const QString& notes, int tempo);
// A note as a melody writes it ("C5", "F#4") to the number a tone plays (C5 72),
// and back; nullopt for no note.
std::optional<int> notePitch(const QString& name);
QString noteName(int pitch);

// What a melody record holds, as inspectWave says of a file.
SoundInfo inspectMelody(const model::SoundData& sound);

// The name a used sound has in the game's jar ("s3.wav", "s4.mid", "s5.jts").
QString soundResourceName(const model::SoundData& sound);

} // namespace kestrava::objects
