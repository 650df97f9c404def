#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "DocumentBuilder.h"
#include "HostedControlTest_win.h"
#include "ScreenTestSupport_win.h"
#include "com/Bstr.h"
#include "com/Container.h"
#include "com/Create.h"
#include "com/tests/RecordingSink.h"
#include "control/DialogTexts_win.h"
#include "control/EditWindow_win.h"
#include "control/ZEVudu_win.h"
#include "model/edit/RangeMarks.h"
#include "records/Messages.h"
#include "render/ScreenRenderer_win.h"
#include "tools/tests/DialogCloser_win.h"
#include "win/Gdip_win.h"
#include "win/KernelHandles.h"

namespace notaline {
namespace {

namespace ev = dispid::ZEVuduEvents;

// Keys held as the test says, not as the keyboard is.
class HeldKeys final : public SystemServices {
public:
    void Beep() override { ++beeps; }
    bool IsKeyDown(int32_t key) override { return key == VK_CONTROL && ctrl; }
    uint32_t TranslateColor(uint32_t c) override { return c; }
    bool ctrl = false;
    int beeps = 0;
};

void SavePng(HWND hwnd, const wchar_t* name) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    test::SaveScreenPng(r, name);
}

// The sent message is delivered while this thread waits for the sender to finish.
void SendFromAnotherThread(HWND hwnd, UINT msg, LPARAM lParam) {
    const win::KernelHandle doneEvent(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    HANDLE done = doneEvent.Get();
    std::thread sender([&] {
        SendMessageW(hwnd, msg, 0, lParam);
        SetEvent(done);
    });
    while (MsgWaitForMultipleObjects(1, &done, FALSE, 10000, QS_SENDMESSAGE) == WAIT_OBJECT_0 + 1) {
        MSG m;
        PeekMessageW(&m, nullptr, 0, 0, PM_NOREMOVE);
    }
    sender.join();
}

struct ZEVuduTest : test::HostedControlTest {
    static LRESULT Send(ZEVudu& z, UINT msg, WPARAM w = 0, LPARAM l = 0) { return SendMessageW(z.Window(), msg, w, l); }

    // The control's editor, with its keys and beeps taken over by the test.
    Editor& WithHeldKeys(ZEVudu& z) {
        z.Running()->Data.System = keys;
        return *z.Running();
    }

    HeldKeys keys;  // outlives the controls, which close in TearDown
};

TEST_F(ZEVuduTest, RunsInPlaceWithTheDefaultDocumentAndItsScrollBars) {
    ZEVudu& z = Host();
    ASSERT_TRUE(z.Running());
    Editor& ed = *z.Running();
    EXPECT_TRUE(ed.Data.DocLoaded);
    EXPECT_GT(ed.Data.WordCount(), 0);
    EXPECT_GT(ed.Data.PageCount(), 0);
    // An empty bag: the read defaults.
    EXPECT_EQ(4, z.ScrollBars());
    EXPECT_TRUE(z.Enabled());
    EXPECT_EQ(static_cast<int32_t>(0x8000000E), z.SelForecolor);
    EXPECT_EQ(static_cast<int32_t>(0x8000000D), z.SelBackColor);
    // The host window was taken from the client site.
    EXPECT_EQ(parent, ed.Host);
    EXPECT_EQ(parent, GetParent(z.Window()));
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(&EditWndProc), GetWindowLongPtrW(z.Window(), GWLP_WNDPROC));
    // Both bars show, drawn by the window itself in place of the system's.
    const LONG_PTR style = GetWindowLongPtrW(z.Window(), GWL_STYLE);
    EXPECT_FALSE(style & (WS_VSCROLL | WS_HSCROLL));
    RECT client{};
    GetClientRect(z.Window(), &client);
    LONG pageWidth = 0, pageHeight = 0;
    ed.Scroll->get_ClientWidth(&pageWidth);
    ed.Scroll->get_ClientHeight(&pageHeight);
    EXPECT_EQ(client.right - GetSystemMetrics(SM_CXVSCROLL), pageWidth);
    EXPECT_EQ(client.bottom - GetSystemMetrics(SM_CXVSCROLL), pageHeight);
    EXPECT_FALSE(ed.Commands->Undo.Modified());
    RedrawWindow(parent, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    SavePng(parent, L"zevudu-in-place.png");
}

TEST_F(ZEVuduTest, InAFormDesignerOnlyThePropertiesLive) {
    static const std::vector<com::StoredProperty> stored = {{L"ScrollBars", VT_I4, 3}, {L"Enabled", VT_BOOL, 0}};
    ZEVudu& z = Host(stored, false);
    EXPECT_FALSE(z.Running());
    EXPECT_EQ(3, z.ScrollBars());
    EXPECT_FALSE(z.Enabled());
    EXPECT_NE(reinterpret_cast<LONG_PTR>(&EditWndProc), GetWindowLongPtrW(z.Window(), GWLP_WNDPROC));
    // Mouse events raise nothing without a document.
    com::tests::RecordingSink sink(DIID_ZEVuduEvents);
    DWORD cookie = 0;
    auto point = [&] {
        com::Ptr<IConnectionPoint> p;
        sites.back()->As<IConnectionPointContainer>()->FindConnectionPoint(DIID_ZEVuduEvents, p.Out());
        return p;
    }();
    ASSERT_EQ(S_OK, point->Advise(&sink, &cookie));
    Send(z, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    Send(z, WM_LBUTTONUP, 0, 0);
    EXPECT_EQ((std::vector<DISPID>{ev::Click}), sink.ids);
    point->Unadvise(cookie);
}

TEST_F(ZEVuduTest, SavingWritesTheWriteOrderWithoutWriteDefaults) {
    ZEVudu& z = Host();
    auto bag = com::PropertyBag::Create();
    ASSERT_EQ(S_OK, sites.back()->Save(bag.Get()));
    // 4 is stored: ScrollBars' write default is 0, which no valid value equals.
    EXPECT_EQ((std::vector<std::wstring>{L"ScrollBars"}), bag->Names());

    z.Appearance(1);
    z.Enabled(false);
    z.SelForecolor = 0xFF;
    z.ScrollBars(2);
    auto second = com::PropertyBag::Create();
    ASSERT_EQ(S_OK, sites.back()->Save(second.Get()));
    EXPECT_EQ((std::vector<std::wstring>{L"ScrollBars", L"Appearance", L"Enabled", L"SelForecolor"}), second->Names());
    EXPECT_EQ(2, V_I4(second->Find(L"ScrollBars")));
}

TEST_F(ZEVuduTest, EventsReachTheSinkInTheirOrder) {
    ZEVudu& z = Host();
    com::tests::RecordingSink sink(DIID_ZEVuduEvents);
    DWORD cookie = 0;
    com::Ptr<IConnectionPoint> point;
    ASSERT_EQ(S_OK, sites.back()->As<IConnectionPointContainer>()->FindConnectionPoint(DIID_ZEVuduEvents, point.Out()));
    ASSERT_EQ(S_OK, point->Advise(&sink, &cookie));
    Send(z, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 60));
    Send(z, WM_LBUTTONUP, 0, MAKELPARAM(50, 60));
    Send(z, WM_KEYDOWN, VK_RIGHT, 0);
    Send(z, WM_CHAR, 'a', 0);
    Send(z, WM_KEYUP, VK_RIGHT, 0);
    EXPECT_EQ((std::vector<DISPID>{ev::MouseDown, ev::SelectChange, ev::MouseUp, ev::Click, ev::KeyDown, ev::Change,
                                   ev::SelectChange, ev::KeyUp}),
              sink.ids);

    // While a document loads, the mouse raises nothing.
    sink.ids.clear();
    z.Running()->Data.DocLoaded = false;
    Send(z, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    Send(z, WM_LBUTTONUP, 0, 0);
    z.Running()->Data.DocLoaded = true;
    EXPECT_EQ((std::vector<DISPID>{ev::Click}), sink.ids);
    point->Unadvise(cookie);
}

TEST_F(ZEVuduTest, RecordMessagesRoundTripByteForByte) {
    ZEVudu& z = Host();
    auto* page = reinterpret_cast<const tessaly::AboutPageInfo*>(Send(z, tessaly::EM_GetPageSeting));
    ASSERT_TRUE(page);
    tessaly::AboutPageInfo changed = *page;
    changed.PageNumberSize = static_cast<int16_t>(page->PageNumberSize + 2);
    changed.PageMarginRect.Left += 5;
    Send(z, tessaly::EM_SetPageSeting, 0, reinterpret_cast<LPARAM>(&changed));
    page = reinterpret_cast<const tessaly::AboutPageInfo*>(Send(z, tessaly::EM_GetPageSeting));
    EXPECT_EQ(0, std::memcmp(&changed, page, sizeof changed));

    tessaly::RECT margins{100, 120, 100, 120};
    Send(z, tessaly::EM_SetWriteRect, 0, reinterpret_cast<LPARAM>(&margins));
    auto* got = reinterpret_cast<const tessaly::RECT*>(Send(z, tessaly::EM_GetWriteRect));
    ASSERT_TRUE(got);
    EXPECT_EQ(0, std::memcmp(&margins, got, sizeof margins));

    auto* part = reinterpret_cast<const tessaly::aPartInfo*>(Send(z, tessaly::EM_GetPartInfo));
    ASSERT_TRUE(part);
    tessaly::aPartInfo spaced = *part;
    spaced.SpacingBefore = static_cast<int16_t>(part->SpacingBefore + 30);
    Send(z, tessaly::EM_SetPartInfo, 0, reinterpret_cast<LPARAM>(&spaced));
    part = reinterpret_cast<const tessaly::aPartInfo*>(Send(z, tessaly::EM_GetPartInfo));
    EXPECT_EQ(0, std::memcmp(&spaced, part, sizeof spaced));
    EXPECT_TRUE(z.Running()->Commands->Undo.Modified());

    auto* font = reinterpret_cast<const tessaly::FontExInfo*>(Send(z, tessaly::EM_GetFontExInfo));
    ASSERT_TRUE(font);
    tessaly::FontExInfo copy = *font;
    Send(z, tessaly::EM_SetFontExInfo, 0, reinterpret_cast<LPARAM>(&copy));
    font = reinterpret_cast<const tessaly::FontExInfo*>(Send(z, tessaly::EM_GetFontExInfo));
    EXPECT_EQ(0, std::memcmp(&copy, font, 14));
}

// Every message the table gives a result of its own answers with that kind of result; an address
// is the editor's own record, the same at every asking.
TEST_F(ZEVuduTest, HostMessagesAnswerAsTheTableSays) {
    using R = tessaly::MessageResult;
    ZEVudu& z = Host();
    const DialogCloser closer(IDCANCEL);  // a message that opens a dialog
    int answered = 0;
    for (const tessaly::MessageInfo& m : tessaly::kMessages) {
        if (m.Result != R::Zero && m.Result != R::Flag && m.Result != R::Address) continue;
        ++answered;
        const LRESULT first = Send(z, static_cast<UINT>(m.Number));
        if (m.Result == R::Address) {
            EXPECT_NE(0, first) << m.Name;
            EXPECT_EQ(first, Send(z, static_cast<UINT>(m.Number))) << m.Name;
        } else if (m.Result == R::Flag) {
            EXPECT_TRUE(first == 0 || first == 1) << m.Name << " " << first;
        } else {
            EXPECT_EQ(0, first) << m.Name;
        }
    }
    EXPECT_GT(answered, 0);
}

TEST_F(ZEVuduTest, UnsafeHostInputIsRefused) {
    ZEVudu& z = Host();
    Editor& ed = *z.Running();
    const tessaly::AboutPageInfo before = ed.Data.AboutPageInfo;
    // No address at all.
    Send(z, tessaly::EM_SetPageSeting, 0, 0);
    Send(z, tessaly::EM_SetPartInfo, 0, 0);
    Send(z, tessaly::EM_SetWriteRect, 0, 0);
    Send(z, tessaly::EM_CustomWord, 0, 0);
    Send(z, tessaly::EM_SetHwColor, 0, 0);
    EXPECT_EQ(0, std::memcmp(&before, &ed.Data.AboutPageInfo, sizeof before));
    // An address sent from another thread.
    tessaly::AboutPageInfo other = before;
    other.PageNumberSize = 99;
    SendFromAnotherThread(z.Window(), tessaly::EM_SetPageSeting, reinterpret_cast<LPARAM>(&other));
    EXPECT_EQ(before.PageNumberSize, ed.Data.AboutPageInfo.PageNumberSize);
    // The status record is the editor's own.
    tessaly::aSendMsg forged;
    forged.SelStart = 12345;
    Send(z, tessaly::EM_SendMsg, 0, reinterpret_cast<LPARAM>(&forged));
    EXPECT_EQ(0, ed.SendMsg.SelStart);
    EXPECT_EQ(ed.StatusFont.Get(), ed.SendMsg.StdFont);
    // A played word outside the document, a connecting line of no kind.
    const auto items = ed.Data.HwWordInfo.size();
    Send(z, tessaly::WM_ShowPlayPos, 1'000'000, 0);
    Send(z, tessaly::EM_InstrHwStr, 0, 7);
    Send(z, tessaly::EM_InstrHwStr, 0, -1);
    EXPECT_EQ(items, ed.Data.HwWordInfo.size());
}

TEST_F(ZEVuduTest, UntilTheDocumentIsReadyMessagesPassThrough) {
    ZEVudu& z = Host();
    Editor& ed = *z.Running();
    tessaly::AboutPageInfo changed = ed.Data.AboutPageInfo;
    changed.PageNumberSize = static_cast<int16_t>(changed.PageNumberSize + 4);
    ed.Data.DocLoaded = false;
    Send(z, tessaly::EM_SetPageSeting, 0, reinterpret_cast<LPARAM>(&changed));
    EXPECT_EQ(0, Send(z, tessaly::EM_GetPageSeting));  // the control's own procedure answers
    ed.Data.DocLoaded = true;
    EXPECT_NE(changed.PageNumberSize, ed.Data.AboutPageInfo.PageNumberSize);
}

// On a large custom paper, a Ctrl+wheel step whose buffers are refused keeps the zoom everywhere.
TEST_F(ZEVuduTest, ACtrlWheelStepPastTheBuffersKeepsTheZoom) {
    ZEVudu& z = Host();
    Editor& ed = WithHeldKeys(z);
    tessaly::AboutPageInfo page = ed.Data.AboutPageInfo;
    page.PaperType = 9;
    page.PageSize = {500, 700};
    Send(z, tessaly::EM_SetPageSeting, 0, reinterpret_cast<LPARAM>(&page));
    float fits = 1.5f;
    ASSERT_TRUE(ed.Renderer->ZoomTo(fits));
    while (ed.Renderer->ZoomTo(fits + 0.05f)) fits += 0.05f;
    ASSERT_LT(fits, 2.4f);
    keys.ctrl = true;
    Send(z, WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, 120), 0);
    EXPECT_FLOAT_EQ(fits, ed.Data.AboutPageInfo.nScale);
    EXPECT_FLOAT_EQ(fits, static_cast<float>(ed.Renderer->Screen()->Screen().Scale()));
}

TEST_F(ZEVuduTest, CtrlWheelZoomsOneStepPerInterval) {
    ZEVudu& z = Host();
    Editor& ed = WithHeldKeys(z);
    keys.ctrl = true;
    const float start = ed.Data.AboutPageInfo.nScale;
    const uint64_t before = GetTickCount64();
    Send(z, WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, 120), 0);
    EXPECT_FLOAT_EQ(start + 0.05f, ed.Data.AboutPageInfo.nScale);
    Send(z, WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, 120), 0);
    // The second notch steps only when the first one's redraw outlasted the interval (a loaded
    // machine); the throttle itself is timed on a fake clock in the native tests.
    if (GetTickCount64() - before < WheelZoom::kIntervalMs) {
        EXPECT_FLOAT_EQ(start + 0.05f, ed.Data.AboutPageInfo.nScale);
    }
    // A part notch neither zooms nor scrolls.
    const float zoomed = ed.Data.AboutPageInfo.nScale;
    keys.ctrl = false;
    Send(z, WM_MOUSEWHEEL, MAKEWPARAM(0, 60), 0);
    EXPECT_FLOAT_EQ(zoomed, ed.Data.AboutPageInfo.nScale);
}

