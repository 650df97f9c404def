// The form, its menus, controls and seams in a running window.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "EditorText_win.h"
#include "InputBox_win.h"
#include "MainWindowFixture_win.h"
#include "MenuTable.h"
#include "ScreenTestSupport_win.h"
#include "win/tests/Capture_win.h"

namespace tavolin::test {
namespace {

TEST_F(MainWindowTest, StartsAsNewDocumentWithEveryMenuAndButton) {
    EXPECT_EQ(L"Tavolin--新文档", TextOf(window->Handle()));
    HMENU bar = GetMenu(window->Handle());
    const wchar_t* tops[] = {L"文件(&F)", L"编辑(&E)", L"设置(&S)", L"通用(&C)", L"二胡(&R)", L"演奏(&P)", L"帮助(&H)"};
    ASSERT_EQ(7, GetMenuItemCount(bar));
    for (int i = 0; i < 7; ++i) {
        wchar_t text[64];
        GetMenuStringW(bar, static_cast<UINT>(i), text, 64, MF_BYPOSITION);
        EXPECT_STREQ(tops[i], text);
    }
    // Hidden items stand in no menu until shown.
    EXPECT_EQ(static_cast<UINT>(-1), GetMenuState(bar, window->MenuCommand("HelpDoc", -1), MF_BYCOMMAND));
    EXPECT_FALSE(window->MenuShown("最近打开文件", 0));
    EXPECT_TRUE(window->MenuShown("OpenPicFile", -1));
    window->ShowMenu("最近打开文件", 0, true);
    EXPECT_TRUE(window->MenuShown("最近打开文件", 0));
    EXPECT_NE(static_cast<UINT>(-1), GetMenuState(bar, window->MenuCommand("最近打开文件", 0), MF_BYCOMMAND));

    int buttons = 0;
    for (const auto& c : FormControls()) {
        if (c.kind != ControlKind::Button) {
            EXPECT_TRUE(window->ControlWindow(c.name, c.index)) << c.name;
            continue;
        }
        ++buttons;
        IDispatch* b = window->Button(c.name, c.index);
        ASSERT_TRUE(b) << c.name << c.index;
        EXPECT_EQ(c.buttonType, GetButtonLong(b, dispid::Button::ButtonType)) << c.name << c.index;
        EXPECT_EQ(c.buttonIndex, GetButtonLong(b, dispid::Button::ButtonIndex)) << c.name << c.index;
    }
    EXPECT_EQ(70, buttons);
}

TEST_F(MainWindowTest, RouterTakesMenuClicksButtonsAndShortcutsOnlyWhereRowsExist) {
    std::vector<std::pair<std::string, int>> ran;
    window->Router().AddArray("HuXian", [&](int i) { ran.push_back({"HuXian", i}); });
    window->Router().Add(
        "MunButton",
        [&](int i) {
            ran.push_back({"MunButton", i});
        },
        7);
    window->Router().Add("OpenFile", [&](int i) { ran.push_back({"OpenFile", i}); });
    SendMessageW(window->Handle(), WM_COMMAND, window->MenuCommand("HuXian", 1), 0);
    SendMessageW(window->Handle(), WM_COMMAND, window->MenuCommand("TFZ", 0), 0);  // inert
    // A click on an image button.
    HWND button = window->ControlWindow("MunButton", 7);
    SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    SendMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    SendMessageW(window->ControlWindow("MunButton", 8), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    SendMessageW(window->ControlWindow("MunButton", 8), WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    // Ctrl+O has a row, Ctrl+Z none: the editor keeps that key.
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    MSG open{window->EditorWindow(), WM_KEYDOWN, 'O', 0, 0, {}};
    MSG undo{window->EditorWindow(), WM_KEYDOWN, 'Z', 0, 0, {}};
    EXPECT_TRUE(window->PreTranslate(open));
    EXPECT_FALSE(window->PreTranslate(undo));
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    const std::vector<std::pair<std::string, int>> expected = {{"HuXian", 1}, {"MunButton", 7}, {"OpenFile", -1}};
    EXPECT_EQ(expected, ran);
}

// Answers the next input box from inside its modal loop.
struct BoxAnswer {
    std::wstring text;
    bool ok = true;
    std::wstring prompt, shown;
    bool typingAtOpening = false;  // the text box has the focus, its text selected
};
BoxAnswer* gAnswer = nullptr;

void CALLBACK AnswerBox(HWND, UINT, UINT_PTR id, DWORD) {
    HWND box = FindWindowW(L"#32770", L"小节编号");
    if (!box || !gAnswer) return;
    RECT r;
    GetWindowRect(box, &r);
    RedrawWindow(box, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);  // the picture as shown
    // The display may show the box a few ticks after it exists: answer once it is on the screen.
    const auto shown =
        win::test::PixelsOf(win::test::CopyOf(win::ScreenDc().Get(), r).Get(), r.right - r.left, r.bottom - r.top);
    if (std::all_of(shown.begin(), shown.end(), [&](uint32_t p) { return p == shown.front(); })) return;
    KillTimer(nullptr, id);
    gAnswer->prompt = TextOf(GetDlgItem(box, kInputBoxPrompt));
    gAnswer->shown = TextOf(GetDlgItem(box, kInputBoxText));
    DWORD from = 1, to = 0;
    SendMessageW(GetDlgItem(box, kInputBoxText), EM_GETSEL, reinterpret_cast<WPARAM>(&from),
                 reinterpret_cast<LPARAM>(&to));
    gAnswer->typingAtOpening = GetFocus() == GetDlgItem(box, kInputBoxText) && from == 0 && to == 2;
    notaline::test::SaveScreenPng(r, L"input_box.png");
    SetWindowTextW(GetDlgItem(box, kInputBoxText), gAnswer->text.c_str());
    PostMessageW(box, WM_COMMAND, gAnswer->ok ? IDOK : IDCANCEL, 0);
}

TEST_F(MainWindowTest, InputBoxTellsOkFromCancel) {
    struct Row {
        std::wstring typed;
        bool ok;
        std::optional<std::wstring> result;
    } rows[] = {{L"IV", true, L"IV"}, {L"", true, L""}, {L"IV", false, std::nullopt}};
    for (const auto& r : rows) {
        BoxAnswer answer{r.typed, r.ok, {}, {}};
        gAnswer = &answer;
        SetTimer(nullptr, 0, 20, AnswerBox);
        EXPECT_EQ(r.result, InputBox(window->Handle(), L"小节编号", L"请输入字符：", L"默认"));
        EXPECT_EQ(L"请输入字符：", answer.prompt);
        EXPECT_EQ(L"默认", answer.shown);
        EXPECT_TRUE(answer.typingAtOpening);
    }
    gAnswer = nullptr;
}

std::wstring gReceived;
LRESULT CALLBACK TextReceiver(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == WM_APP + 1) {
        BSTR text = *reinterpret_cast<const BSTR*>(lp);
        gReceived.assign(text ? text : L"", text ? SysStringLen(text) : 0);
        return 7;
    }
    return DefWindowProcW(w, m, wp, lp);
}

TEST_F(MainWindowTest, TextRequestsPassTheAddressOfABstr) {
    HWND receiver = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    SetWindowLongPtrW(receiver, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(TextReceiver));
    EXPECT_EQ(7, SendEditorText(receiver, WM_APP + 1, 0, L"1.3."));
    EXPECT_EQ(L"1.3.", gReceived);
    EXPECT_EQ(7, SendEditorText(receiver, WM_APP + 1, 0, L""));
    EXPECT_EQ(L"", gReceived);
    DestroyWindow(receiver);
}

}  // namespace
}  // namespace tavolin::test
