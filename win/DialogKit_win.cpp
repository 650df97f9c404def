#include "win/DialogKit_win.h"

#include <windows.h>
#include <commctrl.h>

#include "win/Window.h"

namespace win {

namespace {

LRESULT CALLBACK FilterProc(HWND box, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR ref) {
    if (msg == WM_CHAR) {
        wchar_t text[64]{};
        GetWindowTextW(box, text, 64);
        const auto filter = reinterpret_cast<KeyFilter>(ref);
        if (!filter(static_cast<int16_t>(wParam), text)) return 0;
    }
    if (msg == WM_NCDESTROY) RemoveWindowSubclass(box, FilterProc, 0);
    return DefSubclassProc(box, msg, wParam, lParam);
}

LRESULT CALLBACK SelectAllProc(HWND box, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    if (msg == WM_CHAR && wParam == 1) {  // Ctrl+A
        SendMessageW(box, EM_SETSEL, 0, -1);
        return 0;
    }
    if (msg == WM_NCDESTROY) RemoveWindowSubclass(box, SelectAllProc, 0);
    return DefSubclassProc(box, msg, wParam, lParam);
}

UINT TipsMessage() {
    static const UINT message = RegisterWindowMessageW(L"win::TableDialog tips");
    return message;
}

// An empty modal frame; its controls are made at WM_INITDIALOG.
struct alignas(DWORD) EmptyTemplate {
    DLGTEMPLATE Head;
    WORD Menu = 0, Class = 0, Title = 0;
};

}  // namespace

HINSTANCE KitModule() {
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&KitModule), &module);
    return module;
}

INT_PTR RunEmptyModal(HWND owner, DLGPROC proc, LPARAM param) {
    EmptyTemplate t{};
    t.Head.style = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;
    return DialogBoxIndirectParamW(KitModule(), &t.Head, owner, proc, param);
}

void SelectAllKey(HWND box) {
    SetWindowSubclass(box, SelectAllProc, 0, 0);
}

void AddTip(HWND& tips, HWND dialog, HWND control, const wchar_t* text) {
    if (!tips) {
        tips = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, dialog, nullptr, KitModule(), nullptr);
        if (!tips) return;
    }
    TTTOOLINFOW info{};
    info.cbSize = TTTOOLINFOW_V2_SIZE;
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = dialog;
    info.uId = reinterpret_cast<UINT_PTR>(control);
    info.lpszText = const_cast<wchar_t*>(text);
    SendMessageW(tips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

INT_PTR TableDialog::Run(HWND owner) {
    return RunEmptyModal(owner, Proc, reinterpret_cast<LPARAM>(this));
}

std::u16string TableDialog::Text(int id) const {
    HWND h = Item(id);
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(h)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(h, text.data(), static_cast<int>(text.size()))));
    return std::u16string(text.begin(), text.end());
}

void TableDialog::SetText(int id, std::u16string_view text) {
    const bool was = filling_;
    filling_ = true;
    SetWindowTextW(Item(id), std::wstring(text.begin(), text.end()).c_str());
    filling_ = was;
}

void TableDialog::FilterKeys(int id, KeyFilter filter) {
    SetWindowSubclass(Item(id), FilterProc, 0, reinterpret_cast<DWORD_PTR>(filter));
}

void TableDialog::AttachUpDown(int upDown, int buddy) {
    SendMessageW(Item(upDown), UDM_SETBUDDY, reinterpret_cast<WPARAM>(Item(buddy)), 0);
    SendMessageW(Item(upDown), UDM_SETRANGE32, static_cast<WPARAM>(-1), 1);
    SendMessageW(Item(upDown), UDM_SETPOS32, 0, 0);
}

void TableDialog::FillList(int id, std::span<const char16_t* const> items, int selected, bool listBox) {
    const UINT add = listBox ? LB_ADDSTRING : CB_ADDSTRING;
    const UINT select = listBox ? LB_SETCURSEL : CB_SETCURSEL;
    for (const char16_t* item : items)
        SendMessageW(Item(id), add, 0, reinterpret_cast<LPARAM>(reinterpret_cast<const wchar_t*>(item)));
    SendMessageW(Item(id), select, static_cast<WPARAM>(selected), 0);
}

void TableDialog::Refuse(int id, std::u16string_view reason) {
    Beep();
    if (!reason.empty()) SayReason(reason);
    SendMessageW(dialog_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(id)), TRUE);
    SendMessageW(Item(id), EM_SETSEL, 0, -1);
}

void TableDialog::SayReason(std::u16string_view reason) {
    if (HWND row = Item(kReasonRow)) SetWindowTextW(row, std::wstring(reason.begin(), reason.end()).c_str());
}

