#include "media/PictureCache.h"

#include "io/Error.h"
#include "io/ParallelJobs.h"
#include "io/Png.h"
#include "io/TextFile.h"

#include <QFile>

#include <sys/stat.h>

#include <optional>
#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::media {

namespace {

// A PNG (through libpng) or BMP picture, told apart by its first bytes, in
// the format the map draws fastest.
QImage readPicture(const QString& path)
{
    if (!QFile::exists(path))
        throw io::Error::inFile(path, u"рисунок не найден"_s);
    // Read once; the first bytes tell PNG from BMP.
    const QByteArray bytes = io::readWholeFile(path, io::kMaxPictureFileBytes);
    static const QByteArray pngSignature("\x89PNG\r\n\x1a\n", 8);
    QImage image;
    if (bytes.startsWith(pngSignature))
        image = io::decodePng(bytes, path);
    else if (!image.loadFromData(bytes, "BMP"))
        throw io::Error::inFile(path, u"это не рисунок PNG или BMP, или он повреждён"_s);
    if (image.hasAlphaChannel())
        return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    return image.convertToFormat(QImage::Format_RGB32);
}

} // namespace

void PictureCache::setEnabled(bool enabled)
{
    m_enabled = enabled;
    ++m_changes;
    if (!enabled)
        m_entries.clear();
}

void PictureCache::decode(const QString& path, Entry& entry)
{
    finishDecode(entry, [&] { return readPicture(path); });
}

template <class Read>
void PictureCache::finishDecode(Entry& entry, Read read)
{
    ++m_decodes;
    ++m_changes;
    entry.decoded = true;
    entry.picture.serial = m_nextSerial++;
    try {
        entry.picture.image = read();
        entry.error.clear();
    } catch (const io::Error& e) {
        entry.picture.image = QImage();
        entry.error = e.message();
    }
}

bool PictureCache::needsDecode(const QString& path, Entry& entry)
{
    if (!m_enabled)
        return true;
    if (entry.checkedPass == m_pass)
        return false;
    entry.checkedPass = m_pass;
    // One stat() per file and pass; nanoseconds catch a rewrite within the same second.
    struct stat st {};
    const bool present = ::stat(QFile::encodeName(path).constData(), &st) == 0 && S_ISREG(st.st_mode);
    const qint64 size = present ? qint64(st.st_size) : -1;
    const qint64 modified = present ? qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec : 0;
    if (!present) {
        if (entry.present || entry.decoded || entry.error.isEmpty())
            ++m_changes;
        entry.present = false;
        entry.decoded = false;
        entry.picture = CachedPicture();
        entry.error = io::Error::inFile(path, u"рисунок не найден"_s).message();
        return false;
    }
    if (entry.decoded && entry.present && size == entry.size && modified == entry.modified)
        return false;
    entry.present = true;
    entry.size = size;
    entry.modified = modified;
    return true;
}

CachedPicture PictureCache::load(const QString& path)
{
    if (m_recording)
        m_recording->append(path);
    Entry& entry = m_entries[path];
    if (needsDecode(path, entry))
        decode(path, entry);
    if (!entry.error.isEmpty())
        throw io::Error(entry.error);
    return entry.picture;
}

void PictureCache::check(const QStringList& paths)
{
    for (const QString& path : paths) {
        Entry& entry = m_entries[path];
        if (needsDecode(path, entry))
            decode(path, entry);
    }
}

void PictureCache::loadAll(const QStringList& paths)
{
    if (!m_enabled)
        return;
    QStringList todo;
    for (const QString& path : paths)
        if (needsDecode(path, m_entries[path]))
            todo << path;
    // Decoded on all threads, then kept in list order, as load() would have.
    std::vector<std::optional<QImage>> images(size_t(todo.size()));
    std::vector<QString> errors(size_t(todo.size()));
    io::ParallelJobs run(size_t(todo.size()), [&](size_t k) {
        try {
            images[k] = readPicture(todo[qsizetype(k)]);
        } catch (const io::Error& e) {
            errors[k] = e.message();
        }
    });
    run.start(io::ParallelJobs::helperThreads());
    run.finish();
    for (qsizetype k = 0; k < todo.size(); ++k)
        finishDecode(m_entries[todo[k]], [&] {
            if (!images[size_t(k)])
                throw io::Error(errors[size_t(k)]);
            return std::move(*images[size_t(k)]);
        });
}

} // namespace kestrava::media
