// The menus' states as they open, shortcuts on the states of now, and the playback menu played
// through a recording MIDI output.
#include <gtest/gtest.h>

#include "FakeLayout.h"
#include "MainWindowFixture_win.h"
#include "Modules_win.h"
#include "MusicFixture.h"
#include "ScreenTestSupport_win.h"
#include "control/MusicPlayer_win.h"
#include "model/LayoutSetup.h"
#include "tools/tests/DialogCloser_win.h"

namespace tavolin::test {
namespace {

struct MenuStatesTest : MainWindowTest {
    MenuStatesTest() { beforeCreate = [](MainWindow& form) { RegisterModules(form); }; }
    void TearDown() override {
        if (factory.hosted) Z()->关闭音乐();
        MainWindowTest::TearDown();
    }
    HMENU TopMenu(const wchar_t* caption) {
        HMENU bar = GetMenu(window->Handle());
        wchar_t text[32];
        for (int i = 0; GetMenuStringW(bar, i, text, 32, MF_BYPOSITION) > 0; ++i)
            if (std::wstring(text) == caption) return GetSubMenu(bar, i);
        return nullptr;
    }
    // The top menu about to open, as the window hears of it.
    void Open(const wchar_t* caption) {
        SendMessageW(window->Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(TopMenu(caption)), 0);
    }
    bool On(const char* name, int index = -1) { return window->MenuEnabled(name, index); }
    static void CALLBACK Capture(HWND, UINT, UINT_PTR timer, DWORD) {
        KillTimer(nullptr, timer);
        notaline::test::SaveScreenPng({0, 0, 700, 800}, L"menu_states_common.png");
        EndMenu();
    }
    void Keys(BYTE vk, bool down) {
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        keys[vk] = down ? 0x80 : 0;
        SetKeyboardState(keys);
    }
    tessaly::RecordingMidiOut out;
};

TEST_F(MenuStatesTest, MarkMenusFollowTheModeAndTheSelectionAndTargetLinesTheirCaptions) {
    Select(0, 0);
    Run("InputState", 0);
    TypeChars("1234567");
    Run("InputState", 3);
    Open(L"通用(&C)");
    EXPECT_TRUE(On("MyLPX"));
    for (const char* name : {"JPH", "LSXL", "AboutHuXian", "ZSYH", "CustomWord"}) EXPECT_FALSE(On(name)) << name;
    Run("InputState", 0);
    Select(2, 1);
    // Dropped down as a user sees it, kept as a picture.
    SetTimer(nullptr, 0, 500, Capture);
    TrackPopupMenu(TopMenu(L"通用(&C)"), 0, 60, 50, 0, window->Handle(), nullptr);
    for (auto [name, index] : {std::pair{"TFZ", 0}, {"HuXian", 0}, {"HuXian", 1}, {"HuaYng", 8}, {"MyLPX", -1}})
        EXPECT_FALSE(On(name, index)) << name;
    EXPECT_TRUE(On("FYC", 0) && On("YG", 8) && On("ZhuagSeYing", 10));

    Select(6, 0);  // then four to the left with Shift held
    Keys(VK_SHIFT, true);
    for (int i = 0; i < 4; ++i) PostMessageW(window->EditorWindow(), WM_KEYDOWN, VK_LEFT, 0);
    const bool selected = PumpUntil([&] { return Ed().Data.SelLength == -4; });
    Keys(VK_SHIFT, false);
    ASSERT_TRUE(selected);
    Open(L"通用(&C)");
    EXPECT_TRUE(On("TFZ", 0) && On("TFZ", 1) && On("HuXian", 0) && On("HuXian", 1) && On("HuaYng", 8));
    EXPECT_FALSE(On("ZhuagSeYing", 10));

    for (LONG line : {0, -1}) {
        Z()->put_CPdqLine(line);
        Open(L"设置(&S)");
        EXPECT_EQ(line == 0 ? L"目标行：0" : L"目标行：无", window->MenuCaption("Mydq", 0));
        EXPECT_EQ(line == 0, On("Mydq", 1));
    }
}

// Copy was greyed at the last opening of 编辑, with nothing selected; the key copies what is now.
TEST_F(MenuStatesTest, ShortcutsActOnTheStatesOfNow) {
    TypeChars("1234");
    Select(1, 0);
    Open(L"编辑(&E)");
    ASSERT_FALSE(On("CopyWord"));
    Select(0, 2);
    ASSERT_TRUE(OpenClipboard(window->Handle()) && EmptyClipboard() && CloseClipboard());
    Keys(VK_CONTROL, true);
    PostMessageW(window->EditorWindow(), WM_KEYDOWN, 'C', 0);
    EXPECT_TRUE(PumpUntil([] { return IsClipboardFormatAvailable(CF_UNICODETEXT) != 0; }));
    Keys(VK_CONTROL, false);
}

TEST_F(MenuStatesTest, PlayTellsOnceWithoutAnOutputThenPlaysPausesResumesAndStops) {
    notaline::test::FakeDocumentSource source;
    source.Files[u"song.dadur"] = notaline::test::SongDocument("[1---|2---|3---|4---|5---|6---]");
    notaline::LoadJpFile(Ed().Data, source, *Ed().Renderer, Ed(), reinterpret_cast<intptr_t>(window->Handle()),
                         u"song.dadur");
    Ed().Player = std::make_unique<notaline::MusicPlayer>();
    Ed().Player->Windows.Shared.Out = &out;
    out.OpenResult = 1;
    {
        DialogCloser box(IDOK);
        Run("PlayMusic");
        EXPECT_EQ(std::vector<std::wstring>{L"无法打开MIDI设备"}, box.Texts());
    }
    EXPECT_TRUE(On("File") && On("PlayMusic"));  // nothing locked
    EXPECT_FALSE(On("PausePlay") || On("CloesMusic"));

    out.OpenResult = 0;
    Run("PlayMusic");
    EXPECT_TRUE(On("PausePlay") && On("CloesMusic"));
    EXPECT_FALSE(On("File"));
    Run("PausePlay");
    EXPECT_EQ(L"继续", window->MenuCaption("PausePlay", -1));
    EXPECT_FALSE(On("CloesMusic"));
    Run("PausePlay");
    EXPECT_EQ(L"暂停", window->MenuCaption("PausePlay", -1));
    EXPECT_TRUE(On("CloesMusic"));
    // Paused, the menu opened again offers stop; once stopped nothing is left paused.
    Run("PausePlay");
    Open(L"演奏(&P)");
    Run("CloesMusic");
    EXPECT_EQ(L"暂停", window->MenuCaption("PausePlay", -1));
    Open(L"演奏(&P)");
    EXPECT_EQ(L"暂停", window->MenuCaption("PausePlay", -1));
    EXPECT_FALSE(On("PausePlay") || On("CloesMusic"));
    EXPECT_TRUE(On("File"));
}

}  // namespace
}  // namespace tavolin::test
