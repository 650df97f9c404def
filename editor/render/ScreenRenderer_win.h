#pragma once

#include <windows.h>

#include "paint/PageScreen.h"
#include "render/PageBuffers_win.h"

namespace notaline {

// The pages of the document in the control's window: the page view over GDI buffers, with the
// page texture from the program's folder. The control calls RefreshView and Paint; the model
// reaches the rest through its view seam.
class ScreenRenderer {
public:
    ScreenRenderer(EditorData& data, HWND window, PageScroll& scroll, PageServices* services = nullptr);

    PageScreen& Screen() { return view_; }
    PageBuffers& Buffers() { return buffers_; }

    bool InitPageBuffers() { return view_.InitPageBuffers(); }
    bool ResetPageBuffers() { return view_.ResetPageBuffers(); }
    void RefreshView(int32_t selStart, int32_t selLength, int32_t mode) { view_.RefreshView(selStart, selLength, mode); }
    void EnsureWordVisible(int32_t index) { view_.EnsureWordVisible(index); }
    void ResetView() { view_.ResetView(); }
    // WM_PAINT: the layers as they are, composed and copied again.
    void Paint();

private:
    EditorData& data_;
    PageBuffers buffers_;
    PageScreen view_;
};

}  // namespace notaline
