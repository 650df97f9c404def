#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "PageGrid.h"
#include "paint/PageBand.h"
#include "paint/PageLayers.h"
#include "records/PictureLimits.h"

namespace notaline {

// The page grid the view scrolls over: the scroll service of the control's window.
class PageScroll {
public:
    virtual ~PageScroll() = default;
    virtual int32_t PageSpaceX() = 0;
    virtual int32_t PageSpaceY() = 0;
    virtual int32_t ClientWidth() = 0;
    virtual int32_t ClientHeight() = 0;
    virtual int32_t FirstVisiblePage() = 0;
    virtual int32_t SecondVisiblePage() = 0;
    // Window positions: of the first visible page's slot, and of the document's origin.
    virtual tessaly::Fixed FirstVisiblePageScrollX() = 0;
    virtual tessaly::Fixed FirstVisiblePageScrollY() = 0;
    virtual tessaly::Fixed FirstPageScrollX() = 0;
    virtual tessaly::Fixed FirstPageScrollY() = 0;
    virtual void EnsureVisible(tessaly::Fixed left, tessaly::Fixed top, tessaly::Fixed right,
                               tessaly::Fixed bottom) = 0;
    virtual void ScrollToOrigin() = 0;
    // Page size at the zoom and the pages across and down; -1 keeps a value.
    virtual void InitPageScrollInfo(int32_t pageCx, int32_t pageCy, int32_t countX, int32_t countY) = 0;
};

// The page grid itself, for a view without a window of its own (tests, benchmarks).
class GridScroll : public PageScroll {
public:
    explicit GridScroll(tessaly::PageGrid& grid) : grid_(grid) {}
    int32_t PageSpaceX() override { return grid_.PageSpaceX(); }
    int32_t PageSpaceY() override { return grid_.PageSpaceY(); }
    int32_t ClientWidth() override { return grid_.ClientWidth(); }
    int32_t ClientHeight() override { return grid_.ClientHeight(); }
    int32_t FirstVisiblePage() override { return grid_.FirstVisiblePageY(); }
    int32_t SecondVisiblePage() override { return grid_.SecondVisiblePageY(); }
    tessaly::Fixed FirstVisiblePageScrollX() override { return grid_.FirstVisiblePageScrollX(); }
    tessaly::Fixed FirstVisiblePageScrollY() override { return grid_.FirstVisiblePageScrollY(); }
    tessaly::Fixed FirstPageScrollX() override { return grid_.FirstPageScrollX(); }
    tessaly::Fixed FirstPageScrollY() override { return grid_.FirstPageScrollY(); }
    void EnsureVisible(tessaly::Fixed l, tessaly::Fixed t, tessaly::Fixed r, tessaly::Fixed b) override {
        grid_.EnsureVisible(l, t, r, b);
    }
    void ScrollToOrigin() override {
        grid_.SetFirstPageScrollX(0);
        grid_.SetFirstPageScrollY(0);
    }
    void InitPageScrollInfo(int32_t cx, int32_t cy, int32_t countX, int32_t countY) override {
        grid_.InitPageScrollInfo(cx, cy, countX, countY);
    }

private:
    tessaly::PageGrid& grid_;
};

enum class PageLayer { Text, Items, Marks };

// The memory the view draws into and the window it shows in: the page layers of the two slots,
// the view buffer, and the caret. A fresh buffer costs nothing until it is drawn on: only the parts
// drawn, composed and shown are touched.
class PageSurface {
public:
    virtual ~PageSurface() = default;
    // Layers of one page's size, or the view buffer: the old ones are let go first; false, none
    // held, when the new cannot be made.
    virtual bool MakePageBuffers(PixelSize page) = 0;
    virtual bool MakeViewBuffer(PixelSize view) = 0;
    // The buffers held used at a size within them, as if made so; false when the size does not fit.
    virtual bool KeepPageBuffers(PixelSize page) = 0;
    virtual bool KeepViewBuffer(PixelSize view) = 0;
    virtual void ReleaseBuffers() = 0;
    // Draws on a slot's layer within the clip (page pixels); nothing when there is no such layer.
    virtual void DrawLayer(int32_t slot, PageLayer layer, const std::function<void(Canvas&)>& draw,
                           const IntRect* clip) = 0;
    // The part of the view (view pixels) filled with a colour.
    virtual void FillView(uint32_t colour, const IntRect& part) = 0;
    // The part (page pixels) of the slot's text layer copied to the view with the page's corner at
    // (x, y), its mark layer ANDed over it, and its item layer unless `items` is false (it is
    // white there: ANDed it changes nothing).
    virtual void ComposePart(int32_t slot, int32_t x, int32_t y, const IntRect& part, bool items) = 0;
    // The part of the view moved dx pixels across, within the view.
    virtual void MoveView(const IntRect& part, int32_t dx) = 0;
    // The selection grey ANDed over the box's size at (x, y) of the view.
    virtual void AndSelection(const IntRect& box, int32_t x, int32_t y) = 0;
    // The whole view copied to the window at (x, y).
    virtual void Present(int32_t x, int32_t y) = 0;
    // The view's rows top..bottom copied to the window as Present would place them.
    virtual void PresentRows(int32_t x, int32_t y, int32_t top, int32_t bottom) = 0;
    // A part of the view (view pixels) copied to the window as Present would place it.
    virtual void PresentPart(int32_t x, int32_t y, const IntRect& part) = 0;
    virtual void HideCaret() = 0;
    // A solid caret, made and shown only while the window has the focus.
    virtual void PlaceCaret(int32_t x, int32_t y, int32_t width, int32_t height, bool show) = 0;
    // Whether the Insert key is toggled on or held.
    virtual bool InsertKeyOn() = 0;
};

// The caret's box in window pixels.
struct CaretBox {
    float Left = 0;
    float Top = 0;
    float Height = 0;
    float Width = 0;
};

struct LayerSet {
    bool Text = false;
    bool Marks = false;
    bool Items = false;
    bool Any() const { return Text || Marks || Items; }
};

// The layers and pages one redraw mode draws; no pages when First > Last.
struct RefreshPlan {
    LayerSet Layers;
    int32_t First = 0;
    int32_t Last = -1;
};

// What a RefreshType mode redraws with the first and second visible pages F and S. Mode 0 draws
// only when F moved since its last drawing (lastAutoFirst, updated); mode 8 after a change of the
// line count draws the caret's page alone when it is visible.
RefreshPlan PlanRefresh(int32_t mode, int32_t first, int32_t second, int32_t& lastAutoFirst, bool lineCountChanged,
                        int32_t caretPage);

// The editor's pages on screen: the layers of the two visible pages kept drawn, composed into the
// view with the selection, copied to the window, and the caret.
class PageScreen {
public:
    PageScreen(EditorData& data, PageScroll& scroll, PageSurface& surface, PageServices* services = nullptr);

