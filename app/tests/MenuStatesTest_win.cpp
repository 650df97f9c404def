// The menus' states as they open, shortcuts on the states of now, and the playback menu played
// through a recording MIDI output.
#include <gtest/gtest.h>

#include "FakeLayout.h"
#include "MainWindowFixture_win.h"
#include "MenuTable.h"
#include "Modules_win.h"
#include "MusicFixture.h"
#include "ScreenTestSupport_win.h"
#include "control/Editor_win.h"
#include "control/MusicPlayer_win.h"
#include "model/LayoutSetup.h"
#include "tools/tests/DialogCloser_win.h"

namespace tavolin::test {
namespace {

struct MenuStatesTest : MainWindowTest {
    MenuStatesTest() {
        beforeCreate = [](MainWindow& form) {
            RegisterEditFormat(form);
            RegisterMenuStates(form);
            RegisterPlaySettings(form);
        };
    }
    notaline::Editor& Ed() { return *factory.hosted->Running(); }
    IZEVudu* Z() { return window->Editor(); }
    void Run(const char* name, int index = -1) { ASSERT_TRUE(window->Router().Run(name, index)) << name; }
    void Type(const std::string& text) {
        const int32_t want = Ed().Data.WordCount() + static_cast<int32_t>(text.size());
        for (char c : text) PostMessageW(window->EditorWindow(), WM_CHAR, static_cast<unsigned char>(c), 0);
        ASSERT_TRUE(PumpUntil([&] { return Ed().Data.WordCount() == want; })) << text;
    }
    void Select(int32_t start, int32_t length) { Z()->put_SelStart(start), Z()->put_SelLength(length); }
    HMENU TopMenu(const wchar_t* caption) {
        HMENU bar = GetMenu(window->Handle());
        for (int i = 0; i < GetMenuItemCount(bar); ++i)
            if (TextAt(bar, i) == caption) return GetSubMenu(bar, i);
        ADD_FAILURE() << "no menu";
        return nullptr;
    }
    // The top menu about to open, as the window hears of it.
    void Open(const wchar_t* caption) {
        SendMessageW(window->Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(TopMenu(caption)), 0);
    }
    // The menu dropped down as a user sees it, kept as a picture, then closed.
    static void CALLBACK Capture(HWND, UINT, UINT_PTR timer, DWORD) {
        KillTimer(nullptr, timer);
        notaline::test::SaveScreenPng({0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)},
                                      L"menu_states_common.png");
        EndMenu();
    }
    void DropDown(const wchar_t* caption) {
        RECT r{};
        GetWindowRect(window->Handle(), &r);
        SetTimer(nullptr, 0, 500, Capture);
        TrackPopupMenu(TopMenu(caption), TPM_LEFTALIGN | TPM_TOPALIGN, r.left + 60, r.top + 50, 0, window->Handle(),
                       nullptr);
    }
    // The item as the menu bar shows it: found by its parent's caption and its own.
    static std::wstring TextAt(HMENU menu, int position) {
        wchar_t text[64] = {};
        GetMenuStringW(menu, position, text, 64, MF_BYPOSITION);
        const std::wstring s = text;
        return s.substr(0, s.find(L'\t'));
    }
    static HMENU Popup(HMENU menu, const std::wstring& caption) {
        for (int i = 0; menu && i < GetMenuItemCount(menu); ++i) {
            HMENU sub = GetSubMenu(menu, i);
            if (!sub) continue;
            if (TextAt(menu, i) == caption) return sub;
            if (HMENU found = Popup(sub, caption)) return found;
        }
        return nullptr;
    }
    UINT Shown(const char* name, int index, std::wstring* text = nullptr) {
        HMENU bar = GetMenu(window->Handle());
        const char* parent = MenuItems()[FindMenuItem(name, index)].parent;
        HMENU menu = Popup(bar, window->MenuCaption(parent, -1));
        for (int i = 0; menu && i < GetMenuItemCount(menu); ++i)
            if (TextAt(menu, i) == window->MenuCaption(name, index)) {
                if (text) *text = TextAt(menu, i);
                return GetMenuState(menu, i, MF_BYPOSITION);
            }
        ADD_FAILURE() << name << index << " not shown";
        return 0;
    }
    bool Greyed(const char* name, int index) { return Shown(name, index) & MF_GRAYED; }
    void Keys(BYTE vk, bool down) {
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        keys[vk] = down ? 0x80 : 0;
        SetKeyboardState(keys);
    }
    // A song of a few seconds, played on the recording output.
    void LoadSong(int32_t openResult) {
        notaline::test::FakeDocumentSource source;
        source.Files[u"song.dadur"] = notaline::test::SongDocument("[1---|2---|3---|4---|5---|6---]");
        notaline::LoadJpFile(Ed().Data, source, *Ed().Renderer, Ed(), reinterpret_cast<intptr_t>(window->Handle()),
                             u"song.dadur");
        Ed().Player = std::make_unique<notaline::MusicPlayer>();
        out.OpenResult = openResult;
        Ed().Player->Windows.Shared.Out = &out;
    }
    void TearDown() override {
        if (factory.hosted) Z()->关闭音乐();
        MainWindowTest::TearDown();
    }

