#include "InputBox_win.h"

#include <vector>

namespace tavolin {
namespace {

struct BoxState {
    std::wstring_view defaultText;
    std::wstring answer;
};

// An in-memory dialog template: header, then items, each DWORD-aligned.
class Template {
public:
    Template(std::wstring_view title, short cx, short cy, int items) {
        Align();
        AddDword(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT | DS_CENTER);
        AddDword(0);
        words_.push_back(static_cast<WORD>(items));
        for (short v : {short(0), short(0), cx, cy}) words_.push_back(static_cast<WORD>(v));
        words_.push_back(0);  // no menu
        words_.push_back(0);  // the dialog class
        AddText(title);
        words_.push_back(9);
        AddText(L"MS Shell Dlg");
    }
    void Item(DWORD style, short x, short y, short cx, short cy, WORD id, WORD classAtom, std::wstring_view text) {
        Align();
        AddDword(style | WS_CHILD | WS_VISIBLE);
        AddDword(0);
        for (short v : {x, y, cx, cy}) words_.push_back(static_cast<WORD>(v));
        words_.push_back(id);
        words_.push_back(0xFFFF);
        words_.push_back(classAtom);
        AddText(text);
        words_.push_back(0);  // no creation data
    }
    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

private:
    void Align() {
        if (words_.size() % 2) words_.push_back(0);
    }
    void AddDword(DWORD v) {
        words_.push_back(LOWORD(v));
        words_.push_back(HIWORD(v));
    }
    void AddText(std::wstring_view text) {
        words_.insert(words_.end(), text.begin(), text.end());
        words_.push_back(0);
    }
    std::vector<WORD> words_;
};

constexpr WORD kButton = 0x0080, kEdit = 0x0081, kStatic = 0x0082;

INT_PTR CALLBACK BoxProc(HWND box, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* state = reinterpret_cast<BoxState*>(GetWindowLongPtrW(box, DWLP_USER));
    switch (msg) {
        case WM_INITDIALOG: {
            state = reinterpret_cast<BoxState*>(lParam);
            SetWindowLongPtrW(box, DWLP_USER, lParam);
            const std::wstring text(state->defaultText);
            SetDlgItemTextW(box, kInputBoxText, text.c_str());
            HWND edit = GetDlgItem(box, kInputBoxText);
            SendMessageW(edit, EM_SETSEL, 0, -1);
            SetFocus(edit);
            return FALSE;
        }
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK && state) {
                HWND edit = GetDlgItem(box, kInputBoxText);
                std::wstring text(static_cast<size_t>(GetWindowTextLengthW(edit)) + 1, L'\0');
                text.resize(static_cast<size_t>(GetWindowTextW(edit, text.data(), static_cast<int>(text.size()))));
                state->answer = std::move(text);
                EndDialog(box, IDOK);
                return TRUE;
            }
            if (LOWORD(wParam) == IDCANCEL) {
                EndDialog(box, IDCANCEL);
                return TRUE;
            }
            return FALSE;
        default: return FALSE;
    }
}

}  // namespace

std::optional<std::wstring> InputBox(HWND owner, std::wstring_view title, std::wstring_view prompt,
                                     std::wstring_view defaultText) {
    Template t(title, 250, 104, 4);
    t.Item(SS_LEFT, 7, 7, 180, 64, kInputBoxPrompt, kStatic, prompt);
    t.Item(BS_DEFPUSHBUTTON | WS_TABSTOP, 193, 7, 50, 14, IDOK, kButton, L"确定");
    t.Item(BS_PUSHBUTTON | WS_TABSTOP, 193, 25, 50, 14, IDCANCEL, kButton, L"取消");
    t.Item(ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 7, 82, 236, 13, kInputBoxText, kEdit, L"");
    BoxState state{defaultText, {}};
    const INT_PTR result =
        DialogBoxIndirectParamW(GetModuleHandleW(nullptr), t.Get(), owner, BoxProc, reinterpret_cast<LPARAM>(&state));
    if (result != IDOK) return std::nullopt;
    return state.answer;
}

}  // namespace tavolin
