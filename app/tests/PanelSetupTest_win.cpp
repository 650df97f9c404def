// The panel set-up in the window: the arrangement read from UserSetInfo.ini beside the program,
// the top-bar switch, the tool tips and the font boxes.
#include <windows.h>
// after windows.h
#include <commctrl.h>

#include <fstream>
#include <iterator>
#include <optional>

#include "MainWindowFixture_win.h"
#include "Modules_win.h"
#include "ScreenTestSupport_win.h"
#include "com/Create.h"
#include "outside/tests/TipWindows_win.h"

namespace tavolin::test {
namespace {

std::wstring IniPath() {
    return com::ProgramFolder() + L"UserSetInfo.ini";
}

std::wstring IniValue(const wchar_t* section, const wchar_t* key) {
    wchar_t text[64] = {};
    GetPrivateProfileStringW(section, key, L"", text, 64, IniPath().c_str());
    return text;
}

// This process's tip windows.
std::vector<HWND> OwnTips() {
    std::vector<HWND> found;
    DWORD owner = 0;
    for (HWND w = nullptr; (w = FindWindowExW(nullptr, w, TOOLTIPS_CLASSW, nullptr));)
        if (GetWindowThreadProcessId(w, &owner) && owner == GetCurrentProcessId()) found.push_back(w);
    return found;
}

struct PanelSetupTest : MainWindowTest {
    // The shipped settings beside the program are put back after each test.
    PanelSetupTest() {
        std::ifstream in(IniPath().c_str(), std::ios::binary);
        if (in) saved = std::string(std::istreambuf_iterator<char>(in), {});
        beforeCreate = [](MainWindow& w) { RegisterPanelSetup(w); };
    }
    ~PanelSetupTest() override {
        DeleteFileW(IniPath().c_str());
        if (saved) std::ofstream(IniPath().c_str(), std::ios::binary) << *saved;
    }
    void SetUp() override {
        DeleteFileW(IniPath().c_str());
        for (const auto& [section, key, value] : ini)
            WritePrivateProfileStringW(section, key, value, IniPath().c_str());
        MainWindowTest::SetUp();
    }
    RECT Placed(const char* name, int index) {
        RECT r{};
        HWND w = window->ControlWindow(name, index);
        GetWindowRect(w, &r);
        MapWindowPoints(nullptr, window->Handle(), reinterpret_cast<POINT*>(&r), 2);
        return r;
    }
    std::optional<std::string> saved;
    std::vector<std::tuple<const wchar_t*, const wchar_t*, const wchar_t*>> ini;
};

struct SwappedSlots : PanelSetupTest {
    SwappedSlots() {
        ini = {{L"0面板", L"位置", L"1"},   {L"0面板", L"大小状态", L"0"}, {L"0面板", L"可见性", L"1"},
               {L"1面板", L"位置", L"0"},   {L"1面板", L"大小状态", L"1"}, {L"1面板", L"可见性", L"1"},
               {L"上方面板", L"显示", L"0"}};
    }
};

TEST_F(SwappedSlots, RestoresTheOrderAndTheTopBarSwitchIsStored) {
    const RECT upper = Placed("FaceFrame", 1), lower = Placed("FaceFrame", 0);
    EXPECT_LT(upper.top, lower.top);
    EXPECT_EQ(window->TwipsToPixels(500), upper.bottom - upper.top);  // collapsed
    EXPECT_FALSE(IsWindowVisible(window->ControlWindow("TopFaceFrame")));
    EXPECT_FALSE(window->MenuChecked("ShowTopBar", -1));
    EXPECT_EQ(L"1", IniValue(L"0面板", L"位置"));

    const UINT topBar = window->MenuCommand("ShowTopBar", -1);
    SendMessageW(window->Handle(), WM_COMMAND, topBar, 0);
    EXPECT_TRUE(IsWindowVisible(window->ControlWindow("TopFaceFrame")));
    EXPECT_EQ(L"1", IniValue(L"上方面板", L"显示"));
    EXPECT_LT(upper.top, Placed("FaceFrame", 1).top) << "the side panels move below the top bar";
    SendMessageW(window->Handle(), WM_COMMAND, topBar, 0);
    EXPECT_EQ(L"0", IniValue(L"上方面板", L"显示"));
    EXPECT_EQ(upper.top, Placed("FaceFrame", 1).top);
}

struct BrokenSlots : PanelSetupTest {
    BrokenSlots() { ini = {{L"0面板", L"位置", L"7"}, {L"1面板", L"位置", L"0"}, {L"1面板", L"可见性", L"0"}}; }
};

TEST_F(BrokenSlots, EveryPanelGetsASlotAndTheBoxesAndTipsAreFilled) {
    EXPECT_EQ(1, window->Panels().FindPanelSlot(0));
    EXPECT_EQ(0, window->Panels().FindPanelSlot(1));
    EXPECT_TRUE(IsWindowVisible(window->ControlWindow("FaceFrame", 1)));
    EXPECT_FALSE(IsWindowVisible(window->ControlWindow("FaceFrame", 0)));
    EXPECT_EQ(L"1", IniValue(L"0面板", L"位置"));
    EXPECT_EQ(L"0", IniValue(L"1面板", L"位置"));

    HWND sizes = window->ControlWindow("CmbFontSize"), names = window->ControlWindow("cmbFontName");
    EXPECT_EQ(25, SendMessageW(sizes, CB_GETCOUNT, 0, 0));
    wchar_t text[64] = {};
    GetWindowTextW(sizes, text, 64);
    EXPECT_STREQ(L"三号", text);
    GetWindowTextW(names, text, 64);
    EXPECT_STREQ(L"宋体", text);
    const LRESULT fonts = SendMessageW(names, CB_GETCOUNT, 0, 0);
    EXPECT_LT(0, fonts);
    for (LRESULT i = 0; i < fonts; ++i) {  // each face once, whatever its character sets
        SendMessageW(names, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        EXPECT_EQ(i, SendMessageW(names, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text)));
    }

    EXPECT_TRUE(window->Panels().MarkInfoOn);

    HWND tips = nullptr, dragTips = nullptr;
    for (HWND w : OwnTips()) (SendMessageW(w, TTM_GETTOOLCOUNT, 0, 0) >= 60 ? tips : dragTips) = w;
    ASSERT_TRUE(tips);
    EXPECT_EQ(60, SendMessageW(tips, TTM_GETTOOLCOUNT, 0, 0));
    HWND tripletButton = window->ControlWindow("MunButton", 21);
    EXPECT_EQ(L"三连音", ToolText(tips, tripletButton));
    ASSERT_TRUE(dragTips);
    EXPECT_EQ(2, SendMessageW(dragTips, TTM_GETTOOLCOUNT, 0, 0));
    for (int k = 0; k < 2; ++k)
        EXPECT_EQ(L"鼠标拖动调整位置", ToolText(dragTips, window->ControlWindow("FaceFrame", k), window->Handle()));
}

struct TopBarShown : PanelSetupTest {
    TopBarShown() { ini = {{L"上方面板", L"显示", L"1"}}; }
};

TEST_F(TopBarShown, TheMouseRestingOnAButtonShowsItsTip) {
    HWND button = window->ControlWindow("MunButton", 21);
    ASSERT_TRUE(IsWindowVisible(button));
    RECT r{};
    GetWindowRect(button, &r);
    SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    PostMessageW(button, WM_MOUSEMOVE, 0, MAKELPARAM((r.right - r.left) / 2, (r.bottom - r.top) / 2));
    HWND shown = nullptr;
    ASSERT_TRUE(PumpUntil([&] {
        for (HWND w : OwnTips())
            if (IsWindowVisible(w)) shown = w;
        return shown != nullptr;
    })) << "no tip on hover";
    TOOLINFOW current{};
    current.cbSize = sizeof(current);
    ASSERT_TRUE(SendMessageW(shown, TTM_GETCURRENTTOOLW, 0, reinterpret_cast<LPARAM>(&current)));
    EXPECT_EQ(reinterpret_cast<UINT_PTR>(button), current.uId);
    EXPECT_EQ(L"三连音", ToolText(shown, button, current.hwnd));
    RECT shot{}, tip{};
    GetWindowRect(window->Handle(), &shot);
    GetWindowRect(shown, &tip);
    UnionRect(&shot, &shot, &tip);
    if (win::InitGDIPlus(false, L"", 0, L"") == Gdiplus::Ok) {
        notaline::test::SaveScreenPng(shot, L"button_tip_shot.png");
        win::TerminateGDIPlus();
    }
}

TEST_F(TopBarShown, StatusPanelsOneToSixAreCentredAndAsWideAsTheirTexts) {
    HWND bar = window->ControlWindow("StatusBar1");
    const std::wstring texts[6] = {L"行 1", L"宋体 三号", L"行距：0", L"第 100/1000 页", L"  简谱输入模式  ", L"100%"};
    for (int i = 0; i < 6; ++i) window->SetStatusText(i + 1, texts[i]);
    wchar_t shown[64] = {};
    const auto centred = [&](int i) {  // a leading tab centres a part's text
        SendMessageW(bar, SB_GETTEXTW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(shown));
        return L"\t" + texts[i] == shown;
    };
    ASSERT_TRUE(PumpUntil([&] { return centred(3); }));
    const win::OwnedDc measure(CreateCompatibleDC(nullptr));
    HDC dc = measure.Get();
    SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(bar, WM_GETFONT, 0, 0)));
    int rights[8] = {};
    ASSERT_EQ(7, SendMessageW(bar, SB_GETPARTS, 8, reinterpret_cast<LPARAM>(rights)));
    for (int i = 0; i < 6; ++i) {
        SIZE size{};
        GetTextExtentPoint32W(dc, texts[i].c_str(), static_cast<int>(texts[i].size()), &size);
        EXPECT_EQ(size.cx + 12, rights[i] - (i ? rights[i - 1] : 0)) << "panel " << i + 1;
        EXPECT_TRUE(centred(i)) << "panel " << i + 1;
    }
    EXPECT_EQ(-1, rights[6]);
}

