#include "codegen/Converter.h"

#include "catalogue/Records.h"
#include "codegen/GameRows.h"
#include "codegen/GameValuesClass.h"
#include "codegen/GameSounds.h"
#include "codegen/IndicatorsClass.h"
#include "codegen/JavaText.h"
#include "codegen/PictureRecord.h"
#include "codegen/Pictures.h"
#include "codegen/StageClass.h"
#include "codegen/StageObjects.h"
#include "codegen/StageTables.h"
#include "codegen/StagedOutput.h"
#include "codegen/UnusedClasses.h"
#include "io/Cp1251.h"
#include "io/Error.h"
#include "io/FileAccess.h"
#include "io/Staging.h"
#include "io/Paths.h"
#include "io/Png.h"
#include "io/TextFile.h"
#include "interface/InterfaceSettings.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QSet>

#include <optional>

#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::codegen {
namespace {

struct FixedSource {
    QString target;
    QByteArray bytes;
    bool replacesEarlier = false;
};

// A picture the game needs besides those of the placed objects, made ready for res.
struct ExtraPicture {
    QString name; // "lives.png"
    QByteArray bytes;
    QSize size;
};

} // namespace

QStringList readStageTemplate(const io::AppFolder& app)
{
    const QString path = app.draftFile(QString::fromLatin1(kStageTemplate));
    QStringList lines;
    try {
        lines = templateLines(io::Cp1251::decode(io::readWholeFile(path)));
    } catch (const io::Error& e) {
        throw io::Error(u"Этап 1, класс этапа %1: шаблон не прочитан: %2"_s.arg(stageClassFileName(1), e.message()));
    }
    if (lines.isEmpty())
        throw io::Error(u"Этап 1, класс этапа %1: %2"_s.arg(
            stageClassFileName(1), io::Error::inFile(path, u"шаблон класса этапа пуст"_s).message()));
    return lines;
}

