#pragma once

#include <QString>

#include <utility>

namespace kestrava::io {

// A project folder may come from a stranger, so no link in it may carry a read
// or a write elsewhere. The folders whose files are the program's own (the
// project folder, the application's folders) are registered here; a path
// inside one of them is opened only through folders that resolve inside it,
// and a link at its end is never followed. A path inside none of them is
// opened through its folder as it stands, still never through a link at its
// end. Registering is cheap and lasts for the run.
void trustFolder(const QString& folder);
// The registered folder holding path (the deepest one); empty when none does.
QString trustedFolderOf(const QString& path);

enum class Access { Read, Write };

// How a replaced file reaches the disk. Either way the file is written beside
// the target and renamed over it, so it is replaced whole or not at all.
enum class FileSync {
    Now,           // flushed to disk before the rename
    LeaveToSystem, // no flush of its own; for many files made again from the
                   // project at will (the converter's output), where a flush
                   // per file would cost more than all the rest of the work
};

// What a failed system call on a file means, in Russian ("нет места на
// диске", "нет прав на запись"), for a message that names the file.
QString systemReason(int error, Access access);

// An open folder, reached as trustFolder() describes; closed with the object.
class OpenFolder {
public:
    // The folder holding path (path's last part left out). An io::Error naming
    // path when a folder on the way is missing, cannot be opened, or leads
    // out of the registered folder path lies in.
    static OpenFolder holding(const QString& path, Access access);
    // The folder itself, checked the same way.
    static OpenFolder at(const QString& folder, Access access);

    OpenFolder(OpenFolder&& other) noexcept : m_fd(std::exchange(other.m_fd, -1)), m_path(std::move(other.m_path)) {}
    OpenFolder& operator=(OpenFolder&& other) noexcept;
    OpenFolder(const OpenFolder&) = delete;
    OpenFolder& operator=(const OpenFolder&) = delete;
    ~OpenFolder();

    int fd() const { return m_fd; }
    const QString& path() const { return m_path; }

    // Takes over an open folder descriptor.
    static OpenFolder adopt(int fd, QString path) { return OpenFolder(fd, std::move(path)); }

private:
    OpenFolder(int fd, QString path) : m_fd(fd), m_path(std::move(path)) {}
    int m_fd;
    QString m_path;
};

// What lies at a name of a folder, not following a link.
enum class Entry { None, File, Folder, Link, Other };
Entry entryAt(const OpenFolder& folder, const QString& name);

// A descriptor of the regular file at path, for reading, never through a link
// at its end and never blocking (a FIFO is refused, not waited for). An
// io::Error naming path: "файл не найден", a link, a folder, no regular file.
int openForReading(const QString& path);

// Makes the folder and its missing parents inside their registered folder
// (a link on the way that leads out of it is refused); an io::Error naming it.
void makeFolderWithin(const QString& path);

} // namespace kestrava::io
