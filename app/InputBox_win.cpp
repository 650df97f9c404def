#include "InputBox_win.h"

#include <array>

#include "win/DialogKit_win.h"

namespace tavolin {
namespace {

// The text box comes first, so that it takes the focus as the box opens.
const std::array<win::DialogControl, 4> kControls = {{
    {L"EDIT", kInputBoxText, L"", nullptr, {12, 154, 413, 24}, WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL},
    {L"STATIC", kInputBoxPrompt, L"", nullptr, {12, 13, 315, 120}, SS_LEFT},
    {L"BUTTON", IDOK, L"确定", nullptr, {338, 13, 88, 26}, WS_TABSTOP | BS_DEFPUSHBUTTON},
    {L"BUTTON", IDCANCEL, L"取消", nullptr, {338, 47, 88, 26}, WS_TABSTOP | BS_PUSHBUTTON},
}};

class InputBoxDialog final : public win::TableDialog {
public:
    InputBoxDialog(const std::wstring& title, std::wstring_view prompt, std::wstring_view defaultText)
        : win::TableDialog(title.c_str(), kControls, {437, 195}), prompt_(prompt), default_(defaultText) {}

    std::wstring Answer;

private:
    void OnInit() override {
        SetText(kInputBoxPrompt, std::u16string(prompt_.begin(), prompt_.end()));
        SetText(kInputBoxText, std::u16string(default_.begin(), default_.end()));
        SendMessageW(Item(kInputBoxText), EM_SETSEL, 0, -1);
        CentreOnScreen();
    }
    void OnCommand(int id, int) override {
        if (id == IDOK) {
            const std::u16string text = Text(kInputBoxText);
            Answer.assign(text.begin(), text.end());
            End(IDOK);
        } else if (id == IDCANCEL) {
            End(IDCANCEL);
        }
    }
    // In the middle of the work area of the screen the owner is on.
    void CentreOnScreen() {
        MONITORINFO screen{};
        screen.cbSize = sizeof screen;
        RECT box;
        if (!GetMonitorInfoW(MonitorFromWindow(dialog_, MONITOR_DEFAULTTONEAREST), &screen) ||
            !GetWindowRect(dialog_, &box))
            return;
        const RECT& area = screen.rcWork;
        const int width = box.right - box.left, height = box.bottom - box.top;
        SetWindowPos(dialog_, nullptr, area.left + (area.right - area.left - width) / 2,
                     area.top + (area.bottom - area.top - height) / 2, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

    std::wstring_view prompt_;
    std::wstring_view default_;
};

}  // namespace

std::optional<std::wstring> InputBox(HWND owner, std::wstring_view title, std::wstring_view prompt,
                                     std::wstring_view defaultText) {
    const std::wstring caption(title);
    InputBoxDialog box(caption, prompt, defaultText);
    if (box.Run(owner) != IDOK) return std::nullopt;
    return box.Answer;
}

}  // namespace tavolin
