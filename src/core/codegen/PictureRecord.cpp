#include "codegen/PictureRecord.h"

#include "codegen/Pictures.h"
#include "io/Error.h"
#include "io/Png.h"
#include "io/TextFile.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QMessageAuthenticationCode>
#include <QRandomGenerator>

#include <xxhash.h>

#include <algorithm>
#include <cstring>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::codegen {
namespace {

constexpr char kMagic[] = "kestrava pictures 2\n";
constexpr qsizetype kKeyBytes = 32;
constexpr qint64 kMaxRecordBytes = qint64(64) << 20;

void put(QByteArray& out, std::uint64_t value, int bytes)
{
    for (int k = 0; k < bytes; ++k)
        out.append(char(value >> (8 * k)));
}

void put(QByteArray& out, const ContentHash& hash)
{
    put(out, hash.low, 8);
    put(out, hash.high, 8);
}

// Reads what put() wrote; every read fails once the bytes run out.
class Reader {
public:
    explicit Reader(const QByteArray& bytes) : m_data(bytes) {}
    bool ok() const { return m_ok; }
    std::uint64_t number(int bytes)
    {
        if (!take(bytes))
            return 0;
        std::uint64_t value = 0;
        for (int k = 0; k < bytes; ++k)
            value |= std::uint64_t(quint8(m_data[m_at - bytes + k])) << (8 * k);
        return value;
    }
    ContentHash hash()
    {
        ContentHash h;
        h.low = number(8);
        h.high = number(8);
        return h;
    }
    QByteArray bytes(qsizetype n)
    {
        if (!take(n))
            return {};
        return m_data.mid(m_at - n, n);
    }
    bool atEnd() const { return m_at == m_data.size(); }

private:
    bool take(qsizetype n)
    {
        if (!m_ok || n < 0 || m_data.size() - m_at < n) {
            m_ok = false;
            return false;
        }
        m_at += n;
        return true;
    }

    const QByteArray& m_data;
    qsizetype m_at = 0;
    bool m_ok = true;
};

QByteArray signature(const QByteArray& key, const QByteArray& body)
{
    return QMessageAuthenticationCode::hash(body, key, QCryptographicHash::Sha256);
}

ContentHash hashOf(const char* data, size_t size)
{
    const XXH128_hash_t h = XXH3_128bits(data, size);
    return {h.low64, h.high64};
}

// Sample pictures with what the converter meets: few colours with
// transparency (indexed), and many colours (true colour).
QByteArray encoderOutput()
{
    QImage few(48, 24, QImage::Format_ARGB32);
    QImage many(48, 24, QImage::Format_ARGB32);
    std::uint32_t state = 12345;
    for (int y = 0; y < few.height(); ++y)
        for (int x = 0; x < few.width(); ++x) {
            state = state * 1664525u + 1013904223u;
            few.setPixel(x, y, (x / 6 + y / 4) % 5 == 0 ? qRgba(0, 0, 0, 0) : qRgb(x * 5, y * 10, 200));
            many.setPixel(x, y, qRgba(int(state >> 24), int(state >> 16) & 255, x * 5, 128 + y));
        }
    return io::encodePng(few, u"few.png"_s, pictureOptions()) + io::encodePng(many, u"many.png"_s, pictureOptions());
}

} // namespace

ContentHash contentHash(const QByteArray& bytes)
{
    return hashOf(bytes.constData(), size_t(bytes.size()));
}

QString PictureRecord::fileIn(const QString& projectDir)
{
    return projectDir + u"/.kestrava-pictures"_s;
}

const QByteArray& PictureRecord::fingerprint()
{
    static const QByteArray print = [] {
        QByteArray p;
        put(p, contentHash(encoderOutput()));
        return p;
    }();
    return print;
}

QByteArray PictureRecord::keyIn(const QString& appRoot)
{
    const QString file = appRoot + u"/.kestrava-picture-key"_s;
    try {
        if (QFileInfo(file).isFile() && !QFileInfo(file).isSymLink()) {
            const QByteArray key = io::readWholeFile(file, kKeyBytes);
            if (key.size() == kKeyBytes)
                return key;
        }
        QByteArray key(kKeyBytes, Qt::Uninitialized);
        QRandomGenerator::system()->generate(key.begin(), key.end());
        io::writeFileAtomically(file, key);
        QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        return key;
    } catch (const io::Error&) {
        return {};
    }
}

PictureRecord PictureRecord::read(const QString& path, const QByteArray& key)
{
    if (key.isEmpty())
        return {};
    QByteArray bytes;
    try {
        bytes = io::readWholeFile(path, kMaxRecordBytes);
    } catch (const io::Error&) {
        return {};
    }
    const qsizetype body = bytes.size() - 32;
    if (body < 0 || !bytes.startsWith(kMagic))
        return {};
    if (bytes.sliced(body) != signature(key, bytes.first(body)))
        return {};
    bytes.truncate(body);

    Reader r(bytes);
    r.bytes(qsizetype(sizeof kMagic - 1));
    if (r.bytes(qsizetype(r.number(4))) != fingerprint())
        return {};
    PictureRecord record;
    for (std::uint64_t n = r.number(4); n > 0 && r.ok(); --n) {
        const QString name = QString::fromUtf8(r.bytes(qsizetype(r.number(4))));
        Entry entry;
        entry.source = r.hash();
        entry.written = r.hash();
        entry.size = qint64(r.number(8));
        record.set(name, entry);
    }
    if (!r.ok() || !r.atEnd())
        return {};
    return record;
}

const PictureRecord::Entry* PictureRecord::find(const QString& picture) const
{
    const auto it = m_entries.constFind(picture);
    return it == m_entries.constEnd() ? nullptr : &it.value();
}

bool PictureRecord::operator==(const PictureRecord& other) const
{
    if (m_entries.size() != other.m_entries.size())
        return false;
    for (auto it = m_entries.cbegin(); it != m_entries.cend(); ++it) {
        const Entry* e = other.find(it.key());
        if (!e || !(e->source == it->source) || !(e->written == it->written) || e->size != it->size)
            return false;
    }
    return true;
}

QByteArray PictureRecord::bytes(const QByteArray& key) const
{
    QByteArray out(kMagic);
    put(out, std::uint64_t(fingerprint().size()), 4);
    out += fingerprint();
    QStringList names = m_entries.keys();
    std::sort(names.begin(), names.end());
    put(out, std::uint64_t(names.size()), 4);
    for (const QString& name : names) {
        const QByteArray utf8 = name.toUtf8();
        const Entry& e = *find(name);
        put(out, std::uint64_t(utf8.size()), 4);
        out += utf8;
        put(out, e.source);
        put(out, e.written);
        put(out, std::uint64_t(e.size), 8);
    }
    out += signature(key, out);
    return out;
}

} // namespace kestrava::codegen
