#pragma once

#include "io/FileAccess.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <span>
#include <utility>
#include <vector>

namespace kestrava::io {

// Reads a system text file: windows-1251, one value per line. Lines end with
// CR LF; a lone CR or LF also ends a line, as files edited by hand may have.
// Every failure names the file and the line.
class LineReader {
public:
    LineReader(QString path, QByteArray content);
    // Reads the whole file (readWholeFile, at most maxBytes); a file that
    // cannot be opened is an Error.
    static LineReader open(const QString& path, qint64 maxBytes);

    // The next line; running past the end of the file is an Error.
    QString text();
    // The next line as a signed 32-bit decimal integer.
    int integer();
    // The next out.size() lines, each as integer() reads it; quicker for the
    // long runs of short numbers a map holds.
    void integers(std::span<int> out);
    // Passes over the next line unread (a first look that needs other lines).
    void skip();
    bool atEnd() const { return m_pos >= m_data.size(); }
    // The file must end here: blank lines may follow, anything else is an
    // Error at its line (a damaged file is never read as a shorter one);
    // `after` says after what ("после последнего этапа").
    void expectEnd(const QString& after);
    // Number of the line read last (1-based; 0 before the first read).
    int lineNumber() const { return m_line; }
    const QString& path() const { return m_path; }
    const QByteArray& content() const { return m_data; }

    // An Error at the line read last.
    [[noreturn]] void fail(const QString& what) const;

private:
    QString m_path;
    QByteArray m_data;
    qsizetype m_pos = 0;
    int m_line = 0;
};

// Builds a system text file in memory, then writes it in one go
// (writeFileAtomically), so a failure never leaves a truncated file behind. A text that
// windows-1251 cannot hold, or one holding a line break, is refused before
// anything is written.
class LineWriter {
public:
    explicit LineWriter(QString path);

    // Where in the file the next values belong ("этап 2, строка событий 5"),
    // named by a refused text's message; empty for nowhere in particular.
    void setPlace(QString place) { m_place = std::move(place); }
    void text(const QString& line);
    void integer(int value);
    void commit() const;

    const QString& path() const { return m_path; }
    // The file as built so far, for a caller that writes it together with others.
    const QByteArray& bytes() const { return m_data; }

private:
    [[noreturn]] void refuse(const QString& what) const;

    QString m_path;
    QString m_place;
    QByteArray m_data;
};

// Parses a decimal int32 ("-12", blanks around allowed); false when it is not one.
bool parseInteger(const QString& text, int* value);

// Writes bytes to path (written beside, committed by rename); see writeFilesTogether.
void writeFileAtomically(const QString& path, const QByteArray& bytes, FileSync sync = FileSync::Now);

// One file of a set that is written together.
struct FileBytes {
    QString path;
    QByteArray bytes;
};
// Writes every file, then renames them over their targets in order, only once
// all of them were written: a failure while writing leaves every target as it
// was. Files in one trusted folder (the project folder) go through a staging
// folder and its journal there (io/Staging.h), so even a crash leaves the old
// set or the new one. A target that is a symbolic link or a folder is refused,
// and so is one whose folder leads out of its trusted folder (io/FileAccess.h).
// Only a failed rename after an earlier one succeeded leaves the set mixed;
// the message then names the files already replaced.
void writeFilesTogether(const std::vector<FileBytes>& files, FileSync sync = FileSync::Now);
// Caps on what a reader takes in, far above any real file of the kind: a
// larger file is refused before it is read.
// The longest line a system text file holds: far beyond any name, caption or
// event code an author makes (a condition of many joined parts stays under a
// tenth of it), short of a line that would swell the generated game.
inline constexpr qsizetype kMaxLineBytes = 64 * 1024;
inline constexpr qint64 kMaxTextFileBytes = qint64(64) << 20;    // the project file and any other
inline constexpr qint64 kMaxObjectFileBytes = qint64(16) << 20;
inline constexpr qint64 kMaxPictureFileBytes = qint64(256) << 20;

// Reads a whole regular file (never through a link: see io/FileAccess.h). A
// missing file, a link, a folder, a FIFO, a device, a file larger than
// maxBytes or one that cannot be read is an Error naming it; nothing blocks
// and nothing is read unbounded.
QByteArray readWholeFile(const QString& path, qint64 maxBytes = kMaxTextFileBytes);

// A regular file itself (a link is none) open for reading, closed with the
// object; for comparing a file with bytes in memory. Never blocks.
class OpenFile {
public:
    // nullopt when path is no such file or cannot be opened.
    static std::optional<OpenFile> regular(const QString& path);
    OpenFile(OpenFile&& other) noexcept : m_fd(std::exchange(other.m_fd, -1)), m_size(other.m_size) {}
    OpenFile& operator=(OpenFile&&) = delete;
    ~OpenFile();

    qint64 size() const { return m_size; }
    // Up to n bytes from offset, fewer only at the end of the file; -1 on a failure.
    qsizetype readAt(char* data, qsizetype n, qint64 offset) const;

private:
    OpenFile(int fd, qint64 size) : m_fd(fd), m_size(size) {}
    int m_fd;
    qint64 m_size;
};

// The bytes of path when it is a regular file itself (no link) of exactly
// `size` bytes; nullopt otherwise or when it cannot be read. For asking
// whether a file already holds what would be written.
std::optional<QByteArray> readFileOfSize(const QString& path, qint64 size);

} // namespace kestrava::io
