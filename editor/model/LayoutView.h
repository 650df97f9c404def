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
};

// The outcome of reading one document.
struct DocumentRead {
    bool Ok = false;
    std::string Reason;  // UTF-8, when not Ok
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
