#include "codegen/Converter.h"

#include "codegen/DataClass.h"
#include "codegen/JavaText.h"
#include "codegen/Pictures.h"
#include "codegen/StageClass.h"
#include "codegen/StageObjects.h"
#include "io/Cp1251.h"
#include "io/Error.h"
#include "io/Paths.h"
#include "io/TextFile.h"

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

} // namespace

void convertProject(const model::Project& project, const io::AppFolder& app,
                    const std::function<void(const QString&)>& onWritten)
{
    auto written = [&](const QString& path) {
        if (onWritten)
            onWritten(path);
    };

    if (!project.hasProjectDir())
        throw io::Error(u"Папка проекта не выбрана: создайте проект («Файл» → «Новый») или откройте его, "
                        u"затем конвертируйте. Ничего не записано."_s);
    const QString projectDir = *project.ProjectDir;
    if (!QFileInfo(projectDir).isDir())
        throw io::Error::inFile(projectDir, u"папка проекта не найдена; ничего не записано"_s);
    if (project.LevelCount < 1 || project.LevelCount > model::kMaxLevels)
        throw io::Error(u"Число этапов проекта (%1) вне допустимых 1..%2; ничего не записано"_s
                            .arg(project.LevelCount).arg(model::kMaxLevels));

    const QString srcDir = projectDir + u"/src"_s;
    const QString resDir = projectDir + u"/res"_s;
    const QString objectsDir = projectDir + u"/objects"_s;

    // Everything that can fail without touching a file, before anything is written.
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

    io::makeFolder(srcDir);
    io::makeFolder(resDir);

    // Pictures on helper threads while this thread writes the Java sources, then on
    // this one too. A picture shared by several objects is one file: encoded once.
    PictureCopier copier(std::move(pictures), objectsDir, resDir);
    copier.start(PictureCopier::helperThreads());

    QStringList sources;
    auto reportWritten = [&] {
        for (const PictureJob* job : copier.done())
            written(resDir + u'/' + job->name);
        for (const QString& path : sources)
            written(path);
    };
    JavaText data;
    try {
        for (int level = 1; level <= project.LevelCount && !copier.failed(); ++level) {
            data.clear();
            writeDataClass(data, project.stage(level), stages[size_t(level - 1)]);
            const QString dataPath = srcDir + u'/' + dataClassFileName(level);
            io::writeFileAtomically(dataPath, data.view(), io::FileSync::LeaveToSystem);
            sources.append(dataPath);

            const QString classPath = srcDir + u'/' + stageClassFileName(level);
            io::writeFileAtomically(classPath, stageClasses[size_t(level - 1)], io::FileSync::LeaveToSystem);
            sources.append(classPath);
        }
    } catch (const io::Error&) {
        copier.stop();
        reportWritten();
        throw;
    }
    try {
        copier.finish();
    } catch (const io::Error&) {
        reportWritten();
        throw;
    }
    reportWritten();

    for (const FixedSource& source : fixed) {
        if (QFileInfo::exists(source.target))
            continue;
        io::writeFileAtomically(source.target, source.bytes);
        written(source.target);
    }
}

} // namespace kestrava::codegen
