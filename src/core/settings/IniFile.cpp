#include "settings/IniFile.h"

#include "io/TextFile.h"

#include <QFileInfo>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::settings {
namespace {

bool isHeader(const QString& line)
{
    return line.trimmed().startsWith(u'[');
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
        const qsizetype eq = m_lines[i].indexOf(u'=');
        if (eq > 0 && m_lines[i].left(eq).trimmed().compare(key, Qt::CaseInsensitive) == 0)
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
        m_lines[existing] = line;
        return;
    }
    // After the section's last line that is not blank, so blank lines keep separating sections.
    qsizetype at = sectionEnd(header);
    while (at > header + 1 && m_lines[at - 1].trimmed().isEmpty())
        --at;
    m_lines.insert(at, line);
}

QString IniFile::value(const QString& section, const QString& key) const
{
    const qsizetype header = sectionLine(section);
    const qsizetype line = header < 0 ? -1 : keyLine(header, key);
    return line < 0 ? QString() : m_lines[line].mid(m_lines[line].indexOf(u'=') + 1);
}

void IniFile::write(const QString& path) const
{
    io::LineWriter writer(path);
    for (const QString& line : m_lines)
        writer.text(line);
    writer.commit();
}

} // namespace kestrava::settings
