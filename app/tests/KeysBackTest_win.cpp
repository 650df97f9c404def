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

// What the file dialog's name box gets before Enter: nothing, the song's own name, a new name in
// the test's folder, or a picture beside the program.
enum class Name { None, Song, New, Picture };
enum class Before { Nothing, Select, Change };

struct Row {
    const char* name;
    int index;
    bool escOnly;  // Enter would print, leave the song or close the window
    Name typed = Name::None;
    Before before = Before::Nothing;
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
    void SetUp() override {
        folder = fs::temp_directory_path() / L"按键回到歌曲";
        std::error_code ignored;
        fs::remove_all(folder, ignored);
        fs::create_directories(folder, ignored);
        MainWindowTest::SetUp();
        Z()->put_InputState(tessaly::JpState);
        first = Ed().Data.SelStart;
        TypeChars("1234567|");
        com::Bstr name((folder / L"song.ZoRiv").wstring());
        ASSERT_EQ(S_OK, Z()->SaveFile(name.Ref(), reinterpret_cast<LONG_PTR>(window->Handle())));
    }
    void TearDown() override {
        MainWindowTest::TearDown();
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    }
    bool Modified() {
        VARIANT_BOOL m = VARIANT_FALSE;
        Z()->get_Modified(&m);
        return m != VARIANT_FALSE;
    }
    std::wstring FileName() {
        com::Bstr b;
        Z()->get_FileName(b.Out());
        return b.Str();
    }
    // Keys go where the focus is, as the system's keyboard sends them.
    void Key(WPARAM key, bool ctrl = false) {
        BYTE keys[256] = {};
        keys[VK_CONTROL] = ctrl ? 0x80 : 0;
        SetKeyboardState(keys);
        const HWND focus = GetFocus();
        PostMessageW(focus, WM_KEYDOWN, key, 1);
        Pump();
        keys[VK_CONTROL] = 0;
        SetKeyboardState(keys);
    }
    void WaitForSaves() {
        com::Ptr<IZEVuduHost> host;
        Z()->QueryInterface(__uuidof(IZEVuduHost), host.OutVoid());
        if (host) host->WaitForSaves();
        Pump();
    }
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

    fs::path folder;
    int32_t first = 0;
    int made = 0;
};

TEST_F(KeysBackTest, EveryBoxAndDialogClosedWithEnterOrEscGivesTheKeysBackToTheSong) {
    const Row rows[] = {
        {"AutoSave", -1, false},
        {"AboutMe", -1, false},
        {"OpenFile", -1, false, Name::Song},
        {"SaveAS", -1, false, Name::New},
        {"SaveASPic", -1, false, Name::New},
        {"OutputMid", -1, false, Name::New},
        {"PrintFile", -1, true},
        {"ExitPro", -1, true, Name::None, Before::Change},
        {"HelpDoc", -1, true, Name::None, Before::Change},
        {"UserSetPage", -1, false},
        {"UserSetPart", -1, false},
        {"munFontExSeting", -1, false},
        {"YGYCPos", -1, false},
        {"OpenPicFile", -1, false, Name::Picture},
        {"SetPlaying", -1, false},
        {"PlayMusic", -1, false},
        {"SpeedWord", 4, false},
        {"XJX", 28, false},
        {"TFZ", 0, false, Name::None, Before::Select},
        {"ZhuYing", 9, false},
        {"ZhuYing", 12, false},
        {"CustomWord", -1, false},
        {"HQHuaYing", 0, false},
        {"CmdFrColor", -1, false},
    };
    const Row* row = nullptr;
    WPARAM key = VK_RETURN;
    // Each dialog gets the key where its focus is; before Enter a name typed into its name box.
    Answerer answers(Answerer::Every{}, [&](HWND d) {
        std::wstring name;
        if (key == VK_RETURN && row && row->typed == Name::Song) name = FileName();
        if (key == VK_RETURN && row && row->typed == Name::New)
            name = (folder / (L"new" + std::to_wstring(++made))).wstring();
        if (key == VK_RETURN && row && row->typed == Name::Picture) name = com::ProgramFolder() + L"纹理.jpg";
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
    for (const Row& r : rows) {
        row = &r;
        for (WPARAM k : {VK_RETURN, VK_ESCAPE}) {
            key = k;
            if (key == VK_RETURN && r.escOnly) continue;
            SCOPED_TRACE(std::string(r.name) + " " + std::to_string(r.index) + (key == VK_RETURN ? " Enter" : " Esc"));
            SetFocus(window->EditorWindow());
            if (r.before == Before::Change) Key('1');
            if (r.before == Before::Select) Select(first + 1, 3);
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
            WaitForSaves();
            EXPECT_FALSE(Modified());
            if (window->MenuChecked("AutoSave", -1)) Give({"AutoSave", -1, false});
        }
    }
    // Keys that were typed into a box of the form go back to that box.
    row = nullptr;
    const HWND size = FindWindowExW(window->ControlWindow("CmbFontSize"), nullptr, L"Edit", nullptr);
    ASSERT_TRUE(size);
    SetFocus(size);
    key = VK_RETURN;
    Give({"AboutMe", -1, false});
    EXPECT_EQ(size, GetFocus());
}

}  // namespace
}  // namespace tavolin::test
