#include "codegen/Converter.h"

#include "codegen/DataClass.h"
#include "codegen/JavaText.h"
#include "codegen/Pictures.h"
#include "codegen/StageClass.h"
#include "codegen/StageObjects.h"
#include "codegen/StagedOutput.h"
#include "io/Cp1251.h"
#include "io/Error.h"
#include "io/Paths.h"
#include "io/TextFile.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::codegen {
namespace {

struct FixedSource {
    QString target;
    QByteArray bytes;
};

QStringList readTemplate(const io::AppFolder& app)
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

std::vector<FixedSource> readMissingFixedSources(const io::AppFolder& app, const QString& srcDir)
{
    std::vector<FixedSource> result;
    for (const char* name : kFixedSources) {
        const QString file = QString::fromLatin1(name);
        const QString target = srcDir + u'/' + file;
        if (QFileInfo::exists(target))
            continue;
        try {
            result.push_back({target, io::readWholeFile(app.draftFile(file))});
        } catch (const io::Error& e) {
            throw io::Error(u"Заготовка игры %1 не прочитана: %2"_s.arg(file, e.message()));
        }
    }
    return result;
}

// The folder `name` ("src", "res") of the project that receives the output.
// Refused unless it is a folder inside the project folder, or is missing and
// will be made there: a link must not carry the output elsewhere.
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

} // namespace

void convertProject(const model::Project& project, const io::AppFolder& app,
                    const std::function<void(const QString&)>& onWritten)
{
    if (!project.hasProjectDir())
        throw io::Error(u"Папка проекта не выбрана: создайте проект («Файл» → «Новый») или откройте его, "
                        u"затем конвертируйте. Ничего не записано."_s);
    const QString projectDir = *project.ProjectDir;
    if (!QFileInfo(projectDir).isDir())
        throw io::Error::inFile(projectDir, u"папка проекта не найдена; ничего не записано"_s);
    if (project.LevelCount < 1 || project.LevelCount > model::kMaxLevels)
        throw io::Error(u"Число этапов проекта (%1) вне допустимых 1..%2; ничего не записано"_s
                            .arg(project.LevelCount).arg(model::kMaxLevels));

    const QString canonicalProject = QFileInfo(projectDir).canonicalFilePath();
    const QString srcDir = outputFolder(projectDir, canonicalProject, u"src"_s);
    const QString resDir = outputFolder(projectDir, canonicalProject, u"res"_s);
    const QString objectsDir = projectDir + u"/objects"_s;

    // Everything is read, checked and made in memory before the first file is written.
    const QStringList templ = readTemplate(app);
    const std::vector<FixedSource> fixed = readMissingFixedSources(app, srcDir);

    std::vector<StageObjects> stages;
    std::vector<QByteArray> stageClasses;
    std::vector<PictureJob> pictures;
    QSet<QString> seen;
    for (int level = 1; level <= project.LevelCount; ++level) {
        stages.push_back(emittedObjects(project, level));
        const StageObjects& objects = stages.back();
        // Active objects' pictures first, then the background's, each in placing order.
        auto addPicture = [&](const QString& picture, const QString& user) {
            if (seen.contains(picture))
                return;
            seen.insert(picture);
            const QString source = objectsDir + u'/' + picture;
            if (!QFileInfo(source).isFile())
                throw io::Error(u"%1: %2"_s.arg(user, io::Error::inFile(source, u"рисунок не найден"_s).message()));
            pictures.push_back({picture, user});
        };
        for (const EmittedActive& a : objects.active)
            addPicture(a.picture, activeObjectLabel(level, a.number, a.object->FileName));
        for (const EmittedFon& f : objects.fon)
            addPicture(f.picture, fonObjectLabel(level, f.number, f.object->FileName));
        stageClasses.push_back(stageClass(templ, project.stage(level), level, srcDir + u'/' + stageClassFileName(level)));
    }
    for (int level = 1; level <= project.LevelCount; ++level)
        for (const QString& name : {dataClassFileName(level), stageClassFileName(level)})
            if (QFileInfo(srcDir + u'/' + name).isDir())
                throw io::Error::inFile(srcDir + u'/' + name,
                                        u"не удаётся записать файл: на его месте находится папка; ничего не записано"_s);

    // Pictures on helper threads while this thread makes the data classes, then
    // on this one too. A picture shared by several objects is one file: encoded once.
    const int helpers = ParallelJobs::helperThreads();
    PictureCopier copier(std::move(pictures), objectsDir, resDir);
    copier.start(helpers);
    std::vector<JavaText> dataClasses(size_t(project.LevelCount));
    try {
        size_t reserve = 0;
        for (int level = 1; level <= project.LevelCount && !copier.failed(); ++level) {
            JavaText& data = dataClasses[size_t(level - 1)];
            data.reserve(reserve);
            writeDataClass(data, project.stage(level), stages[size_t(level - 1)]);
            reserve = data.data().size();
        }
    } catch (...) {
        copier.stop();
        throw;
    }
    copier.finish();

    // Then written beside src and res, and moved into them only once all are written.
    StagedOutput output(projectDir);
    for (size_t k = 0; k < copier.jobs().size(); ++k) {
        const QString target = resDir + u'/' + copier.jobs()[k].name;
        const EncodedPicture& picture = copier.picture(k);
        if (picture.alreadyInRes)
            output.addInPlace(target);
        else
            output.add(target, picture.bytes);
    }
    for (int level = 1; level <= project.LevelCount; ++level) {
        output.add(srcDir + u'/' + dataClassFileName(level), dataClasses[size_t(level - 1)].view());
        output.add(srcDir + u'/' + stageClassFileName(level), stageClasses[size_t(level - 1)]);
    }
    for (const FixedSource& source : fixed)
        output.add(source.target, source.bytes, true);
    output.write(helpers);

    io::makeFolder(srcDir);
    io::makeFolder(resDir);
    output.commit(onWritten);
}

} // namespace kestrava::codegen
