#include "io/Error.h"
#include "io/ParallelJobs.h"
#include "support/ErrorOf.h"

#include <QString>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>
#include <vector>

using namespace kestrava;
using namespace Qt::Literals::StringLiterals;

TEST(ParallelJobs, RunsEveryJobOnceOnTheHelpersAndTheCaller)
{
    std::vector<std::atomic<int>> runs(500);
    io::ParallelJobs jobs(runs.size(), [&](size_t k) { runs[k]++; });
    jobs.start(3);
    jobs.finish();
    for (size_t k = 0; k < runs.size(); ++k)
        ASSERT_EQ(runs[k], 1) << k;
    // No jobs: finish returns at once.
    io::ParallelJobs none(0, [](size_t) { FAIL(); });
    none.start(2);
    none.finish();
}

TEST(ParallelJobs, ReportsTheFirstFailureInIndexOrderWhicheverFailedFirst)
{
    std::vector<std::atomic<int>> runs(100);
    std::atomic<bool> laterFailed{false};
    io::ParallelJobs jobs(
        runs.size(),
        [&](size_t k) {
            runs[k]++;
            if (k == 60) {
                laterFailed = true;
                throw io::Error(u"позже"_s);
            }
            if (k == 30) {
                // Fails only after job 60 has failed on another thread.
                for (int wait = 0; wait < 2000 && !laterFailed; ++wait)
                    std::this_thread::sleep_for(std::chrono::milliseconds(1));
                throw std::runtime_error("disk full");
            }
        },
        [](size_t k) { return u"задание %1"_s.arg(k); });
    jobs.start(3);
    EXPECT_EQ(test::errorOf([&] { jobs.finish(); }), u"задание 30: disk full"_s);
    EXPECT_TRUE(laterFailed);
    for (size_t k = 0; k < 30; ++k)
        EXPECT_EQ(runs[k], 1) << k; // every job before the first failure ran
}
