#pragma once

#include <QByteArray>
#include <QString>

#include <string_view>

namespace kestrava::codegen {

// A generated source file being built in memory, in ASCII with CR LF line ends.
class JavaText {
public:
    JavaText& ascii(std::string_view text)
    {
        m_bytes.append(text.data(), qsizetype(text.size()));
        return *this;
    }
    JavaText& number(int value)
    {
        m_bytes.append(QByteArray::number(value));
        return *this;
    }
    JavaText& endLine() { return ascii("\r\n"); }
    // A string literal, anything beyond printable ASCII written as \uXXXX.
    JavaText& literal(const QString& text)
    {
        m_bytes.append('"');
        for (const QChar c : text) {
            const char16_t u = c.unicode();
            if (u >= 0x20 && u < 0x7F && u != u'"' && u != u'\\')
                m_bytes.append(char(u));
            else
                m_bytes.append("\\u").append(QByteArray::number(int(u), 16).rightJustified(4, '0'));
        }
        m_bytes.append('"');
        return *this;
    }

    const QByteArray& bytes() const { return m_bytes; }

private:
    QByteArray m_bytes;
};

} // namespace kestrava::codegen