    void RefreshView(int32_t selStart, int32_t selLength, int32_t mode);
    // The first and last of the (at most two) pages in view; both -1 without pages.
    std::pair<int32_t, int32_t> PagesInView() const;
    // While the window's paint is handled: the part of the window (window pixels) the system found
    // spoiled; the rest shows the view as last presented. Null after the paint.
    void SetPainting(const IntRect* windowPart);
    void EnsureWordVisible(int32_t index);
    CaretBox GetCaretRect();
    void DrawCaret();
    void ComposeView(int32_t first, int32_t second);
    void DrawSelection(int32_t selStart, int32_t selLength, int32_t first, int32_t second);
    // Draws the named layers of pages first..last into the slots of the visible pages.
    void DrawPages(int32_t first, int32_t last, LayerSet layers);
    // Draws the named layers of one page into a slot, over the part of the page in view and a
    // scroll's margin around it (all layers when that part moves); within the band's rows of
    // that part only when one is given.
    void DrawPageLayers(int32_t page, int32_t slot, LayerSet layers, const IntRect* band = nullptr);
    // All layers of the whole page into a slot, for a picture of it.
    void DrawWholePage(int32_t page, int32_t slot);

    // Page buffers at the document's page size and zoom; a size that cannot be made beeps and
    // keeps buffers of the size and the zoom they were drawn at.
    bool InitPageBuffers();
    bool ResetPageBuffers();
    void DeletePageBufferDCs();
    // The view from the document's start: no source lines, caret at 0, all drawn.
    void ResetView();

