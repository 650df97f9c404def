#pragma once

#include <windows.h>

namespace notaline {

// The editor window's private messages, posted to it by the threads and players that work beside
// it; one enumeration, so that no two share a number.
enum EditorMessage : UINT {
    // After a stop: the stopped players are released there, out of their own ticks.
    kReleaseStoppedPlayers = WM_APP + 0x101,
    // From the picture thread: a page's percentage (wParam) before it is drawn, and the end.
    kPictureProgress,
    kPicturesWritten,
    // The host's save beside the window is written: its outcome is told there
    // (BackgroundWork::SaveWritten).
    kUserSaveWritten,
};

}  // namespace notaline
