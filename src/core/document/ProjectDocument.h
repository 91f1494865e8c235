#pragma once

#include "media/PictureCache.h"
#include "model/Project.h"
#include "persist/ObjectImport.h"
#include "persist/RecoveryCopy.h"
#include "persist/SaveTarget.h"
#include "undo/History.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <QUndoStack>

#include <functional>

namespace kestrava::io { class AppFolder; }

namespace kestrava::document {

// The open project: the model, the file it is saved to and the history of
// the author's edits. Every edit is a command pushed here, so it can be
// undone; panes listen to the change signals instead of being refreshed by
// hand. Unsaved changes are the undo stack away from its clean index.
class ProjectDocument : public QObject {
    Q_OBJECT
public:
    // Beyond what the history's steps keep, the oldest are dropped.
    static constexpr std::size_t kHistoryBudget = std::size_t(64) << 20;

    explicit ProjectDocument(const io::AppFolder& app, QObject* parent = nullptr);

    const model::Project& project() const { return m_project; }
    const io::AppFolder& app() const { return m_app; }
    QUndoStack& undoStack() { return m_history.stack(); }
    // The history of edits, limited by memory (kHistoryBudget).
    undo::History& history() { return m_history; }
    // The project's pictures as last decoded: opening measures placed objects
    // with them and the level map draws from them, so each is read once.
    media::PictureCache& pictures() { return m_pictures; }

    bool isModified() const { return m_history.isModified(); }
    // The project file "Сохранить как ..." writes again when its dialog is
    // cancelled; empty before the first save or open.
    const QString& fileName() const { return m_target.target(); }
    // The project folder's own name ("лес"); empty without a project folder.
    QString displayName() const;

    // Whole-project operations; each starts a new history.
    // A fresh one-stage project without a folder ("Новый", "Открыть" first).
    void reset();
    // "Новый": the project folder of chosenFile gets the initial project file.
    void create(const QString& chosenFile);
    // "Новый" with the name the author typed: the folder `name` is made in
    // `parent` (persist::newProjectFolder says which names are refused) and
    // holds the initial project. The open project is replaced only when all
    // of it worked; refused, it stays as it was and nothing is left on disk.
    void createNamed(const QString& parent, const QString& name);
    // "Открыть": the project is replaced only when all of it was read;
    // returns what was read with reservations, for the author.
    // A preload of file, when given, has read it already (see persist::ProjectPreload).
    QStringList open(const QString& file, persist::ProjectPreload* preload = nullptr);
    // "Восстановить" after a crash: the project of file as its recovery copy
    // holds it, with unsaved changes (the copy was never saved).
    QStringList openRecovered(const QString& file, const persist::RecoveryCopy& copy);
    // "Сохранить": writes ProjectDir/project.prg.
    void save();
    // "Сохранить как ...": chosenFile empty (dialog cancelled) writes the
    // previous file again, or nothing before any save; returns the file written.
    QString saveAs(const QString& chosenFile);

    // The stage the level and events editors work on (SelLevel and
    // CurLevel). Only an existing stage can be chosen; not an edit.
    void selectLevel(int level);

    // Edits.
    // "новый уровень"; io::Error at the last stage the model holds.
    void addLevel();
    // "Объекты" → "Загрузить" into the current stage; io::Error, nothing changed, when refused.
    persist::ImportedObject importObject(const QString& fileName);
    // The same with the file the author chose, which may lie outside the
    // library (persist::loadChosenObject); its copies stay when undone.
    persist::ImportedObject importChosenObject(const QString& path);
    // "Обновить": every group of the current stage loaded from a file of
    // chosenPath's name read again (persist::readObjectUpdate), and the
    // project's copies of the file and its pictures replaced, as one step;
    // io::Error, nothing changed, when refused.
    void updateObject(const QString& chosenPath);
    // "Настройки игры": the screen the game is made for, what its jad says
    // of it and, for a screen of one's own, the author's handset budget
    // (none: model::defaultBudget; at a handset screen its own, whatever is
    // given), one step; an io::Error, nothing changed, for a side outside
    // 16..1000 or a field model::gameSuiteProblem or gameBudgetProblem refuses.
    // touchButtons: "Экранные кнопки для сенсорных телефонов", kept when none.
    void setGameProperties(model::ScreenSize size, const model::GameSuiteData& suite,
                           std::optional<model::GameBudgetData> ownBudget = std::nullopt,
                           std::optional<bool> touchButtons = std::nullopt);
    // "Переменные": the author's variables and the next id to give, one
    // step; an io::Error, nothing changed, when catalogue::variablesProblem
    // refuses them. The rows naming a renamed variable show its new name.
    void setVariables(const QList<model::GameVariableData>& variables, int nextId);
    // "Заставка": the title screen, none for the game to start on stage 1, one step.
    void setTitleScreen(const std::optional<model::TitleScreenData>& title);
    // Runs a command and keeps it for undo (the history takes ownership).
    void push(QUndoCommand* command);
    // The project's sounds replaced as one undo step ("Звуки проекта…").
    void setSounds(std::vector<model::SoundData> sounds, const QString& what);

    // For commands only: the model to change and the signal that says so.
    model::Project& edit() { return m_project; }
    void notifyLevelMap(int level) { emit levelMapChanged(level); }
    void notifyGroups(int level) { emit groupsChanged(level); }
    void notifyEvents(int level) { emit eventsChanged(level); }
    void notifyStages();
    void setGamePropertiesNow(model::ScreenSize size, const model::GameSuiteData& suite,
                              const std::optional<model::GameBudgetData>& ownBudget, bool touchButtons);

signals:
    // Another project, or the same one read again: everything changed.
    void projectReplaced();
    // Placed objects, their positions, paths or the lives bar of a stage.
    void levelMapChanged(int level);
    // The groups, text objects or lives bar a stage holds (its object list).
    void groupsChanged(int level);
    // The event sheet of a stage: its rows, conditions, actions and counters.
    void eventsChanged(int level);
    // The number of stages.
    void stagesChanged();
    // Another stage became the one the editors work on.
    void currentLevelChanged(int level);
    // The game's screen size (Project::GameScreen).
    void gameScreenChanged();
    void soundsChanged();
    void modifiedChanged(bool modified);

private:
    void replaced();

    const io::AppFolder& m_app;
    model::Project m_project;
    persist::SaveTarget m_target;
    undo::History m_history{kHistoryBudget};
    media::PictureCache m_pictures;
};

} // namespace kestrava::document
