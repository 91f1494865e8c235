#include "persist/Examples.h"

#include "io/AppFolder.h"
#include "io/Error.h"
#include "io/Paths.h"
#include "io/TextFile.h"
#include "model/Project.h"
#include "persist/ProjectFile.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::persist {

namespace {

constexpr int kMaxCopies = 99;

QString projectFile(const QString& folder)
{
    return folder + u"/project.prg"_s;
}

// Copies the regular files and folders of `from` into the new folder `to`.
void copyTree(const QString& from, const QString& to)
{
    io::makeFolder(to);
    QDirIterator it(from, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    const QDir source(from);
    while (it.hasNext()) {
        const QFileInfo entry = it.nextFileInfo();
        // A link could lead out of the example; the copy holds only what is in it.
        if (entry.isSymLink())
            continue;
        const QString target = to + u'/' + source.relativeFilePath(entry.filePath());
        if (entry.isDir())
            io::makeFolder(target);
        else if (entry.isFile())
            io::writeFileAtomically(target, io::readWholeFile(entry.filePath(), io::kMaxPictureFileBytes));
    }
}

} // namespace

std::vector<Example> listExamples(const io::AppFolder& app)
{
    std::vector<Example> examples;
    const QDir root(app.examples());
    for (const QFileInfo& folder : root.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
        if (!QFileInfo(projectFile(folder.filePath())).isFile())
            continue;
        Example example{folder.filePath(), folder.fileName(), {}};
        try {
            model::Project project;
            load(project, app, projectFile(folder.filePath()));
            example.description = project.GameSuite.Description;
        } catch (const io::Error&) {
        }
        examples.push_back(example);
    }
    return examples;
}

QString copyExample(const QString& exampleFolder, const QString& projectsFolder)
{
    if (!QFileInfo(projectFile(exampleFolder)).isFile())
        throw io::Error(u"В папке примера «%1» нет файла проекта."_s.arg(QDir::toNativeSeparators(exampleFolder)));
    io::makeFolder(projectsFolder);
    const QString name = QFileInfo(exampleFolder).fileName();
    QString target;
    for (int n = 1; n <= kMaxCopies && target.isEmpty(); ++n) {
        const QString candidate = projectsFolder + u'/' + (n == 1 ? name : u"%1 %2"_s.arg(name).arg(n));
        const QFileInfo info(candidate);
        if (!info.exists() && !info.isSymLink())
            target = candidate;
    }
    if (target.isEmpty())
        throw io::Error(u"В папке проектов «%1» уже %2 копий примера «%3»: удалите лишние."_s.arg(
            QDir::toNativeSeparators(projectsFolder)).arg(kMaxCopies).arg(name));
    try {
        copyTree(exampleFolder, target);
    } catch (const io::Error& e) {
        QDir(target).removeRecursively();
        throw io::Error(u"Пример «%1» не скопирован: %2"_s.arg(name, e.message()));
    }
    return projectFile(target);
}

} // namespace kestrava::persist
