#pragma once

#include "model/Project.h"
#include "objects/SoundFiles.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

namespace kestrava::document {

// One line of "Звуки проекта…": the sound, what it holds, the bytes it adds
// to the jar when a sheet plays it, and the rows that name it.
struct SoundLine {
    model::SoundData sound;
    objects::SoundInfo info;
    qint64 jarBytes = 0;
    QStringList usedBy; // "этап 1, строка 2"
    QString problem;    // why it cannot be read; empty when it can
};
std::vector<SoundLine> soundLines(const model::Project& project);

// The rows of every stage whose conditions or actions name sound `number`.
QStringList rowsUsingSound(const model::Project& project, int number);

// A WAV or MIDI file the author chose, checked and copied into the project's
// sounds folder under a name of its number; the record to add (named after
// the file). An io::Error says what is wrong and copies nothing.
model::SoundData importSoundFile(const model::Project& project, const QString& chosenFile);
// A melody checked (objects::melodySequence); the record to add.
model::SoundData newMelody(const model::Project& project, const QString& name, const QString& notes, int tempo);
// A WAV at 8 kHz, mono, 8 bits, written beside the old file, which stays for undo; the record to put in its place.
model::SoundData reducedSound(const model::Project& project, const model::SoundData& sound);
// What the game would play: the file's bytes, or the melody's tone sequence.
QByteArray playedBytes(const model::Project& project, const model::SoundData& sound);
// The file the player listens to ("Слушать"): the sound's own, or the
// melody written as a tone sequence into `tempFolder`.
QString listenedFile(const model::Project& project, const model::SoundData& sound, const QString& tempFolder);

} // namespace kestrava::document
