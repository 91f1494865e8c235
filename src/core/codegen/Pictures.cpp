#include "codegen/Pictures.h"

#include "codegen/StageObjects.h"
#include "io/Error.h"
#include "io/TextFile.h"

#include <QFileInfo>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::codegen {

QString PictureJob::user() const
{
    return active ? activeObjectLabel(level, object, objectFile) : fonObjectLabel(level, object, objectFile);
}

io::PngOptions pictureOptions()
{
    io::PngOptions options;
    options.compressionLevel = 1;
    options.quick = true;
    options.indexedWhenFew = true;
    return options;
}

PictureCopier::PictureCopier(std::vector<PictureJob> jobs, QString objectsDir, QString resDir, PictureRecord before)
    : m_jobs(std::move(jobs)),
      m_objectsDir(std::move(objectsDir)),
      m_resDir(std::move(resDir)),
      m_options(pictureOptions()),
      m_before(std::move(before)),
      m_pictures(m_jobs.size()),
      m_run(
          m_jobs.size(), [this](size_t k) { encode(k); }, [this](size_t k) { return m_jobs[k].user(); })
{
}

void PictureCopier::encode(size_t k)
{
    const QString name = m_jobs[k].name;
    const QString source = m_objectsDir + u'/' + name;
    const QString target = m_resDir + u'/' + name;
    const QByteArray bytes = io::readWholeFile(source, io::kMaxPictureFileBytes);
    EncodedPicture& picture = m_pictures[k];
    picture.entry.source = contentHash(bytes);
    // The record lies in the project folder, so a stranger may have written it:
    // it only spares the encoding of a picture res holds already, when the
    // source is a PNG and the file in res a whole PNG of the source's size.
    const PictureRecord::Entry* before = m_before.find(name);
    const std::optional<QSize> sourceSize = io::pngHeaderSize(bytes);
    picture.size = sourceSize.value_or(QSize());
    if (before && sourceSize && before->source == picture.entry.source) {
        const std::optional<QByteArray> inRes = io::readFileOfSize(target, before->size);
        if (inRes && contentHash(*inRes) == before->written && io::isWholePngOfSize(*inRes, *sourceSize)) {
            picture.entry = *before;
            picture.alreadyInRes = true;
            return;
        }
    }

    if (QFileInfo(target).isDir())
        throw io::Error::inFile(target, u"не удаётся записать рисунок: на его месте находится папка"_s);
    picture.bytes = io::recodePng(bytes, source, target, m_options);
    if (!sourceSize)
        picture.size = io::pngHeaderSize(picture.bytes).value_or(QSize());
    picture.entry.written = contentHash(picture.bytes);
    picture.entry.size = picture.bytes.size();
    // A picture already in res with these very bytes stays: rewriting it would
    // change nothing but cost a new file.
    const std::optional<QByteArray> inRes = io::readFileOfSize(target, picture.bytes.size());
    picture.alreadyInRes = inRes && *inRes == picture.bytes;
    if (picture.alreadyInRes)
        picture.bytes.clear();
    else
        picture.bytes.squeeze(); // kept until every picture is ready: only what it needs
}

} // namespace kestrava::codegen
