#include "io/Error.h"

#include <QDir>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::io {

Error::Error(QString message) : m_message(std::move(message)), m_utf8(m_message.toUtf8()) {}

Error Error::inFile(const QString& path, const QString& what)
{
    return Error(u"Файл «%1»: %2"_s.arg(QDir::toNativeSeparators(path), what));
}

Error Error::atLine(const QString& path, int line, const QString& what)
{
    // One pass over the pattern: a "%2" in the path or the text stays as it is.
    return Error(u"Файл «%1», строка %2: %3"_s.arg(QDir::toNativeSeparators(path), QString::number(line), what));
}

} // namespace kestrava::io
