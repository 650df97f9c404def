#pragma once

#include <windows.h>

#include "api/IVbGetWindowsZoom.h"
#include "com/ComPtr.h"
#include "paint/PageScreen.h"
#include "render/PageBuffers_win.h"
#include "render/PictureExport_win.h"

namespace notaline {

// The page texture beside the program.
std::u16string PageTextureFile();

// The pages of the document in the control's window: the page view over GDI buffers, with the
// page texture from the program's folder and the screen of the host window. What the control
// and the layout ask of the renderer.
class ScreenRenderer {
public:
    ScreenRenderer(EditorData& data, HWND window, HWND host, PageScroll& scroll, PageServices* services = nullptr);

    PageScreen& Screen() { return screen_; }
    PageBuffers& Buffers() { return buffers_; }

    int32_t WindowsZoomPercentage();
    int32_t CurrentDpi();
    // The measurer's display context does not go stale: nothing to renew.
    void NewMeasureDC() {}
    bool InitPageBuffers() { return screen_.InitPageBuffers(); }
    bool ResetPageBuffers() { return screen_.ResetPageBuffers(); }
    void DeletePageBufferDCs() { screen_.DeletePageBufferDCs(); }
    void InitPageScrollInfo(int32_t pageCx, int32_t pageCy, int32_t countX, int32_t countY) {
        scroll_.InitPageScrollInfo(pageCx, pageCy, countX, countY);
    }
    // Mode 5 (SelColorRefresh) only composes: WM_PAINT uses it.
    void RefreshView(int32_t selStart, int32_t selLength, int32_t mode) {
        screen_.RefreshView(selStart, selLength, mode);
    }
    void EnsureWordVisible(int32_t index) { screen_.EnsureWordVisible(index); }
    void ResetView() { screen_.ResetView(); }
    CaretBox GetCaretRect() { return screen_.GetCaretRect(); }
    // The pages as pictures; `confirm` answers for each page file that exists.
    PictureExportStatus SavePagePictures(WholeLayout whole, const std::wstring& fileName,
                                         const ConfirmOverwrite& confirm);

private:
    EditorData& data_;
    HWND host_;
    PageScroll& scroll_;
    PageBuffers buffers_;
    PageScreen screen_;
    com::Ptr<IVbGetWindowsZoom> zoom_;
};

}  // namespace notaline
