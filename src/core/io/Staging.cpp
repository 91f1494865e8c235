#include "io/Staging.h"

#include "io/Error.h"
#include "io/Paths.h"
#include "io/TextFile.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QRandomGenerator>

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>
#include <optional>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::io {
namespace {

constexpr char kJournal[] = "journal";
constexpr char kJournalNew[] = "journal.new";
constexpr char kJournalMagic[] = "kestrava journal 1";
constexpr qint64 kMaxJournalBytes = qint64(16) << 20;
// Targets lie at most this deep in home ("src/Etap0.java", "objects/x.png").
constexpr int kMaxTargetParts = 4;

QByteArray native(const QString& name)
{
    return QFile::encodeName(name);
}

QString randomName()
{
    return QString::number(QRandomGenerator::global()->generate64(), 36);
}

QString absoluteClean(const QString& path)
{
    return QDir::cleanPath(QDir::isAbsolutePath(path) ? path : QDir::current().absoluteFilePath(path));
}

// Writes all of bytes to fd through interruptions; false (errno set) on a failure.
bool writeAll(int fd, const QByteArray& bytes)
{
    const char* data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, data, size_t(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        left -= n;
    }
    return true;
}

// A new file `name` in folder fd holding bytes; the errno of a failure, else 0.
int writeNewFile(int folder, const QString& name, const QByteArray& bytes, FileSync sync)
{
    const int fd = ::openat(folder, native(name).constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0)
        return errno;
    int error = 0;
    if (!writeAll(fd, bytes) || (sync == FileSync::Now && ::fsync(fd) != 0))
        error = errno ? errno : EIO;
    if (::close(fd) != 0 && error == 0 && errno != EINTR)
        error = errno;
    if (error)
        ::unlinkat(folder, native(name).constData(), 0);
    return error;
}

// Removes name (a file, a link or a whole folder, never followed) from folder fd.
void removeTree(int folder, const QByteArray& name)
{
    struct stat info {};
    if (::fstatat(folder, name.constData(), &info, AT_SYMLINK_NOFOLLOW) != 0)
        return;
    if (!S_ISDIR(info.st_mode)) {
        ::unlinkat(folder, name.constData(), 0);
        return;
    }
    const int fd = ::openat(folder, name.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd >= 0) {
        if (DIR* dir = ::fdopendir(fd)) {
            std::vector<QByteArray> names;
            while (const dirent* e = ::readdir(dir))
                if (std::strcmp(e->d_name, ".") != 0 && std::strcmp(e->d_name, "..") != 0)
                    names.emplace_back(e->d_name);
            for (const QByteArray& each : names)
                removeTree(::dirfd(dir), each);
            ::closedir(dir); // closes fd
        } else {
            ::close(fd);
        }
    }
    ::unlinkat(folder, name.constData(), AT_REMOVEDIR);
}

// The parts of a relative path we wrote ourselves: plain names, at most maxParts.
bool plainRelative(const QString& path, int maxParts)
{
    const QStringList parts = path.split(u'/');
    if (parts.isEmpty() || parts.size() > maxParts)
        return false;
    for (const QString& part : parts)
        if (!isPlainFileName(part))
            return false;
    return true;
}

QString replacedList(const std::vector<StagingFolder::Move>& moves, size_t done)
{
    // A conversion replaces thousands: the first few name the place.
    constexpr size_t kShown = 5;
    QStringList names;
    for (size_t k = 0; k < done && k < kShown; ++k)
        names << u"«%1»"_s.arg(QDir::toNativeSeparators(moves[k].target));
    QString list = names.join(u", "_s);
    if (done > kShown)
        list += u" и ещё %1"_s.arg(done - kShown);
    return list;
}

} // namespace