TEST_F(ZEVuduTest, WheelAndDragScrollThePages) {
    ZEVudu& z = Host();
    Editor& ed = WithHeldKeys(z);
    // How far down the pages are scrolled: the first page's top moves up by as much.
    auto top = [&] {
        CY y{};
        ed.Scroll->get_FristPageScrollY(&y);
        return -y.int64;
    };
    ASSERT_EQ(0, top());
    Send(z, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)), 0);  // towards the user: down the pages
    const auto down = top();
    EXPECT_GT(down, 0);
    Send(z, WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
    EXPECT_EQ(0, top());

    LONG height = 0;
    ed.Scroll->get_ClientHeight(&height);
    Send(z, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(10, height / 2));  // inside: no scrolling
    EXPECT_EQ(0, top());
    Send(z, WM_MOUSEMOVE, MK_LBUTTON | MK_RBUTTON, MAKELPARAM(10, height + 50));  // not the left button alone
    EXPECT_EQ(0, top());
    Send(z, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(10, height + 50));  // below the window: a fifth of the way
    EXPECT_EQ(10 * 10000, top());
}

// The window's own scroll bars: their parts are drawn where the bar's arithmetic puts them, and a
// click on an arrow or the track, or a drag of the thumb, scrolls the pages as the system's did.
TEST_F(ZEVuduTest, ItsOwnScrollBarsDrawAndScrollThePages) {
    ZEVudu& z = Host();
    Editor& ed = WithHeldKeys(z);
    const HWND w = z.Window();
    auto top = [&] {
        CY y{};
        ed.Scroll->get_FristPageScrollY(&y);
        return -y.int64;
    };
    RECT client{};
    GetClientRect(w, &client);
    const int bar = GetSystemMetrics(SM_CXVSCROLL);
    const int pageW = client.right - bar, pageH = client.bottom - bar, mid = pageW + bar / 2;
    auto pixels = [&] {
        RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        const win::WindowDc dc(w);
        return win::test::PixelsOf(win::test::CopyOf(dc.Get(), client).Get(), client.right, client.bottom);
    };
    auto at = [&](const std::vector<uint32_t>& px, int x, int y) { return px[size_t(y) * client.right + x]; };
    auto rgb = [](int index) {
        const COLORREF c = GetSysColor(index);
        return uint32_t(GetRValue(c)) << 16 | uint32_t(GetGValue(c)) << 8 | GetBValue(c);
    };
    // The down arrow's glyph, the thumb's face at the top of the track, the track under it (the
    // scroll-bar colour, dithered with the highlight where it is the window's), the corner box.
    auto inkIn = [&](const std::vector<uint32_t>& px, int left, int t, int right, int bottom, uint32_t colour) {
        for (int y = t; y < bottom; ++y)
            for (int x = left; x < right; ++x)
                if (at(px, x, y) == colour) return true;
        return false;
    };
    auto face = [&](const std::vector<uint32_t>& px, int x, int y) {
        return at(px, x, y) == rgb(COLOR_BTNFACE) && at(px, x + 1, y) == rgb(COLOR_BTNFACE);
    };
    auto track = [&](const std::vector<uint32_t>& px, int x, int y) {
        const uint32_t c = at(px, x, y);
        return !face(px, x, y) &&
               (c == rgb(COLOR_SCROLLBAR) || c == rgb(COLOR_BTNHIGHLIGHT) || c == rgb(COLOR_BTNFACE));
    };
    std::vector<uint32_t> px = pixels();
    EXPECT_TRUE(inkIn(px, pageW + 3, pageH - bar + 3, client.right - 3, pageH - 3, rgb(COLOR_BTNTEXT)));
    EXPECT_TRUE(face(px, mid, bar + 4));
    EXPECT_TRUE(track(px, mid, pageH - bar - 2));
    EXPECT_TRUE(face(px, client.right - 3, client.bottom - 2));
    EXPECT_TRUE(track(px, client.right - bar * 3, client.bottom - bar / 2));
    SavePng(parent, L"zevudu-scroll-bars.png");

    auto click = [&](int x, int y) {
        Send(z, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        Send(z, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    };
    ASSERT_EQ(0, top());
    click(mid, pageH - bar / 2);  // the down arrow: a tenth of the page area
    EXPECT_EQ(int64_t(pageH / 10) * 10000, top());
    click(mid, bar / 2);
    EXPECT_EQ(0, top());
    click(mid, pageH - bar - 2);  // the track under the thumb: a page area
    EXPECT_EQ(int64_t(pageH) * 10000, top());
    Send(z, WM_VSCROLL, SB_TOP, 0);
    ASSERT_EQ(0, top());
    // The thumb dragged 40 pixels: the pages follow while it moves, and stay where it is let go.
    Send(z, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(mid, bar + 2));
    Send(z, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(mid, bar + 42));
    const auto dragged = top();
    EXPECT_GT(dragged, 0);
    Send(z, WM_LBUTTONUP, 0, MAKELPARAM(mid, bar + 42));
    EXPECT_EQ(dragged, top());
    px = pixels();
    EXPECT_TRUE(track(px, mid, bar + 20));  // the thumb left the top of the track
    EXPECT_TRUE(face(px, mid, bar + 44));
    // A click on the pages is still the editor's: it does not scroll.
    Send(z, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pageW / 2, pageH / 2));
    Send(z, WM_LBUTTONUP, 0, MAKELPARAM(pageW / 2, pageH / 2));
    EXPECT_EQ(dragged, top());
}

// A bar shows while its way of the pages is longer than the page area, as the system's did, and
// the page area takes back its room once it hides.
TEST_F(ZEVuduTest, ItsOwnScrollBarsHideWhenThePagesFitAndGiveTheirRoomBack) {
    ZEVudu& z = Host();
    Editor& ed = WithHeldKeys(z);
    const int bar = GetSystemMetrics(SM_CXVSCROLL);
    struct Row {
        int width, height;
        bool vertical, horizontal;
    };
    // The page is 794 x 1123 with gaps of 40 around it, the gaps beside it widened to centre it (an
    // odd width left over rounds them to even, a pixel wider than the window: not here).
    const Row rows[] = {
        {1001, 400, true, false}, {1001, 1300, false, false}, {600, 1300, false, true}, {600, 400, true, true}};
    for (const Row& r : rows) {
        SetWindowPos(z.Window(), nullptr, 0, 0, r.width, r.height, SWP_NOMOVE | SWP_NOZORDER);
        RECT client{};
        GetClientRect(z.Window(), &client);
        LONG w = 0, h = 0;
        ed.Scroll->get_ClientWidth(&w);
        ed.Scroll->get_ClientHeight(&h);
        EXPECT_EQ(client.right - (r.vertical ? bar : 0), w) << r.width << " x " << r.height;
        EXPECT_EQ(client.bottom - (r.horizontal ? bar : 0), h) << r.width << " x " << r.height;
        // A click where a hidden bar would be is the pages'.
        LRESULT taken = 0;
        EXPECT_EQ(r.vertical ? S_OK : S_FALSE,
                  ed.Strips->BarMessage(WM_MOUSEMOVE, 0, MAKELPARAM(client.right - 2, 100), &taken));
    }
}

TEST_F(ZEVuduTest, ZoomLimitsBeep) {
    ZEVudu& z = Host();
    Editor& ed = WithHeldKeys(z);
    keys.ctrl = true;
    ed.Data.AboutPageInfo.nScale = 2.45f;
    Send(z, WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, 120), 0);
    EXPECT_EQ(2.5f, ed.Data.AboutPageInfo.nScale);
    EXPECT_EQ(1, keys.beeps);
    ed.Zoom = WheelZoom{};  // as if the interval had passed
    ed.Data.AboutPageInfo.nScale = 0.55f;
    Send(z, WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, static_cast<WORD>(-120)), 0);
    EXPECT_EQ(0.5f, ed.Data.AboutPageInfo.nScale);
    EXPECT_EQ(2, keys.beeps);
}