    // The zoom the buffers are drawn at, and the page's size there.
    double Scale() const { return scale_; }
    PixelSize PageSize() const { return page_; }
    // The view buffer's size at the document's zoom.
    PixelSize ViewSize() const;

    int32_t LastPageCount = 0;
    int32_t LastAutoFirstPage = 0;
    CaretBox Caret;
    bool Playing = false;               // playback shows its note as the selection, no caret
    std::u16string TextureFile;         // the page texture beside the program
    std::function<void()> OnSelChange;  // the host learns the caret after ResetView

private:
    // Where the view was last composed whole, with no selection over it.
    struct ViewState {
        int32_t First, Second, X, Y, GapX, GapY, ClientWidth, ClientHeight;
        bool operator==(const ViewState&) const = default;
    };
    ViewState ViewNow(int32_t first, int32_t second);
    // An edit's redraw of only the rows whose lines changed, composed and shown alone; false, with
    // nothing done, when the view or a page must be done whole.
    bool RefreshBands(int32_t selLength, int32_t first, int32_t second);
    // After a size change that moved nothing in the view: only what the new size uncovers is
    // composed (when the pages stood still, those parts are `uncovered`); false, with nothing done,
    // when the view must be composed whole.
    bool ComposeUncovered(int32_t selLength, int32_t first, int32_t second,
                          std::optional<std::vector<IntRect>>& uncovered);
    void ForgetDrawn();
    // The client area in view pixels.
    IntRect ClientInView();
    // The view position of a slot's page corner.
    int32_t SlotTop(int32_t slot, int32_t gapY) const;
    // The part of a slot's page in the window, and that part with a scroll's margin, in page pixels.
    IntRect VisiblePart(int32_t slot);
    IntRect WantedPart(int32_t slot);
    void DrawArea(int32_t page, int32_t slot, LayerSet layers, const IntRect& area, bool band);
    double DocumentScale() const;
    // A big glissando drawn on both visible pages: a redraw of one page's marks redraws the
    // other's too, while one shows now or showed when the pair was last drawn.
    void KeepGlissandoPagesInStep(const RefreshPlan& plan, int32_t first, int32_t second);

    EditorData& data_;
    PageScroll& scroll_;
    PageSurface& surface_;
    PageServices* services_;
    double scale_ = 1;
    PixelSize page_;
    PixelSize pageHeld_;  // the page buffers as made: a zoom step shrinks and grows within them
    PixelSize view_;
    PixelSize viewHeld_;                 // the view buffer as made: a live resize shrinks and grows within it
    int32_t joinedPage_ = -1;            // the second visible page, when a glissando entered it from the first
    std::array<PageStamp, 2> drawn_;     // each slot's page as its text and mark layers hold it
    std::array<IntRect, 2> drawnArea_;   // the part of each slot's page all three layers hold
    std::array<bool, 2> itemsBlank_{};   // each slot's item layer as drawn held no item
    std::optional<ViewState> composed_;  // the view buffer as it was last composed and shown
    std::optional<IntRect> painting_;    // the window's spoiled part while its paint is handled
};

// The buffers one control may hold, at the sizes they are made: sides of 16384 pixels at most,
// and 512 MB in all for the page buffers (three layers for each of two slots and the picture) and
// the view, at four bytes a pixel.
inline constexpr int32_t kMaxBufferSide = tessaly::kMaxPictureSide;
inline constexpr int64_t kMaxBufferBytes = int64_t{512} << 20;
inline constexpr int32_t kPageBufferCount = 7;
bool BuffersFit(PixelSize page, PixelSize view);

}  // namespace notaline
