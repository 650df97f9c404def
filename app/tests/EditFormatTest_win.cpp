// The Edit menu, the input modes, the format panel and the highlight palette on a running window.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "DocumentBuilder.h"
#include "EditFormat_win.h"
#include "HighlightPalette_win.h"
#include "MainWindowFixture_win.h"
#include "Modules_win.h"
#include "PaletteGeometry.h"
#include "ScreenTestSupport_win.h"
#include "button/api/IButton.h"
#include "com/Bstr.h"
#include "com/Create.h"
#include "control/Editor_win.h"
#include "control/Handlers_win.h"
#include "model/document/mGeneral.h"
#include "model/edit/EditCommands.h"

namespace tavolin::test {
namespace {

struct EditFormatTest : MainWindowTest {
    EditFormatTest() {
        beforeCreate = [](MainWindow& form) { RegisterEditFormat(form); };
    }
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

// The controls of a panel that are enabled.
int EnabledControls(HWND panel) {
    int n = 0;
    EnumChildWindows(
        panel,
        [](HWND child, LPARAM count) -> BOOL {
            *reinterpret_cast<int*>(count) += IsWindowEnabled(child) != 0;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&n));
    return n;
}

TEST_F(EditFormatTest, InputModesSetTheEditorTheChecksAndThePanels) {
    TypeChars("123");
    const HWND panels[] = {window->ControlWindow("FaceFrame", 0), window->ControlWindow("FaceFrame", 1),
                           window->ControlWindow("TopFaceFrame")};
    int enabled[3];
    for (int p = 0; p < 3; ++p) enabled[p] = EnabledControls(panels[p]);
    EXPECT_GT(enabled[0], 0);
    const struct {
        int index;
        LONG state;
        bool panels;
    } rows[] = {{3, tessaly::LpxState, false},
                {0, tessaly::JpState, true},
                {1, tessaly::GcState, true},
                {3, tessaly::LpxState, false},
                {2, tessaly::LpxState, true}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.index);
        Select(0, 2);
        Run("InputState", r.index);
        LONG state = 0, length = -1;
        Z()->get_InputState(&state), Z()->get_SelLength(&length);
        EXPECT_EQ(r.state, state);
        EXPECT_EQ(r.index == 3 ? 0 : 2, length);  // connecting lines drop the selection first
        for (int k = 0; k < 4; ++k) EXPECT_EQ(k == r.index, window->MenuChecked("InputState", k));
        for (int p = 0; p < 3; ++p) {
            EXPECT_EQ(r.panels, IsWindowEnabled(panels[p]) != 0);
            // Their controls look it: greyed with them, and back as they were.
            EXPECT_EQ(r.panels ? enabled[p] : 0, EnabledControls(panels[p])) << p;
        }
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
    } rows[] = {{48, 48, 0x5000FFFF, true}, {112, 48, 0, true}, {16, 16, 0x508080FF, false}};  // red in the low byte
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

// Pixels of a rectangle within `tolerance` of an 0xRRGGBB colour in each of red, green and blue.
int CountNear(HDC dc, const RECT& r, uint32_t rgb, int tolerance) {
    const win::BitmapHandle copy = win::test::CopyOf(dc, r);
    int n = 0;
    for (uint32_t p : win::test::PixelsOf(copy.Get(), r.right - r.left, r.bottom - r.top))
        n += win::test::NearRgb(p, rgb, tolerance);
    return n;
}

// Each cell as the user sees it: the words the file stores, the screen and a picture of the page
// all name the colour of the cell (alpha 80 over white paper).
TEST_F(EditFormatTest, EachPaletteColourIsStoredShownAndExportedAsPicked) {
    TypeChars("123");
    LONG end = 0;
    Z()->get_SelStart(&end);
    const int32_t first = end - 3;
    Run("CmdBkColor");
    HWND palette = HighlightPalette::Window();
    ASSERT_TRUE(palette);
    const std::wstring folder = L"app_highlight\\";
    CreateDirectoryW(folder.c_str(), nullptr);
    const struct {
        int cell;
        const char* words;  // nullptr: no colour
        uint32_t shown;
    } rows[] = {
        {0, "\\alpha80\\red255\\green128\\blue128;", 0xFFD7D7}, {1, "\\alpha80\\red128\\green255\\blue128;", 0xD7FFD7},
        {2, "\\alpha80\\red255\\green192\\blue128;", 0xFFEBD7}, {3, "\\alpha80\\red255\\green128\\blue255;", 0xFFD7FF},
        {4, "\\alpha80\\red128\\green128\\blue255;", 0xD7D7FF}, {5, "\\alpha80\\red255\\green255\\blue0;", 0xFFFFAF},
        {6, "\\alpha80\\red128\\green255\\blue255;", 0xD7FFFF}, {7, nullptr, 0xFFFFFF}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.cell);
        Select(first, 2);
        ShowWindow(palette, SW_SHOWNA);
        const PixelRect c = PaletteCellRect(r.cell);
        SendMessageW(palette, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM((c.left + c.right) / 2, (c.top + c.bottom) / 2));
        ShowWindow(palette, SW_HIDE);
        const std::wstring doc = folder + L"cell" + std::to_wstring(r.cell) + L".DaDur";
        com::Bstr name(doc);
        ASSERT_EQ(S_OK, Z()->SaveFile(name.Ref(), 0));
        std::ifstream in(std::filesystem::path(doc), std::ios::binary);
        const std::string words((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (r.words) {
            EXPECT_NE(std::string::npos, words.find(r.words)) << r.words;
        }
        const auto& w0 = Ed().Data.WordInfo[static_cast<size_t>(first)];
        const auto& w1 = Ed().Data.WordInfo[static_cast<size_t>(first + 1)];
        const int area = static_cast<int>((w1.Right - w0.Left - 6) * (w0.Bottom - w0.Top - 4));

        const std::wstring picture = folder + L"cell" + std::to_wstring(r.cell);
        DeleteFileW((picture + L".BMP").c_str());
        ASSERT_TRUE(notaline::SavePagePictures(Ed(), picture + L".bmp"));
        const win::BitmapHandle page(static_cast<HBITMAP>(LoadImageW(nullptr, (picture + L".BMP").c_str(), IMAGE_BITMAP,
                                                                     0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
        ASSERT_TRUE(page);
        const win::OwnedDc dc(CreateCompatibleDC(nullptr));
        const win::SelectScope select(dc.Get(), page.Get());
        const RECT inPicture{static_cast<LONG>(w0.Left) + 3, static_cast<LONG>(w0.Top) + 2,
                             static_cast<LONG>(w1.Right) - 3, static_cast<LONG>(w0.Bottom) - 2};
        EXPECT_GT(CountNear(dc.Get(), inPicture, r.shown, 3) * 2, area);
    }
}

struct SidePanelArrowTest : EditFormatTest {
    SidePanelArrowTest() {
        beforeCreate = [](MainWindow& form) {
            RegisterPanelSetup(form);
            RegisterEditFormat(form);
        };
    }
    RECT Placed(HWND w) {
        RECT r{};
        GetWindowRect(w, &r);
        MapWindowPoints(nullptr, window->Handle(), reinterpret_cast<POINT*>(&r), 2);
        return r;
    }
};

// A click on the upper panel's arrow collapses it at once, moves the panel below up, and keeps
// the state for the next start; a second click restores both.
TEST_F(SidePanelArrowTest, TheArrowCollapsesAndExpandsAtOnce) {
    const auto& slots = window->Panels().PanelStates;
    ASSERT_FALSE(slots.empty());
    const int upper = slots[0].PanelIndex, lower = 1 - upper;
    HWND arrow = window->ControlWindow("Label2", upper);
    HWND panel = window->ControlWindow("FaceFrame", upper), below = window->ControlWindow("FaceFrame", lower);
    ASSERT_TRUE(arrow && IsWindowVisible(panel) && IsWindowVisible(below));
    const RECT open = Placed(panel), belowOpen = Placed(below);
    const std::wstring ini = com::ProgramFolder() + L"UserSetInfo.ini";
    for (bool collapsed : {true, false}) {
        SCOPED_TRACE(collapsed);
        PostMessageW(arrow, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
        PostMessageW(arrow, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
        ASSERT_TRUE(PumpUntil(
            [&] { return (Placed(panel).bottom - Placed(panel).top < open.bottom - open.top) == collapsed; }));
        const RECT now = Placed(panel);
        EXPECT_EQ(now.bottom - open.bottom, Placed(below).top - belowOpen.top);
        wchar_t caption[8] = {}, state[8] = {};
        GetWindowTextW(arrow, caption, 8);
        EXPECT_STREQ(collapsed ? L"▼" : L"▲", caption);
        GetPrivateProfileStringW(L"0面板", L"大小状态", L"", state, 8, ini.c_str());
        EXPECT_STREQ(collapsed ? L"0" : L"1", state);
    }
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
    auto press = [&](WPARAM key, bool ctrl) { PressKey(GetFocus(), key, ctrl); };
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