TEST_F(ZEVuduTest, MarkCommandsOnAParagraphEndBeepAndChangeNothing) {
    ZEVudu& z = Host();
    Editor& ed = WithHeldKeys(z);
    int32_t end = 0;
    while (ed.Data.WordInfo[static_cast<size_t>(end)].IsJpGcCtl != 3) ++end;
    ed.Data.SelStart = end;
    ed.Data.SelLength = 0;
    const auto before = ed.Data.WordInfo;
    com::Bstr text(L"1.");
    for (UINT msg :
         {tessaly::EM_FormatSortInfo, tessaly::EM_FormatHuXian, tessaly::EM_CustomWord, tessaly::EM_Custom_ChangSpeed,
          tessaly::EM_FormatZhuYing, tessaly::EM_FormatCombiningChar, tessaly::EM_ChangSpeed})
        Send(z, msg, 0, msg == tessaly::EM_CustomWord ? reinterpret_cast<LPARAM>(text.Ref()) : 5);
    EXPECT_EQ(7, keys.beeps);
    ASSERT_EQ(before.size(), ed.Data.WordInfo.size());
    for (size_t i = 0; i < before.size(); ++i)
        EXPECT_EQ(0, std::memcmp(&before[i], &ed.Data.WordInfo[i], sizeof before[i])) << "character " << i;
    EXPECT_FALSE(ed.Commands->Undo.Modified());
}

