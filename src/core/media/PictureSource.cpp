#include "media/PictureSource.h"

#include "io/AppFolder.h"
#include "io/Error.h"

using namespace Qt::Literals::StringLiterals;

namespace kestrava::media {

void PictureSource::report(const QString& key, const QString& message)
{
    auto it = m_reported.find(key);
    if (it != m_reported.end() && *it == message)
        return;
    m_reported.insert(key, message);
    m_messages << message;
}

QStringList PictureSource::takeMessages()
{
    QStringList out;
    out.swap(m_messages);
    return out;
}

bool PictureSource::loadReported(const QString& key, const QString& path, CachedPicture* out)
{
    try {
        *out = m_cache.load(path);
        forget(key);
        return true;
    } catch (const io::Error& e) {
        report(key, e.message());
        return false;
    }
}

bool PictureSource::loadSilently(const QString& path, CachedPicture* out)
{
    try {
        *out = m_cache.load(path);
        return true;
    } catch (const io::Error&) {
        return false;
    }
}

bool PictureSource::loadLibraryOrOwn(const QString& key, const QString& name, const QString& projectObjects,
                                     QString* path, CachedPicture* out, bool doReport)
{
    // The library first; a project opened on another machine brings its own copies.
    QStringList candidates{m_app.objectFile(name)};
    if (!projectObjects.isEmpty())
        candidates << projectObjects + u'/' + name;
    QString libraryProblem;
    for (const QString& candidate : candidates) {
        try {
            *out = m_cache.load(candidate);
            *path = candidate;
            forget(key);
            return true;
        } catch (const io::Error& e) {
            if (libraryProblem.isEmpty())
                libraryProblem = e.message();
        }
    }
    if (doReport)
        report(key, libraryProblem + u" (нет его и в папке объектов проекта)"_s);
    return false;
}

} // namespace kestrava::media
