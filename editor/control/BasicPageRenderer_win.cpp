// The control's renderer until the page layers draw: the screen, the page grid and the
// window's scroll bars work; pages show nothing.
#include "api/IVbGetWindowsZoom.h"
#include "com/Create.h"
#include "control/PageRenderer_win.h"

namespace notaline {
namespace {

class BasicPageRenderer final : public PageRenderer {
public:
    explicit BasicPageRenderer(const RenderTarget& t) : target_(t) {
        zoom_ = com::CreateFromDll<IVbGetWindowsZoom>(L"Tessaly.dll", CLSID_VbGetWindowsZoom);
    }

    int32_t WindowsZoomPercentage() override {
        LONG percent = 100;
        if (zoom_) zoom_->GetWindowsZoomPercentage(reinterpret_cast<LONG_PTR>(target_.Host), &percent);
        return percent;
    }
    int32_t CurrentDpi() override {
        LONG dpi = 96;
        if (zoom_) zoom_->GetCurrentDpi(reinterpret_cast<LONG_PTR>(target_.Host), &dpi);
        return dpi;
    }
    void NewMeasureDC() override {}
    void ResetPageBuffers() override {}
    void InitPageBuffers() override {}
    void InitPageScrollInfo(int32_t PageCx, int32_t PageCy, int32_t PageCountX, int32_t PageCountY) override {
        if (target_.Scroll) target_.Scroll->InitPageScrollInfo(PageCx, PageCy, PageCountX, PageCountY);
    }
    void ResetView() override {
        if (target_.Scroll) {
            target_.Scroll->put_FristPageScrollX(CY{});
            target_.Scroll->put_FristPageScrollY(CY{});
        }
        InvalidateRect(target_.Window, nullptr, TRUE);
    }
    void RefreshView(int32_t, int32_t, int32_t) override {}
    void EnsureWordVisible(int32_t) override {}
    void CheckCPdqLine() override {}
    void CheckXjdqLine() override {}
    bool BigHuaYingHasRoom(int32_t, int32_t) override { return true; }
    void DeletePageBufferDCs() override {}
    CaretBox CaretRect() override { return {}; }

private:
    RenderTarget target_;
    com::Ptr<IVbGetWindowsZoom> zoom_;
};

}  // namespace

std::unique_ptr<PageRenderer> MakePageRenderer(const RenderTarget& target) {
    return std::make_unique<BasicPageRenderer>(target);
}

}  // namespace notaline
