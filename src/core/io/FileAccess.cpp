#include "io/FileAccess.h"

#include "io/Error.h"
#include "io/Paths.h"

#include <QDir>
#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::io {
namespace {

struct TrustedFolder {
    QString path;      // as registered, cleaned
    QString canonical; // links resolved; empty until first needed
};

std::mutex& registryLock()
{
    static std::mutex lock;
    return lock;
}

std::vector<TrustedFolder>& registry()
{
    static std::vector<TrustedFolder> folders;
    return folders;
}

QString absoluteClean(const QString& path)
{
    return QDir::cleanPath(QDir::isAbsolutePath(path) ? path : QDir::current().absoluteFilePath(path));
}

bool isInside(const QString& path, const QString& folder)
{
    if (path == folder)
        return true;
    if (folder == u"/"_s)
        return path.startsWith(u'/');
    return path.size() > folder.size() && path.startsWith(folder) && path.at(folder.size()) == u'/';
}

QString realPathOf(const QString& path)
{
    char resolved[PATH_MAX];
    if (!::realpath(QFile::encodeName(path).constData(), resolved))
        return QString();
    return QFile::decodeName(resolved);
}

// Where an open folder really lies, links resolved.
QString realPathOfFd(int fd, const QString& fallback)
{
    char buffer[PATH_MAX];
    const QByteArray link = "/proc/self/fd/" + QByteArray::number(fd);
    const ssize_t n = ::readlink(link.constData(), buffer, sizeof buffer);
    if (n > 0 && n < ssize_t(sizeof buffer))
        return QFile::decodeName(QByteArray(buffer, n));
    return realPathOf(fallback); // no /proc: the name, resolved a moment later
}

// Whether the open folder fd (reached by the name folder) lies inside the registered root.
bool staysInside(int fd, const QString& folder, const QString& root, QString* leadsTo)
{
    const QString real = realPathOfFd(fd, folder);
    *leadsTo = real;
    for (int attempt = 0; attempt < 2; ++attempt) {
        QString canonical;
        {
            const std::lock_guard<std::mutex> hold(registryLock());
            for (TrustedFolder& t : registry())
                if (t.path == root) {
                    // Found again when the folder was moved or made since.
                    if (t.canonical.isEmpty() || attempt == 1)
                        t.canonical = realPathOf(root);
                    canonical = t.canonical;
                }
        }
        if (!canonical.isEmpty() && !real.isEmpty() && isInside(real, canonical))
            return true;
    }
    return false;
}

struct FolderResult {
    int fd = -1;
    int error = 0;     // errno of a failed open
    QString leadsTo;   // set when the folder leads out of its root
    QString root;
};

// Opens a folder (absolute, clean), checked against its registered root.
FolderResult openFolderChecked(const QString& folder)
{
    FolderResult r;
    r.fd = ::open(QFile::encodeName(folder).constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (r.fd < 0) {
        r.error = errno;
        return r;
    }
    const QString root = trustedFolderOf(folder);
    if (root.isEmpty() || root == folder)
        return r; // the registered folder itself is trusted as it was given
    QString leadsTo;
    if (!staysInside(r.fd, folder, root, &leadsTo)) {
        ::close(r.fd);
        r.fd = -1;
        r.leadsTo = leadsTo.isEmpty() ? u"?"_s : leadsTo;
        r.root = root;
    }
    return r;
}

[[noreturn]] void refuseFolder(const QString& path, const QString& folder, const FolderResult& r, Access access)
{
    if (!r.leadsTo.isEmpty())
        throw Error::inFile(path, u"папка «%1» ведёт за пределы папки «%2» (в «%3»); по ссылкам, ведущим наружу, "
                                  u"файлы не читаются и не записываются"_s
                                      .arg(QDir::toNativeSeparators(folder), QDir::toNativeSeparators(r.root),
                                           QDir::toNativeSeparators(r.leadsTo)));
    if (r.error == ENOENT || r.error == ENOTDIR)
        throw Error::inFile(path, u"папка «%1» не найдена"_s.arg(QDir::toNativeSeparators(folder)));
    throw Error::inFile(path, u"папка «%1» недоступна: %2"_s.arg(QDir::toNativeSeparators(folder),
                                                                systemReason(r.error, access)));
}

} // namespace

void trustFolder(const QString& folder)
{
    if (folder.isEmpty())
        return;
    const QString path = absoluteClean(folder);
    const std::lock_guard<std::mutex> hold(registryLock());
    for (const TrustedFolder& t : registry())
        if (t.path == path)
            return;
    registry().push_back({path, QString()});
}

QString trustedFolderOf(const QString& path)
{
    const QString abs = absoluteClean(path);
    const std::lock_guard<std::mutex> hold(registryLock());
    QString best;
    for (const TrustedFolder& t : registry())
        if (t.path.size() > best.size() && isInside(abs, t.path))
            best = t.path;
    return best;
}

QString systemReason(int error, Access access)
{
    switch (error) {
    case ENOSPC: return u"нет места на диске"_s;
    case EDQUOT: return u"превышена квота на диске"_s;
    case EACCES:
    case EPERM: return access == Access::Write ? u"нет прав на запись"_s : u"нет прав на чтение"_s;
    case EROFS: return u"диск доступен только для чтения"_s;
    case EIO: return u"ошибка ввода-вывода: диск повреждён или отключён"_s;
    case ENOENT: return u"файл или папка не найдены"_s;
    case ENOTDIR: return u"на пути к файлу вместо папки находится файл"_s;
    case EISDIR: return u"на месте файла находится папка"_s;
    case ELOOP: return u"на пути к файлу символическая ссылка"_s;
    case ENAMETOOLONG: return u"слишком длинное имя файла"_s;
    case EMFILE:
    case ENFILE: return u"открыто слишком много файлов"_s;
    case EXDEV: return u"папки лежат на разных дисках"_s;
    case EBUSY:
    case ETXTBSY: return u"файл занят другой программой"_s;
    case EFBIG: return u"файл слишком велик для этого диска"_s;
    case ENOMEM: return u"не хватает памяти"_s;
    case EEXIST: return u"файл уже существует"_s;
    default:
        return u"системная ошибка %1 (%2)"_s.arg(error).arg(QString::fromLocal8Bit(std::strerror(error)));
    }
}

OpenFolder OpenFolder::holding(const QString& path, Access access)
{
    const QString abs = absoluteClean(path);
    const QString folder = folderPart(abs);
    if (folder.isEmpty() || fileNamePart(abs).isEmpty())
        throw Error::inFile(path, u"это не путь к файлу"_s);
    const FolderResult r = openFolderChecked(folder);
    if (r.fd < 0)
        refuseFolder(path, folder, r, access);
    return OpenFolder(r.fd, folder);
}

OpenFolder OpenFolder::at(const QString& folder, Access access)
{
    const QString abs = absoluteClean(folder);
    const FolderResult r = openFolderChecked(abs);
    if (r.fd < 0)
        refuseFolder(folder, abs, r, access);
    return OpenFolder(r.fd, abs);
}

OpenFolder& OpenFolder::operator=(OpenFolder&& other) noexcept
{
    if (this != &other) {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = std::exchange(other.m_fd, -1);
        m_path = std::move(other.m_path);
    }
    return *this;
}

OpenFolder::~OpenFolder()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

Entry entryAt(const OpenFolder& folder, const QString& name)
{
    struct stat info {};
    if (::fstatat(folder.fd(), QFile::encodeName(name).constData(), &info, AT_SYMLINK_NOFOLLOW) != 0)
        return Entry::None;
    if (S_ISLNK(info.st_mode))
        return Entry::Link;
    if (S_ISREG(info.st_mode))
        return Entry::File;
    if (S_ISDIR(info.st_mode))
        return Entry::Folder;
    return Entry::Other;
}

int openForReading(const QString& path)
{
    const QString abs = absoluteClean(path);
    const QString folder = folderPart(abs);
    const QString name = fileNamePart(abs);
    if (folder.isEmpty() || name.isEmpty())
        throw Error::inFile(path, u"файл не найден"_s);
    const FolderResult r = openFolderChecked(folder);
    if (r.fd < 0) {
        if (r.leadsTo.isEmpty() && (r.error == ENOENT || r.error == ENOTDIR))
            throw Error::inFile(path, u"файл не найден"_s);
        refuseFolder(path, folder, r, Access::Read);
    }
    const OpenFolder dir = OpenFolder::adopt(r.fd, folder);
    // Non-blocking, so that a FIFO does not wait for a writer.
    const int fd = ::openat(dir.fd(), QFile::encodeName(name).constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd >= 0)
        return fd;
    const int error = errno;
    if (entryAt(dir, name) == Entry::Link)
        throw Error::inFile(path, u"на месте файла находится символическая ссылка; по ссылкам файлы проекта не "
                                  u"читаются"_s);
    if (error == ENOENT || error == ENOTDIR)
        throw Error::inFile(path, u"файл не найден"_s);
    throw Error::inFile(path, u"не удаётся открыть файл: %1"_s.arg(systemReason(error, Access::Read)));
}

void makeFolderWithin(const QString& path)
{
    const QString abs = absoluteClean(path);
    FolderResult r = openFolderChecked(abs);
    if (r.fd >= 0) {
        ::close(r.fd);
        return;
    }
    if (!r.leadsTo.isEmpty() || (r.error != ENOENT))
        refuseFolder(path, abs, r, Access::Write);
    const QString parent = folderPart(abs);
    if (parent.isEmpty() || parent == abs)
        refuseFolder(path, abs, r, Access::Write);
    makeFolderWithin(parent);
    const OpenFolder dir = OpenFolder::at(parent, Access::Write);
    if (::mkdirat(dir.fd(), QFile::encodeName(fileNamePart(abs)).constData(), 0777) != 0 && errno != EEXIST)
        throw Error::inFile(path, u"не удаётся создать папку: %1"_s.arg(systemReason(errno, Access::Write)));
    r = openFolderChecked(abs);
    if (r.fd < 0)
        refuseFolder(path, abs, r, Access::Write);
    ::close(r.fd);
}

} // namespace kestrava::io
