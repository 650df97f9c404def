#pragma once

#include <windows.h>

#include <array>
#include <memory>

#include "paint/PageScreen.h"
#include "render/PageGraphics_win.h"
#include "win/GdiHandles.h"

namespace notaline {

// A memory device context holding a display-compatible bitmap of its own, with GDI+ graphics on
// it when asked for.
class MemoryBuffer {
public:
    // Null when the context or the bitmap cannot be made.
    static std::unique_ptr<MemoryBuffer> Make(PixelSize size, bool graphics);
    MemoryBuffer(const MemoryBuffer&) = delete;
    MemoryBuffer& operator=(const MemoryBuffer&) = delete;
    ~MemoryBuffer();

    HDC Dc() const { return dc_.Get(); }
    HBITMAP Bitmap() const { return bitmap_.Get(); }
    PageGraphics* Graphics() const { return graphics_.get(); }
    // The part in use: all of it as made, or less after Use.
    PixelSize Size() const { return size_; }
    PixelSize Made() const { return made_; }
    // Uses only the top left part of the given size; false when it is larger than the bitmap.
    bool Use(PixelSize size);

private:
    MemoryBuffer() = default;
    win::OwnedDc dc_;
    win::BitmapHandle bitmap_;
    HGDIOBJ oldBitmap_ = nullptr;
    std::unique_ptr<PageGraphics> graphics_;
    PixelSize size_, made_;
};

// The page view's memory on GDI: three layers for each of the two page slots, the page picture
// (made when a picture is first composed) and the view buffer; the view goes to the window, whose
// caret it places.
class PageBuffers : public PageSurface {
public:
    // A null window: nothing is shown and there is no caret. With a scroll, the view is shown only
    // within its client size: the window may draw its own scroll bars beside it.
    explicit PageBuffers(HWND window, PageScroll* shown = nullptr);

    bool MakePageBuffers(PixelSize page) override;
    bool MakeViewBuffer(PixelSize view) override;
    bool KeepPageBuffers(PixelSize page) override;
    bool KeepViewBuffer(PixelSize view) override;
    void ReleaseBuffers() override;
    void DrawLayer(int32_t slot, PageLayer layer, const std::function<void(Canvas&)>& draw,
                   const IntRect* clip) override;
    void FillView(uint32_t colour, const IntRect& part) override;
    void ComposePart(int32_t slot, int32_t x, int32_t y, const IntRect& part, bool items) override;
    void MoveView(const IntRect& part, int32_t dx) override;
    void AndSelection(const IntRect& box, int32_t x, int32_t y) override;
    void Present(int32_t x, int32_t y) override;
    void PresentRows(int32_t x, int32_t y, int32_t top, int32_t bottom) override;
    void PresentPart(int32_t x, int32_t y, const IntRect& part) override;
    void HideCaret() override;
    // Ends a hide of the caret made through HideCaret by another than the view (the pointer over
    // the caret's character), so the view knows how often it is hidden.
    void ShowCaretAgain();
    void PlaceCaret(int32_t x, int32_t y, int32_t width, int32_t height, bool show) override;
    bool InsertKeyOn() override;

    const MemoryBuffer* Layer(int32_t slot, PageLayer layer) const;
    const MemoryBuffer* View() const { return view_.get(); }
    const MemoryBuffer* Picture() const { return picture_.get(); }
    // A slot's page composed as on screen into the page picture; null without buffers.
    const MemoryBuffer* ComposePicture(int32_t slot);

private:
    static constexpr int kLayers = 3;
    using Slot = std::array<std::unique_ptr<MemoryBuffer>, kLayers>;

    // The window's device context clipped to the page area; null when it cannot be had.
    win::WindowDc PageAreaDc() const;

    HWND window_;
    PageScroll* shown_;
    // Since the caret was last placed: shown or not, and how often this view hid it.
    bool caretShown_ = false;
    int caretHides_ = 0;
    win::BrushHandle selection_;  // the grey a selected box is ANDed with
    std::array<Slot, 2> slots_;
    std::unique_ptr<MemoryBuffer> picture_, view_;
};

}  // namespace notaline
