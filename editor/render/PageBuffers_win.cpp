#include "render/PageBuffers_win.h"

#include "render/FillRectColor_win.h"
#include "render/GdiCanvas_win.h"
#include "win/GdiHandles.h"

namespace notaline {

namespace {

constexpr uint32_t kSelectionColour = 0xC0C0C0u;
constexpr uint32_t kWhite = 0xFFFFFFu;

// The mark and item layers are white where empty: ANDed they keep the page below.
const std::pair<PageLayer, DWORD> kComposition[] = {
    {PageLayer::Text, SRCCOPY}, {PageLayer::Marks, SRCAND}, {PageLayer::Items, SRCAND}};

void Fill(HDC dc, PixelSize size, uint32_t colour) {
    FillRectColor(dc, 0, 0, static_cast<float>(size.Width), static_cast<float>(size.Height), colour);
}

}  // namespace

std::unique_ptr<MemoryBuffer> MemoryBuffer::Make(PixelSize size, bool graphics) {
    if (size.Width <= 0 || size.Height <= 0) return nullptr;
    std::unique_ptr<MemoryBuffer> b(new MemoryBuffer);
    b->size_ = b->made_ = size;
    win::OwnedDc display(CreateDCW(L"DISPLAY", nullptr, nullptr, nullptr));
    if (!display.Get()) return nullptr;
    b->dc_ = win::OwnedDc(CreateCompatibleDC(display.Get()));
    if (!b->dc_.Get()) return nullptr;
    b->bitmap_ = win::BitmapHandle(CreateCompatibleBitmap(display.Get(), size.Width, size.Height));
    if (!b->bitmap_) return nullptr;
    b->oldBitmap_ = SelectObject(b->dc_.Get(), b->bitmap_.Get());
    if (graphics) {
        b->graphics_ = std::make_unique<PageGraphics>(b->dc_.Get());
        if (!b->graphics_->Get()) return nullptr;
    }
    return b;
}

bool MemoryBuffer::Use(PixelSize size) {
    if (size.Width <= 0 || size.Height <= 0 || size.Width > made_.Width || size.Height > made_.Height) return false;
    size_ = size;
    return true;
}

MemoryBuffer::~MemoryBuffer() {
    graphics_.reset();
    if (dc_.Get() && oldBitmap_) SelectObject(dc_.Get(), oldBitmap_);
    bitmap_.Reset();
}

bool PageBuffers::MakePageBuffers(PixelSize page) {
    // The old set goes first: old and new together could pass the control's memory cap.
    ReleaseBuffers();
    bool made = true;
    for (auto& slot : slots_)
        for (auto& layer : slot) made = made && (layer = MemoryBuffer::Make(page, true));
    made = made && (picture_ = MemoryBuffer::Make(page, false)) && (selection_ = MemoryBuffer::Make(page, false));
    if (!made) {
        ReleaseBuffers();
        return false;
    }
    for (auto& slot : slots_)
        for (auto& layer : slot) Fill(layer->Dc(), page, kWhite);
    Fill(selection_->Dc(), page, kSelectionColour);
    return true;
}

bool PageBuffers::MakeViewBuffer(PixelSize view) {
    view_.reset();
    view_ = MemoryBuffer::Make(view, false);
    return view_ != nullptr;
}

bool PageBuffers::KeepViewBuffer(PixelSize view) {
    return view_ && view_->Use(view);
}

void PageBuffers::ReleaseBuffers() {
    for (auto& slot : slots_)
        for (auto& layer : slot) layer.reset();
    picture_.reset();
    selection_.reset();
}

const MemoryBuffer* PageBuffers::Layer(int32_t slot, PageLayer layer) const {
    if (slot < 0 || slot > 1) return nullptr;
    return slots_[static_cast<size_t>(slot)][static_cast<size_t>(layer)].get();
}

void PageBuffers::DrawLayer(int32_t slot, PageLayer layer, const std::function<void(Canvas&)>& draw,
                            const IntRect* clip) {
    const MemoryBuffer* b = Layer(slot, layer);
    if (!b) return;
    win::GpGraphics* g = b->Graphics()->Get();
    const int saved = clip ? SaveDC(b->Dc()) : 0;
    if (clip) {
        IntersectClipRect(b->Dc(), clip->Left, clip->Top, clip->Right, clip->Bottom);
        Gdiplus::DllExports::GdipSetClipRectI(g, clip->Left, clip->Top, clip->Right - clip->Left,
                                              clip->Bottom - clip->Top, Gdiplus::CombineModeReplace);
    }
    {
        GdiCanvas canvas(b->Dc(), g);
        draw(canvas);
    }
    b->Graphics()->Flush();
    if (clip) {
        Gdiplus::DllExports::GdipResetClip(g);
        RestoreDC(b->Dc(), saved);
    }
    GdiFlush();
}

void PageBuffers::FillView(uint32_t colour) {
    if (view_) Fill(view_->Dc(), view_->Size(), colour);
}

void PageBuffers::ComposeSlot(int32_t slot, int32_t x, int32_t y) {
    if (const MemoryBuffer* text = Layer(slot, PageLayer::Text)) ComposeRows(slot, x, y, 0, text->Size().Height);
}

void PageBuffers::ComposeRows(int32_t slot, int32_t x, int32_t y, int32_t top, int32_t bottom) {
    if (!view_) return;
    for (const auto& [layer, op] : kComposition) {
        const MemoryBuffer* b = Layer(slot, layer);
        if (b) BitBlt(view_->Dc(), x, y + top, b->Size().Width, bottom - top, b->Dc(), 0, top, op);
    }
}

const MemoryBuffer* PageBuffers::ComposePicture(int32_t slot) {
    if (!picture_) return nullptr;
    for (const auto& [layer, op] : kComposition) {
        const MemoryBuffer* b = Layer(slot, layer);
        if (!b) return nullptr;
        BitBlt(picture_->Dc(), 0, 0, b->Size().Width, b->Size().Height, b->Dc(), 0, 0, op);
    }
    GdiFlush();
    return picture_.get();
}

void PageBuffers::AndSelection(const IntRect& box, int32_t x, int32_t y) {
    if (!view_ || !selection_) return;
    BitBlt(view_->Dc(), x, y, box.Right - box.Left, box.Bottom - box.Top, selection_->Dc(), box.Left, box.Top, SRCAND);
}

void PageBuffers::Present(int32_t x, int32_t y) {
    if (view_) PresentRows(x, y, 0, view_->Size().Height);
}

void PageBuffers::PresentRows(int32_t x, int32_t y, int32_t top, int32_t bottom) {
    if (!window_ || !view_) return;
    const win::WindowDc dc(window_);
    if (dc.Get()) BitBlt(dc.Get(), x, y + top, view_->Size().Width, bottom - top, view_->Dc(), 0, top, SRCCOPY);
}

void PageBuffers::HideCaret() {
    if (window_) ::HideCaret(window_);
}

void PageBuffers::PlaceCaret(int32_t x, int32_t y, int32_t width, int32_t height, bool show) {
    // The caret is the focused window's: made without the focus it would take it from another.
    if (!window_ || GetFocus() != window_) return;
    if (!CreateCaret(window_, nullptr, width, height)) return;
    SetCaretPos(x, y);
    if (show) ShowCaret(window_);
}

bool PageBuffers::InsertKeyOn() {
    return GetKeyState(VK_INSERT) != 0;
}

}  // namespace notaline
