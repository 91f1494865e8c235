#pragma once

#include "media/PictureCache.h"

#include <QHash>
#include <QString>
#include <QStringList>

namespace kestrava::io { class AppFolder; }

namespace kestrava::media {

// Pictures of the level editor, each problem reported once until it is
// mended: the map is redrawn on every pointer move, and the same missing
// file must not raise a message each time.
class PictureSource {
public:
    // cache: shared with whoever else reads the project's pictures (the document).
    PictureSource(const io::AppFolder& app, PictureCache& cache) : m_app(app), m_cache(cache) {}

    const io::AppFolder& app() const { return m_app; }
    PictureCache& cache() { return m_cache; }

    // The picture at path; a problem is reported under key and false returned.
    bool loadReported(const QString& key, const QString& path, CachedPicture* out);
    bool loadSilently(const QString& path, CachedPicture* out);
    // A picture named in a project: the library copy, else the project's
    // own (a project opened on another machine brings its copies).
    bool loadLibraryOrOwn(const QString& key, const QString& name, const QString& projectObjects, QString* path,
                          CachedPicture* out, bool report);

    void report(const QString& key, const QString& message);
    void forget(const QString& key) { m_reported.remove(key); }
    // Problems not yet shown.
    QStringList takeMessages();
    // A new project: everything may be reported again.
    void clearReports() { m_reported.clear(); }

private:
    const io::AppFolder& m_app;
    PictureCache& m_cache;
    QStringList m_messages;
    QHash<QString, QString> m_reported;
};

} // namespace kestrava::media
