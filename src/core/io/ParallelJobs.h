#pragma once

#include <QString>

#include <atomic>
#include <functional>
#include <optional>
#include <thread>
#include <vector>

namespace kestrava::io {

// Runs job(k) for every k in 0..count-1: on helper threads from start() on,
// and on the caller's thread too from finish() on. Indices are handed out in
// order and none after a job failed, so every job before the first failing one
// has run and the failure finish() reports does not depend on the threads.
class ParallelJobs {
public:
    // job throws io::Error (or another std::exception) to fail; `label(k)`, when
    // given, starts the message of a failed job ("Этап 1, фоновый объект 2 ...").
    ParallelJobs(size_t count, std::function<void(size_t)> job, std::function<QString(size_t)> label = {});
    ~ParallelJobs();
    ParallelJobs(const ParallelJobs&) = delete;
    ParallelJobs& operator=(const ParallelJobs&) = delete;

    // Starts up to `helpers` threads on the jobs.
    void start(int helpers);
    // True once some job has failed; the caller may stop its own work.
    bool failed() const { return m_failed.load(std::memory_order_relaxed); }
    // Works on the remaining jobs on this thread, waits for the helpers, then
    // throws the io::Error of the first failing job in index order.
    void finish();
    // Hands out no more jobs and waits for the helpers (the caller failed elsewhere).
    void stop();

    // Helper threads worth starting beside the caller's on this machine.
    static int helperThreads();
    // Inside a job: which thread runs it, 0 for the caller's, 1.. for the helpers.
    static int worker();

private:
    void work(int worker);
    void join();

    size_t m_count;
    std::function<void(size_t)> m_job;
    std::function<QString(size_t)> m_label;
    std::vector<std::optional<QString>> m_failures; // message per failed job
    std::atomic<size_t> m_next{0};
    std::atomic<bool> m_failed{false};
    std::vector<std::thread> m_threads;
};

} // namespace kestrava::io
