#include "render/ScreenRenderer_win.h"

#include "com/Create.h"

namespace notaline {

std::u16string PageTextureFile() {
    const std::wstring texture = com::ProgramFolder() + L"纹理.jpg";
    return std::u16string(texture.begin(), texture.end());
}

ScreenRenderer::ScreenRenderer(EditorData& data, HWND window, HWND host, PageScroll& scroll, PageServices* services)
    : data_(data), host_(host), scroll_(scroll), buffers_(window, &scroll), screen_(data, scroll, buffers_, services) {
    screen_.TextureFile = PageTextureFile();
    zoom_ = com::CreateFromDll<IVbGetWindowsZoom>(L"Tessaly.dll", CLSID_VbGetWindowsZoom);
}

PictureExportStatus ScreenRenderer::SavePagePictures(WholeLayout whole, const std::wstring& fileName,
                                                     const ConfirmOverwrite& confirm) {
    return notaline::SavePagePictures(data_, whole, screen_.TextureFile, fileName, confirm);
}

int32_t ScreenRenderer::WindowsZoomPercentage() {
    LONG percent = 100;
    if (zoom_) zoom_->GetWindowsZoomPercentage(reinterpret_cast<LONG_PTR>(host_), &percent);
    return percent;
}

int32_t ScreenRenderer::CurrentDpi() {
    LONG dpi = 96;
    if (zoom_) zoom_->GetCurrentDpi(reinterpret_cast<LONG_PTR>(host_), &dpi);
    return dpi;
}

}  // namespace notaline
