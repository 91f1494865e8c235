#include "io/IniFile.h"

#include "io/TextFile.h"

#include <QFileInfo>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::io {
namespace {

bool isHeader(const QString& line)
{
    return line.trimmed().startsWith(u'[');
}

bool isComment(const QString& line)
{
    return line.trimmed().startsWith(u';');
}

// The key of a "Key=Value" line; empty for any other line.
QString keyOf(const QString& line)
{
    if (isComment(line))
        return QString();
    const qsizetype eq = line.indexOf(u'=');
    return eq > 0 ? line.left(eq).trimmed() : QString();
}

QString headerName(const QString& line)
{
    QString name = line.trimmed().mid(1);
    const qsizetype close = name.indexOf(u']');
    return (close >= 0 ? name.left(close) : name).trimmed();
}

} // namespace

IniFile IniFile::read(const QString& path)
{
    IniFile file;
    if (!QFileInfo::exists(path))
        return file;
    io::LineReader reader = io::LineReader::open(path, io::kMaxTextFileBytes);
    while (!reader.atEnd())
        file.m_lines.append(reader.text());
    return file;
}

qsizetype IniFile::sectionLine(const QString& section) const
{
    for (qsizetype i = 0; i < m_lines.size(); ++i)
        if (isHeader(m_lines[i]) && headerName(m_lines[i]).compare(section, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

qsizetype IniFile::sectionEnd(qsizetype header) const
{
    qsizetype i = header + 1;
    while (i < m_lines.size() && !isHeader(m_lines[i]))
        ++i;
    return i;
}

qsizetype IniFile::keyLine(qsizetype header, const QString& key) const
{
    const qsizetype end = sectionEnd(header);
    for (qsizetype i = header + 1; i < end; ++i) {
        const QString lineKey = keyOf(m_lines[i]);
        if (!lineKey.isEmpty() && lineKey.compare(key, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

void IniFile::setValue(const QString& section, const QString& key, const QString& value)
{
    const QString line = key + u'=' + value;
    const qsizetype header = sectionLine(section);
    if (header < 0) {
        m_lines.append(u'[' + section + u']');
        m_lines.append(line);
        return;
    }
    const qsizetype existing = keyLine(header, key);
    if (existing >= 0) {
        // A value written as it already reads keeps its line as the author spaced it.
        if (m_lines[existing].mid(m_lines[existing].indexOf(u'=') + 1).trimmed() != value)
            m_lines[existing] = line;
        return;
    }
    // After the section's last key, so the blank lines and comments that lead
    // into the next section stay with it.
    qsizetype at = header + 1;
    const qsizetype end = sectionEnd(header);
    for (qsizetype i = header + 1; i < end; ++i)
        if (!keyOf(m_lines[i]).isEmpty())
            at = i + 1;
    m_lines.insert(at, line);
}

std::optional<QString> IniFile::value(const QString& section, const QString& key) const
{
    const qsizetype header = sectionLine(section);
    const qsizetype line = header < 0 ? -1 : keyLine(header, key);
    if (line < 0)
        return std::nullopt;
    return m_lines[line].mid(m_lines[line].indexOf(u'=') + 1).trimmed();
}

QByteArray IniFile::bytes(const QString& path) const
{
    io::LineWriter writer(path);
    for (const QString& line : m_lines)
        writer.text(line);
    return writer.bytes();
}

void IniFile::write(const QString& path) const
{
    io::writeFileAtomically(path, bytes(path));
}

} // namespace kestrava::io
