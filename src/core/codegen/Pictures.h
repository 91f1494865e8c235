#pragma once

#include "io/Png.h"

#include <QString>

#include <atomic>
#include <optional>
#include <thread>
#include <vector>

namespace kestrava::codegen {

// One picture file of the game and the first placed object that uses it.
struct PictureJob {
    QString name;  // "tree.png"
    QString user;  // "Этап 1, фоновый объект 2 (файл «tree.obf»)", for messages
};

// How the converter encodes the pictures it copies: fast, still a complete PNG.
io::PngOptions pictureOptions();

// Decodes objectsDir/name and encodes it again into resDir/name for every job,
// on helper threads while the caller does other work, then on the caller's
// thread too (help()). Jobs are taken in list order.
class PictureCopier {
public:
    PictureCopier(std::vector<PictureJob> jobs, QString objectsDir, QString resDir);
    ~PictureCopier();
    PictureCopier(const PictureCopier&) = delete;
    PictureCopier& operator=(const PictureCopier&) = delete;

    // Starts `helpers` threads on the jobs.
    void start(int helpers);
    // True once some job has failed; the caller may stop its own work.
    bool failed() const { return m_failed.load(std::memory_order_relaxed); }
    // Works on the remaining jobs on this thread, then waits for the helpers.
    // Throws the io::Error of the first failing job in list order, its message
    // starting with the job's user; pictures already written stay.
    void finish();
    // Stops taking jobs and waits for the helpers (the caller failed elsewhere).
    void stop();
    // Jobs whose picture was written, in list order (valid after finish() or stop()).
    std::vector<const PictureJob*> done() const;

    // Helper threads worth starting beside the caller's on this machine.
    static int helperThreads();

private:
    void work();

    std::vector<PictureJob> m_jobs;
    QString m_objectsDir;
    QString m_resDir;
    io::PngOptions m_options;
    std::vector<std::optional<QString>> m_failures; // message per failed job
    std::vector<char> m_done;
    std::atomic<size_t> m_next{0};
    std::atomic<bool> m_failed{false};
    std::vector<std::thread> m_threads;
};

} // namespace kestrava::codegen
