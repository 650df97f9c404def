#pragma once

#include <windows.h>

#include <atomic>
#include <memory>
#include <optional>

#include "control/EditorMessages_win.h"
#include "model/document/OneJob.h"
#include "render/PictureExport_win.h"

namespace notaline {

// The user's pictures, drawn and encoded on a thread of their own from a copy of the document,
// so that the window goes on answering. One export at a time; destroying this waits for the
// export to end, so that a closing control never leaves a partial set behind without a word.
class BackgroundPictures {
public:
    explicit BackgroundPictures(HWND window) : window_(window) {}

    // Started and its outcome not yet taken by Finish.
    bool Running() const { return job_.Started(); }
    // The export has ended; Finish takes its outcome.
    bool Ended() const { return job_.Ended(); }
    void Start(std::unique_ptr<PictureJob> job);
    // Stops after the page being written; the pages written stay.
    void Stop() { stop_ = true; }
    // Waits for the export; its outcome, once (none when none ran since).
    std::optional<PictureExportStatus> Finish() { return job_.Take(); }

private:
    HWND window_;
    std::atomic<bool> stop_{false};
    OneJob<PictureExportStatus> job_;  // last: its thread reads the rest
};

}  // namespace notaline
