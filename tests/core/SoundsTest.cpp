#include "document/ProjectSounds.h"
#include "io/TextFile.h"
#include "objects/SoundFiles.h"
#include "persist/ProjectFile.h"
#include "support/ErrorOf.h"
#include "support/ObjectLibrary.h"

#include <QDir>

#include <gtest/gtest.h>

using namespace kestrava;
using test::errorOf;
using namespace Qt::Literals::StringLiterals;

namespace {

// A PCM WAV of `frames` frames of a ramp; `code` 1 is PCM.
QByteArray wave(int rate, int bits, int channels, int frames, int code = 1)
{
    QByteArray samples;
    for (int f = 0; f < frames * channels; ++f)
        for (int b = 0; b < bits / 8; ++b)
            samples.append(char(f * 7 + b));
    QByteArray out = "RIFF";
    const auto le = [&out](quint32 v, int n) {
        for (int i = 0; i < n; ++i)
            out.append(char(v >> (8 * i)));
    };
    le(quint32(36 + samples.size()), 4);
    out += "WAVEfmt ";
    le(16, 4);
    le(quint32(code), 2);
    le(quint32(channels), 2);
    le(quint32(rate), 4);
    le(quint32(rate * channels * bits / 8), 4);
    le(quint32(channels * bits / 8), 2);
    le(quint32(bits), 2);
    out += "data";
    le(quint32(samples.size()), 4);
    return out + samples;
}

} // namespace

TEST(Sounds, AMelodyBecomesAToneSequenceAndItsMistakesAreNamed)
{
    // C5 an eighth, D5 a dotted eighth, a quarter's rest, B flat 3 a half; 120 a minute is tempo byte 30.
    const objects::Melody m = objects::melodySequence(u"C5 8, D5 8., - 4, Bb3 2"_s, 120);
    EXPECT_EQ(m.sequence, QByteArray::fromHex("fe01fd1efc40" "4808" "4a0c" "ff10" "3a20"));
    EXPECT_EQ(m.notes, 4);
    EXPECT_EQ(m.lengthMs, 250 + 375 + 500 + 1000);
    // Both sides of every bound: tempo, the highest note, the shortest length.
    EXPECT_NO_THROW(objects::melodySequence(u"G9 32"_s, model::kMinTempo));
    EXPECT_NO_THROW(objects::melodySequence(u"C0 1"_s, model::kMaxTempo));
    EXPECT_FALSE(errorOf([] { objects::melodySequence(u"C5 4"_s, model::kMinTempo - 1); }).isEmpty());
    EXPECT_FALSE(errorOf([] { objects::melodySequence(u"C5 4"_s, model::kMaxTempo + 1); }).isEmpty());
    EXPECT_TRUE(errorOf([] { objects::melodySequence(u"C5 4, G#9 4"_s, 120); }).startsWith(u"Нота 2 «G#9 4»"_s));
    EXPECT_TRUE(errorOf([] { objects::melodySequence(u"C5 64"_s, 120); }).contains(u"длина"_s));
    EXPECT_TRUE(errorOf([] { objects::melodySequence(u"C5 4,"_s, 120); }).contains(u"Нота 2 пуста"_s));
    EXPECT_TRUE(errorOf([] { objects::melodySequence(u"  "_s, 120); }).contains(u"нет ни одной ноты"_s));
    EXPECT_EQ(objects::notePitch(u"C4"_s), 60);
    EXPECT_EQ(objects::noteName(61), u"C#4"_s);
    EXPECT_EQ(objects::notePitch(u"H4"_s), std::nullopt);
}

