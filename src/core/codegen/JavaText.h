#pragma once

#include <QByteArray>

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

    const QByteArray& bytes() const { return m_bytes; }

private:
    QByteArray m_bytes;
};

} // namespace kestrava::codegen
