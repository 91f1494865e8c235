#pragma once

#include <QByteArray>
#include <QString>

#include <charconv>
#include <string>

namespace kestrava::codegen {

// A generated source file being built in memory, already in windows-1251 with
// CR LF line ends. Numbers and fixed text are ASCII and appended directly; the
// data class of a full stage holds a million numbers.
class JavaText {
public:
    void reserve(size_t bytes) { m_data.reserve(bytes); }
    void clear() { m_data.clear(); }

    JavaText& ascii(std::string_view text)
    {
        m_data.append(text);
        return *this;
    }
    JavaText& number(int value)
    {
        char buffer[16];
        const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
        m_data.append(buffer, size_t(end - buffer));
        return *this;
    }
    // A number followed by a comma: the element of a list.
    JavaText& element(int value)
    {
        number(value);
        m_data.push_back(',');
        return *this;
    }
    // Text already known to fit windows-1251 (checked by the caller).
    JavaText& text(const QString& value);
    JavaText& endLine()
    {
        m_data.append("\r\n", 2);
        return *this;
    }

    const std::string& data() const { return m_data; }
    // A view of the bytes without copying; valid while this text is unchanged.
    QByteArray view() const { return QByteArray::fromRawData(m_data.data(), qsizetype(m_data.size())); }
    QByteArray bytes() const { return QByteArray(m_data.data(), qsizetype(m_data.size())); }

private:
    std::string m_data;
};

} // namespace kestrava::codegen
