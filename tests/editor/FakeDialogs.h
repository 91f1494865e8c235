#pragma once

#include "editor/common/StandardDialogs.h"

#include <QDateTime>
#include <QList>
#include <QStringList>

#include <memory>

namespace kestrava::test {

// Answers the main window's standard dialogs from queues: file dialogs from
// `answers` (an empty queue is a cancelled dialog), the unsaved-changes
// questions from `saveAnswers` (an empty queue is "Отмена"). Remembers where
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
    editor::SaveChangesAnswer askSaveChanges(QWidget* parent, const QString&) override { return askSaveMap(parent); }
    editor::SaveChangesAnswer askSaveMap(QWidget*) override
    {
        ++m_log->questions;
        return m_log->saveAnswers.isEmpty() ? editor::SaveChangesAnswer::Cancel : m_log->saveAnswers.takeFirst();
    }

    bool askRestoreRecovery(QWidget*, const QDateTime& written) override
    {
        m_log->restoreQuestions << written;
        return m_log->restore;
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