TEST_F(ZEVuduTest, ABigGlissandoOverOtherThanTwoCharactersIsToldAndChangesNothing) {
    ZEVudu& z = Host();
    Editor& ed = WithHeldKeys(z);
    const std::vector<uint8_t> before = test::DocumentBytes(ed.Data);
    for (int32_t length : {3, -3, 1}) {
        ed.Data.SelStart = 4, ed.Data.SelLength = length;
        EXPECT_EQ(test::BoxesOf([&] { Send(z, tessaly::EM_FormatBigHuaYing); }),
                  std::vector<std::wstring>{dialog_texts::Wide(kBigGlissandoJoinsTwoNotes)});
    }
    EXPECT_EQ(before, test::DocumentBytes(ed.Data));
}

TEST_F(ZEVuduTest, InputMethodTextWaitsForTheNextCharacter) {
    ZEVudu& z = Host();
    Editor& ed = WithHeldKeys(z);
    Send(z, WM_IME_CHAR, 0x5B8B);  // 宋
    Send(z, WM_IME_CHAR, 'a');     // not an input method's character
    EXPECT_EQ("\xCB\xCE", ed.PendingIme);
    ed.Data.InputState = tessaly::LpxState;
    Send(z, WM_IME_CHAR, 0x4F53);
    EXPECT_EQ("\xCB\xCE", ed.PendingIme);
    ed.Data.InputState = tessaly::JpState;
    Send(z, WM_CHAR, 0x5B8B);
    EXPECT_TRUE(ed.PendingIme.empty());
    EXPECT_EQ(1, keys.beeps);  // lyric text typed in notation state
}

