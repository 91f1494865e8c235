#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

namespace kestrava::packaging {

struct JarEntry {
    QString name; // "META-INF/MANIFEST.MF", "Etap0.class", "hero.png"
    QByteArray bytes;
};

// What the archive's 16-bit fields can hold.
inline constexpr size_t kMaxJarEntries = 0xFFFF;
inline constexpr qsizetype kMaxJarNameBytes = 0xFFFF;

// A jar (a zip archive) of the entries in the order given, each deflated
// unless that would not make it smaller. Names are stored as UTF-8, every
// entry with one fixed date, so the same entries give the same bytes. More
// entries, or a longer name, than the archive's fields hold is an io::Error;
// so is an archive beyond 4 GB. entryBytes, when given, gets what each entry
// takes of the archive (its data and both its headers), in order.
QByteArray jarArchive(const std::vector<JarEntry>& entries, std::vector<qint64>* entryBytes = nullptr);

} // namespace kestrava::packaging
