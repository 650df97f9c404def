// What the main window does with the editor's messages and with typed characters.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "MainWindowFixture_win.h"
#include "button/api/IButton.h"
#include "control/Editor_win.h"
#include "records/Messages.h"

namespace tavolin::test {
namespace {

struct Seen {
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
};
std::vector<Seen> gEditorSeen;
std::vector<std::pair<UINT, int32_t>> gActivation;
int32_t gColourSent = -1;

// Records what reaches the editor's window, in front of its own procedure.
LRESULT CALLBACK EditorSpy(HWND w, UINT m, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR) {
    if (m == tessaly::EM_InstrMainAndExtralStr || m == WM_CHAR || m == tessaly::EM_SetHwColor)
        gEditorSeen.push_back({m, wp, lp});
    if (m == tessaly::EM_SetHwColor && lp) gColourSent = *reinterpret_cast<const int32_t*>(lp);
    if ((m == WM_SETFOCUS || m == tessaly::EM_HideCaret) && lp)
        gActivation.push_back({m, *reinterpret_cast<const int32_t*>(lp)});
    return DefSubclassProc(w, m, wp, lp);
}

struct MainWndProcTest : MainWindowTest {
    void SetUp() override {
        MainWindowTest::SetUp();
        gEditorSeen.clear();
        SetWindowSubclass(window->EditorWindow(), EditorSpy, 7, 0);
    }
    void TearDown() override {
        RemoveWindowSubclass(window->EditorWindow(), EditorSpy, 7);
        MainWindowTest::TearDown();
    }
    notaline::Editor& Ed() { return *factory.hosted->Running(); }
};

TEST_F(MainWndProcTest, NotationKeysBecomeMarksOnlyInTheEditor) {
    tessaly::aSendMsg s = Ed().SendMsg;
    s.cInputState = tessaly::JpState;
    SendMessageW(window->Handle(), tessaly::EM_SendMsg, 0, reinterpret_cast<LPARAM>(&s));
    PostMessageW(window->EditorWindow(), WM_CHAR, 'C', 0);
    Pump();
    ASSERT_EQ(1u, gEditorSeen.size());
    EXPECT_EQ(static_cast<UINT>(tessaly::EM_InstrMainAndExtralStr), gEditorSeen[0].msg);
    EXPECT_EQ(0u, gEditorSeen[0].wParam);
    EXPECT_EQ(55, gEditorSeen[0].lParam);

    gEditorSeen.clear();
    PostMessageW(window->EditorWindow(), WM_CHAR, 'c', 0);
    Pump();
    ASSERT_EQ(1u, gEditorSeen.size());
    EXPECT_EQ(static_cast<UINT>(WM_CHAR), gEditorSeen[0].msg);

    // A box of the form keeps what is typed into it.
    HWND fontBox = window->ControlWindow("cmbFontName");
    HWND edit = FindWindowExW(fontBox, nullptr, L"Edit", nullptr);
    ASSERT_TRUE(edit);
    SetWindowTextW(fontBox, L"");
    gEditorSeen.clear();
    PostMessageW(edit, WM_CHAR, 'C', 0);
    PostMessageW(window->ControlWindow("RichTextBox1"), WM_CHAR, '(', 0);
    Pump();
    EXPECT_EQ(L"C", TextOf(fontBox));
    EXPECT_EQ(L"(", TextOf(window->ControlWindow("RichTextBox1")));
    EXPECT_TRUE(gEditorSeen.empty());
}

TEST_F(MainWndProcTest, LyricModePassesCapitals) {
    tessaly::aSendMsg s = Ed().SendMsg;
    s.cInputState = tessaly::GcState;
    SendMessageW(window->Handle(), tessaly::EM_SendMsg, 0, reinterpret_cast<LPARAM>(&s));
    EXPECT_EQ(L"   歌词输入模式   ", window->StatusText(5));
    EXPECT_TRUE(window->MenuChecked("InputState", 1));
    EXPECT_FALSE(window->MenuChecked("InputState", 0));
    EXPECT_EQ(BST_CHECKED, SendMessageW(window->ControlWindow("OptJpGc", 1), BM_GETCHECK, 0, 0));
    PostMessageW(window->EditorWindow(), WM_CHAR, 'C', 0);
    Pump();
    ASSERT_EQ(1u, gEditorSeen.size());
    EXPECT_EQ(static_cast<UINT>(WM_CHAR), gEditorSeen[0].msg);
}

// Two records with different colours and spacing: the colour button and panel 2 follow each.
TEST_F(MainWndProcTest, EveryStatusRecordUpdatesColourAndSpacing) {
    auto& colours = Ed().Data.ColorTbl;
    while (colours.size() < 2) colours.push_back(0);
    colours[0] = 0x000000FF;
    colours[1] = 0x0000FF00;
    struct Row {
        int16_t cf, space;
        int32_t colour;
        const wchar_t* spacing;
    } rows[] = {{0, 10, 0x000000FF, L"3.8"}, {1, 20, 0x0000FF00, L"7.6"}, {0, 0, 0x000000FF, L"0.0"}};
    for (const auto& r : rows) {
        tessaly::aSendMsg s = Ed().SendMsg;
        s.cf = r.cf;
        s.ShowWordSpace = r.space;
        s.SelFontSize = 12;
        SendMessageW(window->Handle(), tessaly::EM_SendMsg, 0, reinterpret_cast<LPARAM>(&s));
        EXPECT_EQ(r.colour, GetButtonLong(window->Button("CmdFrColor"), dispid::Button::ForeColor));
        const std::wstring expected = L"  字号：12  字距：" + std::wstring(r.spacing) + L" 毫米";
        EXPECT_EQ(window->FormDpi() == 96 ? expected : window->StatusText(2), window->StatusText(2));
        EXPECT_EQ(r.cf, window->CurSendMsg().cf);
        EXPECT_EQ(r.space, window->CurSendMsg().ShowWordSpace);
    }
    EXPECT_EQ(nullptr, window->CurSendMsg().StdFont);  // the font object is not kept
    EXPECT_FALSE(window->CurFont().name.empty());
}

TEST_F(MainWndProcTest, AlignmentButtonsFollowTheParagraph) {
    struct Row {
        int32_t alignment;
        int pressed;  // -1 none
    } rows[] = {{2, 2}, {5, 5}, {-1, -1}, {-5, -1}, {0, 0}, {6, 0}};
    for (const auto& r : rows) {
        tessaly::aSendMsg s = Ed().SendMsg;
        s.PartAlignment = static_cast<tessaly::Alignment>(r.alignment);
        SendMessageW(window->Handle(), tessaly::EM_SendMsg, 0, reinterpret_cast<LPARAM>(&s));
        for (int i = 0; i <= 5; ++i)
            EXPECT_EQ(i == r.pressed, GetButtonLong(window->Button("CmdFoamatDq", i), dispid::Button::ButtonDown) != 0)
                << r.alignment << " " << i;
    }
}

TEST_F(MainWndProcTest, ProgressScrollBarsAndAddressChecks) {
    int32_t percent = 37;
    SendMessageW(window->Handle(), tessaly::EM_RunPre, 0, reinterpret_cast<LPARAM>(&percent));
    EXPECT_EQ(L"进度 37%", window->StatusText(1));

    auto scrollBars = [&] {
        zevudu::ERECScrollBarConstants v{};
        window->Editor()->get_ScrollBars(&v);
        return static_cast<int>(v);
    };
    int32_t setting = 2;
    SendMessageW(window->Handle(), tessaly::EM_SetScrollBars, 0, reinterpret_cast<LPARAM>(&setting));
    EXPECT_EQ(2, scrollBars());
    for (int32_t bad : {0, 5, -1}) {
        setting = bad;
        SendMessageW(window->Handle(), tessaly::EM_SetScrollBars, 0, reinterpret_cast<LPARAM>(&setting));
        EXPECT_EQ(2, scrollBars()) << bad;
    }
    SendMessageW(window->Handle(), tessaly::EM_SetScrollBars, 0, 0);
    SendMessageW(window->Handle(), tessaly::EM_RunPre, 0, 0);
    SendMessageW(window->Handle(), tessaly::EM_SendMsg, 0, 0);
    SendMessageW(window->Handle(), tessaly::EM_SetHwColor, 0, 0);
    EXPECT_EQ(L"进度 37%", window->StatusText(1));

    // From another thread an address means nothing: refused.
    tessaly::aSendMsg s = Ed().SendMsg;
    s.SelStart = 999;
    percent = 55;
    setting = 3;
    HWND main = window->Handle();
    std::atomic<bool> sent = false;
    std::thread other([&] {
        SendMessageW(main, tessaly::EM_RunPre, 0, reinterpret_cast<LPARAM>(&percent));
        SendMessageW(main, tessaly::EM_SendMsg, 0, reinterpret_cast<LPARAM>(&s));
        SendMessageW(main, tessaly::EM_SetScrollBars, 0, reinterpret_cast<LPARAM>(&setting));
        sent = true;
    });
    EXPECT_TRUE(PumpUntil([&] { return sent.load(); }));
    other.join();
    EXPECT_EQ(L"进度 37%", window->StatusText(1));
    EXPECT_NE(999, window->CurSendMsg().SelStart);
    EXPECT_EQ(2, scrollBars());
}

std::vector<LPARAM> gScrolls;
LRESULT CALLBACK ScrollSpy(HWND w, UINT m, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR) {
    if (m == EM_LINESCROLL) gScrolls.push_back(lp);
    return DefSubclassProc(w, m, wp, lp);
}

TEST_F(MainWndProcTest, HelpBoxWheelScrollsOneLinePerNotch) {
    HWND help = window->ControlWindow("RichTextBox1");
    SetWindowSubclass(help, ScrollSpy, 8, 0);
    for (int delta : {-120, 120, -240, 60}) SendMessageW(help, WM_MOUSEWHEEL, MAKEWPARAM(0, delta), 0);
    RemoveWindowSubclass(help, ScrollSpy, 8);
    EXPECT_EQ((std::vector<LPARAM>{1, -1}), gScrolls);
}

TEST_F(MainWndProcTest, ActivationShowsAndHidesTheEditorsCaret) {
    gActivation.clear();
    SendMessageW(window->Handle(), WM_NCACTIVATE, FALSE, 0);
    SendMessageW(window->Handle(), WM_NCACTIVATE, TRUE, 0);
    const std::vector<std::pair<UINT, int32_t>> expected = {{tessaly::EM_HideCaret, 0}, {WM_SETFOCUS, 0}};
    EXPECT_EQ(expected, gActivation);
}

TEST_F(MainWndProcTest, PlaybackLocksMenusAndPanels) {
    SendMessageW(window->Handle(), tessaly::EM_PlayInfo, 0, 0);
    EXPECT_FALSE(window->MenuEnabled("File", -1));
    EXPECT_FALSE(window->MenuEnabled("SetPlaying", -1));
    EXPECT_FALSE(IsWindowEnabled(window->ControlWindow("TopFaceFrame")));
    SendMessageW(window->Handle(), tessaly::EM_PlayInfo, 0, 0);
    EXPECT_FALSE(window->MenuEnabled("Help", -1));
    SendMessageW(window->Handle(), tessaly::EM_PlayInfo, 1, 0);
    EXPECT_TRUE(window->MenuEnabled("File", -1));
    EXPECT_TRUE(IsWindowEnabled(window->ControlWindow("FaceFrame", 1)));
}

}  // namespace
}  // namespace tavolin::test

