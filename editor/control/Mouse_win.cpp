// The control's mouse events into the editor's mouse handling, in client pixels.
#include "control/Mouse_win.h"

#include <cmath>

#include "control/Editor_win.h"
#include "control/Handlers_win.h"
#include "model/layout/PageSetupRules.h"
#include "render/ScreenRenderer_win.h"

namespace notaline {
namespace {

double CyValue(const CY& v) {
    return static_cast<double>(v.int64) / 10000.0;
}

class EditorMouseWindow final : public MouseWindow {
public:
    explicit EditorMouseWindow(Editor& ed) : ed_(ed) {}

    PageFrame Frame() override {
        PageFrame f;
        const float scale = ed_.Data.AboutPageInfo.nScale;
        f.Scale = IsUsableScale(scale) ? scale : 1.0;
        f.GapX = ed_.Grid.PageSpaceX();
        f.GapY = ed_.Grid.PageSpaceY();
        if (IMyScrollInfo* s = ed_.Scroll.Get()) {
            CY x{}, y{};
            LONG w = 0, h = 0;
            s->get_FristPageScrollX(&x);
            s->get_FristPageScrollY(&y);
            s->get_ClientWidth(&w);
            s->get_ClientHeight(&h);
            f.OriginX = CyValue(x);
            f.OriginY = CyValue(y);
            f.ClientWidth = w;
            f.ClientHeight = h;
        }
        return f;
    }
    int32_t MousePageY(int32_t x, int32_t y) override { return ed_.Grid.MousePageY(x, y); }
    void HoverNotice(bool over) override {
        LONG zero = 0;
        ed_.Tell(tessaly::EM_OnWord, over ? 1 : 0, reinterpret_cast<LPARAM>(&zero));
    }
    // Through the view, which moves the caret it shows only while it alone hid it.
    void ShowCaret(bool show) override {
        ScreenRenderer* screen = ed_.Renderer ? ed_.Renderer->Screen() : nullptr;
        if (!screen) {
            show ? ::ShowCaret(ed_.Window) : ::HideCaret(ed_.Window);
        } else if (show) {
            screen->Buffers().ShowCaretAgain();
        } else {
            screen->Buffers().HideCaret();
        }
    }
    void DrawFocusRect(const IntRect& b) override {
        const RECT r{b.Left, b.Top, b.Right, b.Bottom};
        if (ed_.Dc.Get()) ::DrawFocusRect(ed_.Dc.Get(), &r);
    }

private:
    Editor& ed_;
};

// Twips to client pixels at the window's resolution.
int32_t Pixels(Editor& ed, float twips, int axis) {
    const int dpi = ed.Dc.Get() ? GetDeviceCaps(ed.Dc.Get(), axis) : 96;
    return static_cast<int32_t>(std::lround(twips * (dpi > 0 ? dpi : 96) / 1440.0));
}

}  // namespace

MouseInput& MouseOf(Editor& ed) {
    if (!ed.Mouse) {
        ed.MouseSite = std::make_unique<EditorMouseWindow>(ed);
        ed.Mouse = std::make_unique<MouseInput>(ed.Data, *ed.Commands, *ed.Renderer, *ed.MouseSite);
    }
    return *ed.Mouse;
}

namespace {

template <class Step>
void Run(Editor& ed, com::MouseEvent& e, Step step) {
    MouseInput& m = MouseOf(ed);
    step(m, Pixels(ed, e.X, LOGPIXELSX), Pixels(ed, e.Y, LOGPIXELSY));
    ed.MousePointer = m.Cursor();
}

}  // namespace

void MouseDownText(Editor& ed, com::MouseEvent& e) {
    Run(ed, e, [&](MouseInput& m, int32_t x, int32_t y) { m.DownText(e.Button, x, y); });
}

void MouseMoveText(Editor& ed, com::MouseEvent& e) {
    Run(ed, e, [&](MouseInput& m, int32_t x, int32_t y) { m.MoveText(e.Button, x, y); });
}

void MouseUpText(Editor& ed, com::MouseEvent& e) {
    Run(ed, e, [&](MouseInput& m, int32_t x, int32_t y) { m.UpText(e.Button, GetShiftState(ed.Data), x, y); });
}

void MouseDownLpx(Editor& ed, com::MouseEvent& e) {
    Run(ed, e, [&](MouseInput& m, int32_t x, int32_t y) { m.DownLpx(e.Button, x, y); });
}

void MouseMoveLpx(Editor& ed, com::MouseEvent& e) {
    Run(ed, e, [&](MouseInput& m, int32_t x, int32_t y) { m.MoveLpx(e.Button, x, y); });
}

void MouseUpLpx(Editor& ed, com::MouseEvent& e) {
    Run(ed, e, [&](MouseInput& m, int32_t x, int32_t y) { m.UpLpx(e.Button, x, y); });
}

}  // namespace notaline
