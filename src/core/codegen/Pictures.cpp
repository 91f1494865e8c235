#include "codegen/Pictures.h"

#include "io/Error.h"

#include <QFile>
#include <QFileInfo>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::codegen {
namespace {

bool sameContent(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (file.size() != bytes.size() || !file.open(QIODevice::ReadOnly))
        return false;
    return file.readAll() == bytes;
}

} // namespace

io::PngOptions pictureOptions()
{
    io::PngOptions options;
    options.compressionLevel = 1;
    options.quick = true;
    options.indexedWhenFew = true;
    return options;
}

PictureCopier::PictureCopier(std::vector<PictureJob> jobs, QString objectsDir, QString resDir)
    : m_jobs(std::move(jobs)),
      m_objectsDir(std::move(objectsDir)),
      m_resDir(std::move(resDir)),
      m_options(pictureOptions()),
      m_pictures(m_jobs.size()),
      m_run(
          m_jobs.size(), [this](size_t k) { encode(k); }, [this](size_t k) { return m_jobs[k].user; })
{
}

void PictureCopier::encode(size_t k)
{
    const QString name = m_jobs[k].name;
    const QString target = m_resDir + u'/' + name;
    if (QFileInfo(target).isDir())
        throw io::Error::inFile(target, u"не удаётся записать рисунок: на его месте находится папка"_s);
    const QImage image = io::readPng(m_objectsDir + u'/' + name);
    EncodedPicture& picture = m_pictures[k];
    picture.bytes = io::encodePng(image, target, m_options);
    // A picture already in res with these very bytes stays: rewriting it would
    // change nothing but cost a new file.
    picture.alreadyInRes = sameContent(target, picture.bytes);
    if (picture.alreadyInRes)
        picture.bytes.clear();
    else
        picture.bytes.squeeze(); // kept until every picture is ready: only what it needs

}

} // namespace kestrava::codegen
