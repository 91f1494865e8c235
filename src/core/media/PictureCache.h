#pragma once

#include <QHash>
#include <QImage>
#include <QString>
#include <QStringList>

#include <cstdint>

namespace kestrava::media {

// A decoded picture as the map draws it: RGB32 when opaque, premultiplied
// ARGB otherwise, so QPainter blits it on its fast paths.
struct CachedPicture {
    QImage image;
    // Changes whenever the picture is decoded again; data derived from the
    // picture (tile rectangles, rendered maps) is keyed to it.
    std::uint64_t serial = 0;
};

// Decoded pictures by path. The map is redrawn on every pointer move, so a
// file is read again only when its size or modification time changed, and
// its metadata is looked at no more than once per pass (one redraw).
class PictureCache {
public:
    // The picture at path, decoded when new or changed since it was last
    // read. A missing or unreadable file is an io::Error naming it; a
    // broken file is not decoded again until it changes.
    CachedPicture load(const QString& path);

    // load() for every path, the decoding on all threads; failures are kept
    // for the load() that asks for them.
    void loadAll(const QStringList& paths);

    // Starts a new pass: every file is checked again on its next load.
    void beginPass() { ++m_pass; }
    // A file just replaced: decoded anew on its next load, whatever its size and time say.
    void forget(const QString& path)
    {
        m_entries.remove(path);
        ++m_changes;
    }

    // While set, every path load() is asked for is added to `paths`, so that
    // what was drawn from them can be kept and the files checked again later.
    void recordPaths(QStringList* paths) { m_recording = paths; }
    // Checks the files at paths as load() would (once a pass, decoding the
    // changed ones), without throwing.
    void check(const QStringList& paths);
    // Steps whenever what load() gives for some path changes: a decode, a
    // file that went missing, a forgotten entry.
    std::uint64_t changeCount() const { return m_changes; }

    // Off: every load decodes the file anew (for measuring what the cache saves).
    void setEnabled(bool enabled);
    bool enabled() const { return m_enabled; }

    // Number of decodes since construction (failed ones included).
    int decodeCount() const { return m_decodes; }

private:
    struct Entry {
        CachedPicture picture;
        QString error;          // the message of a failed read, else empty
        bool present = false;   // the file existed at the last check
        qint64 size = -1;
        qint64 modified = 0;    // ns since the epoch
        std::uint64_t checkedPass = 0;
        bool decoded = false;
    };

    // Checks path's file once a pass: true when it must be decoded (again).
    bool needsDecode(const QString& path, Entry& entry);
    void decode(const QString& path, Entry& entry);
    template <class Read>
    void finishDecode(Entry& entry, Read read);

    QHash<QString, Entry> m_entries;
    std::uint64_t m_pass = 1;
    std::uint64_t m_nextSerial = 1;
    std::uint64_t m_changes = 0;
    QStringList* m_recording = nullptr;
    int m_decodes = 0;
    bool m_enabled = true;
};

} // namespace kestrava::media
