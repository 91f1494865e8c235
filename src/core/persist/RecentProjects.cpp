#include "persist/RecentProjects.h"

#include "io/Error.h"
#include "io/TextFile.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::persist {

namespace {

// Far more than kMost paths: a larger file is no list of ours.
constexpr qint64 kMaxListBytes = 64 * 1024;

} // namespace

RecentProjects::RecentProjects(QString listFile) : m_file(std::move(listFile)) {}

QStringList RecentProjects::files() const
{
    if (!QFileInfo(m_file).isFile())
        return {};
    QByteArray bytes;
    try {
        bytes = io::readWholeFile(m_file, kMaxListBytes);
    } catch (const io::Error&) {
        return {};
    }
    QStringList result;
    for (const QString& line : QString::fromUtf8(bytes).split(u'\n')) {
        const QString path = QDir::cleanPath(line.trimmed());
        if (line.trimmed().isEmpty() || QDir::isRelativePath(path) || result.contains(path))
            continue;
        result << path;
        if (result.size() == kMost)
            break;
    }
    return result;
}

void RecentProjects::add(const QString& projectFile)
{
    QStringList list = files();
    const QString path = QDir::cleanPath(QFileInfo(projectFile).absoluteFilePath());
    list.removeAll(path);
    list.prepend(path);
    while (list.size() > kMost)
        list.removeLast();
    try {
        io::writeFileAtomically(m_file, (list.join(u'\n') + u'\n').toUtf8(), io::FileSync::LeaveToSystem);
    } catch (const io::Error&) {
        // Only a convenience: the project itself was opened or saved all the same.
    }
}

QString RecentProjects::startFolder(const QString& fallback) const
{
    for (const QString& file : files())
        if (QFileInfo(file).isFile())
            return QFileInfo(file).absolutePath();
    return fallback;
}

} // namespace kestrava::persist
