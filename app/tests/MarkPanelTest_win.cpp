#include <windows.h>
// after windows.h
#include <commctrl.h>

#include <algorithm>
#include <tuple>

#include "MainWindowFixture_win.h"
#include "MarkList.h"
#include "Modules_win.h"
#include "button/api/IButton.h"
#include "com/Create.h"
#include "control/Editor_win.h"
#include "control/Handlers_win.h"
#include "outside/api/IQuibbet.h"
#include "outside/tests/TipWindows_win.h"
#include "records/Messages.h"

namespace tavolin::test {
namespace {

struct MarkPanelTest : MainWindowTest {
    MarkPanelTest() {
        beforeCreate = [](MainWindow& w) { RegisterMarkPanel(w); };
    }
    // A note with the given marks, the caret on it.
    void NoteWithMarks(std::initializer_list<int32_t> codes) {
        PostMessageW(window->EditorWindow(), WM_CHAR, '1', 0);
        Key(VK_LEFT);
        LONG at = 0;
        Editor()->get_SelStart(&at);
        at_ = at;
        for (int32_t code : codes) SendMessageW(window->EditorWindow(), tessaly::EM_FormatSortInfo, 0, code);
        ASSERT_TRUE(Restatus(codes.size()));
    }
    // Moves the caret off and back, which sends the status.
    bool Restatus(size_t entries) {
        Key(VK_RIGHT);
        Key(VK_LEFT);
        return PumpUntil([&] { return Entries().size() == entries; });
    }
    void Key(WPARAM key) {
        PostMessageW(window->EditorWindow(), WM_KEYDOWN, key, 0);
        PostMessageW(window->EditorWindow(), WM_KEYUP, key, 0xC0000000);
        Pump();
    }
    IZEVudu* Editor() { return window->Editor(); }
    HWND Combo() { return window->ControlWindow("ExtralValCombo"); }
    std::vector<std::wstring> Entries() {
        std::vector<std::wstring> out;
        const LRESULT n = SendMessageW(Combo(), CB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < n; ++i) {
            wchar_t text[64] = {};
            SendMessageW(Combo(), CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
            out.push_back(text);
        }
        return out;
    }
    void Click(const char* name, int index) {
        HWND button = window->ControlWindow(name, index);
        PostMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
        PostMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
        Pump();
    }
    std::string Enabled() {
        std::string mask;
        for (int i = 0; i < 6; ++i)
            mask += GetButtonLong(window->Button("CmdChangExtralValue", i), dispid::Button::Enabled) ? '1' : '0';
        for (const char* name : {"CmdDelExtralWd", "CmdAboutModifie"})
            mask += GetButtonLong(window->Button(name), dispid::Button::Enabled) ? '1' : '0';
        return mask;
    }
    int32_t Slot(short slot, short code = -1) {
        short type = 0;
        LONG v1 = 0;
        Editor()->get_ExtralType(at_, slot, &type);
        Editor()->get_ExtralWordVal1(at_, slot, &v1);
        return code < 0 ? type : v1;
    }
    LONG at_ = 0;
};

TEST_F(MarkPanelTest, ButtonsStepTheChosenSlot) {
    NoteWithMarks({29, 1, 2, 17});
    EXPECT_EQ(3, SendMessageW(Combo(), CB_GETCURSEL, 0, 0));
    EXPECT_EQ("11001111", Enabled());
    // Slots 0 and 2 emptied in place: the second entry is slot 3.
    Editor()->put_ExtralType(at_, 0, 0);
    Editor()->put_ExtralType(at_, 2, 0);
    ASSERT_TRUE(Restatus(2));
    SendMessageW(Combo(), CB_SETCURSEL, 1, 0);
    SendMessageW(window->Handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(Combo()), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(Combo()));
    const int32_t before = Slot(3, 0);
    Click("CmdChangExtralValue", 0);
    EXPECT_EQ(before + 1, Slot(3, 0));
    EXPECT_EQ(0, Slot(1, 0));
    // Button 4 turns 断音 into its neighbour, and the list follows.
    Click("CmdChangExtralValue", 4);
    std::vector<int32_t> codes;
    for (short slot = 0; slot < 8; ++slot)
        if (Slot(slot)) codes.push_back(Slot(slot));
    EXPECT_EQ(2u, codes.size());
    EXPECT_NE(codes.end(), std::find(codes.begin(), codes.end(), 18));
    EXPECT_EQ(codes.end(), std::find(codes.begin(), codes.end(), 17));
    EXPECT_EQ(2u, Entries().size());
}

// The forward selection of the first note and the backward one of the second (the caret after
// it) take the same commands: both notes end alike, the paragraph end after them untouched.
TEST_F(MarkPanelTest, ABackwardSelectionActsOnTheCharacterAForwardOneDoes) {
    TypeChars("11");
    const int32_t b = Ed().Data.SelStart - 1, a = b - 1;
    for (int32_t word : {a, b}) {
        Select(word, 0);
        for (int32_t code : {29, 17, 30}) SendMessageW(window->EditorWindow(), tessaly::EM_FormatSortInfo, 0, code);
    }
    const auto marks = [&](int32_t word) {
        std::vector<std::pair<int16_t, int32_t>> out;
        for (const auto& m : Ed().Data.WordInfo[static_cast<size_t>(word)].ExtralWordInfo)
            out.emplace_back(m.IndexType, m.ExtralWordVal1);
        return out;
    };
    const auto after = marks(b + 1);
    const auto act = [&](int32_t code, const char* button, int index) {
        const std::u16string name = PaddedMarkName(code);
        ASSERT_GE(
            SendMessageW(Combo(), CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(name.c_str())), 0);
        SendMessageW(window->Handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(Combo()), CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(Combo()));
        Click(button, index);
    };
    for (const auto& [start, length] : {std::pair<int32_t, int32_t>{a, 1}, {b + 1, -1}}) {
        Select(start, length);
        window->Hooks().refreshMarks();
        act(29, "CmdChangExtralValue", 0);
        act(17, "CmdChangExtralValue", 4);
        act(30, "CmdDelExtralWd", -1);
    }
    EXPECT_EQ(marks(a), marks(b));
    EXPECT_EQ(after, marks(b + 1));
}

// Undo, redo and a script change the caret character's marks: the list follows each.
TEST_F(MarkPanelTest, TheListFollowsUndoAndRedo) {
    NoteWithMarks({});
    for (int32_t code : {29, 30}) SendMessageW(window->EditorWindow(), tessaly::EM_FormatSortInfo, 0, code);
    const std::tuple<UINT, size_t, const wchar_t*> steps[] = {
        {EM_UNDO, 1, L"很强"}, {EM_UNDO, 0, L""}, {tessaly::EM_REDO, 1, L"很强"}, {0, 1, L"特强"}};
    for (const auto& [step, left, shown] : steps) {
        if (step) SendMessageW(window->EditorWindow(), step, 0, 0);
        if (!step) Editor()->put_ExtralType(at_, 0, 30);
        EXPECT_TRUE(PumpUntil([&] { return Entries().size() == left && TextOf(Combo()).starts_with(shown); })) << step;
    }
}

// The panel's own buttons and the edit commands, each undone and redone: after every step the
// list names the caret character's marks and the status bar counts the selection.
TEST_F(MarkPanelTest, TheListAndTheStatusBarFollowEveryEdit) {
    TypeChars("1234");
    const int32_t first = Ed().Data.SelStart - 4;
    const std::vector<int32_t> marks[] = {{29, 17}, {30}, {24, 2}, {1}};
    for (int32_t i = 0; i < 4; ++i) {
        Select(first + i, 0);
        for (int32_t code : marks[i]) SendMessageW(window->EditorWindow(), tessaly::EM_FormatSortInfo, 0, code);
    }
    // As the edit menu's commands send them.
    const auto Send = [&](UINT msg) { SendMessageW(window->EditorWindow(), msg, 0, 0); };
    const auto choose = [&](int32_t code) {
        const std::u16string name = PaddedMarkName(code);
        SendMessageW(Combo(), CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(name.c_str()));
        SendMessageW(window->Handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(Combo()), CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(Combo()));
    };
    const auto check = [&](const std::string& step) {
        Pump();
        const auto& d = Ed().Data;
        const int32_t at = std::min(d.SelStart, d.SelStart + d.SelLength);
        std::array<int32_t, 8> slots{};
        for (size_t k = 0; k < 8; ++k) slots[k] = d.WordInfo[static_cast<size_t>(at)].ExtralWordInfo[k].IndexType;
        std::vector<std::wstring> listed;
        for (const auto& e : BuildMarkList(slots, true).entries) listed.emplace_back(e.begin(), e.end());
        EXPECT_EQ(listed, Entries()) << step;
        const std::wstring selected = L"选中：" + std::to_wstring(std::abs(d.SelLength)) + L" ";
        EXPECT_NE(std::wstring::npos, window->StatusText(1).find(selected)) << step << ": " << selected;
    };
    const struct {
        const char* what;
        int32_t start, length;
        std::function<void()> act;
    } rows[] = {
        {"kind change", first, 0, [&] { choose(17), Click("CmdChangExtralValue", 4); }},
        {"panel delete", first, 0, [&] { choose(29), Click("CmdDelExtralWd", -1); }},
        {"Delete", first, 0, [&] { Send(WM_CLEAR); }},
        {"Delete of a selection", first + 1, 1, [&] { Send(WM_CLEAR); }},
        {"Ctrl+X", first, 1, [&] { Send(WM_CUT); }},
        {"Ctrl+V", -1, 0, [&] { Send(WM_PASTE); }},  // where the cut left the caret
    };
    for (const auto& r : rows) {
        if (r.start >= 0) Select(r.start, r.length), notaline::NotifySelChange(Ed(), r.start, r.length);  // a click
        check(std::string(r.what) + ", before");
        r.act();
        check(r.what);
        for (const UINT step : std::initializer_list<UINT>{EM_UNDO, tessaly::EM_REDO, EM_UNDO, tessaly::EM_REDO}) {
            Send(step);
            check(std::string(r.what) + (step == EM_UNDO ? ", undo" : ", redo"));
        }
    }
}

TEST_F(MarkPanelTest, ArcEntriesAndDeletingTheLastMark) {
    NoteWithMarks({24});
    Click("CmdDelExtralWd", -1);
    ASSERT_TRUE(PumpUntil([&] { return Slot(0) == 0; }));
    EXPECT_TRUE(Entries().empty());
    EXPECT_EQ(L"", TextOf(Combo()));
    EXPECT_EQ("00000000", Enabled());
    std::array<int16_t, 8> codes{72, 0, 72, 73};
    window->Hooks().showMarks(codes, false);
    EXPECT_EQ((std::vector<std::wstring>{L"弧线起点1     ", L"弧线起点2     ", L"弧线落点1     "}), Entries());
    EXPECT_EQ(2, SendMessageW(Combo(), CB_GETCURSEL, 0, 0));
}

// A second volta over the same notes removed the first: the list no longer names it.
TEST_F(MarkPanelTest, ARemovedVoltaLeavesTheList) {
    NoteWithMarks({24});
    Editor()->put_ExtralType(at_, 0, 89);
    ASSERT_TRUE(Restatus(1));
    EXPECT_EQ(L"跳房子起点", TextOf(Combo()).substr(0, 5));
    // As the editor's removal leaves it, before any status.
    Ed().Data.WordInfo[static_cast<size_t>(at_)].EditMark(0, [](tessaly::aExtralWordInfo& m) { m.IndexType = 0; });
    EXPECT_TRUE(window->Hooks().dropSelectedMark());
    EXPECT_TRUE(Entries().empty());
    EXPECT_EQ(L"", TextOf(Combo()));
    EXPECT_FALSE(window->Hooks().dropSelectedMark());  // nothing selected: the volta is made
}

TEST_F(MarkPanelTest, EnterBreaksNoLineInTheHelpBox) {
    const HWND box = window->ControlWindow("RichTextBox1");
    SetWindowTextW(box, L"");
    SetFocus(box);
    PostMessageW(box, WM_CHAR, 'Q', 0);
    PostMessageW(box, WM_KEYDOWN, VK_RETURN, 0);  // the pump makes its character too
    PostMessageW(box, WM_KEYUP, VK_RETURN, 0xC0000000);
    PostMessageW(box, WM_CHAR, 'R', 0);
    EXPECT_TRUE(PumpUntil([&] { return TextOf(box).size() >= 2; }));
    EXPECT_EQ(L"QR", TextOf(box));
}

// The help file beside the program is put back as it was.
TEST_F(MarkPanelTest, HelpTextsShareTheArcKey) {
    ASSERT_TRUE(window->Ini());
    const std::wstring path = com::ProgramFolder() + L"jpHlpInfo.ini";
    wchar_t before[512] = {};
    GetPrivateProfileStringW(L"说明", L"弧线起点", L"", before, 512, path.c_str());
    std::array<int16_t, 8> codes{72, 72};
    window->Hooks().showMarks(codes, false);
    const HWND box = window->ControlWindow("RichTextBox1");
    SetWindowTextW(box, L"第一行\r\n第二行");
    Click("CmdInfo", 0);
    wchar_t kept[512] = {};
    GetPrivateProfileStringW(L"说明", L"弧线起点", L"", kept, 512, path.c_str());
    EXPECT_STREQ(L"第一行  第二行", kept);
    SetWindowTextW(box, L"");
    SendMessageW(Combo(), CB_SETCURSEL, 0, 0);
    SendMessageW(window->Handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(Combo()), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(Combo()));
    EXPECT_EQ(L"第一行  第二行", TextOf(box));
    WritePrivateProfileStringW(L"说明", L"弧线起点", before, path.c_str());
}

// The shown tip windows' texts at the editor.
std::vector<std::wstring> ShownTips(HWND editor) {
    std::vector<std::wstring> out;
    for (HWND w : Tips(true)) out.push_back(ToolText(w, editor));
    return out;
}

TEST_F(MarkPanelTest, MouseOverAMarkShowsItsHelpAsABalloonUntilHelpIsTurnedOff) {
    auto tips = com::CreateFromDll<IDispatch>(L"Quibbet.dll", CLSID_Quibbet);
    ASSERT_TRUE(tips);
    window->Hooks().toolTips = [tips] { return tips.Get(); };
    window->Panels().MarkInfoOn = true;  // the panel set-up's last step, not registered here
    const std::wstring path = com::ProgramFolder() + L"jpHlpInfo.ini";
    wchar_t before[512] = {};
    GetPrivateProfileStringW(L"说明", L"弧线落点", L"", before, 512, path.c_str());
    WritePrivateProfileStringW(L"说明", L"弧线落点", L"落点的说明", path.c_str());
    std::array<int16_t, 8> codes{72, 73};
    window->Hooks().showMarks(codes, false);
    const HWND editor = window->EditorWindow();
    SendMessageW(window->Handle(), tessaly::EM_OnWord, 1, 0);
    EXPECT_TRUE(PumpUntil([&] { return ShownTips(editor) == std::vector<std::wstring>{L"落点的说明"}; }));
    Click("CmdInfo", 1);  // help off: the balloon goes at once
    EXPECT_TRUE(ShownTips(editor).empty());
    SendMessageW(window->Handle(), tessaly::EM_OnWord, 1, 0);
    Pump();
    EXPECT_TRUE(ShownTips(editor).empty());
    EXPECT_EQ(L"落点的说明", TextOf(window->ControlWindow("RichTextBox1")));
    Click("CmdInfo", 1);  // on again; the mouse leaving takes it down
    ASSERT_TRUE(PumpUntil([&] { return ShownTips(editor).size() == 1; }));
    SendMessageW(window->Handle(), tessaly::EM_OnWord, 0, 0);
    EXPECT_TRUE(ShownTips(editor).empty());
    WritePrivateProfileStringW(L"说明", L"弧线落点", before, path.c_str());
}

}  // namespace
}  // namespace tavolin::test