// A panel whose text changes in place is painted anew with the next paint, as a whole repaint
// would show it: nothing stale stays on the bar.
TEST_F(TopBarShown, AStatusPanelChangedInPlaceIsRepainted) {
    HWND bar = window->ControlWindow("StatusBar1");
    RECT part{};
    const auto shown = [&] {
        UpdateWindow(bar);
        return win::test::PixelsOf(win::test::CopyOf(win::WindowDc(bar).Get(), part).Get(), part.right - part.left,
                                   part.bottom - part.top);
    };
    window->SetStatusText(3, L"行距：0");
    Pump();
    ASSERT_TRUE(SendMessageW(bar, SB_GETRECT, 2, reinterpret_cast<LPARAM>(&part)));
    const auto before = shown();
    window->SetStatusText(3, L"行距：8");  // as wide: the parts stay where they are
    Pump();
    RECT now{};
    SendMessageW(bar, SB_GETRECT, 2, reinterpret_cast<LPARAM>(&now));
    ASSERT_TRUE(EqualRect(&now, &part));
    const auto after = shown();
    EXPECT_NE(before, after);
    RedrawWindow(bar, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE);
    EXPECT_EQ(shown(), after);
}

// A window grown or shrunk, in width, height or both, shows on its bar, panels, face and editor
// (its frame and scroll bars too) what a whole repaint shows: nothing of their old edges, captions
// or size grip, nor of the editor where it was, stays behind.
TEST_F(TopBarShown, AResizedWindowLeavesNothingStaleOnTheBarAndPanels) {
    HWND form = window->Handle(), editor = window->ControlWindow("ZEVudu1");
    SetFocus(form);  // no caret blinking in the pictures
    const auto shown = [&] {
        RedrawWindow(form, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        std::vector<std::vector<uint32_t>> pictures;
        for (HWND w : {window->ControlWindow("StatusBar1"), window->ControlWindow("TopFaceFrame"),
                       window->ControlWindow("FaceFrame", 0), window->ControlWindow("FaceFrame", 1)}) {
            RECT r{};
            if (!IsWindowVisible(w)) continue;
            GetClientRect(w, &r);
            pictures.push_back(
                win::test::PixelsOf(win::test::CopyOf(win::WindowDc(w).Get(), r).Get(), r.right, r.bottom));
        }
        RECT framed{};
        GetWindowRect(editor, &framed);
        OffsetRect(&framed, -framed.left, -framed.top);
        const win::FrameDc whole(editor);
        pictures.push_back(
            win::test::PixelsOf(win::test::CopyOf(whole.Get(), framed).Get(), framed.right, framed.bottom));
        // The form's face right of the editor and below it, where a shrunk editor was, and right of
        // the top panel, where a narrower one leaves its old edge.
        RECT client{}, editor = Placed("ZEVudu1", -1), bar = Placed("StatusBar1", -1), top = Placed("TopFaceFrame", -1);
        GetClientRect(form, &client);
        for (const RECT face : {RECT{editor.right, editor.top, client.right, editor.bottom},
                                RECT{editor.left, editor.bottom, client.right, bar.top},
                                RECT{top.right, top.top, client.right, top.bottom}})
            if (face.right > face.left && face.bottom > face.top)
                pictures.push_back(win::test::PixelsOf(win::test::CopyOf(win::WindowDc(form).Get(), face).Get(),
                                                       face.right - face.left, face.bottom - face.top));
        return pictures;
    };
    const SIZE sizes[] = {{900, 650}, {960, 700}, {1000, 700}, {930, 700}, {930, 760}, {930, 620}, {880, 600}};
    for (const SIZE size : sizes) {
        SetWindowPos(form, nullptr, 0, 0, size.cx, size.cy, SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
        Pump();
        const auto resized = shown();
        RedrawWindow(form, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
        EXPECT_TRUE(shown() == resized) << size.cx << " x " << size.cy;
    }
    RECT at{};
    GetWindowRect(form, &at);
    notaline::test::SaveScreenPng(at, L"form_after_resize.png");
}

// A wider window spoils only a band along the bar's and the top panel's right edges: the rest of
// them and the panel's buttons keep their pictures.
TEST_F(TopBarShown, AWiderWindowSpoilsOnlyTheRightEdgesOfTheBarAndPanel) {
    HWND form = window->Handle();
    RECT was{};
    GetWindowRect(form, &was);
    RedrawWindow(form, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    SetWindowPos(form, nullptr, 0, 0, was.right - was.left + 40, was.bottom - was.top,
                 SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
    for (HWND w : {window->ControlWindow("StatusBar1"), window->ControlWindow("TopFaceFrame")}) {
        RECT client{}, spoiled{};
        GetClientRect(w, &client);
        ASSERT_TRUE(GetUpdateRect(w, &spoiled, FALSE));
        EXPECT_GT(spoiled.left, client.right - 80);
        EXPECT_EQ(client.right, spoiled.right);
    }
    for (int i = 0; i < 4; ++i) EXPECT_FALSE(GetUpdateRect(window->ControlWindow("CmdFormatYc", i), nullptr, FALSE));
}

// Moved down, the bar keeps its bits: only the band of its right edge repaints, and only when its
// width changed. (A shorter window leaves the bar's old place outside it: nothing to keep.)
TEST_F(TopBarShown, ATallerWindowSpoilsOnlyTheRightEdgeOfTheMovedBar) {
    HWND form = window->Handle(), bar = window->ControlWindow("StatusBar1");
    for (const SIZE by : {SIZE{0, 60}, SIZE{24, 30}, SIZE{40, 90}}) {
        RedrawWindow(form, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        RECT was{}, client{}, spoiled{};
        GetWindowRect(form, &was);
        SetWindowPos(form, nullptr, 0, 0, was.right - was.left + by.cx, was.bottom - was.top + by.cy,
                     SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
        GetClientRect(bar, &client);
        ASSERT_EQ(GetUpdateRect(bar, &spoiled, FALSE) != FALSE, by.cx != 0) << by.cx << " x " << by.cy;
        if (by.cx != 0) {
            EXPECT_GT(spoiled.left, client.right - 80);
        }
    }
}

LRESULT CALLBACK CountingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    const win::ChainLink link = win::ChainedTo(hwnd, &CountingProc);
    if (msg == WM_GETTEXT || msg == WM_GETTEXTLENGTH || msg == WM_SETTEXT || msg == WM_WINDOWPOSCHANGING)
        ++*static_cast<int*>(link.Data);
    return CallWindowProcW(link.Previous, hwnd, msg, wParam, lParam);
}

// A resize leaves alone what keeps its place: the side panels are not moved and their arrows are
// not asked for their text.
TEST_F(TopBarShown, AResizeLeavesTheSidePanelsAndTheirArrowsAlone) {
    int messages = 0;
    const HWND kept[] = {window->ControlWindow("FaceFrame", 0), window->ControlWindow("FaceFrame", 1),
                         window->ControlWindow("Label2", 0), window->ControlWindow("Label2", 1)};
    for (HWND w : kept) ASSERT_TRUE(win::ChainProcedure(w, &CountingProc, &messages));
    for (const SIZE size : {SIZE{900, 650}, SIZE{960, 700}, SIZE{880, 600}}) {
        SetWindowPos(window->Handle(), nullptr, 0, 0, size.cx, size.cy, SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
        Pump();
    }
    for (HWND w : kept) win::UnchainProcedure(w, &CountingProc);
    EXPECT_EQ(messages, 0);
}

TEST_F(SwappedSlots, SplitterDragStopsAtTheEditorMinimumAndTheReleaseSizesThePicture) {
    window->Panels().RefPictureShown = 1;
    window->ReShowForm();
    HWND bar = window->ControlWindow("Picture1");
    ASSERT_TRUE(IsWindowVisible(bar));
    const RECT editor = Placed("ZEVudu1", -1);
    // Another test program's window may have taken the desktop's activation, and with it our focus.
    SetForegroundWindow(window->Handle());
    ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == window->Handle(); }));
    PostMessageW(bar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 2));
    PostMessageW(bar, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(5, static_cast<WORD>(-2000)));
    PostMessageW(bar, WM_LBUTTONUP, 0, MAKELPARAM(5, static_cast<WORD>(-2000)));
    ASSERT_TRUE(PumpUntil([&] { return Placed("Picture1", -1).top <= editor.top + window->TwipsToPixels(1200) + 1; }));
    Pump();
    const RECT placed = Placed("ZEVudu1", -1), picture = Placed("图片容器1", -1);
    EXPECT_NEAR(window->TwipsToPixels(1200), placed.bottom - placed.top, 1);
    EXPECT_NEAR(window->TwipsToPixels(180), Placed("Picture1", -1).bottom - Placed("Picture1", -1).top, 1);
    EXPECT_NEAR(Placed("Picture1", -1).bottom, picture.top, 1);
    // The keys are the editor's once the window is active again, whoever took the activation meanwhile.
    SetForegroundWindow(window->Handle());
    EXPECT_TRUE(PumpUntil([&] { return GetFocus() == window->EditorWindow(); }));
}

TEST_F(BrokenSlots, DroppingAPanelAboveTheOtherSwapsTheSlotsAndElsewhereNothing) {
    window->Panels().PanelStates[1].PanelVisible = true;  // both shown: panel 1 above panel 0
    window->SavePanelState();
    HWND lower = window->ControlWindow("FaceFrame", 0);
    ASSERT_TRUE(IsWindowVisible(lower));
    auto drop = [&](HWND panel, POINT formPoint) {
        MapWindowPoints(window->Handle(), panel, &formPoint, 1);
        PostMessageW(panel, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        PostMessageW(panel, WM_LBUTTONUP, 0, MAKELPARAM(formPoint.x, formPoint.y));
        Pump();
    };
    const RECT editor = Placed("ZEVudu1", -1);
    drop(lower, {editor.left + 20, editor.top + 5});  // onto the editor: stays
    EXPECT_EQ(L"1", IniValue(L"0面板", L"位置"));
    EXPECT_LT(Placed("FaceFrame", 1).top, Placed("FaceFrame", 0).top);

    drop(lower, {Placed("FaceFrame", 1).left + 5, Placed("FaceFrame", 1).top - 3});  // the gap above: the form
    EXPECT_EQ(L"0", IniValue(L"0面板", L"位置"));
    EXPECT_EQ(L"1", IniValue(L"1面板", L"位置"));
    EXPECT_LT(Placed("FaceFrame", 0).top, Placed("FaceFrame", 1).top);
}

struct PlaybackLockTest : MainWindowTest {
    PlaybackLockTest() {
        beforeCreate = [this](MainWindow& w) {
            w.Router().Add("OpenFile", [this](int) { ++opened; });
            w.Router().Add("PausePlay", [this](int) { ++paused; });
        };
    }
    // Ctrl+O as the message loop meets it.
    void CtrlO() {
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        keys[VK_CONTROL] = 0x80;
        SetKeyboardState(keys);
        MSG open{window->EditorWindow(), WM_KEYDOWN, 'O', 0, 0, {}};
        window->PreTranslate(open);
        keys[VK_CONTROL] = 0;
        SetKeyboardState(keys);
    }
    int opened = 0, paused = 0;
};

TEST_F(PlaybackLockTest, PlayInfoLocksAndUnlocksExactlyTheListedControls) {
    const struct {
        const char* name;
        int index;
        bool locks;
    } menus[] = {{"File", -1, true},  {"FileEdit", -1, true},   {"Setting", -1, true},    {"Common", -1, true},
                 {"YueQi", -1, true}, {"Help", -1, true},       {"PlayMusic", -1, true},  {"SetPlaying", -1, true},
                 {"Play", -1, false}, {"PausePlay", -1, false}, {"CloesMusic", -1, false}};
    const UINT open = window->MenuCommand("OpenFile", -1);
    for (int round = 0; round < 2; ++round) {
        SendMessageW(window->Handle(), tessaly::EM_PlayInfo, 0, 0);
        SendMessageW(window->Handle(), tessaly::EM_PlayInfo, 0, 0);  // twice: stays locked
        for (const auto& m : menus) EXPECT_EQ(!m.locks, window->MenuEnabled(m.name, m.index)) << m.name;
        for (int k = 0; k < 2; ++k) EXPECT_FALSE(IsWindowEnabled(window->ControlWindow("FaceFrame", k)));
        EXPECT_FALSE(IsWindowEnabled(window->ControlWindow("TopFaceFrame")));
        SendMessageW(window->Handle(), WM_COMMAND, open, 0);
        CtrlO();
        EXPECT_EQ(round, opened) << "a locked command ran";
        SendMessageW(window->Handle(), WM_COMMAND, window->MenuCommand("PausePlay", -1), 0);
        EXPECT_EQ(round + 1, paused);

        SendMessageW(window->Handle(), tessaly::EM_PlayInfo, 1, 0);
        for (const auto& m : menus) EXPECT_TRUE(window->MenuEnabled(m.name, m.index)) << m.name;
        EXPECT_TRUE(IsWindowEnabled(window->ControlWindow("FaceFrame", 1)));
        SendMessageW(window->Handle(), WM_COMMAND, open, 0);
        EXPECT_EQ(round + 1, opened);
    }
}

}  // namespace
}  // namespace tavolin::test
