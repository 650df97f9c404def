#pragma once
// Owners of GDI+ objects made through the flat API.
#include <memory>

#include "win/Gdiplus_win.h"

namespace win::gdip {

struct PenDeleter {
    void operator()(Gdiplus::GpPen* p) const { Gdiplus::DllExports::GdipDeletePen(p); }
};
struct BrushDeleter {
    void operator()(Gdiplus::GpBrush* b) const { Gdiplus::DllExports::GdipDeleteBrush(b); }
};
struct ImageDeleter {
    void operator()(Gdiplus::GpImage* i) const { Gdiplus::DllExports::GdipDisposeImage(i); }
};
struct GraphicsDeleter {
    void operator()(Gdiplus::GpGraphics* g) const { Gdiplus::DllExports::GdipDeleteGraphics(g); }
};
struct PathDeleter {
    void operator()(Gdiplus::GpPath* p) const { Gdiplus::DllExports::GdipDeletePath(p); }
};
struct FamilyDeleter {
    void operator()(Gdiplus::GpFontFamily* f) const { Gdiplus::DllExports::GdipDeleteFontFamily(f); }
};
struct FontDeleter {
    void operator()(Gdiplus::GpFont* f) const { Gdiplus::DllExports::GdipDeleteFont(f); }
};
struct FormatDeleter {
    void operator()(Gdiplus::GpStringFormat* f) const { Gdiplus::DllExports::GdipDeleteStringFormat(f); }
};

using Pen = std::unique_ptr<Gdiplus::GpPen, PenDeleter>;
using Brush = std::unique_ptr<Gdiplus::GpBrush, BrushDeleter>;
using Image = std::unique_ptr<Gdiplus::GpImage, ImageDeleter>;
using Graphics = std::unique_ptr<Gdiplus::GpGraphics, GraphicsDeleter>;
using Path = std::unique_ptr<Gdiplus::GpPath, PathDeleter>;
using Family = std::unique_ptr<Gdiplus::GpFontFamily, FamilyDeleter>;
using Font = std::unique_ptr<Gdiplus::GpFont, FontDeleter>;
using Format = std::unique_ptr<Gdiplus::GpStringFormat, FormatDeleter>;

}  // namespace win::gdip
