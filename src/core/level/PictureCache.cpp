#include "level/PictureCache.h"

#include "io/Error.h"
#include "io/Png.h"
#include "io/TextFile.h"

#include <QFile>

#include <sys/stat.h>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::level {

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
    if (!enabled)
        m_entries.clear();
}

void PictureCache::decode(const QString& path, Entry& entry)
{
    ++m_decodes;
    entry.decoded = true;
    entry.picture.serial = m_nextSerial++;
    try {
        entry.picture.image = readPicture(path);
        entry.error.clear();
    } catch (const io::Error& e) {
        entry.picture.image = QImage();
        entry.error = e.message();
    }
}

CachedPicture PictureCache::load(const QString& path)
{
    Entry& entry = m_entries[path];
    if (!m_enabled) {
        decode(path, entry);
    } else if (entry.checkedPass != m_pass) {
        entry.checkedPass = m_pass;
        // One stat() per file and pass; nanoseconds catch a rewrite within the same second.
        struct stat st {};
        const bool present = ::stat(QFile::encodeName(path).constData(), &st) == 0 && S_ISREG(st.st_mode);
        const qint64 size = present ? qint64(st.st_size) : -1;
        const qint64 modified = present ? qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec : 0;
        if (!present) {
            entry.present = false;
            entry.decoded = false;
            entry.picture = CachedPicture();
            entry.error = io::Error::inFile(path, u"рисунок не найден"_s).message();
        } else if (!entry.decoded || !entry.present || size != entry.size || modified != entry.modified) {
            entry.present = true;
            entry.size = size;
            entry.modified = modified;
            decode(path, entry);
        }
    }
    if (!entry.error.isEmpty())
        throw io::Error(entry.error);
    return entry.picture;
}

} // namespace kestrava::level