TEST(Sounds, WavesAPhonePlaysAreReadAndReducedToEightKilohertz)
{
    const objects::SoundInfo big = objects::inspectWave(wave(22050, 16, 2, 22050));
    EXPECT_EQ(big.lengthMs, 1000);
    EXPECT_TRUE(big.reducible);
    EXPECT_EQ(big.format, u"16 бит, стерео, 22050 Гц"_s);
    const QByteArray small = objects::reducedWave(wave(22050, 16, 2, 22050));
    const objects::SoundInfo reduced = objects::inspectWave(small);
    EXPECT_EQ(reduced.format, u"8 бит, моно, 8000 Гц"_s);
    EXPECT_EQ(reduced.lengthMs, 1000);
    EXPECT_FALSE(reduced.reducible);
    EXPECT_EQ(small.size(), 44 + 8000);
    // The rates a phone plays, from both sides; compressed sound and a third channel are refused.
    EXPECT_NO_THROW(objects::inspectWave(wave(8000, 8, 1, 10)));
    EXPECT_NO_THROW(objects::inspectWave(wave(44100, 8, 1, 10)));
    EXPECT_TRUE(errorOf([] { objects::inspectWave(wave(7999, 8, 1, 10)); }).contains(u"7999 Гц"_s));
    EXPECT_TRUE(errorOf([] { objects::inspectWave(wave(44101, 8, 1, 10)); }).contains(u"44101 Гц"_s));
    EXPECT_TRUE(errorOf([] { objects::inspectWave(wave(8000, 8, 1, 10, 2)); }).contains(u"сжатый"_s));
    EXPECT_TRUE(errorOf([] { objects::inspectWave(wave(8000, 8, 3, 10)); }).contains(u"каналов 3"_s));
    EXPECT_TRUE(errorOf([] { objects::inspectWave(wave(8000, 8, 1, 10).left(30)); }).contains(u"обрезано"_s));
}

TEST(Sounds, AMidiFileIsAsLongAsItsTempoSays)
{
    // Type 0, 96 ticks a quarter: 96 ticks at 120 a minute (0.5 s), then 96 at 60 a minute (1 s).
    const QByteArray track = QByteArray::fromHex("00ff510307a120" "00903c40" "60ff51030f4240" "60803c40" "00ff2f00");
    QByteArray midi = QByteArray::fromHex("4d546864000000060000000100604d54726b");
    midi.append(char(0)).append(char(0)).append(char(0)).append(char(track.size()));
    midi += track;
    const objects::SoundInfo info = objects::inspectMidi(midi);
    EXPECT_EQ(info.lengthMs, 1500);
    QByteArray type2 = midi;
    type2[9] = 2;
    EXPECT_TRUE(errorOf([&] { objects::inspectMidi(type2); }).contains(u"тип 2"_s));
    EXPECT_TRUE(errorOf([&] { objects::inspectMidi(midi.left(midi.size() - 3)); }).contains(u"обрезана"_s));
}

TEST(Sounds, TheProjectKeepsItsSoundsAndAStrangersNameLeadsNowhereElse)
{
    test::SampleProjectFolder f;
    model::Project p = f.savedWith({});
    persist::save(p, f.file);
    EXPECT_FALSE(io::readWholeFile(f.extras).contains("sounds")) << "a project without sounds writes none";

    const QString chosen = f.dir + u"/../прыжок.wav"_s;
    io::writeFileAtomically(chosen, wave(8000, 8, 1, 800));
    p.Sounds.push_back(document::importSoundFile(p, chosen));
    p.Sounds.push_back(document::newMelody(p, u"тема"_s, u"C5 8, E5 8"_s, 100));
    EXPECT_EQ(p.Sounds[0], (model::SoundData{1, u"прыжок"_s, model::SoundKind::Wave, u"sound1.wav"_s, {}, 120}));
    EXPECT_EQ(io::readWholeFile(f.dir + u"/sounds/sound1.wav"_s), wave(8000, 8, 1, 800));
    EXPECT_EQ(p.Sounds[1].Number, 2);
    persist::save(p, f.file);
    model::Project loaded;
    ASSERT_EQ(persist::load(loaded, f.tmp.app(), f.file), QStringList());
    EXPECT_EQ(loaded.Sounds, p.Sounds);
    const std::vector<document::SoundLine> lines = document::soundLines(loaded);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].info.lengthMs, 100);
    EXPECT_GT(lines[0].jarBytes, 76);
    EXPECT_TRUE(lines[1].problem.isEmpty());

    // A file that is no sound is refused and copies nothing.
    io::writeFileAtomically(chosen, "not a sound");
    EXPECT_FALSE(errorOf([&] { document::importSoundFile(p, chosen); }).isEmpty());
    EXPECT_FALSE(QFileInfo::exists(f.dir + u"/sounds/sound3.wav"_s));

    // An extras file naming a path out of the sounds folder is refused, the project left as it was.
    QByteArray extras = io::readWholeFile(f.extras);
    extras.replace("\"sound1.wav\"", "\"../../etc/passwd.wav\"");
    io::writeFileAtomically(f.extras, extras);
    model::Project stranger;
    EXPECT_TRUE(errorOf([&] { persist::load(stranger, f.tmp.app(), f.file); }).contains(u"не имя файла в папке sounds"_s));
    EXPECT_TRUE(stranger.Sounds.empty());
}