TEST_F(ZEVuduTest, ACharacterTypedWithoutAnInputMethodGoesInAsCodePage936Text) {
    ZEVudu& z = Host();
    Editor& ed = WithHeldKeys(z);
    const struct {
        tessaly::InputState State;
        WPARAM Code;
        int Added, Beeps;
    } rows[] = {
        {tessaly::GcState, 0x5B8B, 1, 0},  // 宋
        {tessaly::JpState, 0x5B8B, 1, 1},  // lyric text typed in notation state
        {tessaly::GcState, 0x0E01, 0, 1},  // Thai: not in code page 936
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.Code);
        ed.Data.SelStart = 0;
        ed.Data.SelLength = 0;
        ed.Data.InputState = r.State;
        const int32_t count = ed.Data.WordCount();
        keys.beeps = 0;
        Send(z, WM_CHAR, r.Code);
        EXPECT_EQ(count + r.Added, ed.Data.WordCount());
        EXPECT_EQ(r.Beeps, keys.beeps);
        EXPECT_TRUE(ed.PendingIme.empty());
        if (r.Added) {
            EXPECT_NE(1, ed.Data.WordInfo[0].IsJpGcCtl);
        }
    }
}

using test::PumpUntil;

TEST_F(ZEVuduTest, ATypedDigitBecomesANotationCharacterAtTheCaret) {
    ZEVudu& z = Host();
    Editor& ed = WithHeldKeys(z);
    ed.Data.SelStart = 0;
    ed.Data.SelLength = 0;
    ed.Data.InputState = tessaly::JpState;
    const int32_t count = ed.Data.WordCount();
    ASSERT_TRUE(PostMessageW(z.Window(), WM_CHAR, '5', 0));
    ASSERT_TRUE(PumpUntil([&] { return ed.Data.WordCount() == count + 1; }));
    const StoredWord& w = ed.Data.WordInfo[0];
    EXPECT_EQ('5', w.WdAsc);
    EXPECT_EQ(1, w.IsJpGcCtl);
    EXPECT_GT(w.WdSize.cx, 0);
    EXPECT_EQ(1, ed.Data.SelStart);
    EXPECT_TRUE(ed.Commands->Undo.Modified());

    // A letter outside the notation set turns the input to lyrics; DEL is no character.
    Send(z, WM_CHAR, 'B');
    EXPECT_EQ(count + 2, ed.Data.WordCount());
    EXPECT_EQ(0, ed.Data.WordInfo[1].IsJpGcCtl);
    EXPECT_EQ(tessaly::GcState, ed.Data.InputState);
    Send(z, WM_CHAR, 127);
    EXPECT_EQ(count + 2, ed.Data.WordCount());
}

