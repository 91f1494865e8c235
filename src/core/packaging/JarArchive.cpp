#include "packaging/JarArchive.h"

#include "io/Error.h"

#include <zlib.h>

namespace kestrava::packaging {
namespace {

// 2000-01-01 00:00 in the archive's date format.
constexpr quint16 kDosTime = 0;
constexpr quint16 kDosDate = (20 << 9) | (1 << 5) | 1;
constexpr quint16 kUtf8Names = 0x0800;

void put16(QByteArray& out, quint32 v)
{
    out.append(char(v & 0xFF));
    out.append(char((v >> 8) & 0xFF));
}

void put32(QByteArray& out, quint32 v)
{
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

QByteArray deflateRaw(const QByteArray& in)
{
    z_stream z{};
    if (deflateInit2(&z, 9, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        throw io::Error(QStringLiteral("Не удаётся сжать файл для архива игры: нет памяти."));
    QByteArray out;
    out.resize(qsizetype(deflateBound(&z, uLong(in.size()))));
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(in.constData()));
    z.avail_in = uInt(in.size());
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = uInt(out.size());
    const int result = deflate(&z, Z_FINISH);
    deflateEnd(&z);
    if (result != Z_STREAM_END)
        throw io::Error(QStringLiteral("Не удаётся сжать файл для архива игры."));
    out.resize(qsizetype(z.total_out));
    return out;
}

} // namespace

QByteArray jarArchive(const std::vector<JarEntry>& entries, std::vector<qint64>* entryBytes)
{
    // The archive's fields for counts and name lengths are 16 bits wide, those for sizes and offsets 32.
    if (entries.size() > kMaxJarEntries)
        throw io::Error(QStringLiteral("Слишком много файлов для архива игры: %1, самое большее %2.")
                            .arg(entries.size())
                            .arg(kMaxJarEntries));
    for (const JarEntry& entry : entries)
        if (entry.name.toUtf8().size() > kMaxJarNameBytes)
            throw io::Error(QStringLiteral("Имя файла «%1…» слишком длинное для архива игры: самое большее %2 байт.")
                                .arg(entry.name.left(60))
                                .arg(kMaxJarNameBytes));
    const auto tooLarge = [] {
        return io::Error(QStringLiteral("Архив игры получился бы больше 4 ГБ; такой архив не записать."));
    };
    QByteArray archive;
    QByteArray directory;
    if (entryBytes)
        entryBytes->clear();
    for (const JarEntry& entry : entries) {
        const QByteArray name = entry.name.toUtf8();
        if (entry.bytes.size() > qsizetype(0xFFFFFFFFu) || archive.size() > qsizetype(0xFFFFFFFFu))
            throw tooLarge();
        const quint32 crc = quint32(crc32(0, reinterpret_cast<const Bytef*>(entry.bytes.constData()), uInt(entry.bytes.size())));
        // Nothing makes an empty file smaller.
        QByteArray packed = entry.bytes.isEmpty() ? entry.bytes : deflateRaw(entry.bytes);
        quint16 method = 8;
        if (packed.size() >= entry.bytes.size()) {
            packed = entry.bytes;
            method = 0;
        }
        const quint32 offset = quint32(archive.size());
        auto header = [&](QByteArray& out, bool central) {
            put32(out, central ? 0x02014b50 : 0x04034b50);
            if (central)
                put16(out, 20); // made by
            put16(out, 20);     // needed to extract
            put16(out, kUtf8Names);
            put16(out, method);
            put16(out, kDosTime);
            put16(out, kDosDate);
            put32(out, crc);
            put32(out, quint32(packed.size()));
            put32(out, quint32(entry.bytes.size()));
            put16(out, quint32(name.size()));
            put16(out, 0); // extra field
            if (central) {
                put16(out, 0); // comment
                put16(out, 0); // disk
                put16(out, 0); // internal attributes
                put32(out, 0); // external attributes
                put32(out, offset);
            }
            out.append(name);
        };
        const qsizetype before = archive.size() + directory.size();
        header(archive, false);
        archive.append(packed);
        header(directory, true);
        if (entryBytes)
            entryBytes->push_back(archive.size() + directory.size() - before);
    }
    if (archive.size() + directory.size() > qsizetype(0xFFFFFFFFu))
        throw tooLarge();
    const quint32 directoryOffset = quint32(archive.size());
    archive.append(directory);
    put32(archive, 0x06054b50);
    put16(archive, 0);
    put16(archive, 0);
    put16(archive, quint32(entries.size()));
    put16(archive, quint32(entries.size()));
    put32(archive, quint32(directory.size()));
    put32(archive, directoryOffset);
    put16(archive, 0);
    return archive;
}

} // namespace kestrava::packaging
