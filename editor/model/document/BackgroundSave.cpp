#include "model/document/BackgroundSave.h"

#include <utility>
#include <vector>

#include "FileErrors.h"

namespace notaline {

namespace {

// The writer's view of the system on another thread: the values read where the save began,
// no progress, no boxes, no sound.
class FixedSystem final : public tessaly::DaDurSystem {
public:
    FixedSystem(double zoom, int32_t dpi) : zoom_(zoom), dpi_(dpi) {}
    void Progress(intptr_t, int32_t) override {}
    void Beep() override {}
    void Message(intptr_t, const std::u16string&) override {}
    std::vector<std::string> InstalledFonts() override { return {}; }
    double ZoomFactor() override { return zoom_; }
    int32_t CurrentDpi() override { return dpi_; }

private:
    double zoom_;
    int32_t dpi_;
};

}  // namespace

SaveOutcome BackgroundSave::Write(DocumentSnapshot snapshot, double zoom, int32_t dpi, std::u16string name,
                                  std::chrono::milliseconds wait, std::function<void()> whenDone) {
    Wait();
    {
        std::lock_guard lock(mutex_);
        running_ = true;
        late_ = false;
        outcome_.reset();
    }
    worker_ = std::thread([this, snapshot = std::move(snapshot), zoom, dpi, name = std::move(name),
                           whenDone = std::move(whenDone)]() mutable {
        SaveOutcome out;
        try {
            FixedSystem system(zoom, dpi);
            out = SaveJpFile(std::move(snapshot), system, 0, name);
        } catch (const std::bad_alloc&) {
            out = SaveOutcome{false, std::string(tessaly::FileErrorText(tessaly::kErrTooLarge))};
        }
        {
            std::lock_guard lock(mutex_);
            outcome_ = std::move(out);
            running_ = false;
            done_.notify_all();
        }
        if (whenDone) whenDone();
    });
    std::unique_lock lock(mutex_);
    if (wait.count() <= 0 || !done_.wait_for(lock, wait, [this] { return !running_; })) {
        late_ = true;
        return SaveOutcome{true, {}};
    }
    lock.unlock();
    worker_.join();
    std::lock_guard relock(mutex_);
    return *std::exchange(outcome_, std::nullopt);
}

std::optional<SaveOutcome> BackgroundSave::Late() {
    std::lock_guard lock(mutex_);
    if (running_ || !late_) return std::nullopt;
    late_ = false;
    return std::exchange(outcome_, std::nullopt);
}

bool BackgroundSave::Running() {
    std::lock_guard lock(mutex_);
    return running_;
}

void BackgroundSave::Wait() {
    if (worker_.joinable()) worker_.join();
}

}  // namespace notaline
