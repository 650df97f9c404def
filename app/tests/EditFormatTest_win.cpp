// The Edit menu, the input modes, the format panel and the highlight palette on a running window.
#include <gtest/gtest.h>

#include "DocumentBuilder.h"
#include "EditFormat_win.h"
#include "HighlightPalette_win.h"
#include "MainWindowFixture_win.h"
#include "Modules_win.h"
#include "ScreenTestSupport_win.h"
#include "button/api/IButton.h"
#include "control/Editor_win.h"
#include "model/edit/EditCommands.h"

namespace tavolin::test {
namespace {

struct EditFormatTest : MainWindowTest {
    EditFormatTest() { beforeCreate = [](MainWindow& form) { RegisterEditFormat(form); }; }
    void TearDown() override {
        HighlightPalette::Unload();
        MainWindowTest::TearDown();
    }
    void PickSize(const wchar_t* text) {
        HWND box = window->ControlWindow("CmbFontSize");
        SendMessageW(box, CB_RESETCONTENT, 0, 0);
        SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
        SendMessageW(box, CB_SETCURSEL, 0, 0);
        Run("CmbFontSize");
    }
};

TEST_F(EditFormatTest, InputModesSetTheEditorTheChecksAndThePanels) {
    TypeChars("123");
    const struct {
        int index;
        LONG state;
        bool panels;
    } rows[] = {{3, tessaly::LpxState, false}, {0, tessaly::JpState, true}, {1, tessaly::GcState, true},
                {3, tessaly::LpxState, false}, {2, tessaly::LpxState, true}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.index);
        Select(0, 2);
        Run("InputState", r.index);
        LONG state = 0, length = -1;
        Z()->get_InputState(&state), Z()->get_SelLength(&length);
        EXPECT_EQ(r.state, state);
        EXPECT_EQ(r.index == 3 ? 0 : 2, length);  // connecting lines drop the selection first
        for (int k = 0; k < 4; ++k) EXPECT_EQ(k == r.index, window->MenuChecked("InputState", k));
        for (HWND panel : {window->ControlWindow("FaceFrame", 0), window->ControlWindow("FaceFrame", 1),
                           window->ControlWindow("TopFaceFrame")})
            EXPECT_EQ(r.panels, IsWindowEnabled(panel) != 0);
    }
}

TEST_F(EditFormatTest, SizeNamesStylesAndTheTestMarkReachTheEditor) {
    TypeChars("12");
    Select(0, 1);
    PickSize(L"小四");
    EXPECT_EQ(12.0f, Ed().Commands->Chars.SelFontSize(0, 1));
    PickSize(L"五号");
    short size = 0;
    Z()->get_SelFontSize(&size);
    EXPECT_EQ(10, size);
    EXPECT_EQ(10.5f, TheFormatState().fontSize);
    PickSize(L"abc");  // no number: nothing is applied
    EXPECT_EQ(10.0f, Ed().Commands->Chars.SelFontSize(0, 1));
    Run("Test");
    bool marked = false;
    for (const auto& m : Ed().Data.WordInfo[0].ExtralWordInfo)
        if (m.IndexType == 120) marked = m.ExtralWordVal3[0] == 0xA3 && m.ExtralWordVal3[1] == 0xA8;
    EXPECT_TRUE(marked);
    // Bold with only a caret: the next typed character is bold.
    Select(2, 0);
    VARIANT down;
    down.vt = VT_BOOL, down.boolVal = VARIANT_TRUE;
    window->PutButton("CmdFont", 0, dispid::Button::ButtonDown, down);
    Run("CmdFont", 0);
    TypeChars("5");
    EXPECT_EQ('5', Ed().Data.WordInfo[2].WdAsc);
    EXPECT_TRUE(Ed().Commands->Chars.Bold(2, 1));
    EXPECT_FALSE(Ed().Commands->Chars.Bold(1, 1));
}

TEST_F(EditFormatTest, PaletteCellsTintTheSelection) {
    TypeChars("123");
    Select(0, 2);
    Run("CmdBkColor");
    HWND palette = HighlightPalette::Window();
    ASSERT_TRUE(palette);
    Pump();
    RECT at{};
    GetWindowRect(palette, &at);
    EXPECT_EQ(129, at.right - at.left);
    EXPECT_EQ(65, at.bottom - at.top);
    notaline::test::SaveScreenPng({at.left - 8, at.top - 8, at.right + 8, at.bottom + 8}, L"highlight_palette.png");
    const struct {
        int x, y;
        OLE_COLOR colour;
        bool open;
    } rows[] = {{48, 48, 0x50FFFF00, true}, {112, 48, 0, true}, {16, 16, 0x50FF8080, false}};
    for (const auto& r : rows) {
        ShowWindow(palette, SW_SHOWNA);
        SendMessageW(palette, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(r.x, r.y));
        OLE_COLOR got = 1;
        Z()->get_SelWordBkColor(&got);
        EXPECT_EQ(r.colour, got);
        EXPECT_EQ(r.open, IsWindowVisible(palette) != 0) << r.colour;
    }
    SendMessageW(palette, WM_CHAR, 27, 0);
    EXPECT_FALSE(IsWindow(palette));
}

TEST_F(EditFormatTest, EditCommandsKeepOrReturnTheFocusAndShortcutsUndoAndRedo) {
    TypeChars("1231");
    SetFocus(window->ControlWindow("CmbFontSize"));
    const HWND before = GetFocus();
    Run("WordDel");
    EXPECT_EQ(before, GetFocus());
    Run("CopyWord");
    EXPECT_TRUE(GetFocus() == window->EditorWindow() || IsChild(window->EditorWindow(), GetFocus()));
    const int32_t count = Ed().Data.WordCount();
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    PostMessageW(window->EditorWindow(), WM_KEYDOWN, 'Z', 0);
    EXPECT_TRUE(PumpUntil([&] { return Ed().Data.WordCount() != count; }));
    PostMessageW(window->EditorWindow(), WM_KEYDOWN, 'Y', 0);
    EXPECT_TRUE(PumpUntil([&] { return Ed().Data.WordCount() == count; }));
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
}

// The editing keys pressed in a box of the form edit the box and leave the song and the focus alone.
TEST_F(EditFormatTest, EditingKeysInTheFormsBoxesActOnTheBox) {
    TypeChars("1231");
    const std::vector<uint8_t> song = notaline::test::DocumentBytes(Ed().Data);
    BYTE keys[256] = {};
    auto press = [&](WPARAM key, bool ctrl) {
        GetKeyboardState(keys);
        keys[VK_CONTROL] = ctrl ? 0x80 : 0;
        SetKeyboardState(keys);
        PostMessageW(GetFocus(), WM_KEYDOWN, key, 1);
        Pump();
        keys[VK_CONTROL] = 0;
        SetKeyboardState(keys);
    };
    for (const char* name : {"cmbFontName", "CmbFontSize", "ExtralValCombo", "RichTextBox1"}) {
        SCOPED_TRACE(name);
        HWND box = window->ControlWindow(name);
        HWND field = FindWindowExW(box, nullptr, L"Edit", nullptr);
        if (!field) field = box;
        SetWindowTextW(field, L"五号");
        SetFocus(field);
        press('A', true);
        for (wchar_t c : std::wstring(L"22")) PostMessageW(GetFocus(), WM_CHAR, c, 1);
        Pump();
        press(VK_DELETE, false);
        EXPECT_EQ(L"22", TextOf(field));
        for (WPARAM key : {'C', 'X', 'V', 'Z', 'Y'}) press(key, true);
        press(VK_BACK, false);
        EXPECT_EQ(field, GetFocus());
        EXPECT_TRUE(song == notaline::test::DocumentBytes(Ed().Data));
    }
}

}  // namespace
}  // namespace tavolin::test