// The caret is moved, not made again, by a refresh; one the pointer hid over its character still
// shows at the next character typed, as a new caret did.
TEST_F(ZEVuduTest, TheCaretShowsAtEveryKeyEvenWhenThePointerHidItOverItsCharacter) {
    ZEVudu& z = Host();
    Editor& ed = WithHeldKeys(z);
    SetFocus(z.Window());
    ed.Data.SelStart = 0;
    ed.Data.SelLength = 0;
    ed.Data.InputState = tessaly::GcState;
    // The caret's ink: the page's white inverted in its box. No message is pumped while it is
    // looked at, so it does not blink.
    auto caret = [&] {
        GUITHREADINFO gui{};
        gui.cbSize = sizeof gui;
        GetGUIThreadInfo(GetCurrentThreadId(), &gui);
        EXPECT_EQ(z.Window(), gui.hwndCaret);
        return gui.rcCaret;
    };
    auto inked = [&](const RECT& r) {
        const win::WindowDc dc(z.Window());
        const auto px = win::test::PixelsOf(win::test::CopyOf(dc.Get(), r).Get(), r.right - r.left, r.bottom - r.top);
        return std::count_if(px.begin(), px.end(), [](uint32_t c) { return (c & 0xFF) < 0x60; }) * 2 >=
               static_cast<long>(px.size());
    };
    Send(z, WM_CHAR, 'a');
    RECT at = caret();
    EXPECT_TRUE(inked(at));
    Send(z, WM_CHAR, 'b');  // the caret only moves
    const RECT next = caret();
    EXPECT_GT(next.left, at.left);
    EXPECT_TRUE(inked(next));
    // Over the character after the caret, the pointer hides it; a key shows it again.
    const int y = (next.top + next.bottom) / 2;
    Send(z, WM_MOUSEMOVE, 0, MAKELPARAM(next.left + 3, y));
    EXPECT_FALSE(inked(next));
    Send(z, WM_CHAR, 'c');
    at = caret();
    EXPECT_TRUE(inked(at));
    Send(z, WM_MOUSEMOVE, 0, MAKELPARAM(at.left + 200, y + 200));
    EXPECT_TRUE(inked(at));
    Send(z, WM_CHAR, 'd');
    EXPECT_TRUE(inked(caret()));
}

