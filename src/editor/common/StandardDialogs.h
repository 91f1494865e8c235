#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class QDateTime;
class QWidget;

namespace kestrava::editor {

enum class SaveChangesAnswer { Save, Discard, Cancel };
// "Объект «…» уже есть в проекте. Обновить его?": "Да" updates the loaded
// groups, "Нет" loads another group from the file, "Отмена" does nothing.
enum class UpdateObjectAnswer { Update, LoadAnother, Cancel };
// "Новый": the project's name and the folder to make it in.
struct NewProjectAnswer {
    QString folder;
    QString name;
};

// The standard dialogs of the main window and the object editors (files,
// and the question before unsaved changes are dropped), behind a seam so
// that tests can answer them.
class StandardDialogs {
public:
    virtual ~StandardDialogs() = default;
    // filter uses Qt's form: "файл проекта (*.prg)"; defaultSuffix without
    // the dot. An empty result means the dialog was cancelled.
    virtual QString saveFileName(QWidget* parent, const QString& startDir, const QString& filter,
                                 const QString& defaultSuffix);
    virtual QString openFileName(QWidget* parent, const QString& startDir, const QString& filter);
    // "Сохранить изменения в проекте?" with "Сохранить", "Не сохранять" and
    // "Отмена"; closing the box is "Отмена".
    virtual SaveChangesAnswer askSaveChanges(QWidget* parent, const QString& projectName);
    // "Сохранить объект?" before an object editor drops unsaved work: when it
    // is closed, or another object is opened or made in it.
    virtual SaveChangesAnswer askSaveObject(QWidget* parent);
    // "Новый проект" (NewProjectDialog), starting in projectsFolder; nothing when cancelled.
    virtual std::optional<NewProjectAnswer> askNewProject(QWidget* parent, const QString& projectsFolder);
    // Before "Загрузить" loads a file the stage already holds (by its name).
    virtual UpdateObjectAnswer askUpdateObject(QWidget* parent, const QString& name);
    // "Открыть пример": the examples, one line each; the index chosen, nothing when cancelled.
    virtual std::optional<int> chooseExample(QWidget* parent, const QStringList& examples);
    // "Восстановить несохранённые изменения от HH:MM?" with "Восстановить" and
    // "Не восстанавливать"; true for "Восстановить" (closing the box is the other).
    virtual bool askRestoreRecovery(QWidget* parent, const QDateTime& written);
};

// What an answer of "Сохранить", "Не сохранять" or "Отмена" lets the caller
// do: true to go on (saved, or not to be saved), false to keep everything.
bool mayGoOn(SaveChangesAnswer answer, const std::function<bool()>& save);

// Before an object editor drops its object: asks when it was modified and
// saves when told to. True when the editor may go on (saved, not to be
// saved, or nothing to lose); false keeps everything as it is.
bool mayDropObject(StandardDialogs& dialogs, QWidget* parent, bool modified, const std::function<bool()>& save);

} // namespace kestrava::editor