namespace tavolin::test {
namespace {

void CALLBACK ConfirmColour(HWND, UINT, UINT_PTR id, DWORD) {
    HWND dialog = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND w, LPARAM out) {
            wchar_t cls[16] = {};
            GetClassNameW(w, cls, 16);
            if (std::wstring(cls) != L"#32770" || !IsWindowVisible(w)) return TRUE;
            *reinterpret_cast<HWND*>(out) = w;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&dialog));
    if (!dialog) return;
    KillTimer(nullptr, id);
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
}

// The editor's colour request: the dialog starts from black whatever the editor holds, and the
// chosen colour goes back to the editor by address.
TEST_F(MainWndProcTest, ColourRequestSendsTheChosenColourBack) {
    int32_t editorColour = 0x00123456;
    SetTimer(nullptr, 0, 30, ConfirmColour);
    SendMessageW(window->Handle(), tessaly::EM_SetHwColor, 0, reinterpret_cast<LPARAM>(&editorColour));
    ASSERT_EQ(1u, gEditorSeen.size());
    EXPECT_EQ(static_cast<UINT>(tessaly::EM_SetHwColor), gEditorSeen[0].msg);
    EXPECT_EQ(0, gColourSent);  // black, as offered
    EXPECT_EQ(0x00123456, editorColour);
}

