#pragma once
#include <windows.h>
#include <oaidl.h>

// Scrolling over the editor's grid of pages, for one window and its two scroll bars.
// Grid lengths and positions are CY (fixed point, four decimals); sizes are pixels.
struct IMyScrollInfo : IDispatch {
    virtual HRESULT STDMETHODCALLTYPE put_hwnd(VARIANT_BOOL IsEditCtlFrm, LONG_PTR hwnd) = 0;
    // -1 in any argument keeps that value.
    virtual HRESULT STDMETHODCALLTYPE InitPageScrollInfo(LONG PageCx, LONG PageCy, LONG PageCountX,
                                                         LONG PageCountY) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_PageSpaceY(LONG* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_PageSpaceX(LONG* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE HandleScrollMessage(LONG_PTR wParam, VARIANT_BOOL isVertical) = 0;
    virtual HRESULT STDMETHODCALLTYPE pShowScrollBar(SHORT Values) = 0;
    virtual HRESULT STDMETHODCALLTYPE OnSizeChanged(LONG NewClientWidth, LONG NewClientHeight) = 0;
    virtual HRESULT STDMETHODCALLTYPE EnsureVisible(CY RectLeft, CY RectTop, CY RectRight, CY RectBottom) = 0;
    virtual HRESULT STDMETHODCALLTYPE ScrollByMouseWheel(VARIANT_BOOL LineUp) = 0;
    virtual HRESULT STDMETHODCALLTYPE ScrollByMouseMove(float yInc) = 0;
    virtual HRESULT STDMETHODCALLTYPE ScrollByPgDw(VARIANT_BOOL IsPgDw) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_FristVisiblelPageX(LONG* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_FristVisiblelPageY(LONG* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_SecondVisiblelPageX(LONG* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_SecondVisiblelPageY(LONG* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_FristVisiblelPageScrollX(CY* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_FristVisiblelPageScrollY(CY* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_FristPageScrollX(CY* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_FristPageScrollX(CY value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_FristPageScrollY(CY* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_FristPageScrollY(CY value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_ClientHeight(LONG* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_ClientWidth(LONG* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE MousePageY(LONG X, LONG Y, LONG* page) = 0;
    virtual HRESULT STDMETHODCALLTYPE MousePageX(LONG X, LONG Y, LONG* page) = 0;
};
__CRT_UUID_DECL(IMyScrollInfo, 0x96da11ae, 0x9056, 0x4db9, 0x8f, 0x9f, 0x0a, 0x66, 0x3f, 0x26, 0x80, 0x3f)

inline constexpr CLSID CLSID_MyScrollInfo = {
    0x37f0f012, 0xb7dc, 0x4304, {0x82, 0xa7, 0x4a, 0xa2, 0x49, 0x5d, 0x05, 0x66}};

namespace dispid::MyScrollInfo {
enum : DISPID {
    hwnd = 1,
    InitPageScrollInfo,
    PageSpaceY,
    PageSpaceX,
    HandleScrollMessage,
    pShowScrollBar,
    OnSizeChanged,
    EnsureVisible,
    ScrollByMouseWheel,
    ScrollByMouseMove,
    ScrollByPgDw,
    FristVisiblelPageX,
    FristVisiblelPageY,
    SecondVisiblelPageX,
    SecondVisiblelPageY,
    FristVisiblelPageScrollX,
    FristVisiblelPageScrollY,
    FristPageScrollX,
    FristPageScrollY,
    ClientHeight,
    ClientWidth,
    MousePageY,
    MousePageX,
};
static_assert(MousePageX == 23);
}  // namespace dispid::MyScrollInfo
