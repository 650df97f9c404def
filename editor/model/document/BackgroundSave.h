#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "model/document/DocumentFiles.h"
#include "model/document/EditorData.h"
#include "model/document/OneJob.h"

namespace notaline {

// Writes snapshots of the document on a thread of its own, so that a large document's backup
// does not stop the window. One write at a time; the object waits for it when destroyed.
class BackgroundSave {
public:
    BackgroundSave() = default;
    BackgroundSave(const BackgroundSave&) = delete;
    BackgroundSave& operator=(const BackgroundSave&) = delete;

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
    void Wait() { job_.Wait(); }
    bool Running() const { return job_.Running(); }

private:
    bool late_ = false;  // the last write's Write returned without its outcome
    OneJob<SaveOutcome> job_;
};

}  // namespace notaline
