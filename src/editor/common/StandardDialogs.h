#pragma once

#include <QString>

class QDateTime;
class QWidget;

namespace kestrava::editor {

enum class SaveChangesAnswer { Save, Discard, Cancel };

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
    // "Сохранить карту?" before the background editor closes over unsaved work.
    virtual SaveChangesAnswer askSaveMap(QWidget* parent);
    // "Восстановить несохранённые изменения от HH:MM?" with "Восстановить" and
    // "Не восстанавливать"; true for "Восстановить" (closing the box is the other).
    virtual bool askRestoreRecovery(QWidget* parent, const QDateTime& written);
};

} // namespace kestrava::editor
