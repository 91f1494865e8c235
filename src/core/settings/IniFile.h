#pragma once

#include <QString>
#include <QStringList>

namespace kestrava::settings {

// A settings file in the ".ini" form ("[Section]" lines, then "Key=Value"
// lines), windows-1251 with CR LF like every text file of the system.
// Writing a key replaces its value where it stands and keeps everything
// else of the file; a new key goes to the end of its section, a new
// section to the end of the file. Sections and keys match without regard
// to case.
class IniFile {
public:
    // The file as it is on disk; a file that does not exist yet reads empty.
    static IniFile read(const QString& path);

    void setValue(const QString& section, const QString& key, const QString& value);
    // The value of a key; empty when the file lacks it.
    QString value(const QString& section, const QString& key) const;

    const QStringList& lines() const { return m_lines; }
    // Written whole (beside the target, then renamed); a text windows-1251
    // cannot hold is refused before anything is written.
    void write(const QString& path) const;

private:
    // Index of the section's header line, or -1.
    qsizetype sectionLine(const QString& section) const;
    // One past the section's last line.
    qsizetype sectionEnd(qsizetype header) const;
    // Index of the key's line in the section starting at header, or -1.
    qsizetype keyLine(qsizetype header, const QString& key) const;

    QStringList m_lines;
};

} // namespace kestrava::settings
