#pragma once

#include <windows.h>

#include <atomic>
#include <memory>
#include <optional>
#include <string>
#include <thread>

#include "paint/PrintPages.h"
#include "render/PictureExport_win.h"

namespace notaline {

class Editor;

// What printing does once it has a device: every page from a copy of the document at the
// device's zoom, progress to the host, the view redrawn; a refused step is told the user.
bool PrintOn(Editor& ed, PrintDevice& device, const std::wstring& jobName);

// Posted by the picture thread to the editor's window: a page's percentage (wParam) before it
// is drawn, and the end of the export.
inline constexpr UINT kPictureProgress = WM_APP + 0x102;
inline constexpr UINT kPicturesWritten = WM_APP + 0x103;

// The user's pictures, drawn and encoded on a thread of their own from a copy of the document,
// so that the window goes on answering. One export at a time; destroying this stops the export
// after the page being written and waits for it.
class BackgroundPictures {
public:
    explicit BackgroundPictures(HWND window) : window_(window) {}
    BackgroundPictures(const BackgroundPictures&) = delete;
    BackgroundPictures& operator=(const BackgroundPictures&) = delete;
    ~BackgroundPictures();

    bool Running() const { return worker_.joinable(); }
    void Start(std::unique_ptr<PictureJob> job);
    // Stops after the page being written; the pages written stay.
    void Stop() { stop_ = true; }
    // Waits for the export; its outcome, once (none when none ran since).
    std::optional<PictureExportStatus> Finish();

private:
    HWND window_;
    std::thread worker_;
    std::atomic<bool> stop_{false};
    PictureExportStatus status_;
};

// The user's command: the pages are written beside the window, progress told in the host's
// status bar and the outcome told when done; an export already running is refused with a beep.
void StartPagePictures(Editor& ed, const std::wstring& fileName);
// The end of a background export: the status bar back to the caret's and the outcome told.
void FinishPagePictures(Editor& ed);
// The host's start, the picture thread's news and Esc while it runs; false for other messages.
bool PictureMessage(Editor& ed, UINT msg, WPARAM wParam, LPARAM lParam);

}  // namespace notaline
