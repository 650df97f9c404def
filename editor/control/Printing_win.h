#pragma once

#include <windows.h>

#include <string>

#include "control/BackgroundPictures_win.h"
#include "paint/PrintPages.h"

namespace notaline {

class Editor;

// What printing does once it has a device: every page from a copy of the document at the
// device's zoom, progress to the host, the view redrawn; a refused step is told the user.
bool PrintOn(Editor& ed, PrintDevice& device, const std::wstring& jobName);

// The user's command: the pages are written beside the window, progress told in the host's
// status bar and the outcome told when done; an export already running is refused with a beep.
// False when none was started.
bool StartPagePictures(Editor& ed, const std::wstring& fileName);
// The end of a background export: the status bar back to the caret's and the outcome told.
void FinishPagePictures(Editor& ed);
// Until the background export has ended, its progress painted in the host's status bar and Esc
// stopping it after the page being written; nothing else is taken meanwhile. The outcome told.
void WaitForPagePictures(Editor& ed);
// A caller's pictures, written before it returns (after the user's export still running).
// Throws E_INVALIDARG for a name too short for its extension.
PictureExportStatus WritePagePictures(Editor& ed, const std::wstring& fileName, PictureName& name);
// What a failure's box says: the reason and how many pages were written; empty for none.
std::string PictureFailure(const PictureExportStatus& status, const PictureName& name);
// The picture thread's news and Esc while it runs; false for other messages.
bool PictureMessage(Editor& ed, UINT msg, WPARAM wParam);

}  // namespace notaline