namespace {

// SHA-256 of a runtime source, or nothing for a file too large or unreadable to be one.
std::optional<QByteArray> copyHash(const QString& target)
{
    const QFileInfo info(target);
    if (!info.isFile() || info.size() > (qint64(1) << 20))
        return std::nullopt;
    try {
        return QCryptographicHash::hash(io::readWholeFile(target), QCryptographicHash::Sha256).toHex();
    } catch (const io::Error&) {
        return std::nullopt;
    }
}

// SHA-256 of the fixed sources earlier versions of the program copied. A copy
// the author never edited is brought up to date: the stage classes written now
// need the runtime of this version. An edited copy stays as the author left it.
bool isUneditedEarlierCopy(const QString& target)
{
    static const QSet<QByteArray> earlier = {
        "99cd686a74f2dcd52b7a11446bf39bb49e38e1adb1c9a500e504abc16c537944", // dorv.java
        "1410a820b09196ba036edb84c589652ed75836a9ffe108e74701e348edd3fc0c", // MyGameCanvas.java
        "4bd79cb64b27f8be47694283550659c570a295d12f7c9646750d47880745dd58", // MyGameCanvas.java
        "80a6992553d57bf3b6d00da9af74c5ba781dc4b24d0d6cbfb49a32f390bec3b9", // dorv.java, before soft keys and pauses
        "ce0c4657707b553a84b500b2a19e69c00588f75dcba2a9d87439d61453a299f5", // MyGameCanvas.java, before any screen size
        "93dae9a2e417be4c3f760a9e9f4d1126407bfdc7801ed4dad9bdd590f9966a6b", // dorv.java, before its licence line
        "5722bde491886b4b61db731e5961312406acaceaf1f4753ce692da88349905f9", // MyGameCanvas.java, all in one class
        // The canvas with Stage, Actor and KeyState nested, and the two classes it handed its work to.
        "49cb6c541032803224f05cc3c36463a3eedd740f6a886bf1d3d2bf4d2731c53f", // MyGameCanvas.java
        "ad877ba25eaa0cb96f3c1f9a9fb199f8c7a4cb3d3bedc3e3351d08aec4565529", // Movement.java
        "291749076eba27a5a43a51c7664baf40e98af9f2a55aea15268fb94265984191", // StageView.java
        // The eight classes of the version before.
        "e60dddbbede2c462ae35c7ba543b2c28c8d43d18a8e8a1ad41d27b864c8ca0bc", // MyGameCanvas.java
        "74b06aa6c2ebc07f5ba71b973e659d6f5725bfa903c8e75608992a0354dbc9a7", // StageView.java
        "849f8520619eb07c43db1bdb2ce7c011edccef9902271265c50042b89bb335c8", // StagePlay.java
        // The version before: soft keys known by name first, the view drawn through LayerManager.paint, the
        // animation only the object's own, the stages' tables in classes of their own.
        "bd63926d48ae1cdcd7ce63e1e090921527bbc42de6c017c6b74f9d28ffaedaf7", // Keys.java
        "440dea397a17a928401db154c7915799da1e3fb8afbea1f7d6b00de9d005fec7", // MyGameCanvas.java
        "1a476bf8904ea04f3e0aa48d2d3620b92527f364c9f9c6095ff320605845bc0e", // StageView.java
        "a2f4fbbe8598360de16faae7b99ed7615b423dd3b874c70e1b7b70e0d9f1caf0", // Actor.java
        "d6112c8a0a5848c128a424bc08dca0a304470b92a26ce8546804b0c18eac54f6", // Movement.java
        "ffe56a86cbea4e8e6a5c592d07eba974b5435b423cc28d1c325e4f9a0746fc1a", // StageState.java
        "1f46d7956a0213aca8a78aecb08d6cdb41b620c30ee428cb059d6c20b52c6b2d", // StagePlay.java
        // The version before the score, the variables, the title screen, sound, speeds, platforms and touch.
        "a8920d7a97a312f177b1c35711fa742957282e950beaaf1674fa014b53c3a5d5", // Actor.java
        "7d626c59e79c92860459570accb7d9bcbcca87715cac580b58057319fdce6ddc", // Keys.java
        "dc5110ec8ab1a83d7c7acf45b32e62221fa52e73bea02d147ff64e2e95ec4ee2", // Movement.java
        "5647ab003db9d44a507c82858227705c5de7eb27e7abf4502f3a77141628e823", // MyGameCanvas.java
        "70d1746ae92a1ecdce53a3263227b4d9eb98a5c62374d702a6677c2f60294dbc", // StagePlay.java
        "f0d398563d9b89568f10f5d2fdee659562c7e81225d74441a782fbed09dd36a0", // StageState.java
        "8cd6e2ff610f7b3140b8c17d48056618d7d946bacd106ebd9707d063f57e9536", // StageView.java
        // The version before the sound switch.
        "7ce443586e163743f36078bfa2993363c8cbbeea63a6e6a3a2c6a9dbae6e3d50", // MyGameCanvas.java
        "e1d7864ead97db0e705f5fb3442f49bb474c83c06148d4495bd034da8e57fc04", // TitleScreen.java
    };
    const std::optional<QByteArray> hash = copyHash(target);
    return hash && earlier.contains(*hash);
}

// Whether a row's Java, as the author may have written it, names a class of the runtime (in any case of
// letters: a near miss keeps the whole class, which costs only bytes).
bool sheetsName(const std::vector<model::StageData>& stages, const QString& className)
{
    return anyGameRowCode(stages, [&](const QString& code) { return code.contains(className, Qt::CaseInsensitive); });
}

// A link or anything but a plain file where a source of ours goes is no
// author's edit to keep: refused by name, as every file of ours is.
void checkFixedSourceTargets(const QString& srcDir)
{
    for (const char* name : kFixedSources) {
        const QString target = srcDir + u'/' + QString::fromLatin1(name);
        const QFileInfo info(target);
        if (info.isSymLink())
            throw io::Error::inFile(target, u"на месте исходного текста игры находится символическая ссылка; по "
                                            u"ссылкам файлы игры не пишутся и не читаются, ничего не записано"_s);
        if (info.exists() && !info.isFile())
            throw io::Error::inFile(target, u"на месте исходного текста игры находится %1; ничего не записано"_s.arg(
                                                info.isDir() ? u"папка"_s : u"не обычный файл"_s));
    }
}

// The runtime's sources to write: each one missing, or there as a copy of
// ours (this version's, its stand-in or an earlier version's) that is not the
// form the game needs now. unused: the file names of the classes the game
// does not use, written as their stand-ins (UnusedClasses.h).
std::vector<FixedSource> fixedSourcesToWrite(const io::AppFolder& app, const QString& srcDir,
                                             const QSet<QString>& unused)
{
    std::vector<FixedSource> result;
    const auto sha = [](const QByteArray& bytes) {
        return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
    };
    // The canvas hands its work to classes of its own. Beside a canvas the
    // author edited, which may do all that work itself, none of them is added.
    const QString canvas = srcDir + u'/' + QString::fromLatin1(kCanvasSource);
    const bool ownCanvas = QFileInfo::exists(canvas) && !isUneditedEarlierCopy(canvas)
                           && copyHash(canvas) != copyHash(app.draftFile(QString::fromLatin1(kCanvasSource)));
    for (const char* name : kFixedSources) {
        const QString file = QString::fromLatin1(name);
        const QString target = srcDir + u'/' + file;
        const bool canvasPart = qstrcmp(name, kMidletSource) != 0 && qstrcmp(name, kCanvasSource) != 0;
        if (canvasPart && ownCanvas)
            continue;
        QByteArray draft;
        try {
            draft = io::readWholeFile(app.draftFile(file));
        } catch (const io::Error& e) {
            throw io::Error(u"Заготовка игры %1 не прочитана: %2"_s.arg(file, e.message()));
        }
        const char* const standIn = standInOf(name);
        const QByteArray wanted = standIn && unused.contains(file) ? QByteArray(standIn) : draft;
        if (!QFileInfo::exists(target)) {
            result.push_back({target, wanted, false});
            continue;
        }
        const std::optional<QByteArray> have = copyHash(target);
        if (have == sha(wanted))
            continue;
        // An author's edit stays as the author left it.
        if (have == sha(draft) || (standIn && have == sha(QByteArray(standIn))) || isUneditedEarlierCopy(target))
            result.push_back({target, wanted, true});
    }
    return result;
}

} // namespace

