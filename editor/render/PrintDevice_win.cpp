#include "render/PrintDevice_win.h"

#include <string>
#include <utility>

#include "render/GdiCanvas_win.h"
#include "render/PageGraphics_win.h"

namespace notaline {

void DrawOnDeviceContext(HDC dc, POINT physicalOffset, const std::function<void(Canvas&)>& draw) {
    const int saved = SaveDC(dc);
    // The document measures from the paper's corner, the device from its printable area's.
    SetViewportOrgEx(dc, -physicalOffset.x, -physicalOffset.y, nullptr);
    {
        PageGraphics graphics(dc);
        {
            GdiCanvas canvas(dc, graphics.Get());
            canvas.BlendOnPaper();
            draw(canvas);
        }
        graphics.Flush();
    }
    RestoreDC(dc, saved);
}

PrinterDevice::PrinterDevice(win::OwnedDc dc) : owned_(std::move(dc)), dc_(owned_.Get()) {
    offset_ = {GetDeviceCaps(dc_, PHYSICALOFFSETX), GetDeviceCaps(dc_, PHYSICALOFFSETY)};
}

int32_t PrinterDevice::DotsPerInch() {
    return GetDeviceCaps(dc_, LOGPIXELSX);
}

bool PrinterDevice::StartJob(const std::u16string& jobName) {
    const std::wstring name(jobName.begin(), jobName.end());
    DOCINFOW info{};
    info.cbSize = sizeof info;
    info.lpszDocName = name.c_str();
    return ::StartDocW(dc_, &info) > 0;
}

bool PrinterDevice::StartPage() {
    return ::StartPage(dc_) > 0;
}

void PrinterDevice::DrawPage(const std::function<void(Canvas&)>& draw) {
    DrawOnDeviceContext(dc_, offset_, draw);
}

bool PrinterDevice::EndPage() {
    return ::EndPage(dc_) > 0;
}

bool PrinterDevice::EndDoc() {
    return ::EndDoc(dc_) > 0;
}

void PrinterDevice::AbortDoc() {
    ::AbortDoc(dc_);
}

}  // namespace notaline
