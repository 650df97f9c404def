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
#include "com/Create.h"

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
        ini = {{L"0面板", L"位置", L"1"}, {L"0面板", L"大小状态", L"0"}, {L"0面板", L"可见性", L"1"},
               {L"1面板", L"位置", L"0"}, {L"1面板", L"大小状态", L"1"}, {L"1面板", L"可见性", L"1"},
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
    EXPECT_LT(0, SendMessageW(names, CB_GETCOUNT, 0, 0));

    HWND tips = nullptr;
    DWORD pid = GetCurrentProcessId(), owner = 0;
    for (HWND w = nullptr; (w = FindWindowExW(nullptr, w, TOOLTIPS_CLASSW, nullptr));)
        if (GetWindowThreadProcessId(w, &owner) && owner == pid && SendMessageW(w, TTM_GETTOOLCOUNT, 0, 0) >= 60)
            tips = w;
    ASSERT_TRUE(tips);
    EXPECT_EQ(60, SendMessageW(tips, TTM_GETTOOLCOUNT, 0, 0));
    wchar_t tip[256] = {};
    TOOLINFOW ti{};
    ti.cbSize = sizeof(ti);
    HWND tripletButton = window->ControlWindow("MunButton", 21);
    ti.hwnd = GetParent(tripletButton);
    ti.uId = reinterpret_cast<UINT_PTR>(tripletButton);
    ti.lpszText = tip;
    SendMessageW(tips, TTM_GETTEXTW, 256, reinterpret_cast<LPARAM>(&ti));
    EXPECT_STREQ(L"三连音", tip);
}

TEST_F(SwappedSlots, SplitterDragStopsAtTheEditorMinimumAndTheReleaseSizesThePicture) {
    window->Panels().RefPictureShown = 1;
    window->ReShowForm();
    HWND bar = window->ControlWindow("Picture1");
    ASSERT_TRUE(IsWindowVisible(bar));
    const RECT editor = Placed("ZEVudu1", -1);
    PostMessageW(bar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 2));
    PostMessageW(bar, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(5, static_cast<WORD>(-2000)));
    PostMessageW(bar, WM_LBUTTONUP, 0, MAKELPARAM(5, static_cast<WORD>(-2000)));
    ASSERT_TRUE(PumpUntil([&] { return Placed("Picture1", -1).top <= editor.top + window->TwipsToPixels(1200) + 1; }));
    Pump();
    const RECT placed = Placed("ZEVudu1", -1), picture = Placed("图片容器1", -1);
    EXPECT_NEAR(window->TwipsToPixels(1200), placed.bottom - placed.top, 1);
    EXPECT_NEAR(window->TwipsToPixels(180), Placed("Picture1", -1).bottom - Placed("Picture1", -1).top, 1);
    EXPECT_NEAR(Placed("Picture1", -1).bottom, picture.top, 1);
    EXPECT_EQ(window->EditorWindow(), GetFocus());
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
        beforeCreate = [this](MainWindow& w) { w.Router().Add("OpenFile", [this](int) { ++opened; }); };
    }
    int opened = 0;
};

TEST_F(PlaybackLockTest, PlayInfoLocksAndUnlocksExactlyTheListedControls) {
    const struct {
        const char* name;
        int index;
        bool locks;
    } menus[] = {{"File", -1, true},       {"FileEdit", -1, true}, {"Setting", -1, true}, {"Common", -1, true},
                 {"YueQi", -1, true},      {"Help", -1, true},     {"PlayMusic", -1, true}, {"SetPlaying", -1, true},
                 {"Play", -1, false},      {"PausePlay", -1, false}, {"CloesMusic", -1, false}};
    const UINT open = window->MenuCommand("OpenFile", -1);
    for (int round = 0; round < 2; ++round) {
        SendMessageW(window->Handle(), tessaly::EM_PlayInfo, 0, 0);
        SendMessageW(window->Handle(), tessaly::EM_PlayInfo, 0, 0);  // twice: stays locked
        for (const auto& m : menus) EXPECT_EQ(!m.locks, window->MenuEnabled(m.name, m.index)) << m.name;
        for (int k = 0; k < 2; ++k) EXPECT_FALSE(IsWindowEnabled(window->ControlWindow("FaceFrame", k)));
        EXPECT_FALSE(IsWindowEnabled(window->ControlWindow("TopFaceFrame")));
        SendMessageW(window->Handle(), WM_COMMAND, open, 0);
        EXPECT_EQ(round, opened) << "a locked command ran";

        SendMessageW(window->Handle(), tessaly::EM_PlayInfo, 1, 0);
        for (const auto& m : menus) EXPECT_TRUE(window->MenuEnabled(m.name, m.index)) << m.name;
        EXPECT_TRUE(IsWindowEnabled(window->ControlWindow("FaceFrame", 1)));
        SendMessageW(window->Handle(), WM_COMMAND, open, 0);
        EXPECT_EQ(round + 1, opened);
    }
}

}  // namespace
}  // namespace tavolin::test
