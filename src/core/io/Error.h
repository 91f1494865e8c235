#pragma once

#include <QString>

#include <exception>

namespace kestrava::io {

// The one failure type of the system. The message is Russian, names the file
// (and the line, for a reader) and is shown as it stands to the author.
class Error : public std::exception {
public:
    explicit Error(QString message);

    // "Файл «path»: what"
    static Error inFile(const QString& path, const QString& what);
    // "Файл «path», строка N: what"
    static Error atLine(const QString& path, int line, const QString& what);

    const QString& message() const noexcept { return m_message; }
    const char* what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    QByteArray m_utf8;
};

// At most about 60 characters of a text read from a file, for a message: a
// damaged file may hold a 50 MB line or NUL bytes, and the author must see
// what is wrong, not all of it. Control characters show as "\xNN"; a cut
// text ends in "…".
QString excerpt(const QString& text);

} // namespace kestrava::io
