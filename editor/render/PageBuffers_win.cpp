#include "render/PageBuffers_win.h"

#include <algorithm>

#include "render/FillRectColor_win.h"
#include "render/GdiCanvas_win.h"
#include "win/GdiHandles.h"

namespace notaline {

namespace {

constexpr uint32_t kSelectionColour = 0xC0C0C0u;
constexpr DWORD kPatternAnd = 0x00A000C9;  // destination AND brush

// The mark and item layers are white where empty: ANDed they keep the page below.
const std::pair<PageLayer, DWORD> kComposition[] = {
    {PageLayer::Text, SRCCOPY}, {PageLayer::Marks, SRCAND}, {PageLayer::Items, SRCAND}};

// The part cut to a buffer of the given size.
IntRect Within(const IntRect& part, PixelSize size) {
    return {std::max(part.Left, 0), std::max(part.Top, 0), std::min(part.Right, size.Width),
            std::min(part.Bottom, size.Height)};
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

PageBuffers::PageBuffers(HWND window, PageScroll* shown)
    : window_(window), shown_(shown), selection_(CreateSolidBrush(kSelectionColour)) {}

// Nothing is filled here: a layer is drawn over the part it shows before that part is composed,
// and untouched memory of a large page costs nothing.
bool PageBuffers::MakePageBuffers(PixelSize page) {
    // The old set goes first: old and new together could pass the control's memory cap.
    ReleaseBuffers();
    bool made = true;
    for (auto& slot : slots_)
        for (auto& layer : slot) made = made && (layer = MemoryBuffer::Make(page, true));
    if (!made) ReleaseBuffers();
    return made;
}

bool PageBuffers::KeepPageBuffers(PixelSize page) {
    for (auto& slot : slots_)
        for (auto& layer : slot)
            if (!layer || !layer->Use(page)) return false;
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

void PageBuffers::FillView(uint32_t colour, const IntRect& part) {
    if (!view_) return;
    const IntRect r = Within(part, view_->Size());
    if (r.Left < r.Right && r.Top < r.Bottom)
        FillRectColor(view_->Dc(), static_cast<float>(r.Left), static_cast<float>(r.Top), static_cast<float>(r.Right),
                      static_cast<float>(r.Bottom), colour);
}

void PageBuffers::ComposePart(int32_t slot, int32_t x, int32_t y, const IntRect& part, bool items) {
    const MemoryBuffer* text = Layer(slot, PageLayer::Text);
    if (!view_ || !text) return;
    const IntRect r = Within(part, text->Size());
    if (r.Left >= r.Right || r.Top >= r.Bottom) return;
    for (const auto& [layer, op] : kComposition) {
        const MemoryBuffer* b = Layer(slot, layer);
        if (b && (items || layer != PageLayer::Items))
            BitBlt(view_->Dc(), x + r.Left, y + r.Top, r.Right - r.Left, r.Bottom - r.Top, b->Dc(), r.Left, r.Top, op);
    }
}

void PageBuffers::MoveView(const IntRect& part, int32_t dx) {
    if (!view_) return;
    const IntRect r = Within(part, view_->Size());
    const IntRect to = Within({r.Left + dx, r.Top, r.Right + dx, r.Bottom}, view_->Size());
    if (to.Left >= to.Right || to.Top >= to.Bottom) return;
    BitBlt(view_->Dc(), to.Left, to.Top, to.Right - to.Left, to.Bottom - to.Top, view_->Dc(), to.Left - dx, to.Top,
           SRCCOPY);
}

const MemoryBuffer* PageBuffers::ComposePicture(int32_t slot) {
    const MemoryBuffer* text = Layer(slot, PageLayer::Text);
    if (!text) return nullptr;
    const PixelSize size = text->Size();
    if (!picture_ || !picture_->Use(size)) picture_ = MemoryBuffer::Make(size, false);
    if (!picture_) return nullptr;
    for (const auto& [layer, op] : kComposition) {
        const MemoryBuffer* b = Layer(slot, layer);
        if (!b) return nullptr;
        BitBlt(picture_->Dc(), 0, 0, size.Width, size.Height, b->Dc(), 0, 0, op);
    }
    GdiFlush();
    return picture_.get();
}

void PageBuffers::AndSelection(const IntRect& box, int32_t x, int32_t y) {
    if (!view_) return;
    const win::SelectScope brush(view_->Dc(), selection_.Get());
    PatBlt(view_->Dc(), x, y, box.Right - box.Left, box.Bottom - box.Top, kPatternAnd);
}

void PageBuffers::Present(int32_t x, int32_t y) {
    if (view_) PresentRows(x, y, 0, view_->Size().Height);
}

win::WindowDc PageBuffers::PageAreaDc() const {
    win::WindowDc dc(window_);
    if (dc.Get() && shown_) IntersectClipRect(dc.Get(), 0, 0, shown_->ClientWidth(), shown_->ClientHeight());
    return dc;
}

void PageBuffers::PresentRows(int32_t x, int32_t y, int32_t top, int32_t bottom) {
    if (!window_ || !view_) return;
    const win::WindowDc dc = PageAreaDc();
    if (dc.Get()) BitBlt(dc.Get(), x, y + top, view_->Size().Width, bottom - top, view_->Dc(), 0, top, SRCCOPY);
}

void PageBuffers::PresentPart(int32_t x, int32_t y, const IntRect& part) {
    if (!window_ || !view_) return;
    const win::WindowDc dc = PageAreaDc();
    if (dc.Get())
        BitBlt(dc.Get(), x + part.Left, y + part.Top, part.Right - part.Left, part.Bottom - part.Top, view_->Dc(),
               part.Left, part.Top, SRCCOPY);
}

void PageBuffers::HideCaret() {
    if (window_ && ::HideCaret(window_)) ++caretHides_;
}

void PageBuffers::ShowCaretAgain() {
    if (window_ && ::ShowCaret(window_) && caretHides_ > 0) --caretHides_;
}

void PageBuffers::PlaceCaret(int32_t x, int32_t y, int32_t width, int32_t height, bool show) {
    // The caret is the focused window's: made without the focus it would take it from another.
    GUITHREADINFO gui{};
    gui.cbSize = sizeof gui;
    if (!window_ || !GetGUIThreadInfo(GetCurrentThreadId(), &gui) || gui.hwndFocus != window_) return;
    // Making a caret costs more than the refresh that places it (a size step's repaint twice over
    // under Wine): the one shown, of this size, hidden once since, is only moved and shown again.
    const bool keep = show && caretShown_ && caretHides_ == 1 && gui.hwndCaret == window_ &&
                      gui.rcCaret.right - gui.rcCaret.left == width && gui.rcCaret.bottom - gui.rcCaret.top == height;
    caretHides_ = 0;
    caretShown_ = false;
    if (!keep && !CreateCaret(window_, nullptr, width, height)) return;
    SetCaretPos(x, y);
    if (show) ShowCaret(window_);
    caretShown_ = show;
}

bool PageBuffers::InsertKeyOn() {
    return GetKeyState(VK_INSERT) != 0;
}

}  // namespace notaline
