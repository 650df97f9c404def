#include "Pavrot_win.h"

#include <windows.h>
#include <shlwapi.h>
#include <wincodec.h>

#include <cmath>
#include <optional>

#include "records/PictureLimits.h"
#include "win/Gdip_win.h"

namespace outside {

namespace flat = Gdiplus::DllExports;

namespace {

// A raster picture's decoded size, read from its header before anything is decoded; nullopt for
// a file the imaging codecs do not know (metafiles are drawn at the box's size anyway).
std::optional<SIZE> HeaderSize(IStream* stream) {
    com::Ptr<IWICImagingFactory> factory;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                factory.OutVoid())))
        return std::nullopt;
    com::Ptr<IWICBitmapDecoder> decoder;
    com::Ptr<IWICBitmapFrameDecode> frame;
    UINT w = 0, h = 0;
    std::optional<SIZE> size;
    if (SUCCEEDED(factory->CreateDecoderFromStream(stream, nullptr, WICDecodeMetadataCacheOnDemand, decoder.Out())) &&
        SUCCEEDED(decoder->GetFrame(0, frame.Out())) && SUCCEEDED(frame->GetSize(&w, &h)))
        size = SIZE{static_cast<LONG>(std::min<UINT>(w, INT32_MAX)), static_cast<LONG>(std::min<UINT>(h, INT32_MAX))};
    LARGE_INTEGER start{};
    stream->Seek(start, STREAM_SEEK_SET, nullptr);
    return size;
}

}  // namespace

Pavrot::Pavrot() : ControlObject(CLSID_Pavrot, DIID_PavrotEvents, L"PavrotPictureBox") {
    started_ = win::InitGDIPlus(false, L"", 0, L"") == Gdiplus::Ok;
}

Pavrot::~Pavrot() {
    image_.reset();
    stream_.Reset();
    if (started_) win::TerminateGDIPlus();
}

std::span<const com::Member<Pavrot>> Pavrot::Members() {
    using S = Pavrot;
    namespace id = dispid::Pavrot;
    static const com::Member<S> table[] = {
        {id::PicturePath, L"PicturePath", com::kGet,
         [](S& s, com::Args&, VARIANT* r) { com::Return(r, s.PicturePath()); }},
        {id::PicturePath, L"PicturePath", com::kPut,
         [](S& s, com::Args& a, VARIANT*) { s.PicturePath(a.Value().Str()); }},
        {id::Loaded, L"Loaded", com::kGet, [](S& s, com::Args&, VARIANT* r) { com::Return(r, s.Loaded()); }},
    };
    return table;
}

void Pavrot::PicturePath(const std::wstring& path) {
    path_ = path;
    Clear();
    if (!path.empty() && !Load(path)) Clear();
    InvalidateRect(Window(), nullptr, TRUE);
}

void Pavrot::Clear() {
    bitmap_.Reset();
    image_.reset();
    stream_.Reset();
    size_ = {};
}

bool Pavrot::Load(const std::wstring& path) {
    if (!started_ || FAILED(SHCreateStreamOnFileEx(path.c_str(), STGM_READ | STGM_SHARE_DENY_NONE, 0, FALSE, nullptr,
                                                   stream_.Out())))
        return false;
    // Refused before decoding, as the page buffers refuse: 16384 pixels a side, 32 million in all.
    if (auto header = HeaderSize(stream_.Get()); header && !tessaly::PictureFits(header->cx, header->cy)) return false;
    Gdiplus::GpImage* image = nullptr;
    if (flat::GdipLoadImageFromStream(stream_.Get(), &image) != Gdiplus::Ok || !image) return false;
    image_.reset(image);
    UINT w = 0, h = 0;
    flat::GdipGetImageWidth(image, &w);
    flat::GdipGetImageHeight(image, &h);
    if (w == 0 || h == 0 || w > INT32_MAX || h > INT32_MAX) return false;
    size_ = {static_cast<LONG>(w), static_cast<LONG>(h)};
    Gdiplus::ImageType type = Gdiplus::ImageTypeUnknown;
    flat::GdipGetImageType(image, &type);
    if (type != Gdiplus::ImageTypeBitmap) return true;  // metafiles are played at the box's size
    // Pictures are scaled by GDI, which fills the fitted rectangle exactly; transparent parts
    // take the box's colour.
    HBITMAP bitmap = nullptr;
    const COLORREF back = GetSysColor(COLOR_WINDOW);
    const Gdiplus::ARGB argb = 0xFF000000 | (GetRValue(back) << 16) | (GetGValue(back) << 8) | GetBValue(back);
    if (flat::GdipCreateHBITMAPFromBitmap(static_cast<Gdiplus::GpBitmap*>(image), &bitmap, argb) != Gdiplus::Ok)
        return false;
    bitmap_ = win::BitmapHandle(bitmap);
    image_.reset();
    stream_.Reset();
    return true;
}

RECT Pavrot::FitRect(SIZE picture, SIZE box) {
    if (picture.cx <= 0 || picture.cy <= 0 || box.cx <= 0 || box.cy <= 0) return {};
    const double scale = std::min(double(box.cx) / picture.cx, double(box.cy) / picture.cy);
    const auto w = static_cast<LONG>(std::lround(picture.cx * scale));
    const auto h = static_cast<LONG>(std::lround(picture.cy * scale));
    const LONG x = (box.cx - w) / 2, y = (box.cy - h) / 2;
    return {x, y, x + w, y + h};
}

void Pavrot::OnResize() {
    InvalidateRect(Window(), nullptr, TRUE);
}

void Pavrot::OnPaint(HDC dc) {
    RECT client{};
    GetClientRect(Window(), &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOW));
    const RECT r = FitRect(size_, {client.right, client.bottom});
    if (bitmap_) {
        win::OwnedDc source(CreateCompatibleDC(dc));
        HGDIOBJ old = SelectObject(source.Get(), bitmap_.Get());
        SetStretchBltMode(dc, HALFTONE);
        SetBrushOrgEx(dc, 0, 0, nullptr);
        StretchBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, source.Get(), 0, 0, size_.cx, size_.cy,
                   SRCCOPY);
        SelectObject(source.Get(), old);
        return;
    }
    if (!image_) return;
    Gdiplus::GpGraphics* made = nullptr;
    if (flat::GdipCreateFromHDC(dc, &made) != Gdiplus::Ok) return;
    const win::gdip::Graphics g(made);
    flat::GdipDrawImageRectI(g.get(), image_.get(), r.left, r.top, r.right - r.left, r.bottom - r.top);
}

}  // namespace outside
