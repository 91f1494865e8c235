#include "io/ParallelJobs.h"

#include "io/Error.h"

#include <algorithm>
#include <exception>
#include <system_error>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::io {
namespace {

thread_local int currentWorker = 0;

} // namespace

ParallelJobs::ParallelJobs(size_t count, std::function<void(size_t)> job, std::function<QString(size_t)> label)
    : m_count(count), m_job(std::move(job)), m_label(std::move(label)), m_failures(count)
{
}

ParallelJobs::~ParallelJobs()
{
    stop();
}

int ParallelJobs::worker()
{
    return currentWorker;
}

int ParallelJobs::helperThreads()
{
    const unsigned cores = std::thread::hardware_concurrency();
    return cores <= 1 ? 1 : int(std::min(cores, 8u)) - 1;
}

void ParallelJobs::start(int helpers)
{
    helpers = int(std::min<size_t>(size_t(std::max(helpers, 0)), m_count));
    for (int t = 0; t < helpers; ++t) {
        try {
            m_threads.emplace_back([this, t] { work(t + 1); });
        } catch (const std::system_error&) {
            break; // fewer threads, same result
        }
    }
}

void ParallelJobs::work(int worker)
{
    currentWorker = worker;
    for (;;) {
        if (failed())
            return;
        const size_t k = m_next.fetch_add(1);
        if (k >= m_count)
            return;
        QString message;
        try {
            m_job(k);
            continue;
        } catch (const io::Error& e) {
            message = e.message();
        } catch (const std::exception& e) {
            message = QString::fromLocal8Bit(e.what());
        }
        m_failures[k] = m_label ? m_label(k) + u": "_s + message : message;
        m_failed = true;
    }
}

void ParallelJobs::join()
{
    for (std::thread& t : m_threads)
        if (t.joinable())
            t.join();
    m_threads.clear();
}

void ParallelJobs::stop()
{
    m_failed = true; // helpers stop after their current job
    join();
}

void ParallelJobs::finish()
{
    work(0);
    join();
    for (const auto& failure : m_failures)
        if (failure)
            throw io::Error(*failure);
}

} // namespace kestrava::io
