#pragma once

#include <windows.h>

#include <atomic>
#include <memory>
#include <optional>
#include <thread>

#include "render/PictureExport_win.h"

namespace notaline {

// Posted by the picture thread to the editor's window: a page's percentage (wParam) before it
// is drawn, and the end of the export.
inline constexpr UINT kPictureProgress = WM_APP + 0x102;
inline constexpr UINT kPicturesWritten = WM_APP + 0x103;

// The user's pictures, drawn and encoded on a thread of their own from a copy of the document,
// so that the window goes on answering. One export at a time; destroying this waits for the
// export to end, so that a closing control never leaves a partial set behind without a word.
class BackgroundPictures {
public:
    explicit BackgroundPictures(HWND window) : window_(window) {}
    BackgroundPictures(const BackgroundPictures&) = delete;
    BackgroundPictures& operator=(const BackgroundPictures&) = delete;
    ~BackgroundPictures();

    bool Running() const { return worker_.joinable(); }
    // The export has ended and its end is posted; Finish takes its outcome.
    bool Ended() const { return ended_; }
    void Start(std::unique_ptr<PictureJob> job);
    // Stops after the page being written; the pages written stay.
    void Stop() { stop_ = true; }
    // Waits for the export; its outcome, once (none when none ran since).
    std::optional<PictureExportStatus> Finish();

private:
    HWND window_;
    std::thread worker_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> ended_{false};
    PictureExportStatus status_;
};

}  // namespace notaline
