#include "codegen/GameSounds.h"

#include "catalogue/Item.h"
#include "codegen/GameRows.h"
#include "codegen/StageTables.h"
#include "codegen/UnusedClasses.h"
#include "io/Error.h"
#include "io/TextFile.h"
#include "objects/SoundFiles.h"

#include <QFileInfo>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::codegen {
namespace {

QByteArray soundBytes(const model::SoundData& sound, const QString& projectDir)
{
    const QString where = u"Звук %1 «%2»"_s.arg(sound.Number).arg(sound.Name);
    if (const QString problem = model::soundProblem(sound); !problem.isEmpty())
        throw io::Error(where + u": "_s + problem);
    try {
        if (sound.Kind == model::SoundKind::Melody)
            return objects::melodySequence(sound.Notes, sound.Tempo).sequence;
        const QString path = projectDir + u'/' + QString::fromLatin1(model::kSoundsFolder) + u'/' + sound.File;
        if (!QFileInfo::exists(path) && !QFileInfo(path).isSymLink())
            throw io::Error::inFile(path, u"файл звука не найден"_s);
        const QByteArray bytes = io::readWholeFile(path, objects::kMaxSoundFileBytes);
        if (sound.Kind == model::SoundKind::Wave)
            objects::inspectWave(bytes);
        else
            objects::inspectMidi(bytes);
        return bytes;
    } catch (const io::Error& e) {
        throw io::Error(where + u": "_s + e.message());
    }
}

} // namespace

GameSounds gameSounds(const model::Project& project, const std::vector<model::StageData>& stages,
                      const io::AppFolder& app)
{
    GameSounds out;
    bool calls = false;
    for (const model::StageData& stage : stages)
        forEachGameRow(stage, [&](int, const model::EventRowData& row) { calls = calls || catalogue::callsSounds(row); });
    if (!calls) {
        out.source = kSilentSounds;
        return out;
    }
    out.plays = true;
    // Each stage's sounds that the project has, and the highest of all.
    std::vector<std::vector<int>> perStage;
    std::set<int> used;
    for (const model::StageData& stage : stages) {
        std::set<int> named;
        forEachGameRow(stage, [&](int, const model::EventRowData& row) { named.merge(catalogue::soundsNamed(row)); });
        std::vector<int> numbers;
        for (const int n : named)
            if (model::findSound(project.Sounds, n)) {
                numbers.push_back(n);
                used.insert(n);
            }
        perStage.push_back(std::move(numbers));
    }
    QByteArray files = "{";
    const int highest = used.empty() ? 0 : *used.rbegin();
    for (int n = 0; n <= highest && !used.empty(); ++n) {
        if (n > 0)
            files += ", ";
        if (!used.count(n)) {
            files += "null";
            continue;
        }
        const model::SoundData& sound = *model::findSound(project.Sounds, n);
        const QString name = objects::soundResourceName(sound);
        out.resources.emplace_back(name, soundBytes(sound, *project.ProjectDir));
        files += "\"/" + name.toLatin1() + "\"";
    }
    files += "}";
    QByteArray table = "{";
    for (size_t k = 0; k < perStage.size(); ++k) {
        table += k ? ", {" : "{";
        for (size_t i = 0; i < perStage[k].size(); ++i)
            table += (i ? ", " : "") + QByteArray::number(perStage[k][i]);
        table += "}";
    }
    table += "}";

    const QString draft = app.draftFile(QString::fromLatin1(kSoundsSource));
    QByteArray source;
    try {
        source = io::readWholeFile(draft);
    } catch (const io::Error& e) {
        throw io::Error(u"Заготовка игры %1 не прочитана: %2"_s.arg(QString::fromLatin1(kSoundsSource), e.message()));
    }
    const QByteArray filesLine = "    static final String[] FILES = {};";
    const QByteArray tableLine = "    static final int[][] STAGES = {};";
    const QByteArray keyLine = "    static final int SWITCH_KEY = 0;";
    if (!source.contains(filesLine) || !source.contains(tableLine) || !source.contains(keyLine))
        throw io::Error::inFile(draft, u"в заготовке нет таблицы звуков (FILES, STAGES, SWITCH_KEY); переустановите "
                                       u"Kestrava"_s);
    source.replace(filesLine, "    static final String[] FILES = " + files + ";");
    source.replace(tableLine, "    static final int[][] STAGES = " + table + ";");
    source.replace(keyLine, "    static final int SWITCH_KEY = " + QByteArray::number(soundSwitchKey(stages)) + ";");
    out.source = source;
    return out;
}

int soundSwitchKey(const std::vector<model::StageData>& stages)
{
    for (const auto& key : {std::pair{35, u"pound"_s}, std::pair{42, u"star"_s}})
        if (std::none_of(stages.begin(), stages.end(),
                         [&](const model::StageData& s) { return asksKey(s, key.first, key.second); }))
            return key.first;
    return 0;
}

} // namespace kestrava::codegen
