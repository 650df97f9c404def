#include "ButtonPainter_win.h"

#include "records/Numbers.h"
#include "win/GdiHandles.h"

namespace kavrel {

namespace {
constexpr WORD kImageLanguage = MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED);  // 2052
}

std::optional<std::vector<BYTE>> LoadButtonImage(HMODULE module, const wchar_t* type, int id) {
    HRSRC found = FindResourceExW(module, type, MAKEINTRESOURCEW(id), kImageLanguage);
    if (!found) return std::nullopt;
    HGLOBAL loaded = LoadResource(module, found);
    const DWORD size = SizeofResource(module, found);
    const auto* bytes = static_cast<const BYTE*>(loaded ? LockResource(loaded) : nullptr);
    if (!bytes || size == 0) return std::nullopt;
    return std::vector<BYTE>(bytes, bytes + size);
}

void ButtonPainter::Paint(const FaceInput& in, int32_t type, int32_t state, int32_t index) {
    if (type == HuXian) {
        // Drawn once for a face; a face without width (not sized yet) does not count.
        if ((arcCounter_ == 1 && in.faceWidth == arcWidth_) || in.faceWidth <= 0) return;
        PaintArcs(in);
    } else {
        for (const FaceStep& step : PlanFace(type, state, index, in.colours)) {
            switch (step.kind) {
                case FaceStep::Fill:
                    gdi_.SolidFillRectangle(-10, -10, in.faceWidth + 10, in.faceHeight + 10, step.argb,
                                            Gdiplus::UnitPixel);
                    break;
                case FaceStep::Image: DrawImage(in, step.type, step.id); break;
                case FaceStep::ColourBar: {
                    const Rect bar = ColourBarRect(in.faceWidth, in.faceHeight);
                    gdi_.SolidFillRectangle(bar.x, bar.y, bar.width, bar.height, step.argb, Gdiplus::UnitPixel);
                    Show(in, tessaly::CLng(in.faceWidth * double(in.dpiFactor)),
                         tessaly::CLng(in.faceHeight * double(in.dpiFactor)));
                    break;
                }
            }
        }
    }
    if (in.window) RedrawWindow(in.window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

void ButtonPainter::DrawImage(const FaceInput& in, const wchar_t* type, int id) {
    // An index past a group's last image draws nothing for this step.
    const auto bytes = LoadButtonImage(images_, type, id);
    if (!bytes) return;
    gdi_.DrawImageFromStream_ToWH(bytes->data(), static_cast<int32_t>(bytes->size()) - 1, 0, 0, in.faceWidth,
                                  in.faceHeight);
    Show(in, tessaly::CLng(in.faceWidth * double(in.dpiFactor)), tessaly::CLng(in.faceHeight * double(in.dpiFactor)));
}

void ButtonPainter::PaintArcs(const FaceInput& in) {
    const int w = in.faceWidth;
    const int h = tessaly::CLng(w / 4.0);
    if (gdi_.m_uLastStatus == Gdiplus::Ok) {
        gdi_.CreateGraphicsWithImage(w, h, PixelFormat32bppARGB);
        if (gdi_.m_uLastStatus == Gdiplus::Ok) gdi_.SetSmoothingMode(Gdiplus::SmoothingModeHighQuality);
    }
    gdi_.DrawArc(0, 20.0F, float(w), float(h), 0, -180, 0xFF000000, 1.0F, Gdiplus::UnitPixel);
    gdi_.DrawArc(0, 25.0F, float(w), float(h * 0.8), 0, -180, 0xFF000000, 1.0F, Gdiplus::UnitPixel);
    Show(in, w, h);
    arcCounter_ = 1;
    arcWidth_ = w;
}

void ButtonPainter::Show(const FaceInput& in, int width, int height) {
    shownWidth_ = width;
    shownHeight_ = height;
    if (!in.window) return;
    const win::WindowDc dc(in.window);
    if (dc.Get()) gdi_.ShowImageToHDC(dc.Get(), 0, 0, width, height);
}

void ButtonPainter::ShowKept(HDC dc) {
    if (shownWidth_ > 0 && shownHeight_ > 0 && gdi_.CurrentImage()) gdi_.ShowImageToHDC(dc, 0, 0, shownWidth_, shownHeight_);
}

}  // namespace kavrel