    tessaly::RecordingMidiOut out;
};

TEST_F(MenuStatesTest, MarkMenusFollowTheModeAndTheSelection) {
    Type("1234567");
    Run("InputState", 3);
    Open(L"通用(&C)");
    EXPECT_FALSE(Greyed("MyLPX", -1));
    for (const char* name : {"JPH", "AboutXJX", "LSXL", "FormatYC", "AboutHuXian", "ZSYH", "HQ", "CustomWord"})
        EXPECT_TRUE(Greyed(name, -1)) << name;
    Open(L"设置(&S)");
    EXPECT_TRUE(Greyed("LINE888", -1));
    EXPECT_TRUE(Greyed("YGYCPos", -1));

    Run("InputState", 0);
    Select(2, 1);
    DropDown(L"通用(&C)");
    for (auto [name, index] : {std::pair{"TFZ", 0}, {"HuXian", 0}, {"HuXian", 1}, {"HuaYng", 8}})
        EXPECT_TRUE(Greyed(name, index)) << name;
    for (auto [name, index] : {std::pair{"FYC", 0}, {"YG", 8}, {"ZhuagSeYing", 10}, {"MyLPX", -1}})
        EXPECT_EQ(name == std::string_view("MyLPX"), Greyed(name, index)) << name;

    // Four characters selected backwards, as Shift+Left does.
    Select(6, 0);
    Keys(VK_SHIFT, true);
    for (int i = 0; i < 4; ++i) PostMessageW(window->EditorWindow(), WM_KEYDOWN, VK_LEFT, 0);
    const bool selected = PumpUntil([&] { return Ed().Data.SelLength == -4; });
    Keys(VK_SHIFT, false);
    ASSERT_TRUE(selected);
    Open(L"通用(&C)");
    for (auto [name, index] : {std::pair{"TFZ", 0}, {"TFZ", 1}, {"HuXian", 0}, {"HuXian", 1}, {"HuaYng", 8}})
        EXPECT_FALSE(Greyed(name, index)) << name;
    EXPECT_TRUE(Greyed("ZhuagSeYing", 10));
    Open(L"二胡(&R)");
    EXPECT_FALSE(Greyed("GFHuHao", 3));
}

TEST_F(MenuStatesTest, TargetLineCaptions) {
    Select(0, 0);
    Run("InputState", 0);
    Type("123");
    Z()->put_CPdqLine(0);
    LONG line = -1;
    Z()->get_CPdqLine(&line);
    ASSERT_EQ(0, line);
    Open(L"设置(&S)");
    EXPECT_EQ(L"目标行：0", window->MenuCaption("Mydq", 0));
    EXPECT_FALSE(Greyed("Mydq", 1));
    EXPECT_EQ(L"目标行：无", window->MenuCaption("MyXjdq", 0));
    EXPECT_TRUE(Greyed("MyXjdq", 1));
    Z()->put_CPdqLine(-1);
    Open(L"设置(&S)");
    std::wstring shown;
    Shown("Mydq", 0, &shown);
    EXPECT_EQ(L"目标行：无", shown);
    EXPECT_TRUE(Greyed("Mydq", 1));
}

// Copy was greyed at the last opening of 编辑, with nothing selected; the key copies what is now.
TEST_F(MenuStatesTest, ShortcutsActOnTheStatesOfNow) {
    Type("1234");
    Select(1, 0);
    Open(L"编辑(&E)");
    ASSERT_TRUE(Greyed("CopyWord", -1));
    Select(0, 2);
    ASSERT_TRUE(OpenClipboard(window->Handle()));
    EmptyClipboard();
    CloseClipboard();
    Keys(VK_CONTROL, true);
    PostMessageW(window->EditorWindow(), WM_KEYDOWN, 'C', 0);
    const bool copied = PumpUntil([] { return IsClipboardFormatAvailable(CF_UNICODETEXT) != 0; });
    Keys(VK_CONTROL, false);
    EXPECT_TRUE(copied);
    EXPECT_FALSE(Greyed("CopyWord", -1));
}

TEST_F(MenuStatesTest, PlayPauseResumeAndStop) {
    LoadSong(0);
    Open(L"演奏(&P)");
    EXPECT_TRUE(Greyed("PausePlay", -1));
    EXPECT_TRUE(Greyed("CloesMusic", -1));
    Run("PlayMusic");
    EXPECT_FALSE(Greyed("PausePlay", -1));
    EXPECT_FALSE(Greyed("CloesMusic", -1));
    EXPECT_FALSE(window->MenuEnabled("File", -1));  // locked while it plays
    Run("PausePlay");
    EXPECT_EQ(L"继续", window->MenuCaption("PausePlay", -1));
    EXPECT_TRUE(Greyed("CloesMusic", -1));
    Run("PausePlay");
    EXPECT_EQ(L"暂停", window->MenuCaption("PausePlay", -1));
    EXPECT_FALSE(Greyed("CloesMusic", -1));
    // Paused, the menu opened again offers stop; stopped, nothing is left paused.
    Run("PausePlay");
    Open(L"演奏(&P)");
    EXPECT_FALSE(Greyed("CloesMusic", -1));
    Run("CloesMusic");
    EXPECT_EQ(L"暂停", window->MenuCaption("PausePlay", -1));
    EXPECT_TRUE(window->MenuEnabled("File", -1));
    Open(L"演奏(&P)");
    EXPECT_EQ(L"暂停", window->MenuCaption("PausePlay", -1));
    EXPECT_TRUE(Greyed("PausePlay", -1));
    EXPECT_TRUE(Greyed("CloesMusic", -1));
    EXPECT_FALSE(out.Messages.empty());
}

TEST_F(MenuStatesTest, WithoutAnOutputPlayTellsOnceAndLocksNothing) {
    LoadSong(1);
    DialogCloser box(IDOK);
    Run("PlayMusic");
    EXPECT_EQ(std::vector<std::wstring>{L"无法打开MIDI设备"}, box.Texts());
    EXPECT_TRUE(window->MenuEnabled("File", -1));
    EXPECT_TRUE(window->MenuEnabled("PlayMusic", -1));
    EXPECT_TRUE(Greyed("PausePlay", -1));
    EXPECT_TRUE(Greyed("CloesMusic", -1));
}

}  // namespace
}  // namespace tavolin::test
