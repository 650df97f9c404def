#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "records/JpData.h"

namespace notaline {

// What the layout asks of the view that shows it: the page buffers, the page grid's scrolling,
// the screen and the edit history. The renderer and the control implement it; a missing view
// (null) makes the layout run at 96 DPI, zoom 1, and show nothing.
class LayoutView {
public:
    virtual ~LayoutView() = default;

    // The screen the host window is on.
    virtual int32_t WindowsZoomPercentage() = 0;
    virtual int32_t CurrentDpi() = 0;
    // A fresh display context for measuring with GDI.
    virtual void NewMeasureDC() = 0;

    virtual void ResetPageBuffers() = 0;
    virtual void InitPageBuffers() = 0;
    // The page grid of MyScrollInfo; -1 keeps a value.
    virtual void InitPageScrollInfo(int32_t PageCx, int32_t PageCy, int32_t PageCountX, int32_t PageCountY) = 0;
    // Shows the document from its first page, everything drawn again.
    virtual void ResetView() = 0;

    // The freshly loaded document counts as not modified.
    virtual void ClearModified() = 0;
    // A document could not be read; the one shown stays. The reason is UTF-8.
    virtual void LoadFailed(std::u16string_view FileName, const std::string& Reason) = 0;

    // What the editing members ask of the view and the control. Without a view nothing is shown
    // and the clipboard is empty.
    // Redraws the layers that the mode (RefreshType) names and places the caret.
    virtual void RefreshView(int32_t SelStart, int32_t SelLength, int32_t Mode) {
        (void)SelStart, (void)SelLength, (void)Mode;
    }
    // Scrolls the page grid so that the character's box is in the window.
    virtual void EnsureWordVisible(int32_t Word) { (void)Word; }
    // Drop an alignment source line that the caret line now overlaps.
    virtual void CheckCPdqLine() {}
    virtual void CheckXjdqLine() {}
    // Whether the laid-out boxes leave room for a big glissando's arrow between the two.
    virtual bool BigHuaYingHasRoom(int32_t First, int32_t Last) {
        (void)First, (void)Last;
        return true;
    }
    // A message box with the system's fixed text (UTF-8).
    virtual void ShowMessage(std::string_view Text) { (void)Text; }
    // The range (a negative length: the characters before Start), or the focused free item in
    // connecting-line state, onto the clipboard; false when nothing was placed.
    virtual bool CopyWordsToClipboard(int32_t Start, int32_t Length) {
        (void)Start, (void)Length;
        return false;
    }
    // Reads what can be pasted into InputWords/PasteWordCount or ClipHwWordInfo.
    virtual bool ReadClipboardWords() { return false; }
};

// The outcome of reading one document.
struct DocumentRead {
    bool Ok = false;
    std::string Reason;  // UTF-8: why not Ok, or, when Ok, why the file read ends early
    tessaly::JpData Doc;
};

// Where loading gets a document from: the two file formats' readers. Progress goes to the host
// window while they read.
class DocumentSource {
public:
    virtual ~DocumentSource() = default;
    // A DaDur file; the empty name gives the built-in default document.
    virtual DocumentRead ReadRtfFile(intptr_t HostWindow, std::u16string_view FileName) = 0;
    // A ZoRiv file.
    virtual DocumentRead ReadDocFile(intptr_t HostWindow, std::u16string_view FileName) = 0;
};

}  // namespace notaline
