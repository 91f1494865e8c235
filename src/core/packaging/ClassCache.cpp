#include "packaging/ClassCache.h"

#include "io/Error.h"
#include "io/Paths.h"
#include "io/TextFile.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::packaging {
namespace {

// An entry: the magic line, then per class its path, its size and its bytes,
// then "end" and the SHA-256 of all that, so a torn or edited entry is seen.
constexpr char kMagic[] = "kestrava classes 1\n";
constexpr char kEnd[] = "end\n";
constexpr qint64 kMaxEntryBytes = qint64(64) << 20;
constexpr int kDigestBytes = 32;

QByteArray digest(QByteArrayView bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
}

// The next line of `bytes` from `at` (without its LF), moving `at` past it.
std::optional<QByteArray> line(const QByteArray& bytes, qsizetype& at)
{
    const qsizetype end = bytes.indexOf('\n', at);
    if (end < 0)
        return std::nullopt;
    QByteArray text = bytes.mid(at, end - at);
    at = end + 1;
    return text;
}

std::optional<ClassFiles> parse(const QByteArray& bytes)
{
    const qsizetype body = bytes.size() - kDigestBytes;
    if (body < qsizetype(sizeof kMagic) || !bytes.startsWith(kMagic) ||
        digest(QByteArrayView(bytes).first(body)) != bytes.mid(body))
        return std::nullopt;
    ClassFiles classes;
    qsizetype at = qsizetype(sizeof kMagic) - 1;
    while (true) {
        const std::optional<QByteArray> name = line(bytes, at);
        if (!name)
            return std::nullopt;
        if (*name + '\n' == kEnd)
            break;
        const std::optional<QByteArray> size = line(bytes, at);
        bool ok = false;
        const qsizetype n = size ? size->toLongLong(&ok) : -1;
        const QString path = QString::fromUtf8(*name);
        if (!ok || n < 0 || n > body - at || !isClassPath(path) || classes.count(path))
            return std::nullopt;
        classes[path] = bytes.mid(at, n);
        at += n;
    }
    if (at != body)
        return std::nullopt;
    return classes;
}

} // namespace

bool isClassPath(const QString& path)
{
    if (!path.endsWith(u".class"_s) || path.startsWith(u'/') || path.contains(u'\\') || path.contains(u'\n'))
        return false;
    const QStringList parts = path.split(u'/');
    return std::none_of(parts.begin(), parts.end(),
                        [](const QString& part) { return part.isEmpty() || part == u"."_s || part == u".."_s; });
}

QString ClassCache::entryFile(const QByteArray& key) const
{
    return m_folder + u'/' + QString::fromLatin1(key.toHex()) + u".classes"_s;
}

std::optional<ClassFiles> ClassCache::find(const QByteArray& key) const
{
    const QString file = entryFile(key);
    if (!QFileInfo(file).isFile())
        return std::nullopt;
    try {
        std::optional<ClassFiles> classes = parse(io::readWholeFile(file, kMaxEntryBytes));
        if (classes) {
            // Used now: kept longer than entries nobody asked for since.
            QFile touched(file);
            if (touched.open(QIODevice::ReadWrite))
                touched.setFileTime(QDateTime::currentDateTimeUtc(), QFileDevice::FileModificationTime);
        }
        return classes;
    } catch (const io::Error&) {
        return std::nullopt;
    }
}

void ClassCache::store(const QByteArray& key, const ClassFiles& classes) const
{
    QByteArray bytes(kMagic);
    for (const auto& [path, content] : classes) {
        if (!isClassPath(path))
            return;
        bytes += path.toUtf8() + '\n' + QByteArray::number(content.size()) + '\n' + content;
    }
    bytes += kEnd;
    bytes += digest(bytes);
    try {
        io::makeFolder(m_folder);
        io::writeFileAtomically(entryFile(key), bytes, io::FileSync::LeaveToSystem);
    } catch (const io::Error&) {
        return;
    }
    QFileInfoList entries = QDir(m_folder).entryInfoList({u"*.classes"_s}, QDir::Files, QDir::Time);
    for (qsizetype k = kKeptEntries; k < entries.size(); ++k)
        QFile::remove(entries[k].absoluteFilePath());
}

} // namespace kestrava::packaging
