#include "io/TextFile.h"

#include "io/Cp1251.h"
#include "io/Error.h"

#include "io/Paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <bit>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <limits>
#include <memory>
#include <system_error>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::io {

namespace {

// Up to n bytes from offset, through interruptions: fewer only at the end of
// the file; -1 (errno set) on a failure.
qsizetype readFully(int fd, char* data, qsizetype n, qint64 offset)
{
    qsizetype done = 0;
    while (done < n) {
        const ssize_t got = ::pread(fd, data + done, size_t(n - done), off_t(offset + done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return -1;
        if (got == 0)
            break;
        done += got;
    }
    return done;
}

bool isForbiddenControl(unsigned c)
{
    return (c < 0x20 && c != '\t') || c == 0x7f;
}

} // namespace

LineReader::LineReader(QString path, QByteArray content) : m_path(std::move(path)), m_data(std::move(content)) {}

LineReader LineReader::open(const QString& path, qint64 maxBytes)
{
    return LineReader(path, readWholeFile(path, maxBytes));
}

QString LineReader::text()
{
    if (atEnd()) {
        ++m_line;
        fail(u"файл обрывается: ожидалась ещё одна строка"_s);
    }
    qsizetype end = m_pos;
    while (end < m_data.size() && m_data.at(end) != '\r' && m_data.at(end) != '\n')
        ++end;
    if (end - m_pos > kMaxLineBytes) {
        ++m_line;
        fail(u"строка длиной %1 байт, а ни одно значение файла не длиннее %2"_s.arg(end - m_pos).arg(kMaxLineBytes));
    }
    const QByteArray raw = m_data.mid(m_pos, end - m_pos);
    if (end < m_data.size()) {
        if (m_data.at(end) == '\r' && end + 1 < m_data.size() && m_data.at(end + 1) == '\n')
            ++end;
        ++end;
    }
    m_pos = end;
    ++m_line;
    // No writer puts a control character in a line (a tab aside): one here is
    // damage, and would travel into the generated sources.
    for (const char c : raw)
        if (isForbiddenControl(static_cast<unsigned char>(c)))
            fail(u"строка содержит управляющий символ: «%1»"_s.arg(excerpt(Cp1251::decode(raw))));
    return Cp1251::decode(raw);
}

void LineReader::integers(std::span<int> out)
{
    const char* data = m_data.constData();
    const qsizetype size = m_data.size();
    qsizetype pos = m_pos;
    int line = m_line;
    for (int& value : out) {
        // "0".."99999999" and CR LF, as the editors write them, away from the
        // end of the file: eight bytes at once, without a branch per digit.
        // Any other line goes through integer(), which also words a failure.
        if (size - pos >= 16) {
            std::uint64_t chunk;
            std::memcpy(&chunk, data + pos, 8);
            constexpr std::uint64_t high = 0xF0F0F0F0F0F0F0F0u;
            constexpr std::uint64_t zeros = 0x3030303030303030u;
            // A byte is a digit when it and it plus 6 both lie in 0x30..0x3F;
            // a carry can only spoil the bytes after the first non-digit.
            const std::uint64_t other = ((chunk & high) ^ zeros) | (((chunk + 0x0606060606060606u) & high) ^ zeros);
            const int digits = other ? std::countr_zero(other) / 8 : 8;
            if (digits > 0 && digits < 8 && data[pos + digits] == '\r' && data[pos + digits + 1] == '\n') {
                // The digits moved to the top, as if led by zeros, then summed pairwise.
                std::uint64_t v = (chunk - zeros) << (8 * (8 - digits));
                v = (v * 10) + (v >> 8);
                v = ((v & 0x00FF00FF00FF00FFu) * 6553601) >> 16;
                v = ((v & 0x0000FFFF0000FFFFu) * 42949672960001u) >> 32;
                value = int(v);
                pos += digits + 2;
                ++line;
                continue;
            }
        }
        m_pos = pos;
        m_line = line;
        value = integer();
        pos = m_pos;
        line = m_line;
    }
    m_pos = pos;
    m_line = line;
}

void LineReader::skip()
{
    if (atEnd()) {
        ++m_line;
        fail(u"файл обрывается: ожидалась ещё одна строка"_s);
    }
    // Line ends as text() takes them: CR LF, LF or CR.
    const char* data = m_data.constData();
    const qsizetype size = m_data.size();
    qsizetype end = m_pos;
    while (end < size && data[end] != '\r' && data[end] != '\n')
        ++end;
    if (end < size) {
        if (data[end] == '\r' && end + 1 < size && data[end + 1] == '\n')
            ++end;
        ++end;
    }
    m_pos = end;
    ++m_line;
}

int LineReader::integer()
{
    // Most lines are plain decimals ("12", "-3"): read from the bytes directly.
    // Anything else goes the long way, which also words the failure.
    const qsizetype size = m_data.size();
    const char* data = m_data.constData();
    qsizetype at = m_pos;
    while (at < size && (data[at] == ' ' || data[at] == '\t'))
        ++at;
    const bool negative = at < size && data[at] == '-';
    if (at < size && (data[at] == '-' || data[at] == '+'))
        ++at;
    const qsizetype digits = at;
    qint64 quick = 0;
    while (at < size && data[at] >= '0' && data[at] <= '9' && at - digits < 10) {
        quick = quick * 10 + (data[at] - '0');
        ++at;
    }
    const bool number = at > digits && (at >= size || data[at] < '0' || data[at] > '9');
    while (at < size && (data[at] == ' ' || data[at] == '\t'))
        ++at;
    if (number && (at == size || data[at] == '\r' || data[at] == '\n')) {
        quick = negative ? -quick : quick;
        if (quick >= std::numeric_limits<int>::min() && quick <= std::numeric_limits<int>::max()) {
            if (at < size && data[at] == '\r' && at + 1 < size && data[at + 1] == '\n')
                ++at;
            m_pos = at < size ? at + 1 : at;
            ++m_line;
            return int(quick);
        }
    }

    const QString line = text();
    int value = 0;
    if (!parseInteger(line, &value)) {
        if (line.trimmed().isEmpty())
            fail(u"ожидалось целое число, а строка пуста"_s);
        fail(u"«%1» не является целым числом"_s.arg(excerpt(line)));
    }
    return value;
}

void LineReader::expectEnd(const QString& after)
{
    // The first line that is not blank is refused at once, however much follows it.
    while (!atEnd()) {
        const QString line = text();
        if (!line.trimmed().isEmpty())
            fail(u"%1 ожидался конец файла, а в строке «%2»"_s.arg(after, excerpt(line)));
    }
}

void LineReader::fail(const QString& what) const
{
    throw Error::atLine(m_path, m_line, what);
}

LineWriter::LineWriter(QString path) : m_path(std::move(path)) {}

void LineWriter::refuse(const QString& what) const
{
    throw Error::inFile(m_path, m_place.isEmpty() ? what : m_place + u": "_s + what);
}

void LineWriter::text(const QString& line)
{
    if (line.contains(u'\r') || line.contains(u'\n'))
        refuse(u"текст «%1» содержит перевод строки, а в файле каждое значение занимает одну строку; файл не записан"_s
                   .arg(QString(line).replace(u'\r', u' ').replace(u'\n', u' ')));
    for (const QChar c : line)
        if (isForbiddenControl(c.unicode()))
            refuse(u"текст «%1» содержит управляющий символ, который файл не может хранить; файл не записан"_s.arg(
                excerpt(line)));
    const auto bytes = Cp1251::encode(line);
    if (!bytes)
        refuse(u"текст «%1» содержит символ «%2», которого нет в кодировке windows-1251; файл не записан"_s.arg(
            line, Cp1251::firstUnencodableCharacter(line)));
    if (bytes->size() > kMaxLineBytes)
        refuse(u"текст «%1» длиной %2 знаков не поместится в строку файла (не больше %3); файл не записан"_s.arg(
            excerpt(line)).arg(bytes->size()).arg(kMaxLineBytes));
    m_data.append(*bytes);
    m_data.append("\r\n", 2);
}

void LineWriter::integer(int value)
{
    m_data.append(QByteArray::number(value));
    m_data.append("\r\n", 2);
}

void LineWriter::commit() const
{
    writeFileAtomically(m_path, m_data);
}

bool parseInteger(const QString& text, int* value)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return false;
    qsizetype i = 0;
    bool negative = false;
    if (t.at(0) == u'-' || t.at(0) == u'+') {
        negative = t.at(0) == u'-';
        i = 1;
    }
    if (i == t.size())
        return false;
    qint64 v = 0;
    for (; i < t.size(); ++i) {
        const char16_t c = t.at(i).unicode();
        if (c < u'0' || c > u'9')
            return false;
        v = v * 10 + (c - u'0');
        if (v > qint64(std::numeric_limits<int>::max()) + 1)
            return false;
    }
    if (negative)
        v = -v;
    if (v < std::numeric_limits<int>::min() || v > std::numeric_limits<int>::max())
        return false;
    *value = static_cast<int>(v);
    return true;
}

QByteArray readWholeFile(const QString& path, qint64 maxBytes)
{
    const int fd = openForReading(path);
    const std::unique_ptr<int, void (*)(int*)> closer(new int(fd), [](int* f) {
        ::close(*f);
        delete f;
    });
    struct stat info {};
    if (::fstat(fd, &info) != 0)
        throw Error::inFile(path, u"не удаётся прочитать файл: %1"_s.arg(systemReason(errno, Access::Read)));
    if (S_ISDIR(info.st_mode))
        throw Error::inFile(path, u"это папка, а не файл"_s);
    if (!S_ISREG(info.st_mode))
        throw Error::inFile(path, u"это не обычный файл (канал, устройство или сокет); он не читается"_s);
    if (info.st_size > maxBytes)
        throw Error::inFile(path, u"файл слишком велик: %1 байт, а допускается не более %2"_s.arg(info.st_size)
                                      .arg(maxBytes));
    QByteArray bytes(qsizetype(info.st_size), Qt::Uninitialized);
    // A file that grows while it is read is taken up to its size at the start.
    const qsizetype got = readFully(fd, bytes.data(), bytes.size(), 0);
    if (got < 0)
        throw Error::inFile(path, u"не удаётся прочитать файл: %1"_s.arg(systemReason(errno, Access::Read)));
    bytes.truncate(got);
    return bytes;
}

std::optional<OpenFile> OpenFile::regular(const QString& path)
{
    int fd = -1;
    try {
        fd = openForReading(path);
    } catch (const Error&) {
        return std::nullopt;
    }
    OpenFile file(fd, 0);
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    file.m_size = info.st_size;
    return file;
}

OpenFile::~OpenFile()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

qsizetype OpenFile::readAt(char* data, qsizetype n, qint64 offset) const
{
    return readFully(m_fd, data, n, offset);
}

std::optional<QByteArray> readFileOfSize(const QString& path, qint64 size)
{
    const std::optional<OpenFile> file = OpenFile::regular(path);
    if (!file || file->size() != size)
        return std::nullopt;
    QByteArray bytes(qsizetype(size), Qt::Uninitialized);
    if (file->readAt(bytes.data(), bytes.size(), 0) != bytes.size())
        return std::nullopt;
    return bytes;
}

} // namespace kestrava::io
