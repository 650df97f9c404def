#include "ButtonPainter_win.h"

#include <map>
#include <mutex>
#include <string>
#include <utility>

#include "records/Numbers.h"
#include "win/GdiHandles.h"

namespace kavrel {

namespace {
constexpr WORD kImageLanguage = MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED);  // 2052

// The library's pictures decoded once for every button of the process: decoding a PNG cost more
// than the rest of a face. They live while a painter does, so they go before its GDI+ shuts down.
struct DecodedImages {
    std::mutex lock;
    int painters = 0;
    std::map<std::pair<std::wstring, int>, win::gdip::Image> images;  // empty where there is no picture
};
// Never destroyed: at process end GDI+ may already be gone.
DecodedImages& Decoded() {
    static auto* decoded = new DecodedImages;
    return *decoded;
}

}  // namespace

std::optional<std::vector<BYTE>> LoadButtonImage(HMODULE module, const wchar_t* type, int id) {
    HRSRC found = FindResourceExW(module, type, MAKEINTRESOURCEW(id), kImageLanguage);
    if (!found) return std::nullopt;
    HGLOBAL loaded = LoadResource(module, found);
    const DWORD size = SizeofResource(module, found);
    const auto* bytes = static_cast<const BYTE*>(loaded ? LockResource(loaded) : nullptr);
    if (!bytes || size == 0) return std::nullopt;
    return std::vector<BYTE>(bytes, bytes + size);
}

ButtonPainter::ButtonPainter(cGDIPlus& gdi, HMODULE images) : gdi_(gdi), images_(images) {
    const std::lock_guard hold(Decoded().lock);
    ++Decoded().painters;
}

ButtonPainter::~ButtonPainter() {
    DecodedImages& decoded = Decoded();
    const std::lock_guard hold(decoded.lock);
    if (--decoded.painters == 0) decoded.images.clear();
}

void ButtonPainter::Paint(const FaceInput& in, int32_t type, int32_t state, int32_t index) {
    if (type == HuXian) {
        // Drawn once for a face; a face without width (not sized yet) does not count.
        if ((arcCounter_ == 1 && in.faceWidth == arcWidth_) || in.faceWidth <= 0) return;
        PaintArcs(in);
        return;
    }
    const std::vector<FaceStep> steps = PlanFace(type, state, index, in.colours);
    for (const FaceStep& step : steps) {
        switch (step.kind) {
            case FaceStep::Fill:
                gdi_.SolidFillRectangle(-10, -10, in.faceWidth + 10, in.faceHeight + 10, step.argb, Gdiplus::UnitPixel);
                break;
            case FaceStep::Image: DrawImage(in, step.type, step.id); break;
            case FaceStep::ColourBar: {
                const Rect bar = ColourBarRect(in.faceWidth, in.faceHeight);
                gdi_.SolidFillRectangle(bar.x, bar.y, bar.width, bar.height, step.argb, Gdiplus::UnitPixel);
                break;
            }
        }
    }
    // A face of a fill alone (no picture for its index) shows too: nothing before it may have.
    if (!steps.empty())
        Keep(tessaly::CLng(in.faceWidth * double(in.dpiFactor)), tessaly::CLng(in.faceHeight * double(in.dpiFactor)));
}

void ButtonPainter::DrawImage(const FaceInput& in, const wchar_t* type, int id) {
    DecodedImages& decoded = Decoded();
    const std::lock_guard hold(decoded.lock);
    auto at = decoded.images.find({type, id});
    if (at == decoded.images.end()) {
        win::gdip::Image image;
        if (const auto bytes = LoadButtonImage(images_, type, id)) {
            image = gdi_.CopyImageFromStream(bytes->data(), static_cast<int32_t>(bytes->size()) - 1);
            // Not kept as missing: a later painter may decode it.
            if (!image) return;
        }
        at = decoded.images.emplace(std::pair{std::wstring(type), id}, std::move(image)).first;
    }
    // An index past a group's last image draws nothing for this step.
    if (!at->second) return;
    gdi_.DrawImageToWH(at->second.get(), 0, 0, in.faceWidth, in.faceHeight);
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
    Keep(w, h);
    arcCounter_ = 1;
    arcWidth_ = w;
}

void ButtonPainter::Keep(int width, int height) {
    shownWidth_ = width;
    shownHeight_ = height;
}

void ButtonPainter::ShowKept(HDC dc) {
    if (shownWidth_ > 0 && shownHeight_ > 0 && gdi_.CurrentImage())
        gdi_.ShowImageToHDC(dc, 0, 0, shownWidth_, shownHeight_);
}

}  // namespace kavrel
