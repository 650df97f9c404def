#pragma once
#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "PlayMidi.h"

namespace tessaly::test {

// A clock and timers on simulated time: Run fires the due timers in time order, moving the clock
// to each one. Handlers may release timers, their own included.
class FakePlayClock : public PlayClock {
public:
    class FakeTimer : public PlayTimer {
    public:
        explicit FakeTimer(FakePlayClock& clock) : clock_(clock) { clock_.timers_.push_back(this); }
        ~FakeTimer() override {
            if (clock_.firing_ == this) clock_.ReleasedInHandler = true;
            std::erase(clock_.timers_, this);
        }
        void Interval(int32_t ms) override {
            interval_ = ms;
            Puts.push_back(ms);
            due_ = clock_.now_ + std::max(ms, 0);
        }
        int32_t Interval() const override { return interval_; }
        void Enabled(bool on) override {
            if (on && !on_) due_ = clock_.now_ + std::max(interval_, 0);
            on_ = on;
        }
        bool Enabled() const override { return on_; }

        std::vector<int32_t> Puts;    // every interval put, in order
        std::vector<uint32_t> Fired;  // the clock at every Timer event

    private:
        friend class FakePlayClock;
        FakePlayClock& clock_;
        int32_t interval_ = 0;
        uint64_t due_ = 0;
        bool on_ = false;
    };

    uint32_t Milliseconds() override { return static_cast<uint32_t>(now_); }
    void Advance(uint32_t ms) { now_ += ms; }
    std::function<std::unique_ptr<PlayTimer>()> Maker() {
        return [this] { return std::make_unique<FakeTimer>(*this); };
    }
    const std::vector<FakeTimer*>& Timers() const { return timers_; }
    bool ReleasedInHandler = false;  // a timer was released inside its own Timer event

    // Fires due timers until none is on or `until` is passed; returns the events fired.
    int Run(uint64_t until = 10'000'000) {
        int fired = 0;
        for (;;) {
            FakeTimer* next = nullptr;
            for (FakeTimer* t : timers_)
                if (t->on_ && (!next || t->due_ < next->due_)) next = t;
            if (!next || next->due_ > until) return fired;
            now_ = std::max(now_, next->due_);
            next->due_ = now_ + std::max(next->interval_, 0);
            next->Fired.push_back(static_cast<uint32_t>(now_));
            ++fired;
            // A copy, as the handler may release the timer.
            auto handler = next->Timer;
            FakeTimer* outer = std::exchange(firing_, next);
            if (handler) handler();
            firing_ = outer;
        }
    }

private:
    uint64_t now_ = 1000;
    std::vector<FakeTimer*> timers_;
    FakeTimer* firing_ = nullptr;
};

}  // namespace tessaly::test
