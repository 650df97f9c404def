#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "ScreenTestSupport_win.h"
#include "com/Container.h"
#include "control/ZEVudu_win.h"
#include "model/layout/LayoutSetup.h"

namespace notaline {
namespace {

// No key is held, whatever the keyboard says; beeps are counted.
class NoKeys final : public SystemServices {
public:
    void Beep() override { ++beeps; }
    bool IsKeyDown(int32_t) override { return false; }
    uint32_t TranslateColor(uint32_t c) override { return c; }
    int beeps = 0;
};

using test::SaveScreenPng;

// The shown pop-up menu's window, if one is shown.
HWND VisibleMenuWindow() {
    HWND found = nullptr;
    EnumWindows(
        [](HWND w, LPARAM out) -> BOOL {
            wchar_t name[16] = {};
            GetClassNameW(w, name, 16);
            if (std::wstring(name) != L"#32768" || !IsWindowVisible(w)) return TRUE;
            *reinterpret_cast<HWND*>(out) = w;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

// What an open menu showed: its items' texts and grey states, read while it was open.
struct SeenMenu {
    bool Opened = false;
    std::vector<std::wstring> Texts;
    std::vector<bool> Grey;
    std::vector<bool> Separator;
};

struct MouseMenuTest : ::testing::Test {
    void SetUp() override {
        parent = CreateWindowExW(0, L"STATIC", L"Tavolin--鼠标", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 700, 520,
                                 nullptr, nullptr, nullptr, nullptr);
        ASSERT_TRUE(parent);
        com::Ptr<IZEVudu> created;
        ASSERT_EQ(S_OK, ZEVudu::Create(__uuidof(IZEVudu), created.OutVoid()));
        auto bag = com::PropertyBag::Create({});
        ASSERT_EQ(S_OK, com::ControlSite::Host(created.Get(), parent, RECT{0, 0, 660, 460}, bag.Get(), true, site));
        z = static_cast<ZEVudu*>(created.Get());
        ASSERT_TRUE(z->Running());
        ed = z->Running();
        ed->Data.System = keys;
        UpdateWindow(parent);
    }
    void TearDown() override {
        if (site) site->Close();
        DestroyWindow(parent);
    }

    LRESULT Send(UINT msg, WPARAM w = 0, LPARAM l = 0) { return SendMessageW(z->Window(), msg, w, l); }
    void Type(const char* text) {
        for (const char* c = text; *c; ++c) Send(WM_CHAR, static_cast<WPARAM>(*c));
    }
    std::string Text() const {
        std::string s;
        for (int32_t i = 0; i < ed->Data.WordCount(); ++i)
            s += static_cast<char>(ed->Data.WordInfo[static_cast<size_t>(i)].WdAsc);
        return s;
    }
    double Scale() const { return ed->Data.AboutPageInfo.nScale; }
    // A client point at page pixels (x, y) of the first page, the view not scrolled.
    POINT At(double x, double y) const {
        LONG gapX = 0, gapY = 0;
        ed->Scroll->get_PageSpaceX(&gapX);
        ed->Scroll->get_PageSpaceY(&gapY);
        return POINT{static_cast<LONG>(gapX + x * Scale() + 0.5), static_cast<LONG>(gapY + y * Scale() + 0.5)};
    }
    // A point on a character: at fraction f of its width, halfway down.
    POINT OnWord(int32_t i, double f) const {
        const auto& w = ed->Data.WordInfo[static_cast<size_t>(i)];
        return At(w.Left + (w.Right - w.Left) * f, (w.Top + w.Bottom) / 2);
    }
    void Mouse(UINT msg, WPARAM keys, POINT p) { Send(msg, keys, MAKELPARAM(p.x, p.y)); }
    void Drag(POINT from, POINT to) {
        Mouse(WM_LBUTTONDOWN, MK_LBUTTON, from);
        Mouse(WM_MOUSEMOVE, MK_LBUTTON, POINT{(from.x + to.x) / 2, (from.y + to.y) / 2});
        Mouse(WM_MOUSEMOVE, MK_LBUTTON, to);
        Mouse(WM_LBUTTONUP, 0, to);
    }

    // A right-button release at a client point, the cursor put there as a user's would be; the
    // menu, when one opens, is read, pictured and closed from another thread.
    SeenMenu RightClick(POINT client, const wchar_t* picture = nullptr) {
        POINT screen = client;
        ClientToScreen(z->Window(), &screen);
        SetCursorPos(screen.x, screen.y);
        SeenMenu seen;
        std::atomic<bool> done{false};
        HMENU menu = ed->ContextMenu.Get();
        std::thread watcher([&] {
            const ULONGLONG deadline = GetTickCount64() + 10000;
            HWND popup = nullptr;
            while (!done && GetTickCount64() < deadline) {
                popup = VisibleMenuWindow();
                if (popup) break;
                Sleep(10);  // polling for the menu's window: no message tells another thread
            }
            if (!popup) return;
            seen.Opened = true;
            for (int i = 0; i < GetMenuItemCount(menu); ++i) {
                wchar_t text[64] = {};
                GetMenuStringW(menu, static_cast<UINT>(i), text, 64, MF_BYPOSITION);
                const UINT state = GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
                seen.Texts.emplace_back(text);
                seen.Grey.push_back((state & MF_GRAYED) != 0);
                seen.Separator.push_back((state & MF_SEPARATOR) != 0);
            }
            if (picture) {
                // Painted by its own thread before the picture is taken: the redraw is sent there.
                RedrawWindow(popup, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
                RECT r{}, p{};
                GetWindowRect(popup, &r);
                GetWindowRect(parent, &p);
                UnionRect(&r, &r, &p);
                SaveScreenPng(r, picture);
            }
            PostMessageW(popup, WM_KEYDOWN, VK_ESCAPE, 0);
        });
        Mouse(WM_RBUTTONDOWN, MK_RBUTTON, client);
        Mouse(WM_RBUTTONUP, 0, client);  // returns when the menu has closed, or at once without one
        done = true;
        watcher.join();
        return seen;
    }

    HWND parent = nullptr;
    NoKeys keys;
    com::Ptr<com::ControlSite> site;
    ZEVudu* z = nullptr;
    Editor* ed = nullptr;
};

TEST_F(MouseMenuTest, AClickPlacesTheCaretADragSelectsAndDraggingTheSelectionMovesIt) {
    ed->Data.SelStart = 0;
    ed->Data.SelLength = 0;
    Type("1234567");
    const std::string typed = Text();
    ASSERT_EQ("1234567", typed.substr(0, 7));

    Mouse(WM_LBUTTONDOWN, MK_LBUTTON, OnWord(2, 0.8));
    Mouse(WM_LBUTTONUP, 0, OnWord(2, 0.8));
    EXPECT_EQ(3, ed->Data.SelStart);
    EXPECT_EQ(0, ed->Data.SelLength);

    Drag(OnWord(0, 0.2), OnWord(3, 0.2));
    EXPECT_EQ(0, ed->Data.SelStart);
    EXPECT_EQ(3, ed->Data.SelLength);

    // "123" dropped before "6"; one undo puts it back.
    Drag(OnWord(1, 0.5), OnWord(5, 0.2));
    EXPECT_EQ("4512367", Text().substr(0, 7));
    EXPECT_EQ(2, ed->Data.SelStart);
    EXPECT_EQ(3, ed->Data.SelLength);
    Send(EM_UNDO);
    EXPECT_EQ(typed, Text());
}

TEST_F(MouseMenuTest, InItemModeACornerResizesAndAStillReleaseAddsNoStep) {
    ed->Data.InputState = tessaly::LpxState;
    const POINT place = At(100, 100);
    const size_t before = ed->Data.HwWordInfo.size();
    ASSERT_TRUE(ed->Commands->Items.InsterHwWord(ed->Grid, place.x, place.y, 1));
    const tessaly::aHwWordInfo item = ed->Data.HwWordInfo.back();
    ed->Commands->Undo.CurrentHwFocus(-1);
    const POINT corner = At(item.X + item.Width, item.Y + item.Height);

    Mouse(WM_LBUTTONDOWN, MK_LBUTTON, corner);
    EXPECT_EQ(static_cast<int32_t>(ed->Data.HwWordInfo.size()) - 1, ed->Commands->Undo.CurrentHwFocus());
    Mouse(WM_MOUSEMOVE, 0, corner);
    EXPECT_EQ(8, ed->MousePointer);  // the diagonal sizing cursor
    Mouse(WM_LBUTTONUP, 0, corner);
    // No step of its own: one undo takes the insertion away.
    ed->Commands->Undo.UserUndo();
    EXPECT_EQ(before, ed->Data.HwWordInfo.size());
    ed->Commands->Undo.UserRedo();

    Mouse(WM_LBUTTONDOWN, MK_LBUTTON, corner);
    Mouse(WM_MOUSEMOVE, MK_LBUTTON, POINT{corner.x + 12, corner.y + 6});
    Mouse(WM_LBUTTONUP, 0, POINT{corner.x + 12, corner.y + 6});
    const tessaly::aHwWordInfo& sized = ed->Data.HwWordInfo.back();
    EXPECT_FLOAT_EQ(item.X, sized.X);
    EXPECT_NEAR(item.Width + 12 / Scale(), sized.Width, 0.01);
    EXPECT_NEAR(item.Height + 6 / Scale(), sized.Height, 0.01);
    ed->Commands->Undo.UserUndo();
    EXPECT_FLOAT_EQ(item.Width, ed->Data.HwWordInfo.back().Width);
}

TEST_F(MouseMenuTest, TheRightButtonMenuShowsTheLayoutOfTheInputStateOnlyOverAPage) {
    ed->Data.InputState = tessaly::JpState;
    const SeenMenu typing = RightClick(At(200, 300), L"mouse-context-menu.png");
    ASSERT_TRUE(typing.Opened);
    ASSERT_EQ(15u, typing.Texts.size());
    EXPECT_EQ(L"接受歌词输入", typing.Texts[0]);
    EXPECT_TRUE(typing.Separator[1] && typing.Separator[4] && typing.Separator[10] && typing.Separator[13]);
    EXPECT_EQ(L"词谱对齐源行：无", typing.Texts[11]);
    EXPECT_TRUE(typing.Grey[12]);  // 取消源行: no source line
    EXPECT_FALSE(typing.Grey[5]);  // select all
    EXPECT_TRUE(typing.Grey[6]);   // copy: nothing selected
    EXPECT_TRUE(typing.Grey[2]);   // undo: nothing done yet

    ed->Data.InputState = tessaly::LpxState;
    ed->Commands->Undo.CurrentHwFocus(-1);
    const SeenMenu items = RightClick(At(200, 300));
    ASSERT_TRUE(items.Opened);
    ASSERT_EQ(15u, items.Texts.size());
    EXPECT_EQ(L"直连谱号", items.Texts[1]);
    EXPECT_EQ(L"花连谱号/右", items.Texts[4]);
    EXPECT_TRUE(items.Separator[5] && items.Separator[8]);
    EXPECT_EQ(L"颜色", items.Texts[14]);
    EXPECT_TRUE(items.Grey[14]);

    // Beside the page: no menu, the items rewritten all the same.
    ed->Data.InputState = tessaly::JpState;
    const SeenMenu beside = RightClick(At(-5, 300));
    EXPECT_FALSE(beside.Opened);
    wchar_t text[64] = {};
    GetMenuStringW(ed->ContextMenu.Get(), 0, text, 64, MF_BYPOSITION);
    EXPECT_STREQ(L"接受歌词输入", text);
}

TEST_F(MouseMenuTest, MenuCommandsActOnTheDocument) {
    Send(WM_COMMAND, 5);  // select all
    EXPECT_EQ(0, ed->Data.SelStart);
    EXPECT_EQ(ed->Data.WordCount() - 1, ed->Data.SelLength);
    // The status record takes the input mode from the selected characters; the item flips it.
    const int16_t mode = ed->Data.InputState;
    const int16_t other = mode == tessaly::GcState ? tessaly::JpState : tessaly::GcState;
    Send(WM_COMMAND, 0);
    EXPECT_EQ(other, ed->Data.InputState);
    Send(WM_COMMAND, 0);
    EXPECT_EQ(mode, ed->Data.InputState);

    // In item mode the first five place an item of their kind where the menu was opened.
    ed->Data.InputState = tessaly::LpxState;
    const size_t count = ed->Data.HwWordInfo.size();
    ed->MenuPoint = At(150, 200);
    Send(WM_COMMAND, 2);
    ASSERT_EQ(count + 1, ed->Data.HwWordInfo.size());
    EXPECT_EQ(3, ed->Data.HwWordInfo.back().HwWordtype);
    EXPECT_NEAR(150, ed->Data.HwWordInfo.back().X, 1.5);
    Send(WM_COMMAND, 12);  // delete the focused item
    EXPECT_EQ(count, ed->Data.HwWordInfo.size());
    Send(WM_COMMAND, 6);  // undo
    EXPECT_EQ(count + 1, ed->Data.HwWordInfo.size());

    // Scrolled down past the first page, the item still lands under the menu's point.
    ed->Data.InputWords.assign(200, ed->Data.WordInfo[static_cast<size_t>(ed->Data.WordCount() - 1)].Expand());
    ASSERT_TRUE(ed->Commands->Typed.InputWord(0, 0));
    LayOutEdit(ed->Data, *ed->Renderer);
    ASSERT_GE(ed->Data.PageCount(), 3);
    for (int i = 0; i < 12; ++i) Send(WM_VSCROLL, SB_PAGEDOWN);
    CY y{};
    ed->Scroll->get_FristPageScrollY(&y);
    const double originY = static_cast<double>(y.int64) / 10000;
    LONG gapY = 0;
    ed->Scroll->get_PageSpaceY(&gapY);
    const double step = ed->Data.PageHeightPx * Scale() + gapY;
    ASSERT_LT(originY, -step);
    ed->MenuPoint = POINT{At(150, 0).x, 200};
    Send(WM_COMMAND, 0);
    const tessaly::aHwWordInfo& placed = ed->Data.HwWordInfo.back();
    EXPECT_EQ(ed->Grid.MousePageY(ed->MenuPoint.x, 200), placed.iPage);
    EXPECT_NEAR(200, originY + gapY + placed.iPage * step + placed.Y * Scale(), 1.5);
}

}  // namespace
}  // namespace notaline
