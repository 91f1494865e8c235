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

QString excerpt(const QString& text)
{
    constexpr qsizetype kMax = 60;
    QString out;
    qsizetype shown = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (shown >= kMax) {
            out += u'…';
            break;
        }
        const QChar c = text.at(i);
        if (c.unicode() < 0x20 || c.unicode() == 0x7f || (c.unicode() >= 0x80 && c.unicode() < 0xa0))
            out += u"\\x%1"_s.arg(int(c.unicode()), 2, 16, QChar(u'0'));
        else
            out += c;
        ++shown;
    }
    return out;
}

} // namespace kestrava::io
