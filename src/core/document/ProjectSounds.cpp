#include "document/ProjectSounds.h"

#include "catalogue/Item.h"
#include "io/Error.h"
#include "io/FileAccess.h"
#include "io/Paths.h"
#include "io/TextFile.h"

#include <QFileInfo>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::document {
namespace {

QString soundsFolder(const model::Project& project)
{
    return project.projectPath(QString::fromLatin1(model::kSoundsFolder));
}

QString soundPath(const model::Project& project, const model::SoundData& sound)
{
    return soundsFolder(project) + u'/' + sound.File;
}

// A name for a new file of the sounds folder: "sound3.wav", else "sound3-2.wav", ...
QString freeName(const model::Project& project, int number, const QString& extension)
{
    for (int k = 1;; ++k) {
        const QString name = k == 1 ? u"sound%1.%2"_s.arg(number).arg(extension)
                                    : u"sound%1-%2.%3"_s.arg(number).arg(k).arg(extension);
        const QString path = soundsFolder(project) + u'/' + name;
        if (!QFileInfo::exists(path) && !QFileInfo(path).isSymLink())
            return name;
    }
}

void requireFolder(const model::Project& project)
{
    if (!project.hasProjectDir())
        throw io::Error(u"Сначала создайте или откройте проект: звуки хранятся в его папке."_s);
}

} // namespace

QByteArray playedBytes(const model::Project& project, const model::SoundData& sound)
{
    if (sound.Kind == model::SoundKind::Melody)
        return objects::melodySequence(sound.Notes, sound.Tempo).sequence;
    if (const QString problem = model::soundProblem(sound); !problem.isEmpty())
        throw io::Error(problem);
    requireFolder(project);
    return io::readWholeFile(soundPath(project, sound), objects::kMaxSoundFileBytes);
}

std::vector<SoundLine> soundLines(const model::Project& project)
{
    std::vector<SoundLine> lines;
    for (const model::SoundData& sound : project.Sounds) {
        SoundLine line;
        line.sound = sound;
        line.usedBy = rowsUsingSound(project, sound.Number);
        try {
            const QByteArray bytes = playedBytes(project, sound);
            switch (sound.Kind) {
            case model::SoundKind::Wave: line.info = objects::inspectWave(bytes); break;
            case model::SoundKind::Midi: line.info = objects::inspectMidi(bytes); break;
            case model::SoundKind::Melody: line.info = objects::inspectMelody(sound); break;
            }
            // As the jar keeps it: deflated unless that is no smaller, with its two headers.
            const qint64 deflated = qCompress(bytes, 9).size() - 10;
            const qint64 name = objects::soundResourceName(sound).size();
            line.jarBytes = std::min<qint64>(deflated, bytes.size()) + 30 + 46 + 2 * name;
        } catch (const io::Error& e) {
            line.problem = e.message();
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

QStringList rowsUsingSound(const model::Project& project, int number)
{
    QStringList rows;
    for (int level = 1; level <= project.LevelCount; ++level) {
        const model::StageData& stage = project.stage(level);
        for (int r = 1; r <= std::clamp(stage.EventCurRow, 0, model::kMaxEventRows); ++r)
            if (catalogue::soundsNamed(stage.EventRow[size_t(r)]).count(number))
                rows << u"этап %1, строка %2"_s.arg(level).arg(r);
    }
    return rows;
}

model::SoundData importSoundFile(const model::Project& project, const QString& chosenFile)
{
    requireFolder(project);
    const int number = model::nextSoundNumber(project.Sounds);
    if (number == 0)
        throw io::Error(u"В проекте уже %1 звуков — больше добавить нельзя."_s.arg(model::kMaxSounds));
    const QFileInfo info(chosenFile);
    const QString lower = info.fileName().toLower();
    model::SoundData sound;
    sound.Number = number;
    sound.Name = info.completeBaseName().left(model::kMaxSoundName);
    if (sound.Name.trimmed().isEmpty())
        sound.Name = u"звук %1"_s.arg(number);
    const QByteArray bytes = io::readWholeFile(chosenFile, objects::kMaxSoundFileBytes);
    try {
        if (lower.endsWith(u".wav"_s)) {
            sound.Kind = model::SoundKind::Wave;
            objects::inspectWave(bytes);
        } else if (lower.endsWith(u".mid"_s) || lower.endsWith(u".midi"_s)) {
            sound.Kind = model::SoundKind::Midi;
            objects::inspectMidi(bytes);
        } else {
            throw io::Error(u"Телефон играет звуки WAV (.wav) и MIDI (.mid, .midi)."_s);
        }
    } catch (const io::Error& e) {
        throw io::Error::inFile(chosenFile, e.message() + u" Звук не добавлен."_s);
    }
    sound.File = freeName(project, number, sound.Kind == model::SoundKind::Wave ? u"wav"_s : u"mid"_s);
    io::trustFolder(*project.ProjectDir);
    io::makeFolder(soundsFolder(project));
    io::writeFileAtomically(soundPath(project, sound), bytes);
    return sound;
}

model::SoundData newMelody(const model::Project& project, const QString& name, const QString& notes, int tempo)
{
    const int number = model::nextSoundNumber(project.Sounds);
    if (number == 0)
        throw io::Error(u"В проекте уже %1 звуков — больше добавить нельзя."_s.arg(model::kMaxSounds));
    model::SoundData sound{number, name.trimmed(), model::SoundKind::Melody, {}, notes.trimmed(), tempo};
    if (sound.Name.isEmpty())
        sound.Name = u"мелодия %1"_s.arg(number);
    objects::melodySequence(sound.Notes, sound.Tempo);
    if (const QString problem = model::soundProblem(sound); !problem.isEmpty())
        throw io::Error(problem);
    return sound;
}

model::SoundData reducedSound(const model::Project& project, const model::SoundData& sound)
{
    if (sound.Kind != model::SoundKind::Wave)
        throw io::Error(u"Уменьшить можно только звук WAV."_s);
    const QByteArray smaller = objects::reducedWave(playedBytes(project, sound));
    model::SoundData reduced = sound;
    reduced.File = freeName(project, sound.Number, u"wav"_s);
    io::trustFolder(*project.ProjectDir);
    io::writeFileAtomically(soundPath(project, reduced), smaller);
    return reduced;
}

QString listenedFile(const model::Project& project, const model::SoundData& sound, const QString& tempFolder)
{
    if (sound.Kind != model::SoundKind::Melody) {
        playedBytes(project, sound); // the checks of a stranger's name
        return soundPath(project, sound);
    }
    const QString path = tempFolder + u"/melody.jts"_s;
    io::writeFileAtomically(path, playedBytes(project, sound), io::FileSync::LeaveToSystem);
    return path;
}

} // namespace kestrava::document
