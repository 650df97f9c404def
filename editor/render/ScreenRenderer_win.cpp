#include "render/ScreenRenderer_win.h"

#include "com/Create.h"

namespace notaline {

ScreenRenderer::ScreenRenderer(EditorData& data, HWND window, PageScroll& scroll, PageServices* services)
    : data_(data), buffers_(window), view_(data, scroll, buffers_, services) {
    const std::wstring texture = com::ProgramFolder() + L"纹理.jpg";
    view_.TextureFile.assign(texture.begin(), texture.end());
}

void ScreenRenderer::Paint() {
    view_.RefreshView(data_.SelStart, data_.SelLength, tessaly::SelColorRefresh);
}

}  // namespace notaline
