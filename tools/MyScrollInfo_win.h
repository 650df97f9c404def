#pragma once
#include "DrawnScrollBars_win.h"
#include "PageGrid.h"
#include "api/IMyScrollInfo.h"
#include "api/IScrollStrips.h"
#include "com/Object.h"

namespace tessaly {

// The scroll bars of one real window.
class WindowScrollBars final : public ScrollBarSink {
public:
    HWND window = nullptr;
    void ClientSize(int32_t& width, int32_t& height) override;
    void ShowBar(bool vertical, bool show) override;
    void SetBar(bool vertical, int32_t page, int32_t position) override;
    void SetBarPosition(bool vertical, int32_t position) override;
    int32_t TrackPosition(bool vertical) override;
};

class MyScrollInfo final : public com::DispatchObject<MyScrollInfo, IMyScrollInfo> {
public:
    static std::span<const com::Member<MyScrollInfo>> Members();

    HRESULT STDMETHODCALLTYPE put_hwnd(VARIANT_BOOL IsEditCtlFrm, LONG_PTR hwnd) override;
    HRESULT STDMETHODCALLTYPE InitPageScrollInfo(LONG PageCx, LONG PageCy, LONG PageCountX, LONG PageCountY) override;
    HRESULT STDMETHODCALLTYPE get_PageSpaceY(LONG* value) override;
    HRESULT STDMETHODCALLTYPE get_PageSpaceX(LONG* value) override;
    HRESULT STDMETHODCALLTYPE HandleScrollMessage(LONG_PTR wParam, VARIANT_BOOL isVertical) override;
    HRESULT STDMETHODCALLTYPE pShowScrollBar(SHORT Values) override;
    HRESULT STDMETHODCALLTYPE OnSizeChanged(LONG NewClientWidth, LONG NewClientHeight) override;
    HRESULT STDMETHODCALLTYPE EnsureVisible(CY RectLeft, CY RectTop, CY RectRight, CY RectBottom) override;
    HRESULT STDMETHODCALLTYPE ScrollByMouseWheel(VARIANT_BOOL LineUp) override;
    HRESULT STDMETHODCALLTYPE ScrollByMouseMove(float yInc) override;
    HRESULT STDMETHODCALLTYPE ScrollByPgDw(VARIANT_BOOL IsPgDw) override;
    HRESULT STDMETHODCALLTYPE get_FristVisiblelPageX(LONG* value) override;
    HRESULT STDMETHODCALLTYPE get_FristVisiblelPageY(LONG* value) override;
    HRESULT STDMETHODCALLTYPE get_SecondVisiblelPageX(LONG* value) override;
    HRESULT STDMETHODCALLTYPE get_SecondVisiblelPageY(LONG* value) override;
    HRESULT STDMETHODCALLTYPE get_FristVisiblelPageScrollX(CY* value) override;
    HRESULT STDMETHODCALLTYPE get_FristVisiblelPageScrollY(CY* value) override;
    HRESULT STDMETHODCALLTYPE get_FristPageScrollX(CY* value) override;
    HRESULT STDMETHODCALLTYPE put_FristPageScrollX(CY value) override;
    HRESULT STDMETHODCALLTYPE get_FristPageScrollY(CY* value) override;
    HRESULT STDMETHODCALLTYPE put_FristPageScrollY(CY value) override;
    HRESULT STDMETHODCALLTYPE get_ClientHeight(LONG* value) override;
    HRESULT STDMETHODCALLTYPE get_ClientWidth(LONG* value) override;
    HRESULT STDMETHODCALLTYPE MousePageY(LONG X, LONG Y, LONG* page) override;
    HRESULT STDMETHODCALLTYPE MousePageX(LONG X, LONG Y, LONG* page) override;

    void* QueryOther(REFIID iid) {
        return iid == __uuidof(IScrollStrips) ? static_cast<IScrollStrips*>(&strips_) : nullptr;
    }

private:
    class StripsFace final : public com::Face<MyScrollInfo, IScrollStrips> {
    public:
        using Face::Face;
        HRESULT STDMETHODCALLTYPE DrawInWindow() override;
        HRESULT STDMETHODCALLTYPE PaintBars(LONG_PTR dc) override;
        HRESULT STDMETHODCALLTYPE BarMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    };

    WindowScrollBars bars_;
    DrawnScrollBars drawn_;
    bool drawing_ = false;  // the window draws drawn_ instead of the system's bars
    PageGrid grid_{bars_};
    StripsFace strips_{*this};
};

}  // namespace tessaly
