// The form's geometry: the side panels, top panel, editor and picture placed in twips and moved
// together in one batch.
#include <windows.h>

#include <algorithm>
#include <optional>

#include "MainWindow_win.h"

namespace tavolin {
namespace {

// How far in from a resized panel's or bar's right and bottom edges its face changes: the etched
// edge, the caption's clipped end, the bar's last part border and size grip.
constexpr int kEdgeBand = 24;

}  // namespace

int MainWindow::TwipsToPixels(double twips) const {
    return static_cast<int>(twips * formDpi_ / 1440.0 + (twips < 0 ? -0.5 : 0.5));
}

void MainWindow::ReShowForm() {
    if (!loaded_) return;
    RECT window{}, client{};
    GetWindowRect(Handle(), &window);
    GetClientRect(Handle(), &client);
    const double twipsPerPixel = 1440.0 / std::max(1, formDpi_);
    geometry_.formWidth = (window.right - window.left) * twipsPerPixel;
    geometry_.innerHeight = client.bottom * twipsPerPixel;
    RECT bar{};
    if (HWND status = ControlWindow("StatusBar1")) GetWindowRect(status, &bar);
    geometry_.statusHeight = (bar.bottom - bar.top) * twipsPerPixel;
    panels_.ReShowForm(geometry_);
    ApplyGeometry();
}

void MainWindow::SavePanelState() {
    panels_.SavePanelState(geometry_, *settings_);
    ApplyGeometry();
}

// Moves and shows the controls as the geometry says, in one deferred batch: the windows move
// together and each spoiled area repaints once.
void MainWindow::ApplyGeometry() {
    struct Placing {
        HWND Window;
        RECT From, To;
        UINT Flags;
    };
    std::vector<Placing> placings;
    auto placeAt = [&](HWND w, const RECT& to, std::optional<bool> shown) {
        if (!w) return;
        RECT now{};
        GetWindowRect(w, &now);
        MapWindowPoints(nullptr, GetAncestor(w, GA_PARENT), reinterpret_cast<POINT*>(&now), 2);
        // Erased once, with the next paint, not after each move of the batch; a window already shown
        // is not shown again (the system would repaint it).
        UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER | SWP_DEFERERASE;
        if (shown && *shown != (IsWindowVisible(w) != FALSE)) flags |= *shown ? SWP_SHOWWINDOW : SWP_HIDEWINDOW;
        if ((shown && !*shown) || EqualRect(&now, &to)) flags |= SWP_NOMOVE | SWP_NOSIZE;
        if ((flags & SWP_NOMOVE) && !shown) return;
        if ((flags & SWP_NOMOVE) && shown && *shown == (IsWindowVisible(w) != FALSE)) return;
        // Only resized in place, a shown window is spoiled by hand, below: the system's own repaint of
        // a resized panel with its many buttons costs several times more.
        const bool inPlace = !(flags & SWP_NOMOVE) && now.left == to.left && now.top == to.top;
        if (inPlace && w != editorWindow_ && IsWindowVisible(w) && (!shown || *shown)) flags |= SWP_NOREDRAW;
        placings.push_back({w, now, to, flags});
    };
    auto place = [&](HWND w, const TwipsRect& r, bool shown) {
        const int left = TwipsToPixels(r.Left), top = TwipsToPixels(r.Top);
        placeAt(w, {left, top, left + std::max(0, TwipsToPixels(r.Width)), top + std::max(0, TwipsToPixels(r.Height))},
                shown);
    };
    const TwipsRect& e = geometry_.editor;
    const RECT editor{TwipsToPixels(e.Left), TwipsToPixels(e.Top), TwipsToPixels(e.Left + e.Width),
                      TwipsToPixels(e.Top + e.Height)};
    place(ControlWindow("TopFaceFrame"), geometry_.top, geometry_.topShown);
    for (int k = 0; k < kSidePanels; ++k) {
        place(ControlWindow("FaceFrame", k), geometry_.side[k], geometry_.sideShown[k]);
        if (!geometry_.arrow[k].empty() && geometry_.arrow[k] != arrowsShown_[k]) {
            win::SetTextIfChanged(ControlWindow("Label2", k), geometry_.arrow[k].c_str());
            arrowsShown_[k] = geometry_.arrow[k];
        }
    }
    for (int i = 0; i < 6; ++i) CheckMenu("munToolBar", i, geometry_.toolBarChecked[i]);
    place(ControlWindow("Picture1"), geometry_.splitter, geometry_.splitterShown);
    place(ControlWindow("图片容器1"), geometry_.picture, geometry_.pictureShown);
    // The editor moves in the batch too; its site then finds it in place and only keeps the rectangle.
    if (editorSite_) placeAt(editorWindow_, editor, std::nullopt);
    // The status bar too, along the bottom at its own height, where it would place itself.
    const HWND bar = ControlWindow("StatusBar1");
    if (bar) {
        RECT client{}, now{};
        GetClientRect(Handle(), &client);
        GetWindowRect(bar, &now);
        placeAt(bar, {0, client.bottom - (now.bottom - now.top), client.right, client.bottom}, std::nullopt);
    }
    // The editor paints itself, frame and bars, as its size changes, and the move then spoils it
    // again: it is moved with drawing off and paints once, with the next paint. Its pages cover
    // its client area: nothing is erased under them.
    const bool editorMoves =
        std::any_of(placings.begin(), placings.end(),
                    [&](const Placing& p) { return p.Window == editorWindow_ && !(p.Flags & SWP_NOSIZE); }) &&
        IsWindowVisible(editorWindow_);
    if (editorMoves) SendMessageW(editorWindow_, WM_SETREDRAW, FALSE, 0);
    // The windows keep their bits as they move, in the batch's order: ones moving down go bottom
    // first, or one would be copied over a window below it that has not moved yet (the bar below a
    // reference picture came back blank). The rest stay in table order, top first, as moves up want.
    std::stable_sort(placings.begin(), placings.end(), [](const Placing& a, const Placing& b) {
        const bool downA = a.To.top > a.From.top, downB = b.To.top > b.From.top;
        if (downA != downB) return downA;
        return downA && a.From.top > b.From.top;
    });
    HDWP batch = placings.empty() ? nullptr : BeginDeferWindowPos(static_cast<int>(placings.size()));
    for (const Placing& p : placings) {
        const int width = p.To.right - p.To.left, height = p.To.bottom - p.To.top;
        if (batch) batch = DeferWindowPos(batch, p.Window, nullptr, p.To.left, p.To.top, width, height, p.Flags);
    }
    // Without a batch (the system could not make or keep one) each window is placed alone.
    if (!batch || !EndDeferWindowPos(batch))
        for (const Placing& p : placings)
            SetWindowPos(p.Window, nullptr, p.To.left, p.To.top, p.To.right - p.To.left, p.To.bottom - p.To.top,
                         p.Flags);
    if (editorSite_) editorSite_->Move(editor);
    if (editorMoves) {
        SendMessageW(editorWindow_, WM_SETREDRAW, TRUE, 0);
        // Its frame repaints. Its client area still shows its pages where its corner stayed: the
        // editor copies again what the new size uncovers or moves; moved, it repaints whole.
        const Placing& moved = *std::find_if(placings.begin(), placings.end(),
                                             [&](const Placing& p) { return p.Window == editorWindow_; });
        RECT frame{}, client{};
        GetWindowRect(editorWindow_, &frame);
        MapWindowPoints(nullptr, editorWindow_, reinterpret_cast<POINT*>(&frame), 2);
        GetClientRect(editorWindow_, &client);
        const win::RegionHandle spoiled(CreateRectRgnIndirect(&frame)), inner(CreateRectRgnIndirect(&client));
        if (moved.From.left == moved.To.left && moved.From.top == moved.To.top)
            CombineRgn(spoiled.Get(), spoiled.Get(), inner.Get(), RGN_DIFF);
        RedrawWindow(editorWindow_, nullptr, spoiled.Get(), RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
        // Moved with drawing off, it left its old place unspoiled: the form repaints what it uncovered
        // there (its children clipped out).
        for (const Placing& p : placings) {
            if (p.Window != editorWindow_) continue;
            const win::RegionHandle vacated(CreateRectRgnIndirect(&p.From)), now(CreateRectRgnIndirect(&p.To));
            if (CombineRgn(vacated.Get(), vacated.Get(), now.Get(), RGN_DIFF) > NULLREGION)
                RedrawWindow(Handle(), nullptr, vacated.Get(), RDW_INVALIDATE | RDW_ERASE);
        }
    }
    // A new size would repaint only what it uncovered, which leaves the old size grip of the bar and
    // the old edge of a panel in view: the bands along the old and new right and bottom edges repaint,
    // the rest of a face and its many buttons keep their bits.
    RECT client{};
    GetClientRect(Handle(), &client);
    for (const Placing& p : placings) {
        if (p.Window == editorWindow_ || (p.Flags & SWP_NOSIZE)) continue;
        const int oldWidth = p.From.right - p.From.left, oldHeight = p.From.bottom - p.From.top;
        const int width = p.To.right - p.To.left, height = p.To.bottom - p.To.top;
        for (const PixelRect& b : ResizeBands(oldWidth, oldHeight, width, height, kEdgeBand, kEdgeBand)) {
            const RECT band{b.left, b.top, b.right, b.bottom};
            RedrawWindow(p.Window, &band, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_NOCHILDREN);
        }
        if (!(p.Flags & SWP_NOREDRAW)) continue;
        // Resized without the system's repaint: the buttons a wider panel uncovers paint, and the
        // form repaints where a narrower one was, behind it.
        const win::RegionHandle grown(CreateRectRgn(0, 0, width, height)),
            kept(CreateRectRgn(0, 0, oldWidth, oldHeight));
        if (CombineRgn(grown.Get(), grown.Get(), kept.Get(), RGN_DIFF) > NULLREGION)
            RedrawWindow(p.Window, nullptr, grown.Get(), RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        const win::RegionHandle vacated(CreateRectRgnIndirect(&p.From)), now(CreateRectRgnIndirect(&p.To)),
            inside(CreateRectRgnIndirect(&client));
        CombineRgn(vacated.Get(), vacated.Get(), now.Get(), RGN_DIFF);
        if (CombineRgn(vacated.Get(), vacated.Get(), inside.Get(), RGN_AND) > NULLREGION)
            RedrawWindow(Handle(), nullptr, vacated.Get(), RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    }
}

void MainWindow::OnResize() {
    // Once loaded, the bar moves in the batch of the other controls.
    if (HWND bar = ControlWindow("StatusBar1"); bar && !loaded_) SendMessageW(bar, WM_SIZE, 0, 0);
    ReShowForm();
}

}  // namespace tavolin
