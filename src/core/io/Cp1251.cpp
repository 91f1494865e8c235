#include "io/Cp1251.h"

#include <iconv.h>

#include <cerrno>
#include <stdexcept>

namespace kestrava::io {
namespace {

constexpr unsigned char kUnassignedByte = 0x98;
constexpr char16_t kUnassignedChar = 0x0098;

class Converter {
public:
    Converter(const char* to, const char* from) : m_handle(iconv_open(to, from))
    {
        if (m_handle == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error("iconv cannot convert windows-1251");
    }
    ~Converter() { iconv_close(m_handle); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts all of [in, in + inLen) into out; false on a character the
    // target cannot hold. out must be large enough (both sides are one unit
    // per character here).
    bool run(const char* in, size_t inLen, char* out, size_t outCapacity, size_t* outLen)
    {
        iconv(m_handle, nullptr, nullptr, nullptr, nullptr);
        char* src = const_cast<char*>(in);
        char* dst = out;
        size_t left = inLen;
        size_t room = outCapacity;
        const size_t rc = iconv(m_handle, &src, &left, &dst, &room);
        *outLen = outCapacity - room;
        return rc != static_cast<size_t>(-1) && left == 0;
    }

private:
    iconv_t m_handle;
};

Converter& decoder()
{
    thread_local Converter c("UTF-16LE", "WINDOWS-1251");
    return c;
}

Converter& encoder()
{
    thread_local Converter c("WINDOWS-1251", "UTF-16LE");
    return c;
}

bool isAscii(const QByteArray& bytes)
{
    for (char ch : bytes)
        if (static_cast<unsigned char>(ch) >= 0x80)
            return false;
    return true;
}

bool isAscii(const QString& text)
{
    for (QChar ch : text)
        if (ch.unicode() >= 0x80)
            return false;
    return true;
}

} // namespace

QString Cp1251::decode(const QByteArray& bytes)
{
    if (isAscii(bytes))
        return QString::fromLatin1(bytes);
    QString result;
    result.reserve(bytes.size());
    std::u16string buffer;
    qsizetype start = 0;
    while (start <= bytes.size()) {
        qsizetype end = bytes.indexOf(static_cast<char>(kUnassignedByte), start);
        if (end < 0)
            end = bytes.size();
        const qsizetype len = end - start;
        if (len > 0) {
            buffer.resize(static_cast<size_t>(len));
            size_t outLen = 0;
            // Every assigned byte has a character, so this cannot fail.
            decoder().run(bytes.constData() + start, static_cast<size_t>(len),
                          reinterpret_cast<char*>(buffer.data()), buffer.size() * 2, &outLen);
            result.append(QStringView(buffer.data(), static_cast<qsizetype>(outLen / 2)));
        }
        if (end == bytes.size())
            break;
        result.append(QChar(kUnassignedChar));
        start = end + 1;
    }
    return result;
}

std::optional<QByteArray> Cp1251::encode(const QString& text)
{
    if (isAscii(text))
        return text.toLatin1();
    QByteArray result;
    result.reserve(text.size());
    qsizetype start = 0;
    while (start <= text.size()) {
        qsizetype end = text.indexOf(QChar(kUnassignedChar), start);
        if (end < 0)
            end = text.size();
        const qsizetype len = end - start;
        if (len > 0) {
            QByteArray out(len, '\0');
            size_t outLen = 0;
            if (!encoder().run(reinterpret_cast<const char*>(text.utf16() + start),
                               static_cast<size_t>(len) * 2, out.data(), static_cast<size_t>(len), &outLen))
                return std::nullopt;
            result.append(out.constData(), static_cast<qsizetype>(outLen));
        }
        if (end == text.size())
            break;
        result.append(static_cast<char>(kUnassignedByte));
        start = end + 1;
    }
    return result;
}

qsizetype Cp1251::firstUnencodable(const QString& text)
{
    if (isAscii(text))
        return -1;
    for (qsizetype i = 0; i < text.size(); ++i) {
        // Surrogate pairs never fit; test them as one character.
        const qsizetype n = (text.at(i).isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
        if (!encode(text.mid(i, n)))
            return i;
        i += n - 1;
    }
    return -1;
}

QString Cp1251::firstUnencodableCharacter(const QString& text)
{
    const qsizetype at = firstUnencodable(text);
    if (at < 0)
        return QString();
    return text.mid(at, text.at(at).isHighSurrogate() ? 2 : 1);
}

} // namespace kestrava::io
