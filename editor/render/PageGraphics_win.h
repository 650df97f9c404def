#pragma once

#include "win/GdipHandles.h"
#include "win/Gdip_win.h"

namespace notaline {

// The GDI+ surface of a page layer: on the layer's device context, anti-aliased text and
// drawing, pixel units. Deleted with its owner, so none outlives GDI+.
class PageGraphics {
public:
    explicit PageGraphics(HDC dc);
    PageGraphics(const PageGraphics&) = delete;
    PageGraphics& operator=(const PageGraphics&) = delete;
    ~PageGraphics() = default;

    win::GpGraphics* Get() const { return graphics_.get(); }
    // Finishes pending drawing before GDI reads or writes the layer again.
    void Flush();

private:
    win::gdip::Graphics graphics_;
};

}  // namespace notaline