StagingFolder::StagingFolder(const QString& home, const QString& kind) : m_home(absoluteClean(home))
{
    OpenFolder folder = OpenFolder::at(m_home, Access::Write);
    m_homeFd = ::fcntl(folder.fd(), F_DUPFD_CLOEXEC, 0);
    if (m_homeFd < 0)
        throw Error::inFile(m_home, u"не удаётся открыть папку: %1"_s.arg(systemReason(errno, Access::Write)));
    auto fail = [&](int error) {
        ::close(m_homeFd);
        m_homeFd = -1;
        throw Error::inFile(m_home, u"не удаётся создать временную папку: %1; ничего не записано"_s.arg(
                                        systemReason(error, Access::Write)));
    };
    // Made under a name of its own, locked, then named for what it holds. A
    // run cleaning up may take the folder away before it is locked: then
    // another name is tried.
    int error = 0;
    for (int attempt = 0; attempt < 8; ++attempt) {
        const QByteArray fresh = native(QString::fromLatin1(kStagingPrefix) + u"new-"_s + randomName());
        if (::mkdirat(m_homeFd, fresh.constData(), 0700) != 0) {
            error = errno;
            if (error == EEXIST)
                continue;
            break;
        }
        m_fd = ::openat(m_homeFd, fresh.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        const QString name = QString::fromLatin1(kStagingPrefix) + kind + u'-' + randomName();
        if (m_fd >= 0 && ::flock(m_fd, LOCK_EX | LOCK_NB) == 0
            && ::renameat(m_homeFd, fresh.constData(), m_homeFd, native(name).constData()) == 0) {
            m_path = m_home + u'/' + name;
            return;
        }
        error = errno;
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = -1;
        ::unlinkat(m_homeFd, fresh.constData(), AT_REMOVEDIR);
    }
    fail(error);
}

StagingFolder::~StagingFolder()
{
    removeAll();
    if (m_fd >= 0)
        ::close(m_fd);
    if (m_homeFd >= 0)
        ::close(m_homeFd);
}

void StagingFolder::removeAll()
{
    if (m_homeFd >= 0 && !m_path.isEmpty())
        removeTree(m_homeFd, native(fileNamePart(m_path)));
}

void StagingFolder::makeSubfolder(const QString& name) const
{
    if (::mkdirat(m_fd, native(name).constData(), 0700) != 0)
        throw Error::inFile(m_path, u"не удаётся создать временную папку: %1; ничего не записано"_s.arg(
                                        systemReason(errno, Access::Write)));
}

void StagingFolder::write(const QString& name, const QByteArray& bytes, FileSync sync, const QString& target) const
{
    if (const int error = writeNewFile(m_fd, name, bytes, sync))
        throw Error::inFile(target, u"не удаётся записать файл: %1; ничего не записано"_s.arg(
                                        systemReason(error, Access::Write)));
}

void StagingFolder::commit(const std::vector<Move>& moves, FileSync sync, const std::function<void(size_t)>& moved)
{
    if (moves.empty())
        return;
    // Every target's folder and place are checked before anything moves.
    std::vector<OpenFolder> folders;
    QHash<QString, size_t> folderIndex;
    std::vector<size_t> folderOf;
    QByteArray journal = QByteArray(kJournalMagic) + '\n';
    for (const Move& move : moves) {
        const QString target = absoluteClean(move.target);
        const QString relative = target.mid(m_home.size() + 1);
        if (!target.startsWith(m_home + u'/') || !plainRelative(relative, kMaxTargetParts))
            throw Error::inFile(move.target, u"файл лежит вне папки «%1»; ничего не записано"_s.arg(
                                                 QDir::toNativeSeparators(m_home)));
        const QString folder = folderPart(target);
        auto found = folderIndex.constFind(folder);
        if (found == folderIndex.constEnd()) {
            folders.push_back(OpenFolder::holding(target, Access::Write));
            found = folderIndex.insert(folder, folders.size() - 1);
        }
        folderOf.push_back(found.value());
        const OpenFolder& dir = folders[found.value()];
        const QString name = fileNamePart(target);
        switch (entryAt(dir, name)) {
        case Entry::Link:
            throw Error::inFile(move.target, u"на месте файла находится символическая ссылка; по ссылкам файлы "
                                             u"проекта не записываются. Ничего не записано"_s);
        case Entry::Folder:
            throw Error::inFile(move.target, u"не удаётся записать файл: на его месте находится папка; ничего не "
                                             u"записано"_s);
        case Entry::File: {
            // A replaced file keeps its permissions.
            struct stat info {};
            if (::fstatat(dir.fd(), native(name).constData(), &info, AT_SYMLINK_NOFOLLOW) == 0)
                ::fchmodat(m_fd, native(move.staged).constData(), info.st_mode & 07777, 0);
            break;
        }
        case Entry::None:
        case Entry::Other:
            break;
        }
        journal += move.staged.toUtf8() + '\t' + relative.toUtf8() + '\n';
    }
    journal += "end " + QByteArray::number(qsizetype(moves.size())) + '\n';

    const bool journaled = moves.size() > 1;
    if (journaled) {
        if (const int error = writeNewFile(m_fd, QString::fromLatin1(kJournalNew), journal, sync))
            throw Error::inFile(m_path, u"не удаётся записать журнал замены файлов: %1; ничего не записано"_s.arg(
                                            systemReason(error, Access::Write)));
        // Present under its name only once complete: from here the new set wins.
        if (::renameat(m_fd, kJournalNew, m_fd, kJournal) != 0 || (sync == FileSync::Now && ::fsync(m_fd) != 0))
            throw Error::inFile(m_path, u"не удаётся записать журнал замены файлов: %1; ничего не записано"_s.arg(
                                            systemReason(errno, Access::Write)));
    }
    for (size_t k = 0; k < moves.size(); ++k) {
        const OpenFolder& dir = folders[folderOf[k]];
        if (::renameat(m_fd, native(moves[k].staged).constData(), dir.fd(),
                       native(fileNamePart(absoluteClean(moves[k].target))).constData())
            != 0) {
            const int error = errno;
            if (journaled)
                ::unlinkat(m_fd, kJournal, 0); // what failed once is not retried by the next run
            QString what = u"не удаётся поместить файл на место: %1; "_s.arg(systemReason(error, Access::Write));
            if (k == 0)
                what += u"ничего не изменено"_s;
            else
                what += u"уже заменены (%1 из %2): %3 — запишите ещё раз"_s.arg(k).arg(moves.size()).arg(
                    replacedList(moves, k));
            throw Error::inFile(moves[k].target, what);
        }
        if (moved)
            moved(k);
    }
    if (sync == FileSync::Now)
        for (const OpenFolder& dir : folders) {
            const int fd = ::openat(dir.fd(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
            if (fd >= 0) {
                ::fsync(fd);
                ::close(fd);
            }
        }
    if (journaled)
        ::unlinkat(m_fd, kJournal, 0);
}

std::optional<std::vector<StagingFolder::Move>> readJournal(const QByteArray& bytes)
{
    if (!bytes.endsWith('\n'))
        return std::nullopt;
    const QList<QByteArray> lines = bytes.left(bytes.size() - 1).split('\n');
    if (lines.size() < 2 || lines.first() != kJournalMagic)
        return std::nullopt;
    std::vector<StagingFolder::Move> moves;
    for (qsizetype k = 1; k + 1 < lines.size(); ++k) {
        const QList<QByteArray> pair = lines[k].split('\t');
        if (pair.size() != 2)
            return std::nullopt;
        StagingFolder::Move move{QString::fromUtf8(pair[0]), QString::fromUtf8(pair[1])};
        if (!plainRelative(move.staged, 2) || !plainRelative(move.target, kMaxTargetParts))
            return std::nullopt;
        moves.push_back(std::move(move));
    }
    if (lines.last() != "end " + QByteArray::number(qsizetype(moves.size())))
        return std::nullopt;
    return moves;
}

int finishInterruptedWrites(const QString& home)
{
    const QString root = absoluteClean(home);
    trustFolder(root);
    std::optional<OpenFolder> homeFolder;
    try {
        homeFolder.emplace(OpenFolder::at(root, Access::Write));
    } catch (const Error&) {
        return 0;
    }
    const int listFd = ::openat(homeFolder->fd(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (listFd < 0)
        return 0;
    DIR* dir = ::fdopendir(listFd);
    if (!dir) {
        ::close(listFd);
        return 0;
    }
    std::vector<QByteArray> names;
    while (const dirent* e = ::readdir(dir)) {
        const QByteArray name(e->d_name);
        if (name.startsWith(QByteArray(kStagingPrefix) + "convert-") || name.startsWith(QByteArray(kStagingPrefix) + "write-")
            || name.startsWith(QByteArray(kStagingPrefix) + "new-"))
            names.push_back(name);
    }
    ::closedir(dir);

    int dealt = 0;
    const int homeFd = homeFolder->fd();
    for (const QByteArray& name : names) {
        struct stat info {};
        if (::fstatat(homeFd, name.constData(), &info, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISDIR(info.st_mode))
            continue;
        const int fd = ::openat(homeFd, name.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (fd < 0)
            continue;
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            ::close(fd); // its writer is still at work
            continue;
        }
        std::optional<std::vector<StagingFolder::Move>> moves;
        const int journalFd = ::openat(fd, kJournal, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (journalFd >= 0) {
            struct stat j {};
            if (::fstat(journalFd, &j) == 0 && S_ISREG(j.st_mode) && j.st_size <= kMaxJournalBytes) {
                QByteArray bytes(qsizetype(j.st_size), Qt::Uninitialized);
                if (::pread(journalFd, bytes.data(), size_t(bytes.size()), 0) == ssize_t(bytes.size()))
                    moves = readJournal(bytes);
            }
            ::close(journalFd);
        }
        if (moves) {
            for (const StagingFolder::Move& move : *moves) {
                struct stat staged {};
                if (::fstatat(fd, native(move.staged).constData(), &staged, AT_SYMLINK_NOFOLLOW) != 0
                    || !S_ISREG(staged.st_mode))
                    continue; // moved before the crash
                const QString target = root + u'/' + move.target;
                try {
                    const OpenFolder into = OpenFolder::holding(target, Access::Write);
                    const Entry there = entryAt(into, fileNamePart(target));
                    if (there == Entry::Link || there == Entry::Folder)
                        continue;
                    ::renameat(fd, native(move.staged).constData(), into.fd(), native(fileNamePart(target)).constData());
                } catch (const Error&) {
                    // A folder that leads out, or is gone: that file is dropped.
                }
            }
        }
        removeTree(homeFd, name);
        ::close(fd);
        ++dealt;
    }
    return dealt;
}

// ---- the writes of TextFile.h ----

namespace {

// The folder every file lies in: the deepest trusted one holding them all,
// else their common folder; empty when they share none.
QString commonHome(const std::vector<FileBytes>& files)
{
    QString trusted = trustedFolderOf(files.front().path);
    QString folder = folderPart(absoluteClean(files.front().path));
    for (const FileBytes& f : files) {
        if (trustedFolderOf(f.path) != trusted)
            trusted.clear();
        if (folderPart(absoluteClean(f.path)) != folder)
            folder.clear();
    }
    return trusted.isEmpty() ? folder : trusted;
}

// Files in folders with nothing in common: each written beside its target,
// then all renamed in order. A failure while writing changes nothing.
void writeBesideTargets(const std::vector<FileBytes>& files, FileSync sync)
{
    struct Pending {
        OpenFolder folder;
        QByteArray temp;
        QByteArray name;
    };
    std::vector<Pending> pending;
    auto discard = [&pending] {
        for (const Pending& p : pending)
            ::unlinkat(p.folder.fd(), p.temp.constData(), 0);
    };
    for (const FileBytes& f : files) {
        OpenFolder folder = OpenFolder::holding(f.path, Access::Write);
        const QString name = fileNamePart(absoluteClean(f.path));
        const Entry there = entryAt(folder, name);
        if (there == Entry::Link || there == Entry::Folder) {
            discard();
            throw Error::inFile(f.path, there == Entry::Link
                                            ? u"на месте файла находится символическая ссылка; ничего не записано"_s
                                            : u"не удаётся записать файл: на его месте находится папка"_s);
        }
        const QByteArray temp = native(u"."_s + name + u'.' + randomName() + u".tmp"_s);
        if (const int error = writeNewFile(folder.fd(), QString::fromLocal8Bit(temp), f.bytes, sync)) {
            discard();
            throw Error::inFile(f.path, u"не удаётся записать файл: %1"_s.arg(systemReason(error, Access::Write)));
        }
        pending.push_back({std::move(folder), temp, native(name)});
    }
    for (size_t k = 0; k < pending.size(); ++k) {
        if (::renameat(pending[k].folder.fd(), pending[k].temp.constData(), pending[k].folder.fd(),
                       pending[k].name.constData())
            == 0)
            continue;
        QString what = u"не удаётся записать файл: %1"_s.arg(systemReason(errno, Access::Write));
        for (size_t done = 0; done < k; ++done)
            what += u"; файл «%1» уже записан"_s.arg(QDir::toNativeSeparators(files[done].path));
        for (size_t rest = k; rest < pending.size(); ++rest)
            ::unlinkat(pending[rest].folder.fd(), pending[rest].temp.constData(), 0);
        throw Error::inFile(files[k].path, what);
    }
}

} // namespace

void writeFileAtomically(const QString& path, const QByteArray& bytes, FileSync sync)
{
    writeFilesTogether({FileBytes{path, bytes}}, sync);
}

void writeFilesTogether(const std::vector<FileBytes>& files, FileSync sync)
{
    if (files.empty())
        return;
    const QString home = commonHome(files);
    if (home.isEmpty()) {
        writeBesideTargets(files, sync);
        return;
    }
    StagingFolder staging(home, u"write"_s);
    std::vector<StagingFolder::Move> moves;
    for (size_t k = 0; k < files.size(); ++k) {
        const QString staged = QString::number(k);
        staging.write(staged, files[k].bytes, sync, files[k].path);
        moves.push_back({staged, files[k].path});
    }
    staging.commit(moves, sync);
}

} // namespace kestrava::io
