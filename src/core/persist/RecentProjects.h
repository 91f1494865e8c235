#pragma once

#include <QString>
#include <QStringList>

namespace kestrava::persist {

// The project files opened, made or saved last, newest first, kept in one
// file of the application folder (UTF-8, a path a line) so "Открыть" starts
// where the author worked and "Недавние проекты" lists them.
class RecentProjects {
public:
    static constexpr int kMost = 8;

    explicit RecentProjects(QString listFile);

    // The list as the file holds it: absolute paths only, each once; a file
    // missing, damaged or unreadable is an empty list.
    QStringList files() const;
    // `projectFile` first, the rest after it, at most kMost; written at once.
    // A list that cannot be written only stays as it was.
    void add(const QString& projectFile);
    // The folder the open dialog starts in: that of the newest project still
    // there, else `fallback`.
    QString startFolder(const QString& fallback) const;

private:
    QString m_file;
};

} // namespace kestrava::persist
