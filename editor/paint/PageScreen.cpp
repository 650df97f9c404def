#include "paint/PageScreen.h"

#include <algorithm>
#include <cmath>

#include "model/document/mGeneral.h"
#include "paint/BigGlissando.h"
#include "records/Numbers.h"
#include "records/PageRules.h"

namespace notaline {

namespace {

constexpr uint32_t kDeskColour = 0x646464u;  // RGB(100, 100, 100)

double ToDouble(tessaly::Fixed f) {
    return static_cast<double>(f) / static_cast<double>(tessaly::kFixedOne);
}

tessaly::Fixed ToFixed(int64_t whole) {
    return whole * tessaly::kFixedOne;
}

int32_t Int(double x) {
    return Px(std::floor(x));
}

bool IsEmpty(const IntRect& r) {
    return r.Left >= r.Right || r.Top >= r.Bottom;
}

IntRect Intersect(const IntRect& a, const IntRect& b) {
    const IntRect r{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
                    std::min(a.Bottom, b.Bottom)};
    return IsEmpty(r) ? IntRect{} : r;
}

bool Contains(const IntRect& outer, const IntRect& inner) {
    return IsEmpty(inner) || (inner.Left >= outer.Left && inner.Top >= outer.Top && inner.Right <= outer.Right &&
                              inner.Bottom <= outer.Bottom);
}

IntRect Offset(const IntRect& r, int32_t dx, int32_t dy) {
    return {r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy};
}

}  // namespace

bool BuffersFit(PixelSize page, PixelSize view) {
    const auto sideFits = [](PixelSize s) {
        return s.Width > 0 && s.Height > 0 && s.Width <= kMaxBufferSide && s.Height <= kMaxBufferSide;
    };
    const int64_t pixels = kPageBufferCount * int64_t{page.Width} * page.Height + int64_t{view.Width} * view.Height;
    return sideFits(page) && sideFits(view) && 4 * pixels <= kMaxBufferBytes;
}

RefreshPlan PlanRefresh(int32_t mode, int32_t first, int32_t second, int32_t& lastAutoFirst, bool lineCountChanged,
                        int32_t caretPage) {
    RefreshPlan plan;
    plan.First = first;
    plan.Last = second;
    switch (mode) {
        case tessaly::AutoRefresh:
            if (first == lastAutoFirst) return {};
            lastAutoFirst = first;
            plan.Layers = {true, true, true};
            break;
        case tessaly::AllRefresh: plan.Layers = {true, true, true}; break;
        case tessaly::MainRefresh: plan.Layers = {true, false, false}; break;
        case tessaly::ExtralRefresh: plan.Layers = {false, true, false}; break;
        case tessaly::LpxRefresh: plan.Layers = {false, false, true}; break;
        case tessaly::MainExtralRefresh: plan.Layers = {true, true, false}; break;
        case tessaly::OnePageRefresh:
            plan.Layers = {true, true, false};
            if (lineCountChanged && caretPage >= first && caretPage <= second) plan.First = plan.Last = caretPage;
            break;
        default: return {};  // SelColorRefresh, InputRefresh and unknown modes only compose
    }
    return plan;
}

PageScreen::PageScreen(EditorData& data, PageScroll& scroll, PageSurface& surface, PageServices* services)
    : data_(data), scroll_(scroll), surface_(surface), services_(services), scale_(DocumentScale()) {}

double PageScreen::DocumentScale() const {
    return DocumentZoom(data_);
}

void PageScreen::RefreshView(int32_t selStart, int32_t selLength, int32_t mode) {
    if (selLength < 0) {
        selStart += selLength;
        selLength = -selLength;
    }
    const int32_t pages = data_.PageCount();
    if (pages != LastPageCount) mode = tessaly::AllRefresh;
    std::optional<std::vector<IntRect>> uncovered;
    if (pages > 0) {
        const auto [first, second] = PagesInView();
        const int32_t caretPage = data_.IsWord(data_.SelStart) ? GetPageOfWord(data_, data_.SelStart) : first;
        data_.LastPageShown = second;
        if (mode == tessaly::OnePageRefresh && RefreshBands(selLength, first, second)) {
            if (data_.SelLength == 0 && data_.InputState != tessaly::LpxState && !Playing) DrawCaret();
            return;
        }
        const RefreshPlan plan = PlanRefresh(mode, first, second, LastAutoFirstPage, data_.LineCountChanged, caretPage);
        if (plan.Layers.Any() || !ComposeUncovered(selLength, first, second, uncovered)) {
            uncovered.reset();
            DrawPages(plan.First, plan.Last, plan.Layers);
            if (plan.Layers.Marks && second > first) KeepGlissandoPagesInStep(plan, first, second);
            ComposeView(first, second);
            DrawSelection(selStart, selLength, first, second);
        }
        composed_.reset();
        if (selLength == 0) composed_ = ViewNow(first, second);
    } else {
        surface_.FillView(kDeskColour, ClientInView());
        composed_.reset();
    }
    surface_.HideCaret();
    const int32_t x = Px(ToDouble(scroll_.FirstVisiblePageScrollX())),
                  y = Px(ToDouble(scroll_.FirstVisiblePageScrollY()));
    if (uncovered && painting_) {
        // A paint after a size change that moved no page: the window still shows the rest.
        for (const IntRect& part : *uncovered) surface_.PresentPart(x, y, part);
        const IntRect spoiled = Offset(*painting_, -x, -y);
        if (!IsEmpty(spoiled)) surface_.PresentPart(x, y, spoiled);
    } else {
        surface_.Present(x, y);
    }
    if (data_.SelLength == 0 && data_.InputState != tessaly::LpxState && !Playing) DrawCaret();
    LastPageCount = pages;
}

std::pair<int32_t, int32_t> PageScreen::PagesInView() const {
    const int32_t pages = data_.PageCount();
    if (pages < 1) return {-1, -1};
    const int32_t first = std::clamp(scroll_.FirstVisiblePage(), 0, pages - 1);
    return {first, std::clamp(scroll_.SecondVisiblePage(), first, std::min(first + 1, pages - 1))};
}

void PageScreen::SetPainting(const IntRect* windowPart) {
    painting_.reset();
    if (windowPart) painting_ = *windowPart;
}

PageScreen::ViewState PageScreen::ViewNow(int32_t first, int32_t second) {
    return {first,
            second,
            Px(ToDouble(scroll_.FirstVisiblePageScrollX())),
            Px(ToDouble(scroll_.FirstVisiblePageScrollY())),
            scroll_.PageSpaceX(),
            scroll_.PageSpaceY(),
            scroll_.ClientWidth(),
            scroll_.ClientHeight()};
}

bool PageScreen::RefreshBands(int32_t selLength, int32_t first, int32_t second) {
    const ViewState view = ViewNow(first, second);
    if (selLength != 0 || composed_ != view) return false;
    struct Part {
        PageStamp Now;
        IntRect Band;
    };
    std::array<std::optional<Part>, 2> parts;
    for (int32_t slot = 0; slot <= second - first; ++slot) {
        auto now = StampPage(data_, first + slot, scale_, TextureFile);
        if (!now) return false;
        const auto band = ChangedBand(drawn_[static_cast<size_t>(slot)], *now, page_.Width, page_.Height);
        if (!band) return false;
        if (band->Top < band->Bottom) parts[static_cast<size_t>(slot)] = Part{std::move(*now), *band};
    }
    // Nothing of the document changed: the caller wants the pages again for a reason of its own.
    if (!parts[0] && !parts[1]) return false;
    surface_.HideCaret();
    for (int32_t slot = 0; slot < 2; ++slot) {
        auto& part = parts[static_cast<size_t>(slot)];
        if (!part) continue;
        DrawPageLayers(first + slot, slot, {true, true, false}, &part->Band);
        drawn_[static_cast<size_t>(slot)] = std::move(part->Now);
        const int32_t y = SlotTop(slot, view.GapY);
        const IntRect shown = Intersect(part->Band, VisiblePart(slot));
        if (IsEmpty(shown)) continue;
        surface_.ComposePart(slot, view.GapX, y, shown, !itemsBlank_[static_cast<size_t>(slot)]);
        surface_.PresentRows(view.X, view.Y, y + shown.Top, y + shown.Bottom);
    }
    return true;
}

bool PageScreen::ComposeUncovered(int32_t selLength, int32_t first, int32_t second,
                                  std::optional<std::vector<IntRect>>& uncovered) {
    ViewState now = ViewNow(first, second);
    if (selLength != 0 || !composed_ || now == *composed_) return false;
    // Only the window's size, and with it the centring gap, may differ: the scroll stands.
    const ViewState& old = *composed_;
    const int32_t dx = now.GapX - old.GapX;
    now.GapX = old.GapX;
    now.ClientWidth = old.ClientWidth;
    now.ClientHeight = old.ClientHeight;
    if (now != old) return false;
    for (int32_t slot = 0; slot <= second - first; ++slot)
        if (!Contains(drawnArea_[static_cast<size_t>(slot)], VisiblePart(slot))) return false;
    // What the view showed, moved with the page, covers all but a frame of strips.
    const IntRect client = ClientInView();
    const IntRect before{client.Left, client.Top, client.Left + old.ClientWidth, client.Top + old.ClientHeight};
    const IntRect kept = Intersect(before, Offset(client, -dx, 0));
    if (IsEmpty(kept)) return false;
    if (dx != 0) surface_.MoveView(kept, dx);
    if (dx == 0) uncovered.emplace();
    const IntRect held = Offset(kept, dx, 0);
    const IntRect strips[] = {{client.Left, client.Top, client.Right, held.Top},
                              {client.Left, held.Bottom, client.Right, client.Bottom},
                              {client.Left, held.Top, held.Left, held.Bottom},
                              {held.Right, held.Top, client.Right, held.Bottom}};
    const int32_t gapX = scroll_.PageSpaceX(), gapY = scroll_.PageSpaceY();
    for (const IntRect& strip : strips) {
        if (IsEmpty(strip)) continue;
        if (uncovered) uncovered->push_back(strip);
        surface_.FillView(kDeskColour, strip);
        for (int32_t slot = 0; slot <= second - first; ++slot) {
            const int32_t top = SlotTop(slot, gapY);
            const IntRect part = Intersect(Offset(strip, -gapX, -top), VisiblePart(slot));
            if (!IsEmpty(part)) surface_.ComposePart(slot, gapX, top, part, !itemsBlank_[static_cast<size_t>(slot)]);
        }
    }
    return true;
}

void PageScreen::ForgetDrawn() {
    drawn_ = {};
    drawnArea_ = {};
    itemsBlank_ = {};
    composed_.reset();
}

IntRect PageScreen::ClientInView() {
    const int32_t x = Px(ToDouble(scroll_.FirstVisiblePageScrollX()));
    const int32_t y = Px(ToDouble(scroll_.FirstVisiblePageScrollY()));
    return {-x, -y, scroll_.ClientWidth() - x, scroll_.ClientHeight() - y};
}

int32_t PageScreen::SlotTop(int32_t slot, int32_t gapY) const {
    return Px(gapY + slot * (data_.PageHeightPx * scale_ + gapY));
}

IntRect PageScreen::VisiblePart(int32_t slot) {
    const IntRect client = ClientInView();
    const IntRect inPage = Offset(client, -scroll_.PageSpaceX(), -SlotTop(slot, scroll_.PageSpaceY()));
    return Intersect(inPage, {0, 0, page_.Width, page_.Height});
}

// Half a window each way, so that small scrolls only compose; a page side within twice the
// window's is taken whole, as it would be drawn at an ordinary zoom.
IntRect PageScreen::WantedPart(int32_t slot) {
    const IntRect client = ClientInView();
    const int32_t w = std::max(scroll_.ClientWidth(), 0), h = std::max(scroll_.ClientHeight(), 0);
    IntRect around{client.Left - w / 2, client.Top - h / 2, client.Right + w / 2, client.Bottom + h / 2};
    around = Offset(around, -scroll_.PageSpaceX(), -SlotTop(slot, scroll_.PageSpaceY()));
    const IntRect page{0, 0, page_.Width, page_.Height};
    if (IsEmpty(Intersect(around, page))) return {};
    if (page_.Width <= 2 * w) around.Left = 0, around.Right = page_.Width;
    if (page_.Height <= 2 * h) around.Top = 0, around.Bottom = page_.Height;
    return Intersect(around, page);
}

void PageScreen::KeepGlissandoPagesInStep(const RefreshPlan& plan, int32_t first, int32_t second) {
    const bool joins = BigHuaYingEntersPage(data_, second);
    const bool both = plan.First <= first && plan.Last >= second;
    if (!both && (joins || joinedPage_ == second)) {
        const int32_t other = plan.First == first ? second : first;
        DrawPages(other, other, {false, true, false});
    }
    joinedPage_ = joins ? second : -1;
}

void PageScreen::DrawPages(int32_t first, int32_t last, LayerSet layers) {
    if (!layers.Any()) return;
    const int32_t visible = std::clamp(scroll_.FirstVisiblePage(), 0, std::max(data_.PageCount() - 1, 0));
    for (int32_t page = std::max(first, 0); page <= last && page < data_.PageCount(); ++page) {
        const int32_t slot = page - visible;
        if (slot < 0 || slot > 1) continue;
        DrawPageLayers(page, slot, layers);
    }
}

void PageScreen::DrawPageLayers(int32_t page, int32_t slot, LayerSet layers, const IntRect* band) {
    if (slot < 0 || slot > 1) return;
    auto& held = drawnArea_[static_cast<size_t>(slot)];
    if (band) {
        // Only the rows in view are drawn again: a key early in a long paragraph changes every
        // line after it, most of them out of view. What the part held beyond the view in the
        // band's way is given up, and drawn again when a scroll brings it into view.
        const IntRect shown = VisiblePart(slot);
        if (band->Top < shown.Top) held.Top = std::max(held.Top, shown.Top);
        if (band->Bottom > shown.Bottom) held.Bottom = std::min(held.Bottom, std::max(shown.Bottom, held.Top));
        DrawArea(page, slot, layers, Intersect(*band, held), true);
        return;
    }
    const IntRect wanted = WantedPart(slot);
    // The other layers hold the part only while it stays within what they were drawn over.
    if (!Contains(held, wanted)) layers = {true, true, true};
    held = wanted;
    DrawArea(page, slot, layers, wanted, false);
}

void PageScreen::DrawWholePage(int32_t page, int32_t slot) {
    if (slot < 0 || slot > 1) return;
    drawnArea_[static_cast<size_t>(slot)] = {0, 0, page_.Width, page_.Height};
    DrawArea(page, slot, {true, true, true}, drawnArea_[static_cast<size_t>(slot)], false);
}

void PageScreen::DrawArea(int32_t page, int32_t slot, LayerSet layers, const IntRect& area, bool band) {
    auto pass = [&](PageLayer layer, auto draw) {
        surface_.DrawLayer(
            slot, layer,
            [&](Canvas& canvas) {
                PaintContext ctx(data_, canvas, services_);
                ctx.Scale = scale_;
                draw(ctx);
            },
            &area);
    };
    if (!IsEmpty(area)) {
        if (layers.Text) {
            pass(PageLayer::Text, [&](PaintContext& ctx) {
                CellCache cache;
                DrawPageBackground(ctx, TextureFile);
                DrawPageTextLayer(ctx, cache, page, &area);
            });
        }
        if (layers.Marks) pass(PageLayer::Marks, [&](PaintContext& ctx) { DrawPageMarkLayer(ctx, page); });
        if (layers.Items) {
            pass(PageLayer::Items, [&](PaintContext& ctx) { DrawPageItemLayer(ctx, page); });
            // Drawn over all the part the slot holds: white there when the page has no item.
            if (!band) itemsBlank_[static_cast<size_t>(slot)] = !PageHasItems(data_, page);
        }
    }
    // What the two layers hold is known only when both were drawn from the document as it is now.
    if (band) return;
    auto& drawn = drawn_[static_cast<size_t>(slot)];
    drawn = {};
    if (layers.Text && layers.Marks) drawn = StampPage(data_, page, scale_, TextureFile).value_or(PageStamp{});
}

void PageScreen::ComposeView(int32_t first, int32_t second) {
    surface_.FillView(kDeskColour, ClientInView());
    const int32_t x = scroll_.PageSpaceX();
    for (int32_t page = first; page <= second && page - first <= 1; ++page) {
        const int32_t slot = page - first;
        const IntRect shown = VisiblePart(slot);
        if (IsEmpty(shown)) continue;
        // Scrolled past what the layers hold: what comes into view is drawn now.
        if (!Contains(drawnArea_[static_cast<size_t>(slot)], shown)) DrawPageLayers(page, slot, {true, true, true});
        surface_.ComposePart(slot, x, SlotTop(slot, scroll_.PageSpaceY()), shown,
                             !itemsBlank_[static_cast<size_t>(slot)]);
    }
}

void PageScreen::DrawSelection(int32_t selStart, int32_t selLength, int32_t first, int32_t second) {
    const int32_t selEnd = selStart + selLength;
    const int32_t gapX = scroll_.PageSpaceX();
    const int32_t gapY = scroll_.PageSpaceY();
    const IntRect client = ClientInView();
    auto markPage = [&](int32_t page, double pageTop) {
        if (page < 0 || page >= data_.PageCount()) return;
        const auto& p = data_.PageInfo[static_cast<size_t>(page)];
        const int32_t from = std::max({selStart, p.StartWord, 0});
        const int32_t to = std::min({selEnd, p.StartWord + p.LengthWord, data_.WordCount()});
        for (int32_t a = from; a < to; ++a) {
            const auto& w = data_.WordInfo[static_cast<size_t>(a)];
            const int32_t lineIndex = GetLineOfWord(data_, a);
            if (lineIndex < 0 || lineIndex >= data_.LineCount()) continue;
            const auto& line = data_.LineInfo[static_cast<size_t>(lineIndex)];
            const int32_t x1 = Int(w.Left * scale_);
            const int32_t y1 = Int(line.Top * scale_);
            const int32_t width = Int((w.Right - w.Left) * scale_ + 1);
            const int32_t height = Int((line.Bottom - line.Top) * scale_ + 4);
            // Only what the window shows: the rest of the view is not composed.
            const IntRect box{x1, y1, x1 + width, y1 + height};
            const int32_t dx = gapX, dy = Int(pageTop + y1) - y1;
            const IntRect shown = Intersect(Offset(box, dx, dy), client);
            if (!IsEmpty(shown)) surface_.AndSelection(Offset(shown, -dx, -dy), shown.Left, shown.Top);
        }
    };
    markPage(first, gapY);
    if (second != first) markPage(second, data_.PageHeightPx * scale_ + 2.0 * gapY);
}

CaretBox PageScreen::GetCaretRect() {
    CaretBox r;
    if (data_.WordCount() <= 0) return r;
    const int32_t at = std::clamp(data_.SelStart, 0, data_.WordCount() - 1);
    const bool after = at > 0 && data_.WordInfo[static_cast<size_t>(at)].IsJpGcCtl != 3 && data_.CaretAtLineEnd;
    const int32_t c = after ? at - 1 : at;
    const auto& w = data_.WordInfo[static_cast<size_t>(c)];
    const int32_t page = GetPageOfWord(data_, c);
    const int32_t lineIndex = GetLineOfWord(data_, c);
    const double gapX = scroll_.PageSpaceX();
    const double gapY = scroll_.PageSpaceY();
    const double left = ToDouble(scroll_.FirstPageScrollX()) + gapX + (after ? w.Right : w.Left) * scale_;
    const double top =
        ToDouble(scroll_.FirstPageScrollY()) + gapY + page * (data_.PageHeightPx * scale_ + gapY) + w.Top * scale_;
    double height = 4;
    if (lineIndex >= 0 && lineIndex < data_.LineCount()) {
        const auto& line = data_.LineInfo[static_cast<size_t>(lineIndex)];
        height += (line.Bottom - line.Top) * scale_;
    }
    r.Left = static_cast<float>(tessaly::Round(left, 4));
    r.Top = static_cast<float>(tessaly::Round(top, 4));
    r.Height = static_cast<float>(tessaly::Round(height, 4));
    r.Width = surface_.InsertKeyOn() ? 1 : 2;
    return r;
}

void PageScreen::DrawCaret() {
    Caret = GetCaretRect();
    const bool show = data_.SelLength == 0 && data_.InputState != tessaly::LpxState;
    surface_.PlaceCaret(Int(Caret.Left), Int(Caret.Top), Int(Caret.Width), Int(Caret.Height), show);
}

void PageScreen::EnsureWordVisible(int32_t index) {
    if (!data_.IsWord(index)) return;
    const auto& w = data_.WordInfo[static_cast<size_t>(index)];
    const double b = data_.PageHeightPx * scale_ + scroll_.PageSpaceY();
    const double pageTop = GetPageOfWord(data_, index) * b + scroll_.PageSpaceY();
    const double gapX = scroll_.PageSpaceX();
    scroll_.EnsureVisible(ToFixed(Int(w.Left * scale_ + gapX)), ToFixed(Int(pageTop + w.Top * scale_)),
                          ToFixed(Int(w.Right * scale_ + gapX)), ToFixed(Int(pageTop + w.Bottom * scale_)));
}

// The surface lets the old buffers go before it makes new ones, so two sets never count together
// against the cap; when the new cannot be made, the old size is made again.
bool PageScreen::InitPageBuffers() {
    ForgetDrawn();
    const double scale = DocumentScale();
    const PixelSize page = PageSizeAt(data_, scale);
    if (!BuffersFit(page, ViewSize())) {
        BeepOn(data_);
        return false;
    }
    // Within the buffers held, and those within the cap beside the view's: a zoom step makes nothing.
    const bool within = page.Width <= pageHeld_.Width && page.Height <= pageHeld_.Height;
    if (within && BuffersFit(pageHeld_, viewHeld_) && surface_.KeepPageBuffers(page)) {
        scale_ = scale;
        page_ = page;
        return true;
    }
    // A view buffer kept larger than shown must not push the new pages past the cap.
    if (viewHeld_ != view_ && !BuffersFit(page, viewHeld_)) {
        viewHeld_ = surface_.MakeViewBuffer(view_) ? view_ : PixelSize{};
        if (viewHeld_.Width == 0) view_ = {};
    }
    // Made for the top zoom where the cap allows, so that later zoom steps find them large enough:
    // the memory of a buffer is taken only where it is drawn on.
    const PixelSize top = PageSizeAt(data_, std::max<double>(scale, tessaly::kMaxWheelZoom));
    const PixelSize view = viewHeld_.Width > 0 ? viewHeld_ : PixelSize{1, 1};  // none made yet
    const bool roomy =
        top != page && BuffersFit(top, view) && surface_.MakePageBuffers(top) && surface_.KeepPageBuffers(page);
    if (!roomy && !surface_.MakePageBuffers(page)) {
        if (page_.Width > 0 && !surface_.MakePageBuffers(page_)) page_ = {};
        pageHeld_ = page_;
        BeepOn(data_);
        return false;
    }
    scale_ = scale;
    page_ = page;
    pageHeld_ = roomy ? top : page;
    return true;
}

PixelSize PageScreen::ViewSize() const {
    // The view may be made before the page buffers of a new zoom.
    const double scale = DocumentScale();
    const double pageW = data_.PageWidthPx * scale;
    const double pageH = data_.PageHeightPx * scale;
    const double clientW = scroll_.ClientWidth();
    const double clientH = scroll_.ClientHeight();
    const double gapX = scroll_.PageSpaceX();
    const double gapY = scroll_.PageSpaceY();
    const double width = pageW + 2 * gapX <= clientW ? 2 * clientW : pageW + 2 * gapX + clientW;
    const double height = 2 * (pageH + gapY) <= clientH ? clientH : 2 * (pageH + gapY);
    return {Px(width), Px(height)};
}

bool PageScreen::ResetPageBuffers() {
    const PixelSize view = ViewSize();
    const PixelSize page = PageSizeAt(data_, DocumentScale());
    if (!BuffersFit(page, {view.Width, std::max(view.Height, 1)})) {
        composed_.reset();
        BeepOn(data_);
        return false;
    }
    // Within the buffer held, and that buffer within the cap beside the pages: nothing is made.
    const bool within = view.Width <= viewHeld_.Width && view.Height <= viewHeld_.Height;
    // The view kept holds what was composed there: a size change composes only what it uncovers.
    if (within && BuffersFit(pageHeld_, viewHeld_) && surface_.KeepViewBuffer(view)) {
        view_ = view;
        return true;
    }
    composed_.reset();
    // Page buffers held larger than the page must not push the new view past the cap.
    if (pageHeld_ != page_ && !BuffersFit(pageHeld_, view)) {
        ForgetDrawn();
        pageHeld_ = page_.Width > 0 && surface_.MakePageBuffers(page_) ? page_ : PixelSize{};
        if (pageHeld_.Width == 0) page_ = {};
    }
    if (!surface_.MakeViewBuffer(view)) {
        if (view_.Width > 0 && !surface_.MakeViewBuffer(view_)) view_ = {};
        viewHeld_ = view_;
        BeepOn(data_);
        return false;
    }
    view_ = viewHeld_ = view;
    return true;
}

void PageScreen::DeletePageBufferDCs() {
    ForgetDrawn();
    page_ = pageHeld_ = {};
    surface_.ReleaseBuffers();
}

void PageScreen::ResetView() {
    data_.CPdqLine = -1;
    data_.XjdqLine = -1;
    scroll_.ScrollToOrigin();
    data_.SelStart = 0;
    data_.SelLength = 0;
    LastAutoFirstPage = 0;
    RefreshView(0, 0, tessaly::AllRefresh);
    if (OnSelChange) OnSelChange();
}

}  // namespace notaline