TEST_F(ZEVuduTest, HostSymbolsInsertTheirCharacterAndUnknownCodesBeep) {
    ZEVudu& z = Host();
    Editor& ed = WithHeldKeys(z);
    ed.Data.SelStart = 0;
    ed.Data.SelLength = 0;
    ed.Data.InputState = tessaly::GcState;
    const int32_t count = ed.Data.WordCount();
    Send(z, tessaly::EM_InstrMainAndExtralStr, 0, 39);
    ASSERT_EQ(count + 1, ed.Data.WordCount());
    EXPECT_EQ('[', ed.Data.WordInfo[0].WdAsc);
    EXPECT_EQ(2, ed.Data.WordInfo[0].IsJpGcCtl);
    EXPECT_EQ(39, ed.Data.WordInfo[0].ExtralWordInfo[0].IndexType);
    EXPECT_EQ(tessaly::JpState, ed.Data.InputState);
    Send(z, tessaly::EM_InstrMainAndExtralStr, 0, 17);
    ed.Data.InputState = tessaly::GcState;
    Send(z, tessaly::EM_InstrMainAndExtralStr, 0, -1);  // only the input state
    EXPECT_EQ(tessaly::JpState, ed.Data.InputState);
    EXPECT_EQ(count + 1, ed.Data.WordCount());
    EXPECT_EQ(1, keys.beeps);
}

