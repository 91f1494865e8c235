#include "persist/SaveTarget.h"

#include "model/Project.h"
#include "persist/ProjectFile.h"

namespace kestrava::persist {
namespace {

QString projectFileOf(const model::Project& project)
{
    return projectFileIn(project.ProjectDir.value_or(QString()));
}

} // namespace

void SaveTarget::newProject(model::Project& project, const QString& chosenFile)
{
    save_project(project, chosenFile);
    m_target = projectFileOf(project);
}

QStringList SaveTarget::openProject(model::Project& project, const io::AppFolder& app, const QString& chosenFile,
                                    ProjectPreload* preload)
{
    QStringList warnings =
        preload && preload->file() == chosenFile ? preload->take(project) : load(project, app, chosenFile);
    // A target left from another project would let a cancelled
    // "Сохранить как ..." write this project over that one.
    m_target = projectFileOf(project);
    return warnings;
}

QStringList SaveTarget::openRecovered(model::Project& project, const io::AppFolder& app, const QString& chosenFile,
                                      const QByteArray& projectFileBytes, const QByteArray& extrasFileBytes)
{
    QStringList warnings = loadFromBytes(project, app, chosenFile, projectFileBytes, extrasFileBytes);
    m_target = projectFileOf(project);
    return warnings;
}

void SaveTarget::saveProject(const model::Project& project)
{
    const QString file = projectFileOf(project);
    save(project, file);
    m_target = file;
}

QString SaveTarget::saveAs(const model::Project& project, const QString& chosenFile)
{
    const QString file = chosenFile.isEmpty() ? m_target : chosenFile;
    if (file.isEmpty())
        return QString();
    save(project, file);
    m_target = file;
    return file;
}

} // namespace kestrava::persist