QString outputFolder(const QString& projectDir, const QString& canonicalProject, const QString& name)
{
    const QString path = projectDir + u'/' + name;
    const QFileInfo info(path);
    if (!info.exists()) {
        if (info.isSymLink())
            throw io::Error::inFile(path, u"папка %1 — ссылка, которая никуда не ведёт; ничего не записано"_s.arg(name));
        return path;
    }
    if (!info.isDir())
        throw io::Error::inFile(path, u"на месте папки %1 находится файл; ничего не записано"_s.arg(name));
    const QString canonical = info.canonicalFilePath();
    const QString inside = canonicalProject.endsWith(u'/') ? canonicalProject : canonicalProject + u'/';
    if (!canonical.startsWith(inside))
        throw io::Error::inFile(path, u"папка %1 ведёт за пределы папки проекта (в «%2»); ничего не записано"_s.arg(
                                          name, QDir::toNativeSeparators(canonical)));
    if (!info.isWritable())
        throw io::Error::inFile(path, u"папка %1 недоступна для записи; ничего не записано"_s.arg(name));
    return path;
}

namespace {

// Why a picture of the project cannot be read as one; empty when it can.
// Something other than a file there is named, not taken for a missing one.
QString pictureProblem(const QString& path)
{
    const QFileInfo info(path);
    if (info.isSymLink())
        return u"на месте рисунка находится символическая ссылка; по ссылкам рисунки не читаются"_s;
    if (!info.exists())
        return u"рисунок не найден"_s;
    if (info.isDir())
        return u"на месте рисунка находится папка"_s;
    if (!info.isFile())
        return u"это не обычный файл (канал или устройство), а рисунок должен быть файлом"_s;
    return QString();
}

// The stage's lives bar picture as the game shows it, encoded for res: from the
// project's objects folder, else from the library, where the import leaves it.
// None (empty name) when the stage has no bar or its picture is in neither
// place: the game then draws a plain bar.
ExtraPicture livesPicture(const model::StageData& stage, int level, const QString& objectsDir,
                          const io::AppFolder& app)
{
    const model::LivesBarData& bar = stage.LivesBar;
    if (!bar.Present || bar.BmpName.isEmpty() || !io::isPlainFileName(bar.BmpName))
        return {};
    QString source = objectsDir + u'/' + bar.BmpName;
    // Something that is no file where the project's picture goes is said, not passed over for the library's.
    const bool inProject = QFileInfo::exists(source) || QFileInfo(source).isSymLink();
    if (const QString problem = inProject ? pictureProblem(source) : QString(); !problem.isEmpty())
        throw io::Error(u"Этап %1, полоса жизней: %2"_s.arg(level).arg(io::Error::inFile(source, problem).message()));
    if (!inProject)
        source = app.objectFile(bar.BmpName);
    if (!QFileInfo(source).isFile())
        return {};
    try {
        const QImage image = io::readBmp(source);
        return {pictureName(bar.BmpName), io::encodePng(image, source, pictureOptions()), image.size()};
    } catch (const io::Error& e) {
        throw io::Error(u"Этап %1, полоса жизней: %2"_s.arg(level).arg(e.message()));
    }
}

// The weapon picture saved beside the interface settings file, encoded for res.
ExtraPicture weaponPicture(const QString& settingsFile)
{
    const QString source = io::folderPart(settingsFile) + u'/' + QString::fromLatin1(interface::kWeaponPicture);
    if (!QFileInfo::exists(source) && !QFileInfo(source).isSymLink())
        return {};
    if (const QString problem = pictureProblem(source); !problem.isEmpty())
        throw io::Error(u"Настройки интерфейса: %1"_s.arg(io::Error::inFile(source, problem).message()));
    const QImage image = io::decodePng(io::readWholeFile(source, io::kMaxPictureFileBytes), source);
    return {QString::fromLatin1(interface::kWeaponPicture), io::encodePng(image, source, pictureOptions()), image.size()};
}

// The title screen's picture of the project folder, encoded for res.
ExtraPicture titleScreenPicture(const QString& projectDir, const model::TitleScreenData& title)
{
    if (const QString problem = model::titleScreenProblem(title); !problem.isEmpty())
        throw io::Error(u"Заставка: %1"_s.arg(problem));
    const QString source = projectDir + u'/' + title.Picture;
    if (const QString problem = pictureProblem(source); !problem.isEmpty())
        throw io::Error(u"Заставка: %1"_s.arg(io::Error::inFile(source, problem).message()));
    const QImage image = io::decodePng(io::readWholeFile(source, io::kMaxPictureFileBytes), source);
    return {title.Picture, io::encodePng(image, source, pictureOptions()), image.size()};
}

} // namespace

