#pragma once

#include <cstdint>

#include "PageGrid.h"
#include "model/document/EditorData.h"
#include "paint/PageScreen.h"
#include "render/PageBuffers_win.h"

namespace notaline {

// Pages drawn into buffers of no window, as the picture export and the render bench draw them: a
// page grid for a client of a fixed size, its scroll, the buffers and the screen over them.
class OffscreenPages {
public:
    OffscreenPages(EditorData& data, int32_t clientWidth, int32_t clientHeight)
        : client_(clientWidth, clientHeight),
          grid_(client_),
          scroll_(EditView(grid_, data)),
          screen_(data, scroll_, buffers_) {}
    OffscreenPages(const OffscreenPages&) = delete;
    OffscreenPages& operator=(const OffscreenPages&) = delete;

    tessaly::PageGrid& Grid() { return grid_; }
    PageBuffers& Buffers() { return buffers_; }
    PageScreen& Screen() { return screen_; }

private:
    class Client final : public tessaly::ScrollBarSink {
    public:
        Client(int32_t width, int32_t height) : width_(width), height_(height) {}
        void ClientSize(int32_t& width, int32_t& height) override { width = width_, height = height_; }
        void ShowBar(bool, bool) override {}
        void SetBar(bool, int32_t, int32_t) override {}
        void SetBarPosition(bool, int32_t) override {}
        int32_t TrackPosition(bool) override { return 0; }

    private:
        int32_t width_, height_;
    };
    static tessaly::PageGrid& EditView(tessaly::PageGrid& grid, const EditorData& data) {
        grid.SetEditView(true);
        grid.InitPageScrollInfo(data.PageWidthPx, data.PageHeightPx, 1, data.PageCount());
        return grid;
    }

    Client client_;
    tessaly::PageGrid grid_;
    GridScroll scroll_;
    PageBuffers buffers_{nullptr};
    PageScreen screen_;
};

}  // namespace notaline
