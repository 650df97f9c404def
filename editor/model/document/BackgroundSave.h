#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "model/document/DocumentFiles.h"
#include "model/document/EditorData.h"

namespace notaline {

// Writes snapshots of the document on a thread of its own, so that a large document's backup
// does not stop the window. One write at a time; the object waits for it when destroyed.
class BackgroundSave {
public:
    BackgroundSave() = default;
    BackgroundSave(const BackgroundSave&) = delete;
    BackgroundSave& operator=(const BackgroundSave&) = delete;
    ~BackgroundSave() { Wait(); }

    // Starts writing the snapshot as the file name and waits up to `wait` for it: a write done by
    // then gives its outcome, a longer one (any, when wait is 0) counts as done and tells its
    // outcome later (Late).
    // The zoom and DPI are the writer's, read on the caller's thread.
    // whenDone runs on the writer's thread once the outcome is kept.
    SaveOutcome Write(DocumentSnapshot snapshot, double zoom, int32_t dpi, std::u16string name,
                      std::chrono::milliseconds wait, std::function<void()> whenDone = {});
    // The outcome of a write that ended after its Write returned, once.
    std::optional<SaveOutcome> Late();
    // Until no write is under way.
    void Wait();
    bool Running();

private:
    std::thread worker_;
    std::mutex mutex_;
    std::condition_variable done_;
    bool running_ = false;
    bool late_ = false;  // the running write's Write has returned without its outcome
    std::optional<SaveOutcome> outcome_;
};

}  // namespace notaline
