// The control's page renderers: the pages drawn in layers over GDI, or, without a page grid to
// scroll, a renderer that keeps the screen and the window's scroll bars and shows nothing.
#include "api/IVbGetWindowsZoom.h"
#include "com/Create.h"
#include "control/PageRenderer_win.h"
#include "model/document/mGeneral.h"
#include "model/layout/LayoutSetup.h"
#include "model/layout/SourceLines.h"
#include "paint/BigGlissando.h"
#include "records/Numbers.h"
#include "render/ScreenRenderer_win.h"
#include "render/ScrollInfoView_win.h"

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
        if (OnViewReset) OnViewReset();
    }
    void RefreshView(int32_t, int32_t, int32_t) override {}
    void EnsureWordVisible(int32_t) override {}
    void CheckCPdqLine() override { CheckSourceLineAndShow(target_.Data, *this, SourceKind::CpDq); }
    void CheckXjdqLine() override { CheckSourceLineAndShow(target_.Data, *this, SourceKind::XjDq); }
    bool BigHuaYingHasRoom(int32_t First, int32_t Last) override {
        return notaline::BigHuaYingHasRoom(target_.Data, First, Last, DocumentZoom(target_.Data));
    }
    void DeletePageBufferDCs() override {}
    bool ZoomTo(float scale) override {
        target_.Data.AboutPageInfo.nScale = scale;
        InitPageScrollInfo(tessaly::CLng(scale * target_.Data.PageWidthPx),
                           tessaly::CLng(scale * target_.Data.PageHeightPx), -1, -1);
        return true;
    }
    CaretBox CaretRect() override { return {}; }

private:
    RenderTarget target_;
    com::Ptr<IVbGetWindowsZoom> zoom_;
};

// The document's pages in the control's window.
class LayeredPageRenderer final : public PageRenderer {
public:
    explicit LayeredPageRenderer(const RenderTarget& t)
        : data_(t.Data), scroll_(t.Scroll), screen_(t.Data, t.Window, t.Host, scroll_) {}

    int32_t WindowsZoomPercentage() override { return screen_.WindowsZoomPercentage(); }
    int32_t CurrentDpi() override { return screen_.CurrentDpi(); }
    void NewMeasureDC() override { screen_.NewMeasureDC(); }
    // A refused buffer size has beeped and kept the old buffers.
    void ResetPageBuffers() override { screen_.ResetPageBuffers(); }
    void InitPageBuffers() override { screen_.InitPageBuffers(); }
    void InitPageScrollInfo(int32_t PageCx, int32_t PageCy, int32_t PageCountX, int32_t PageCountY) override {
        screen_.InitPageScrollInfo(PageCx, PageCy, PageCountX, PageCountY);
    }
    void ResetView() override {
        screen_.ResetView();
        if (OnViewReset) OnViewReset();
    }
    void RefreshView(int32_t SelStart, int32_t SelLength, int32_t Mode) override {
        // A line a key cut short is never shown: its paragraph is broken again first.
        const auto& lines = data_.LineInfo;
        const bool settled = lines.HasCutLine() && GetPageOfWord(data_, lines.StartOf(lines.CutLine())) <=
                                                       screen_.Screen().PagesInView().second;
        if (settled) JoinUp(data_);
        screen_.RefreshView(SelStart, SelLength, settled ? tessaly::AllRefresh : Mode);
    }
    void EnsureWordVisible(int32_t Word) override { screen_.EnsureWordVisible(Word); }
    void CheckCPdqLine() override { CheckSourceLineAndShow(data_, *this, SourceKind::CpDq); }
    void CheckXjdqLine() override { CheckSourceLineAndShow(data_, *this, SourceKind::XjDq); }
    bool BigHuaYingHasRoom(int32_t First, int32_t Last) override {
        return notaline::BigHuaYingHasRoom(data_, First, Last, DocumentZoom(data_));
    }
    void DeletePageBufferDCs() override { screen_.DeletePageBufferDCs(); }
    bool ZoomTo(float scale) override {
        float& stored = data_.AboutPageInfo.nScale;
        const float old = stored;
        stored = scale;  // the buffers are sized from it
        if (!screen_.ResetPageBuffers() || !screen_.InitPageBuffers()) {
            stored = old;
            screen_.ResetPageBuffers();  // the view buffer back at the old size
            return false;
        }
        InitPageScrollInfo(tessaly::CLng(scale * data_.PageWidthPx), tessaly::CLng(scale * data_.PageHeightPx), -1, -1);
        return true;
    }
    CaretBox CaretRect() override { return screen_.GetCaretRect(); }
    ScreenRenderer* Screen() override { return &screen_; }

private:
    EditorData& data_;
    ScrollInfoView scroll_;
    ScreenRenderer screen_;
};

}  // namespace

std::unique_ptr<PageRenderer> MakePageRenderer(const RenderTarget& target) {
    if (!target.Scroll) return std::make_unique<BasicPageRenderer>(target);
    return std::make_unique<LayeredPageRenderer>(target);
}

}  // namespace notaline
