#include "codegen/Pictures.h"

#include "io/Error.h"
#include "io/TextFile.h"

#include <QFile>

#include <exception>
#include <system_error>

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
    options.runLength = true;
    options.indexedWhenFew = true;
    return options;
}

PictureCopier::PictureCopier(std::vector<PictureJob> jobs, QString objectsDir, QString resDir)
    : m_jobs(std::move(jobs)),
      m_objectsDir(std::move(objectsDir)),
      m_resDir(std::move(resDir)),
      m_options(pictureOptions()),
      m_failures(m_jobs.size()),
      m_done(m_jobs.size(), 0)
{
}

PictureCopier::~PictureCopier()
{
    stop();
}

void PictureCopier::stop()
{
    m_failed = true; // helpers stop after their current picture
    for (std::thread& t : m_threads)
        if (t.joinable())
            t.join();
    m_threads.clear();
}

int PictureCopier::helperThreads()
{
    const unsigned cores = std::thread::hardware_concurrency();
    return cores <= 1 ? 1 : int(std::min(cores, 8u)) - 1;
}

void PictureCopier::start(int helpers)
{
    helpers = std::min<int>(helpers, int(m_jobs.size()));
    for (int t = 0; t < helpers; ++t) {
        try {
            m_threads.emplace_back([this] { work(); });
        } catch (const std::system_error&) {
            break; // fewer threads, same result
        }
    }
}

void PictureCopier::work()
{
    const size_t count = m_jobs.size();
    for (;;) {
        if (failed())
            return;
        const size_t k = m_next.fetch_add(1);
        if (k >= count)
            return;
        const PictureJob& job = m_jobs[k];
        try {
            const QString target = m_resDir + u'/' + job.name;
            const QImage image = io::readPng(m_objectsDir + u'/' + job.name);
            const QByteArray bytes = io::encodePng(image, target, m_options);
            // A picture already in res with these very bytes stays: rewriting it
            // would change nothing but cost a new file. Made again on every
            // conversion, so not worth a flush to disk per file either.
            if (!sameContent(target, bytes))
                io::writeFileAtomically(target, bytes, io::FileSync::LeaveToSystem);
            m_done[k] = 1;
        } catch (const io::Error& e) {
            m_failures[k] = job.user + u": "_s + e.message();
            m_failed = true;
        } catch (const std::exception& e) {
            m_failures[k] = job.user + u": "_s + QString::fromLocal8Bit(e.what());
            m_failed = true;
        }
    }
}

void PictureCopier::finish()
{
    work();
    for (std::thread& t : m_threads)
        t.join();
    m_threads.clear();
    // Jobs are handed out in order, so every job before the first failure has run.
    for (const auto& failure : m_failures)
        if (failure)
            throw io::Error(*failure);
}

std::vector<const PictureJob*> PictureCopier::done() const
{
    std::vector<const PictureJob*> result;
    for (size_t k = 0; k < m_jobs.size(); ++k)
        if (m_done[k])
            result.push_back(&m_jobs[k]);
    return result;
}

} // namespace kestrava::codegen
