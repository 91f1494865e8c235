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

    // The record at path; empty when there is none, when it is damaged or when
    // it was made by another encoder.
    static PictureRecord read(const QString& path);

    const Entry* find(const QString& picture) const;
    void set(const QString& picture, const Entry& entry) { m_entries.insert(picture, entry); }
    bool operator==(const PictureRecord& other) const;

    // The record as a file: the fingerprint, the entries, a hash of it all.
    QByteArray bytes() const;

private:
    QHash<QString, Entry> m_entries;
};

} // namespace kestrava::codegen
