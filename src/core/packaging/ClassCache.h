#pragma once

#include <QByteArray>
#include <QString>

#include <map>
#include <optional>

namespace kestrava::packaging {

// Class files by their path in the jar ("Etap0.class", "MyGameCanvas$Stage.class"), in jar order.
using ClassFiles = std::map<QString, QByteArray>;

// Compiled classes kept between packagings in a folder of the application's
// own (never the project's: a stranger's project must not hand the author's
// other games classes), one file per key. The key names everything the
// classes were compiled from, so an entry found is what compiling again would
// give. Only saves time: a missing, damaged or unwritable entry means compiling.
class ClassCache {
public:
    explicit ClassCache(QString folder) : m_folder(std::move(folder)) {}

    // The classes stored under key, or nullopt when there are none or the entry is damaged.
    std::optional<ClassFiles> find(const QByteArray& key) const;
    // Stores the classes under key (written whole or not at all) and forgets
    // the entries used longest ago beyond kKeptEntries.
    void store(const QByteArray& key, const ClassFiles& classes) const;

    // The file an entry is kept in.
    QString entryFile(const QByteArray& key) const;

    static constexpr int kKeptEntries = 200;

private:
    QString m_folder;
};

// Whether a class path from a compiler or an entry may go into a jar and a
// folder of ours: relative, ending in .class, with no way up or out.
bool isClassPath(const QString& path);

} // namespace kestrava::packaging