HWND TableDialog::Make(const DialogControl& c) {
    const DWORD shown = Hidden(c) ? 0 : WS_VISIBLE;
    HWND h = CreateWindowExW(c.ExStyle, c.Class, c.Text, WS_CHILD | shown | c.Style, c.Box.left, c.Box.top, c.Box.right,
                             c.Box.bottom, dialog_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.Id)), KitModule(),
                             nullptr);
    SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(Font()), FALSE);
    return h;
}

// Placed after the row made before it in the table, so that the tab order is the table's.
HWND TableDialog::MakeRow(int id) {
    HWND before = nullptr;
    for (const DialogControl& c : controls_) {
        if (c.Id != id) {
            if (HWND h = c.Id ? Item(c.Id) : nullptr) before = h;
            continue;
        }
        if (HWND made = Item(id)) return made;
        HWND h = Make(c);
        if (before) SetWindowPos(h, before, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        return h;
    }
    return nullptr;
}

void TableDialog::AddRowTip(int id) {
    if (!tipsAdded_) return;
    for (const DialogControl& c : controls_)
        if (c.Id == id) AddTipOf(c);
}

void TableDialog::AddTips() {
    if (tipsAdded_) return;
    tipsAdded_ = true;
    for (const DialogControl& c : controls_) AddTipOf(c);
}

void TableDialog::AddTipOf(const DialogControl& c) {
    if (HWND h = Item(c.Id); h && c.Tip) AddTip(tips_, dialog_, h, c.Tip);
}

void TableDialog::Create() {
    const INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);
    SetWindowTextW(dialog_, caption_);
    // Sized first: a status bar places itself in the client area as it is made.
    SizeClient(dialog_, client_);
    if (CrispFont && !font_) {
        LOGFONTW lf{};
        lf.lfHeight = -12;
        lf.lfWeight = FW_NORMAL;
        lf.lfCharSet = GB2312_CHARSET;
        lf.lfQuality = NONANTIALIASED_QUALITY;
        wcscpy_s(lf.lfFaceName, L"宋体");
        font_ = FontHandle(CreateFontIndirectW(&lf));
    }
    for (const DialogControl& c : controls_)
        if (!Later(c)) Make(c);
}

// An up-down that sets its buddy itself keeps its own position; the others tell the form.
INT_PTR TableDialog::Notify(WPARAM wParam, LPARAM lParam) {
    const auto* head = reinterpret_cast<const NMHDR*>(lParam);
    if (head->code != UDN_DELTAPOS || (GetWindowLongW(head->hwndFrom, GWL_STYLE) & UDS_SETBUDDYINT))
        return OnOther(WM_NOTIFY, wParam, lParam);
    const auto* step = reinterpret_cast<const NMUPDOWN*>(lParam);
    if (step->iDelta != 0) OnUpDown(static_cast<int>(head->idFrom), step->iDelta > 0 ? 1 : -1);
    SetWindowLongPtrW(dialog_, DWLP_MSGRESULT, TRUE);  // the form holds the value
    return TRUE;
}

INT_PTR CALLBACK TableDialog::Proc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) try {
    auto* self = reinterpret_cast<TableDialog*>(GetWindowLongPtrW(dialog, DWLP_USER));
    switch (msg) {
        case WM_INITDIALOG:
            self = reinterpret_cast<TableDialog*>(lParam);
            SetWindowLongPtrW(dialog, DWLP_USER, lParam);
            self->dialog_ = dialog;
            self->filling_ = true;
            if (self->TipsPosted()) PostMessageW(dialog, TipsMessage(), 0, 0);
            self->Create();
            self->OnInit();
            self->filling_ = false;
            if (!self->TipsPosted()) self->AddTips();
            return TRUE;
        case WM_COMMAND:
            if (!self) return FALSE;
            self->OnCommand(LOWORD(wParam), HIWORD(wParam));
            return TRUE;
        case WM_NOTIFY: return self ? self->Notify(wParam, lParam) : FALSE;
        case WM_CTLCOLORSTATIC:
            if (!self) return FALSE;
            if (reinterpret_cast<HWND>(lParam) != self->Item(kReasonRow)) return self->OnOther(msg, wParam, lParam);
            SetTextColor(reinterpret_cast<HDC>(wParam), RGB(200, 0, 0));
            SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_3DFACE));
            return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_3DFACE));
        case WM_DESTROY:
            if (!self) return FALSE;
            if (self->tips_) DestroyWindow(self->tips_);
            self->tips_ = nullptr;
            return self->OnOther(msg, wParam, lParam);
        default:
            if (!self) return FALSE;
            if (msg != TipsMessage()) return self->OnOther(msg, wParam, lParam);
            self->AddTips();
            return TRUE;
    }
} catch (...) {
    return FALSE;
}

}  // namespace win
