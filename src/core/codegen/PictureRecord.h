#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

#include <cstdint>

namespace kestrava::codegen {

// A 128-bit hash of a file's bytes: far too long for damage to meet it by chance.
struct ContentHash {
    std::uint64_t low = 0;
    std::uint64_t high = 0;
    bool operator==(const ContentHash&) const = default;
};
ContentHash contentHash(const QByteArray& bytes);

// What the last conversion wrote into res, kept beside src and res in the
// project folder: for each picture the hash of the source file it was made
// from and of the file it wrote. A picture is a function of its source's bytes
// and of how the converter encodes (the fingerprint), so a picture whose
// source still hashes the same and whose file in res still hashes to what was
// written is exactly what encoding it again would write. The record only
// spares that work: the source and the file in res are read and hashed every
// time, so a missing, stale or damaged record costs time, never a wrong file.
// The record lies in a project folder a stranger may have made, so it is
// signed with a key of this installation (kept in the application folder,
// never in a project): a record made anywhere else is void.
class PictureRecord {
public:
    struct Entry {
        ContentHash source;
        ContentHash written;
        qint64 size = 0; // of the file written
    };

    // projectDir/.kestrava-pictures
    static QString fileIn(const QString& projectDir);
    // How the converter encodes pictures now: the encoder's output for sample
    // pictures, so that a change of encoder or of the library under it makes
    // every earlier entry useless.
    static const QByteArray& fingerprint();

    // The signing key kept in the application folder appRoot, made on first
    // use; empty when it can neither be read nor made (then no record is
    // trusted or written, and every picture is encoded again).
    static QByteArray keyIn(const QString& appRoot);

    // The record at path; empty when there is none, when it is damaged, when
    // it was made by another encoder or not signed with key.
    static PictureRecord read(const QString& path, const QByteArray& key);

    const Entry* find(const QString& picture) const;
    void set(const QString& picture, const Entry& entry) { m_entries.insert(picture, entry); }
    bool operator==(const PictureRecord& other) const;

    // The record as a file: the fingerprint, the entries, their signature with key.
    QByteArray bytes(const QByteArray& key) const;

private:
    QHash<QString, Entry> m_entries;
};

} // namespace kestrava::codegen
