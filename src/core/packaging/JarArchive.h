#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

namespace kestrava::packaging {

struct JarEntry {
    QString name; // "META-INF/MANIFEST.MF", "Etap0.class", "hero.png"
    QByteArray bytes;
};

// A jar (a zip archive) of the entries in the order given, each deflated
// unless that would not make it smaller. Names are stored as UTF-8, every
// entry with one fixed date, so the same entries give the same bytes.
QByteArray jarArchive(const std::vector<JarEntry>& entries);

} // namespace kestrava::packaging