void convertProject(const model::Project& project, const io::AppFolder& app,
                    const std::function<void(const QString&)>& onWritten, ConversionSummary* summary)
{
    if (!project.hasProjectDir())
        throw io::Error(u"Папка проекта не выбрана: создайте проект («Файл» → «Новый») или откройте его, "
                        u"затем конвертируйте. Ничего не записано."_s);
    const QString projectDir = *project.ProjectDir;
    if (!QFileInfo(projectDir).isDir())
        throw io::Error::inFile(projectDir, u"папка проекта не найдена; ничего не записано"_s);
    io::trustFolder(projectDir);
    // What a conversion or save stopped by a crash left is finished or removed first.
    io::finishInterruptedWrites(projectDir);
    if (project.LevelCount < 1 || project.LevelCount > model::kMaxLevels)
        throw io::Error(u"Число этапов проекта (%1) вне допустимых 1..%2; ничего не записано"_s
                            .arg(project.LevelCount).arg(model::kMaxLevels));

    const QString canonicalProject = QFileInfo(projectDir).canonicalFilePath();
    const QString srcDir = outputFolder(projectDir, canonicalProject, u"src"_s);
    const QString resDir = outputFolder(projectDir, canonicalProject, u"res"_s);
    const QString objectsDir = projectDir + u"/objects"_s;

    // Everything is read, checked and made in memory before the first file is written.
    const QStringList templ = readStageTemplate(app);
    checkFixedSourceTargets(srcDir);

    // Each stage on all threads: its objects resolved, their pictures found,
    // its stage class made. A failure names the first failing stage, and in
    // it the first failing object, as if the stages were taken in turn.
    const int helpers = io::ParallelJobs::helperThreads();
    std::vector<StageObjects> stages(size_t(project.LevelCount));
    std::vector<QByteArray> stageClasses(size_t(project.LevelCount));
    // Each recorded condition and action runs as today's catalogue makes it,
    // whatever Java the project holds for it.
    std::vector<model::StageData> current(size_t(project.LevelCount));
    io::ParallelJobs stageRun(size_t(project.LevelCount), [&](size_t k) {
        const int level = int(k) + 1;
        current[k] = project.stage(level);
        catalogue::remakeRecordedTexts(current[k]);
        for (size_t t = 1; t <= size_t(model::kMaxTextObjects); ++t)
            if (std::as_const(current[k]).TextObject[t].LineCount > 0)
                for (QString& line : current[k].TextObject[t].Lines)
                    line = gameTextLine(line, project.Variables);
        stages[k] = emittedObjects(project, level);
        auto find = [&](const QString& picture, const PictureJob& job) {
            const QString source = objectsDir + u'/' + picture;
            if (const QString problem = pictureProblem(source); !problem.isEmpty())
                throw io::Error(u"%1: %2"_s.arg(job.user(), io::Error::inFile(source, problem).message()));
        };
        for (const EmittedActive& a : stages[k].active)
            find(a.picture, {{}, level, a.number, true, a.object->FileName});
        for (const EmittedFon& f : stages[k].fon)
            find(f.picture, {{}, level, f.number, false, f.object->FileName});
        stageClasses[k] = stageClass(templ, current[k], level, srcDir + u'/' + stageClassFileName(level));
    });
    stageRun.start(helpers);
    stageRun.finish();

    // Active objects' pictures first, then the background's, each in placing order.
    std::vector<PictureJob> pictures;
    QSet<QString> seen;
    for (const StageObjects& objects : stages) {
        auto addPicture = [&](const QString& picture, PictureJob job) {
            if (seen.contains(picture))
                return;
            seen.insert(picture);
            job.name = picture;
            pictures.push_back(std::move(job));
        };
        for (const EmittedActive& a : objects.active)
            addPicture(a.picture, {{}, objects.level, a.number, true, a.object->FileName});
        for (const EmittedFon& f : objects.fon)
            addPicture(f.picture, {{}, objects.level, f.number, false, f.object->FileName});
    }

    // The game's own pictures: the lives bars and the weapon of the interface settings.
    std::vector<ExtraPicture> extraPictures;
    std::vector<QString> livesNames;
    auto addExtra = [&](ExtraPicture picture, const QString& user) {
        if (picture.name.isEmpty())
            return;
        if (seen.contains(picture.name))
            throw io::Error(u"%1: рисунок «%2» носит то же имя, что рисунок объекта; переименуйте один из них"_s.arg(
                user, picture.name));
        for (const ExtraPicture& e : extraPictures)
            if (e.name == picture.name)
                return;
        extraPictures.push_back(std::move(picture));
    };
    for (int level = 1; level <= project.LevelCount; ++level) {
        ExtraPicture lives = livesPicture(project.stage(level), level, objectsDir, app);
        livesNames.push_back(lives.name);
        addExtra(std::move(lives), u"Этап %1, полоса жизней"_s.arg(level));
    }
    const QString settingsFile = interface::interfaceSettingsFile(projectDir);
    std::optional<interface::InterfaceSettings> indicators;
    bool weapon = false;
    if (!settingsFile.isEmpty()) {
        indicators = interface::readInterfaceSettings(settingsFile);
        ExtraPicture picture = weaponPicture(settingsFile);
        weapon = !picture.name.isEmpty();
        addExtra(std::move(picture), u"Настройки интерфейса"_s);
    }
    // The title screen's picture, from the project folder.
    QString titlePicture;
    if (project.TitleScreen && !project.TitleScreen->Picture.isEmpty()) {
        ExtraPicture picture = titleScreenPicture(projectDir, *project.TitleScreen);
        titlePicture = picture.name;
        addExtra(std::move(picture), u"Заставка"_s);
    }
    for (int level = 1; level <= project.LevelCount; ++level)
        for (const QString& file : {srcDir + u'/' + stageClassFileName(level), resDir + u'/' + stageTablesFileName(level)})
            if (QFileInfo(file).isDir())
                throw io::Error::inFile(file, u"не удаётся записать файл: на его месте находится папка; ничего не записано"_s);

    // The pictures first: the tables name each by the one file of its content.
    const QString recordFile = PictureRecord::fileIn(projectDir);
    const QByteArray recordKey = PictureRecord::keyIn(app.root());
    const PictureRecord before = PictureRecord::read(recordFile, recordKey);
    PictureCopier copier(std::move(pictures), objectsDir, resDir, before);
    copier.start(helpers);
    copier.finish();
    // A picture whose encoded bytes another one's already are goes into the game once, by the first one's name.
    QHash<QString, QString> pictureInJar;
    std::vector<char> duplicate(copier.jobs().size(), 0);
    {
        // The bytes of picture k: in memory, or in res where it was left in place.
        const auto bytesOf = [&](size_t k) {
            const EncodedPicture& p = copier.picture(k);
            if (!p.alreadyInRes)
                return p.bytes;
            return io::readFileOfSize(resDir + u'/' + copier.jobs()[k].name, p.entry.size).value_or(QByteArray());
        };
        QHash<std::pair<quint64, quint64>, size_t> byContent;
        for (size_t k = 0; k < copier.jobs().size(); ++k) {
            if (const qsizetype first = copier.picture(k).sameSourceAs; first >= 0) {
                pictureInJar.insert(copier.jobs()[k].name, pictureInJar.value(copier.jobs()[size_t(first)].name,
                                                                              copier.jobs()[size_t(first)].name));
                duplicate[k] = 1;
                continue;
            }
            const PictureRecord::Entry& entry = copier.picture(k).entry;
            const std::pair<quint64, quint64> key{entry.written.low, entry.written.high};
            const auto first = byContent.constFind(key);
            // A hash is no proof against a stranger's made-up pictures: equal hashes have their bytes compared.
            if (first != byContent.constEnd() && bytesOf(k) == bytesOf(first.value())) {
                pictureInJar.insert(copier.jobs()[k].name, copier.jobs()[first.value()].name);
                duplicate[k] = 1;
            } else if (first == byContent.constEnd()) {
                byContent.insert(key, k);
            }
        }
    }

    // The tables of every stage on all threads.
    std::vector<QByteArray> tables(size_t(project.LevelCount));
    std::vector<StageLoad> loads(size_t(project.LevelCount));
    io::ParallelJobs tableRun(size_t(project.LevelCount), [&](size_t k) {
        tables[k] = stageTables(current[k], stages[k], pictureInJar, livesNames[k], &loads[k], project.TouchButtons);
    });
    tableRun.start(helpers);
    tableRun.finish();
    JavaText indicatorsClass;
    writeIndicatorsClass(indicatorsClass, indicators, weapon);
    JavaText gameValuesClass;
    const bool scored = usesScore(current);
    writeGameValuesClass(gameValuesClass, project, scored, titlePicture);
    const GameSounds sounds = gameSounds(project, current, app);
    // What the game does not use is written as its stand-in, to keep the jar small.
    QSet<QString> unused;
    if (!project.TitleScreen && !sheetsName(current, u"TitleScreen"_s))
        unused.insert(u"TitleScreen.java"_s);
    if (!project.TitleScreen && !scored && !sounds.plays && !sheetsName(current, u"GameRecords"_s))
        unused.insert(u"GameRecords.java"_s);
    if (!project.TouchButtons && !sheetsName(current, u"touch"_s) && !sheetsName(current, u"tapped"_s))
        unused.insert(u"Touch.java"_s);
    const std::vector<FixedSource> fixed = fixedSourcesToWrite(app, srcDir, unused);
    if (QFileInfo(srcDir + u'/' + QString::fromLatin1(kSoundsSource)).isDir())
        throw io::Error::inFile(srcDir + u'/' + QString::fromLatin1(kSoundsSource),
                                u"не удаётся записать файл: на его месте находится папка; ничего не записано"_s);

    // Then written beside src and res, and moved into them only once all are written.
    StagedOutput output(projectDir);
    for (size_t k = 0; k < copier.jobs().size(); ++k) {
        if (duplicate[k])
            continue;
        const QString target = resDir + u'/' + copier.jobs()[k].name;
        const EncodedPicture& picture = copier.picture(k);
        if (picture.alreadyInRes)
            output.addInPlace(target);
        else
            output.add(target, picture.bytes);
    }
    for (const ExtraPicture& picture : extraPictures)
        output.add(resDir + u'/' + picture.name, picture.bytes);
    for (int level = 1; level <= project.LevelCount; ++level) {
        output.add(resDir + u'/' + stageTablesFileName(level), tables[size_t(level - 1)]);
        output.add(srcDir + u'/' + stageClassFileName(level), stageClasses[size_t(level - 1)]);
    }
    output.add(srcDir + u'/' + QString::fromLatin1(kIndicatorsSource), indicatorsClass.bytes());
    output.add(srcDir + u'/' + QString::fromLatin1(kGameValuesSource), gameValuesClass.bytes());
    output.add(srcDir + u'/' + QString::fromLatin1(kSoundsSource), sounds.source);
    for (const auto& [name, bytes] : sounds.resources)
        output.add(resDir + u'/' + name, bytes);
    for (const FixedSource& source : fixed)
        output.add(source.target, source.bytes, !source.replacesEarlier);
    output.write(helpers);

    io::makeFolder(srcDir);
    io::makeFolder(resDir);
    output.commit(onWritten);

    // Every picture is in res now; the next conversion need not encode them again.
    PictureRecord after;
    for (size_t k = 0; k < copier.jobs().size(); ++k)
        if (!duplicate[k])
            after.set(copier.jobs()[k].name, copier.picture(k).entry);
    if (!(after == before) && !recordKey.isEmpty()) {
        try {
            io::writeFileAtomically(recordFile, after.bytes(recordKey), io::FileSync::LeaveToSystem);
        } catch (const io::Error&) {
            // Without the record the next conversion encodes every picture again: slower, no less right.
        }
    }

    if (summary) {
        summary->stages = std::move(loads);
        summary->pictureSizes.clear();
        for (size_t k = 0; k < copier.jobs().size(); ++k)
            if (!duplicate[k])
                summary->pictureSizes.insert(copier.jobs()[k].name, copier.picture(k).size);
        for (const ExtraPicture& picture : extraPictures)
            summary->pictureSizes.insert(picture.name, picture.size);
        // Every stage shows the indicators' weapon.
        if (weapon)
            for (StageLoad& load : summary->stages)
                load.pictures.append(QString::fromLatin1(interface::kWeaponPicture));
    }
}

} // namespace kestrava::codegen