TEST_F(MainWndProcTest, SidePanelMenuHidesAndReturnsThePanels) {
    auto shown = [&](int k) { return IsWindowVisible(window->ControlWindow("FaceFrame", k)) != FALSE; };
    auto editorLeft = [&] {
        RECT r;
        GetWindowRect(window->EditorWindow(), &r);
        MapWindowPoints(nullptr, window->Handle(), reinterpret_cast<POINT*>(&r), 2);
        return r.left;
    };
    ASSERT_TRUE(shown(0) && shown(1));
    const LONG besidePanels = editorLeft();
    SendMessageW(window->Handle(), WM_COMMAND, window->MenuCommand("munToolBar", 5), 0);
    EXPECT_FALSE(shown(0) || shown(1));
    EXPECT_LT(editorLeft(), besidePanels);
    EXPECT_TRUE(window->MenuChecked("munToolBar", 5));
    EXPECT_TRUE(window->MenuChecked("munToolBar", 0));  // the stored visibility stays

    SendMessageW(window->Handle(), WM_COMMAND, window->MenuCommand("munToolBar", 1), 0);  // untick
    SendMessageW(window->Handle(), WM_COMMAND, window->MenuCommand("munToolBar", 1), 0);  // tick
    EXPECT_TRUE(shown(0) && shown(1));
    EXPECT_TRUE(window->MenuChecked("munToolBar", 3));
    EXPECT_EQ(besidePanels, editorLeft());
}

}  // namespace
}  // namespace tavolin::test
