#include "codegen/Pictures.h"

#include "codegen/StageObjects.h"
#include "io/Error.h"
#include "io/TextFile.h"

#include <QFileInfo>
#include <QHash>

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
      m_hashing(
          m_jobs.size(), [this](size_t k) { hash(k); }, [this](size_t k) { return m_jobs[k].user(); })
{
}

void PictureCopier::start(int helpers)
{
    m_helpers = helpers;
    m_hashing.start(helpers);
}

void PictureCopier::hash(size_t k)
{
    m_pictures[k].entry.source =
        contentHash(io::readWholeFile(m_objectsDir + u'/' + m_jobs[k].name, io::kMaxPictureFileBytes));
}

void PictureCopier::finish()
{
    m_hashing.finish();
    // Sources of the same bytes (their hashes, then their bytes, compared: a
    // hash is no proof against a stranger's made-up files) are encoded once.
    QHash<std::pair<quint64, quint64>, size_t> bySource;
    std::vector<size_t> distinct;
    for (size_t k = 0; k < m_jobs.size(); ++k) {
        const ContentHash& h = m_pictures[k].entry.source;
        const auto first = bySource.constFind({h.low, h.high});
        const auto bytes = [&](size_t j) {
            return io::readWholeFile(m_objectsDir + u'/' + m_jobs[j].name, io::kMaxPictureFileBytes);
        };
        if (first != bySource.constEnd() && bytes(k) == bytes(first.value())) {
            m_pictures[k].sameSourceAs = qsizetype(first.value());
            continue;
        }
        if (first == bySource.constEnd())
            bySource.insert({h.low, h.high}, k);
        distinct.push_back(k);
    }
    io::ParallelJobs encoding(
        distinct.size(), [&](size_t i) { encode(distinct[i]); }, [&](size_t i) { return m_jobs[distinct[i]].user(); });
    encoding.start(m_helpers);
    encoding.finish();
    for (EncodedPicture& picture : m_pictures) {
        if (picture.sameSourceAs < 0)
            continue;
        const EncodedPicture& first = m_pictures[size_t(picture.sameSourceAs)];
        picture.entry = first.entry;
        picture.size = first.size;
    }
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