TEST_F(ZEVuduTest, HwndIsAPointerSizedMember) {
    ZEVudu& z = Host();
    auto disp = sites.back()->As<IDispatch>();
    LPOLESTR name = const_cast<LPOLESTR>(L"HWND");
    DISPID id = 0;
    ASSERT_EQ(S_OK, disp->GetIDsOfNames(IID_NULL, &name, 1, 0, &id));
    EXPECT_EQ(dispid::ZEVudu::hwnd, id);
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    VARIANT r;
    VariantInit(&r);
    ASSERT_EQ(S_OK, disp->Invoke(id, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, &r, nullptr, nullptr));
    ASSERT_EQ(VT_I8, V_VT(&r));
    EXPECT_EQ(reinterpret_cast<intptr_t>(z.Window()), V_I8(&r));
}

TEST_F(ZEVuduTest, PasteReadsTheClipboardWhenItPastes) {
    ZEVudu& z = Host();
    Editor& ed = *z.Running();
    // What an earlier look at the clipboard left behind is not pasted again.
    ed.Data.InputWords.assign(3, ed.Data.WordInfo[0].Expand());
    ed.Data.PasteWordCount = 3;
    const int32_t count = ed.Data.WordCount();
    Send(z, WM_PASTE);
    EXPECT_EQ(count, ed.Data.WordCount());
    // Nor does a typed character insert an old buffer.
    ed.Data.InputWords.assign(2, ed.Data.WordInfo[0].Expand());
    Send(z, WM_CHAR, '5');
    ASSERT_EQ(count + 1, ed.Data.WordCount());  // the typed character alone
    EXPECT_EQ('5', ed.Data.WordInfo[static_cast<size_t>(ed.Data.SelStart - 1)].WdAsc);
}

TEST_F(ZEVuduTest, ASecondControlKeepsItsOwnDocument) {
    ZEVudu& first = Host();
    ZEVudu& second = Host();
    ASSERT_TRUE(first.Running() && second.Running());
    EXPECT_NE(&first.Running()->Data, &second.Running()->Data);
    tessaly::AboutPageInfo page = second.Running()->Data.AboutPageInfo;
    page.PageNumberSize = static_cast<int16_t>(page.PageNumberSize + 6);
    const int16_t firstSize = first.Running()->Data.AboutPageInfo.PageNumberSize;
    Send(second, tessaly::EM_SetPageSeting, 0, reinterpret_cast<LPARAM>(&page));
    EXPECT_EQ(firstSize, first.Running()->Data.AboutPageInfo.PageNumberSize);
    EXPECT_EQ(page.PageNumberSize, second.Running()->Data.AboutPageInfo.PageNumberSize);

    // The second one ends; the first goes on, GDI+ still running for it.
    sites.back()->Close();
    sites.pop_back();
    EXPECT_TRUE(win::GdiPlusStarted());
    EXPECT_TRUE(first.Running()->Data.DocLoaded);
    sites.back()->Close();
    sites.clear();
    EXPECT_FALSE(win::GdiPlusStarted());
}

TEST(ZEVuduServer, CreatedFromTheDllAndByProgIdOnceRegistered) {
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    HWND parent =
        CreateWindowExW(0, L"STATIC", L"host", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr, nullptr, nullptr);
    {
        auto z = com::CreateFromDll<IDispatch>(L"Notaline.dll", CLSID_ZEVudu);
        ASSERT_TRUE(z);
        com::Ptr<com::ControlSite> site;
        auto bag = com::PropertyBag::Create();
        ASSERT_EQ(S_OK, com::ControlSite::Host(z.Get(), parent, RECT{0, 0, 200, 100}, bag.Get(), true, site));
        EXPECT_EQ(parent, GetParent(site->ControlWindow()));
        site->Close();
    }
    const std::wstring path = com::ProgramFolder() + L"Notaline.dll";
    HMODULE dll = LoadLibraryW(path.c_str());
    ASSERT_TRUE(dll);
    using Entry = HRESULT(STDAPICALLTYPE*)();
    auto reg = reinterpret_cast<Entry>(reinterpret_cast<void*>(GetProcAddress(dll, "DllRegisterServer")));
    auto unreg = reinterpret_cast<Entry>(reinterpret_cast<void*>(GetProcAddress(dll, "DllUnregisterServer")));
    ASSERT_EQ(S_OK, reg());
    CLSID clsid{};
    ASSERT_EQ(S_OK, CLSIDFromProgID(L"Notaline.ZEVudu", &clsid));
    EXPECT_EQ(CLSID_ZEVudu, clsid);
    {
        com::Ptr<IOleObject> object;
        EXPECT_EQ(S_OK, CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject, object.OutVoid()));
    }
    EXPECT_EQ(S_OK, unreg());
    DestroyWindow(parent);
    CoUninitialize();
}

}  // namespace
}  // namespace notaline
