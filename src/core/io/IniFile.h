#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

namespace kestrava::io {

// A settings file in the ".ini" form ("[Section]" lines, then "Key=Value"
// lines), windows-1251 with CR LF like every text file of the system.
// Writing a key replaces its value where it stands (a line that already
// holds that value stays as it is) and keeps everything
// else of the file (comments, blank lines, other sections, keys of its
// own); a new key goes after the last key of its section, a new section to
// the end of the file. Sections and keys match without regard to case; of
// a section or key written twice the first counts.
class IniFile {
public:
    // The file as it is on disk; a file that does not exist yet reads empty.
    static IniFile read(const QString& path);

    void setValue(const QString& section, const QString& key, const QString& value);
    // The value of a key, blanks at both ends removed; nothing when the file lacks it.
    std::optional<QString> value(const QString& section, const QString& key) const;

    const QStringList& lines() const { return m_lines; }
    // The file's bytes, for writing it together with others; a text
    // windows-1251 cannot hold is an io::Error naming path.
    QByteArray bytes(const QString& path) const;
    // Written whole (beside the target, then renamed).
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

} // namespace kestrava::io
