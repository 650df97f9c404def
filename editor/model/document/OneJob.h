#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>

namespace notaline {

// One piece of work on a thread of its own, beside the thread that starts it: one at a time, its
// outcome kept until it is taken, once, and the thread waited for when the object goes. Start,
// Take and Wait belong to the starting thread; Running and Ended may be asked from any.
// The work turns its failures into its outcome: it does not throw.
template <class Outcome>
class OneJob {
public:
    OneJob() = default;
    OneJob(const OneJob&) = delete;
    OneJob& operator=(const OneJob&) = delete;
    ~OneJob() { Wait(); }

    // Starts `work` once the work before it has ended, dropping that work's outcome if it was not
    // taken. `whenDone` runs on the job's thread after the outcome is kept.
    template <class Work, class Done = void (*)()>
    void Start(
        Work work, Done whenDone = [] {}) {
        Wait();
        {
            const std::lock_guard lock(mutex_);
            outcome_.reset();
            running_ = true;
        }
        started_ = true;
        thread_ = std::thread([this, work = std::move(work), whenDone = std::move(whenDone)]() mutable {
            Outcome out = work();
            {
                const std::lock_guard lock(mutex_);
                outcome_ = std::move(out);
                running_ = false;
                ended_.notify_all();
            }
            whenDone();
        });
    }

    // The work is under way.
    bool Running() const {
        const std::lock_guard lock(mutex_);
        return running_;
    }
    // The work has ended and its outcome waits to be taken.
    bool Ended() const {
        const std::lock_guard lock(mutex_);
        return !running_ && outcome_.has_value();
    }
    // Work was started and its outcome is not taken yet: under way or ended.
    bool Started() const { return started_; }

    // Up to `wait` for the work to end: true when none is under way by then.
    bool WaitFor(std::chrono::milliseconds wait) {
        std::unique_lock lock(mutex_);
        return ended_.wait_for(lock, wait, [this] { return !running_; });
    }
    // Until no work is under way; its outcome stays to be taken.
    void Wait() {
        if (thread_.joinable()) thread_.join();
    }
    // The outcome, once, after waiting for the work; none when none was kept since the last take.
    std::optional<Outcome> Take() {
        Wait();
        started_ = false;
        const std::lock_guard lock(mutex_);
        return std::exchange(outcome_, std::nullopt);
    }
    // As Take, but none while the work is under way.
    std::optional<Outcome> TakeIfEnded() {
        if (Running()) return std::nullopt;
        return Take();
    }

private:
    mutable std::mutex mutex_;
    std::condition_variable ended_;
    bool running_ = false;
    bool started_ = false;  // the starting thread's own
    std::optional<Outcome> outcome_;
    std::thread thread_;  // last: its work reads the rest
};

}  // namespace notaline
