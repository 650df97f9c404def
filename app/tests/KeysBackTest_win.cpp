// Every command that shows a box or a dialog gives the keys back to the song once it is closed,
// with Enter or with Esc, as the user closes it: a digit then typed is in the song, and Ctrl+S
// saves it.
#include <windows.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "MainWindowFixture_win.h"
#include "Modules_win.h"
#include "WindowTesting_win.h"
#include "com/Bstr.h"
#include "com/Create.h"
#include "records/Messages.h"

namespace tavolin::test {
namespace {

namespace fs = std::filesystem;

struct Row {
    const char* name;
    int index;
    // What comes first: 'S' the song's own name, 'N' a new name in the test's folder or 'P' a
    // picture beside the program typed into the file dialog's name box before Enter; 'E' Esc only
    // (Enter would print, leave the song or close the window), 'C' a change then Esc only, 'X' a
    // selection; '-' nothing.
    char how = '-';
};

// A file dialog's name box: an edit of its own, or the edit inside the name combo.
HWND NameBox(HWND d) {
    HWND found = nullptr;
    EnumChildWindows(
        d,
        [](HWND c, LPARAM p) -> BOOL {
            wchar_t cls[16]{};
            GetClassNameW(c, cls, 16);
            const int id = GetDlgCtrlID(c), parent = GetDlgCtrlID(GetParent(c));
            if (std::wstring(cls) != L"Edit" || (id != 0x480 && parent != 0x47c)) return TRUE;
            *reinterpret_cast<HWND*>(p) = c;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

// A dialog that the key left open is cancelled after a while, so that the test goes on.
std::wstring gStuck;
void CALLBACK CancelStuck(HWND d, UINT, UINT_PTR timer, DWORD) {
    KillTimer(d, timer);
    gStuck = TextOf(d);
    PostMessageW(d, WM_COMMAND, IDCANCEL, 0);
}

struct KeysBackTest : MainWindowTest {
    KeysBackTest() {
        beforeCreate = [](MainWindow& w) { RegisterModules(w); };
    }
    // Keys go where the focus is, as the system's keyboard sends them.
    void Key(WPARAM key, bool ctrl = false) { PressKey(GetFocus(), key, ctrl); }
    // Chooses the menu item, or clicks the button, as a user would.
    void Give(const Row& r) {
        if (HWND button = window->ControlWindow(r.name, r.index)) {
            PostMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, 0x30003);
            PostMessageW(button, WM_LBUTTONUP, 0, 0x30003);
        } else {
            PostMessageW(window->Handle(), WM_COMMAND, window->MenuCommand(r.name, r.index), 0);
        }
        Pump();
    }
};

TEST_F(KeysBackTest, EveryBoxAndDialogClosedWithEnterOrEscGivesTheKeysBackToTheSong) {
    const fs::path folder = fs::temp_directory_path() / L"按键回到歌曲";
    std::error_code ignored;
    fs::remove_all(folder, ignored);
    fs::create_directories(folder, ignored);
    Z()->put_InputState(tessaly::JpState);
    const int32_t first = Ed().Data.SelStart;
    TypeChars("1234567|");
    com::Bstr song((folder / L"song.ZoRiv").wstring());
    ASSERT_EQ(S_OK, Z()->SaveFile(song.Ref(), reinterpret_cast<LONG_PTR>(window->Handle())));
    int made = 0;
    const Row rows[] = {{"AutoSave", -1},       {"AboutMe", -1},          {"OpenFile", -1, 'S'},
                        {"SaveAS", -1, 'N'},    {"SaveASPic", -1, 'N'},   {"OutputMid", -1, 'N'},
                        {"PrintFile", -1, 'E'}, {"ExitPro", -1, 'C'},     {"HelpDoc", -1, 'C'},
                        {"UserSetPage", -1},    {"UserSetPart", -1},      {"munFontExSeting", -1},
                        {"YGYCPos", -1},        {"OpenPicFile", -1, 'P'}, {"SetPlaying", -1},
                        {"PlayMusic", -1},      {"SpeedWord", 4},         {"XJX", 28},
                        {"TFZ", 0, 'X'},        {"ZhuYing", 9},           {"ZhuYing", 12},
                        {"CustomWord", -1},     {"HQHuaYing", 0},         {"CmdFrColor", -1}};
    char how = '-';
    WPARAM key = VK_RETURN;
    // Each dialog gets the key where its focus is; before Enter a name typed into its name box.
    Answerer answers(Answerer::Every{}, [&](HWND d) {
        std::wstring name;
        if (key == VK_RETURN && how == 'S') Z()->get_FileName(song.Out()), name = song.Str();
        if (key == VK_RETURN && how == 'N') name = (folder / (L"new" + std::to_wstring(++made))).wstring();
        if (key == VK_RETURN && how == 'P') name = com::ProgramFolder() + L"纹理.jpg";
        if (HWND box = NameBox(d); box && !name.empty()) {
            SendMessageW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
            SetFocus(box);
        }
        HWND focus = GetFocus();
        if (!focus || (focus != d && !IsChild(d, focus))) focus = d;
        PostMessageW(focus, WM_KEYDOWN, key, 1);
        PostMessageW(focus, WM_KEYUP, key, 0xC0000001);
        SetTimer(d, 0x4B42, 5000, CancelStuck);
    });
    com::Ptr<IZEVuduHost> host;
    Z()->QueryInterface(__uuidof(IZEVuduHost), host.OutVoid());
    ASSERT_TRUE(host);
    for (const Row& r : rows) {
        how = r.how;
        for (WPARAM k : {VK_RETURN, VK_ESCAPE}) {
            key = k;
            if (key == VK_RETURN && (how == 'E' || how == 'C')) continue;
            SCOPED_TRACE(std::string(r.name) + " " + std::to_string(r.index) + (key == VK_RETURN ? " Enter" : " Esc"));
            SetFocus(window->EditorWindow());
            if (how == 'C') Key('1');
            if (how == 'X') Select(first + 1, 3);
            const size_t shown = answers.Captions.size();
            Give(r);
            EXPECT_LT(shown, answers.Captions.size()) << "no box";
            ASSERT_EQ(L"", gStuck);
            ASSERT_TRUE(window->Handle());
            Z()->put_SelLength(0);  // the digit adds to the song rather than replace what was chosen
            const int32_t words = Ed().Data.WordCount();
            Key('5');
            EXPECT_EQ(words + 1, Ed().Data.WordCount());
            Key('S', true);
            host->WaitForSaves();
            Pump();
            VARIANT_BOOL modified = VARIANT_TRUE;
            Z()->get_Modified(&modified);
            EXPECT_FALSE(modified);
            if (window->MenuChecked("AutoSave", -1)) Give({"AutoSave", -1});
        }
    }
    // Keys that were typed into a box of the form go back to that box.
    how = '-';
    const HWND size = FindWindowExW(window->ControlWindow("CmbFontSize"), nullptr, L"Edit", nullptr);
    ASSERT_TRUE(size);
    SetFocus(size);
    key = VK_RETURN;
    Give({"AboutMe", -1});
    EXPECT_EQ(size, GetFocus());
    fs::remove_all(folder, ignored);
}

}  // namespace
}  // namespace tavolin::test
