#pragma once

#include "editor/common/StandardDialogs.h"

#include <QDateTime>
#include <QFileInfo>
#include <QList>
#include <QStringList>

#include <memory>

namespace kestrava::test {

// Answers the main window's standard dialogs from queues: file dialogs from
// `answers` (an empty queue is a cancelled dialog), the unsaved-changes
// questions from `saveAnswers` (an empty queue is "Отмена"), "Новый" from
// `newProjects`, "Обновить его?" from `updateAnswers`. Remembers where
// each file dialog started, its filter, and how often the question came.
class FakeDialogs : public editor::StandardDialogs {
public:
    struct Log {
        QStringList answers;
        QStringList startDirs;
        QStringList filters;
        QList<editor::SaveChangesAnswer> saveAnswers;
        int questions = 0;
        // "Восстановить несохранённые изменения": the answer, and the times asked about.
        bool restore = false;
        QList<QDateTime> restoreQuestions;
        // "Новый проект": std::nullopt is "Отмена"; an empty queue gives a name
        // not yet taken in the offered folder, for tests that only want a project.
        QList<std::optional<editor::NewProjectAnswer>> newProjects;
        QStringList newProjectFolders; // the folder each question offered
        // "Обновить его?": an empty queue is "Отмена".
        QList<editor::UpdateObjectAnswer> updateAnswers;
        QStringList updateQuestions;
        // "Открыть пример": the index chosen; an empty queue is "Отмена".
        QList<int> exampleChoices;
        QStringList examplesOffered;
    };

    explicit FakeDialogs(std::shared_ptr<Log> log) : m_log(std::move(log)) {}

    QString saveFileName(QWidget*, const QString& startDir, const QString& filter, const QString&) override
    {
        return next(startDir, filter);
    }
    QString openFileName(QWidget*, const QString& startDir, const QString& filter) override
    {
        return next(startDir, filter);
    }
    editor::SaveChangesAnswer askSaveChanges(QWidget* parent, const QString&) override { return askSaveObject(parent); }
    editor::SaveChangesAnswer askSaveObject(QWidget*) override
    {
        ++m_log->questions;
        return m_log->saveAnswers.isEmpty() ? editor::SaveChangesAnswer::Cancel : m_log->saveAnswers.takeFirst();
    }

    bool askRestoreRecovery(QWidget*, const QDateTime& written) override
    {
        m_log->restoreQuestions << written;
        return m_log->restore;
    }
    std::optional<editor::NewProjectAnswer> askNewProject(QWidget*, const QString& projectsFolder) override
    {
        m_log->newProjectFolders << projectsFolder;
        if (!m_log->newProjects.isEmpty())
            return m_log->newProjects.takeFirst();
        for (int n = 1;; ++n) {
            const QString name = QStringLiteral("проект %1").arg(n);
            if (!QFileInfo::exists(projectsFolder + u'/' + name))
                return editor::NewProjectAnswer{projectsFolder, name};
        }
    }
    editor::UpdateObjectAnswer askUpdateObject(QWidget*, const QString& name) override
    {
        m_log->updateQuestions << name;
        return m_log->updateAnswers.isEmpty() ? editor::UpdateObjectAnswer::Cancel : m_log->updateAnswers.takeFirst();
    }

    std::optional<int> chooseExample(QWidget*, const QStringList& examples) override
    {
        m_log->examplesOffered = examples;
        if (m_log->exampleChoices.isEmpty())
            return std::nullopt;
        return m_log->exampleChoices.takeFirst();
    }

private:
    QString next(const QString& startDir, const QString& filter)
    {
        m_log->startDirs << startDir;
        m_log->filters << filter;
        return m_log->answers.isEmpty() ? QString() : m_log->answers.takeFirst();
    }

    std::shared_ptr<Log> m_log;
};

} // namespace kestrava::test
