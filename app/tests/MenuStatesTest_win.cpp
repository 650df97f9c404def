// The menus' states as they open, shortcuts on the states of now, and the playback menu played
// through a recording MIDI output.
#include <gtest/gtest.h>

#include "FakeLayout.h"
#include "MainWindowFixture_win.h"
#include "Modules_win.h"
#include "MusicFixture.h"
#include "ScreenTestSupport_win.h"
#include "control/MusicPlayer_win.h"
#include "model/layout/LoadJpFile.h"
#include "tools/tests/DialogCloser_win.h"

namespace tavolin::test {
namespace {

struct MenuStatesTest : MainWindowTest {
    MenuStatesTest() {
        beforeCreate = [](MainWindow& form) { RegisterModules(form); };
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
    tessaly::RecordingMidiOut out;
};

// Every module's rows name a source of the real window's tables: none was dropped.
TEST_F(MenuStatesTest, TheRouterTookEveryModuleRow) {
    const auto& refused = window->Router().Refused();
    EXPECT_TRUE(refused.empty()) << refused.front() << " and " << refused.size() - 1 << " more";
    EXPECT_TRUE(window->Router().Has("OpenFile", -1));
}

TEST_F(MenuStatesTest, MarkMenusFollowTheModeAndTheSelectionAndTargetLinesTheirCaptions) {
    Select(0, 0);
    Run("InputState", 0);
    TypeChars("1234567");
    Run("InputState", 3);
    Open(L"通用(&C)");
    EXPECT_TRUE(On("MyLPX"));
    EXPECT_FALSE(On("JPH") || On("LSXL") || On("AboutHuXian") || On("ZSYH") || On("CustomWord"));
    Run("InputState", 0);
    Select(2, 1);
    // Dropped down as a user sees it, kept as a picture.
    SetTimer(nullptr, 0, 500, Capture);
    TrackPopupMenu(TopMenu(L"通用(&C)"), 0, 60, 50, 0, window->Handle(), nullptr);
    for (auto [name, index] : {std::pair{"TFZ", 0}, {"HuXian", 0}, {"HuXian", 1}, {"HuaYng", 8}, {"MyLPX", -1}})
        EXPECT_FALSE(On(name, index)) << name;

    Select(6, -4);  // as Shift+Left four times leaves it
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
    BYTE keys[256] = {};
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    PostMessageW(window->EditorWindow(), WM_KEYDOWN, 'C', 0);
    EXPECT_TRUE(PumpUntil([] { return IsClipboardFormatAvailable(CF_UNICODETEXT) != 0; }));
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
}

// The edit menu's states, taken before each of its shortcut keys (Delete, Ctrl+V), leave the line a
// key cut short in a long paragraph: only the settings menu, which shows the target lines, has the
// paragraph broken again to read them.
TEST_F(MenuStatesTest, TheEditMenuLeavesALongParagraphAsAKeyLeftIt) {
    notaline::EditorData& d = Ed().Data;
    TypeChars("1");
    d.InputWords.assign(6000, d.WordInfo[0].Expand());
    ASSERT_TRUE(Ed().Commands->Typed.InputWord(0, 0));
    Ed().LayOutAndShow(tessaly::AllRefresh);
    Select(0, 0);
    TypeChars("1");
    ASSERT_TRUE(d.LineInfo.HasCutLine());
    Run("FileEdit");
    EXPECT_TRUE(d.LineInfo.HasCutLine());
    Run("Setting");
    EXPECT_FALSE(d.LineInfo.HasCutLine());
}

TEST_F(MenuStatesTest, PlayTellsOnceWithoutAnOutputThenPlaysPausesResumesAndStops) {
    notaline::test::FakeDocumentSource source;
    source.Files[u"song.dadur"] = notaline::test::SongDocument("[1---|2---|3---|4---|5---|6---]");
    notaline::LoadJpFile(Ed().Data, source, *Ed().Renderer, Ed(), reinterpret_cast<intptr_t>(window->Handle()),
                         u"song.dadur");
    Ed().Player = std::make_unique<notaline::MusicPlayer>();
    Ed().Player->Windows.Shared.Out = &out;
    out.OpenResult = 1;  // the first time without an output
    DialogCloser box(IDOK);
    const struct {
        const char* run;
        const wchar_t* open;  // the menu opened afterwards
        const wchar_t* caption;
        bool pause, stop, locked;
    } steps[] = {
        {"PlayMusic", nullptr, L"暂停", false, false, false},      {"PlayMusic", nullptr, L"暂停", true, true, true},
        {"PausePlay", nullptr, L"继续", true, false, true},        {"PausePlay", nullptr, L"暂停", true, true, true},
        {"PausePlay", L"演奏(&P)", L"继续", true, true, true},     {"CloesMusic", nullptr, L"暂停", true, true, false},
        {"CloesMusic", L"演奏(&P)", L"暂停", false, false, false},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(testing::Message() << s.run << (s.open ? " and open" : ""));
        Run(s.run);
        out.OpenResult = 0;
        if (s.open) Open(s.open);
        EXPECT_EQ(s.caption, window->MenuCaption("PausePlay", -1));
        EXPECT_EQ(s.pause, On("PausePlay"));
        EXPECT_EQ(s.stop, On("CloesMusic"));
        EXPECT_EQ(s.locked, !On("File"));
    }
    EXPECT_EQ(std::vector<std::wstring>{L"无法打开MIDI设备"}, box.Texts());
}

}  // namespace
}  // namespace tavolin::test
