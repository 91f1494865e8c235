#include "model/Sound.h"

#include "io/Paths.h"

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::model {

QString soundProblem(const SoundData& sound)
{
    if (sound.Number < 1 || sound.Number > kMaxSounds)
        return u"номер звука %1 вне 1..%2"_s.arg(sound.Number).arg(kMaxSounds);
    if (sound.Name.trimmed().isEmpty())
        return u"у звука %1 нет названия"_s.arg(sound.Number);
    if (sound.Name.size() > kMaxSoundName)
        return u"название звука %1 длиннее %2 знаков"_s.arg(sound.Number).arg(kMaxSoundName);
    if (sound.Kind == SoundKind::Melody) {
        if (!sound.File.isEmpty())
            return u"у мелодии %1 не должно быть файла"_s.arg(sound.Number);
        if (sound.Notes.size() > kMaxMelodyText)
            return u"ноты мелодии %1 длиннее %2 знаков"_s.arg(sound.Number).arg(kMaxMelodyText);
        if (sound.Tempo < kMinTempo || sound.Tempo > kMaxTempo)
            return u"темп мелодии %1 (%2) вне %3..%4"_s.arg(sound.Number).arg(sound.Tempo).arg(kMinTempo).arg(kMaxTempo);
        return QString();
    }
    // A name only, never a path: a stranger's project must not reach out of its sounds folder.
    if (!io::isPlainFileName(sound.File))
        return u"файл звука %1 «%2» — не имя файла в папке sounds"_s.arg(sound.Number).arg(sound.File.left(60));
    const QString lower = sound.File.toLower();
    const bool wave = lower.endsWith(u".wav"_s);
    const bool midi = lower.endsWith(u".mid"_s) || lower.endsWith(u".midi"_s);
    if (sound.Kind == SoundKind::Wave ? !wave : !midi)
        return u"файл звука %1 «%2» не того вида (%3)"_s.arg(sound.Number).arg(sound.File, soundKindName(sound.Kind));
    return QString();
}

const SoundData* findSound(const std::vector<SoundData>& sounds, int number)
{
    const auto it = std::find_if(sounds.begin(), sounds.end(), [&](const SoundData& s) { return s.Number == number; });
    return it == sounds.end() ? nullptr : &*it;
}

int nextSoundNumber(const std::vector<SoundData>& sounds)
{
    int highest = 0;
    for (const SoundData& s : sounds)
        highest = std::max(highest, s.Number);
    return highest < kMaxSounds ? highest + 1 : 0;
}

QString soundKindName(SoundKind kind)
{
    switch (kind) {
    case SoundKind::Wave: return u"WAV"_s;
    case SoundKind::Midi: return u"MIDI"_s;
    case SoundKind::Melody: return u"мелодия"_s;
    }
    return QString();
}

} // namespace kestrava::model
