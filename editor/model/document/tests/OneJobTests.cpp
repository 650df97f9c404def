#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <optional>

#include "model/document/OneJob.h"

namespace notaline {
namespace {

using namespace std::chrono_literals;

// Work held at a gate until the test opens it.
struct Gate {
    std::promise<void> open;
    std::shared_future<void> opened = open.get_future().share();
    auto Work(int outcome) {
        return [f = opened, outcome] {
            f.wait();
            return outcome;
        };
    }
};

TEST(OneJob, KeepsTheOutcomeUntilTakenOnceAndTellsOnlyAfterKeepingIt) {
    OneJob<int> job;
    EXPECT_FALSE(job.Started());
    EXPECT_FALSE(job.Take().has_value());
    Gate gate;
    std::atomic<bool> endedWhenTold{false};
    job.Start(gate.Work(7), [&] { endedWhenTold = job.Ended(); });
    EXPECT_TRUE(job.Started());
    EXPECT_TRUE(job.Running());
    EXPECT_FALSE(job.WaitFor(10ms));
    EXPECT_FALSE(job.TakeIfEnded().has_value());
    gate.open.set_value();
    EXPECT_TRUE(job.WaitFor(60s));
    job.Wait();
    EXPECT_TRUE(endedWhenTold);
    EXPECT_TRUE(job.Ended());
    EXPECT_EQ(7, job.TakeIfEnded());
    EXPECT_FALSE(job.Take().has_value());
    EXPECT_FALSE(job.Started());
    EXPECT_FALSE(job.Ended());

    // A second start waits for the first work and drops its outcome, never mixing the two.
    Gate first;
    job.Start(first.Work(1));
    std::thread opener([&] { first.open.set_value(); });
    job.Start([] { return 2; });
    opener.join();
    EXPECT_EQ(2, job.Take());
}

TEST(OneJob, WaitsForItsWorkWhenDestroyed) {
    std::atomic<bool> done{false};
    {
        OneJob<int> job;
        job.Start([&] {
            std::this_thread::sleep_for(50ms);  // the destructor is reached while it runs
            done = true;
            return 0;
        });
    }
    EXPECT_TRUE(done);
}

}  // namespace
}  // namespace notaline
