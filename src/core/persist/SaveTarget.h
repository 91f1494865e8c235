#pragma once

#include <QString>
#include <QStringList>

namespace kestrava::model { class Project; }
namespace kestrava::io { class AppFolder; }

namespace kestrava::persist {

class ProjectPreload;

// Where "Сохранить как ..." writes when its dialog is cancelled: the file of
// the last save in this run. The main window holds one for the whole run.
class SaveTarget {
public:
    // "Новый" on a reset project: save_project(chosenFile); target := ProjectDir/project.prg.
    void newProject(model::Project& project, const QString& chosenFile);
    // "Открыть": load(chosenFile), whose warnings it returns; target := the opened ProjectDir/project.prg.
    // A preload of chosenFile, when given, stands in for the load.
    QStringList openProject(model::Project& project, const io::AppFolder& app, const QString& chosenFile,
                            ProjectPreload* preload = nullptr);
    // "Восстановить": the project of chosenFile as its recovery copy holds it (loadFromBytes).
    QStringList openRecovered(model::Project& project, const io::AppFolder& app, const QString& chosenFile,
                              const QByteArray& projectFileBytes, const QByteArray& extrasFileBytes);
    // "Сохранить": always writes ProjectDir/project.prg, which becomes the target.
    void saveProject(const model::Project& project);
    // "Сохранить как ...": chosenFile is the dialog's file, empty when it was cancelled (then the
    // previous target is written again, or nothing before any save); returns the file written or "".
    QString saveAs(const model::Project& project, const QString& chosenFile);

    const QString& target() const { return m_target; }
    // The project was discarded ("Новый", "Открыть"): forget its file.
    void clear() { m_target.clear(); }

private:
    QString m_target;
};

} // namespace kestrava::persist
