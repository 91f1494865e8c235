#pragma once

#include "editor/workspace/FileDialogs.h"

#include <QStringList>

#include <memory>

namespace kestrava::test {

// Answers the main window's file dialogs from a queue; an empty queue is a
// cancelled dialog. Remembers where each dialog started and its filter.
class FakeFileDialogs : public editor::FileDialogs {
public:
    struct Log {
        QStringList answers;
        QStringList startDirs;
        QStringList filters;
    };

    explicit FakeFileDialogs(std::shared_ptr<Log> log) : m_log(std::move(log)) {}

    QString saveFileName(QWidget*, const QString& startDir, const QString& filter, const QString&) override
    {
        return next(startDir, filter);
    }
    QString openFileName(QWidget*, const QString& startDir, const QString& filter) override
    {
        return next(startDir, filter);
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
