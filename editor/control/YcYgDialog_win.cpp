// The octave-dot and duration-line position dialog: four buttons move the pending positions of
// the caret note's font, the preview shows them on sample notes, OK applies them as one step.
#include <windows.h>

#include <commctrl.h>

#include <array>
#include <string>

#include "text/Cp936.h"
#include "com/Module.h"
#include "control/DialogKit_win.h"
#include "control/Editor_win.h"
#include "control/Handlers_win.h"
#include "control/YcYgForm.h"
#include "paint/YcYgPreview.h"
#include "win/GdiHandles.h"
#include "win/Window.h"
#include "render/GdiCanvas_win.h"
#include "render/PageGraphics_win.h"

namespace notaline {

namespace {

constexpr int kPreviewId = 100;
constexpr int kFirstButtonId = 101;  // A+, A-, B+, B- in YcYgForm::Button order

struct Control {
    const wchar_t* Class;
    int Id;
    const wchar_t* Text;
    const wchar_t* Tip;
    RECT Box;  // left, top, width, height in pixels
};

// Twips at 96 dpi over 15: the preview 6735 by 2175 from (240, 120).
const std::array<Control, 7> kControls = {{
    {L"STATIC", kPreviewId, L"", nullptr, {16, 8, 449, 145}},
    {L"BUTTON", kFirstButtonId + YcYgForm::HighUp, L"A+", L"相同字体的高音点。", {481, 8, 60, 32}},
    {L"BUTTON", kFirstButtonId + YcYgForm::HighDown, L"A-", L"相同字体的高音点。", {481, 48, 60, 32}},
    {L"BUTTON", kFirstButtonId + YcYgForm::LowUp, L"B+", L"相同字体的减时线、低音点。", {549, 8, 60, 32}},
    {L"BUTTON", kFirstButtonId + YcYgForm::LowDown, L"B-", L"相同字体的减时线、低音点。", {549, 48, 60, 32}},
    {L"BUTTON", IDOK, L"确定", L"根据喜好，调整位置。", {481, 121, 60, 32}},
    {L"BUTTON", IDCANCEL, L"取消", nullptr, {549, 121, 60, 32}},
}};
constexpr SIZE kClient = {625, 161};

struct DialogState {
    Editor& Ed;
    YcYgForm Form;
    HWND Dialog = nullptr;
    HWND Tips = nullptr;
};

std::wstring Wide(std::u16string_view text) {
    return std::wstring(text.begin(), text.end());
}

void InitDialog(HWND dialog, DialogState& s) {
    s.Dialog = dialog;
    const INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);
    const HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    for (const Control& c : kControls) {
        DWORD style = WS_CHILD | WS_VISIBLE;
        if (c.Id == kPreviewId) style |= SS_OWNERDRAW;
        else style |= WS_TABSTOP | (c.Id == IDOK ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
        HWND h = CreateWindowExW(0, c.Class, c.Text, style, c.Box.left, c.Box.top, c.Box.right, c.Box.bottom, dialog,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.Id)), com::ThisModule(), nullptr);
        SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        if (c.Tip) dialog_kit::AddTip(s.Tips, dialog, h, c.Tip);
        if (c.Id >= kFirstButtonId && c.Id < kFirstButtonId + 4) EnableWindow(h, s.Form.OnNote);
    }
    std::wstring caption = L"音高减时线位置";
    if (s.Form.OnNote)
        caption += L" 示例--" + Wide(tessaly::Cp936ToUtf16(s.Form.Loaded.FontName).value_or(u""));
    SetWindowTextW(dialog, caption.c_str());

    win::SizeClient(dialog, kClient);
}

void DrawPreview(const DRAWITEMSTRUCT& item, DialogState& s) {
    HDC dc = item.hDC;
    FillRect(dc, &item.rcItem, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    const int saved = SaveDC(dc);
    if (s.Form.OnNote) {
        const EditorData samples = MakeYcYgSamples(s.Ed.Data, s.Form.Font, s.Form.Pending, s.Form.Row);
        PageGraphics graphics(dc);
        {
            GdiCanvas canvas(dc, graphics.Get());
            DrawYcYgPreview(canvas, samples);
        }
        graphics.Flush();
    } else {
        // 宋体 12 pt
        const int height = -MulDiv(12, GetDeviceCaps(dc, LOGPIXELSY), 72);
        // Deleted after RestoreDC has put the old font back.
        const win::FontHandle font(
            CreateFontW(height, 0, 0, 0, FW_NORMAL, 0, 0, 0, GB2312_CHARSET, 0, 0, 0, 0, L"宋体"));
        SelectObject(dc, font.Get());
        SetBkMode(dc, TRANSPARENT);
        const std::wstring hint = L"将光标放在简谱音符前。";
        TextOutW(dc, 5, 5, hint.c_str(), static_cast<int>(hint.size()));
        RestoreDC(dc, saved);
        return;
    }
    RestoreDC(dc, saved);
}

void Command(DialogState& s, int id, int code) {
    if (code != BN_CLICKED) return;
    if (id == IDOK || id == IDCANCEL) {
        EndDialog(s.Dialog, id);
        return;
    }
    if (id < kFirstButtonId || id >= kFirstButtonId + 4) return;
    s.Form.Press(static_cast<YcYgForm::Button>(id - kFirstButtonId));
    HWND preview = GetDlgItem(s.Dialog, kPreviewId);
    InvalidateRect(preview, nullptr, TRUE);
    UpdateWindow(preview);
    SendMessageW(s.Dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(s.Dialog, IDOK)), TRUE);
}

INT_PTR OnMessage(DialogState* s, HWND, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_DRAWITEM:
            if (s && wParam == kPreviewId) {
                DrawPreview(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam), *s);
                return TRUE;
            }
            return FALSE;
        case WM_DESTROY:
            if (s && s->Tips) DestroyWindow(s->Tips);
            return FALSE;
        default: return FALSE;
    }
}

}  // namespace

void ShowFormSetYcYgPos(Editor& ed) {
    DialogState state{ed, YcYgForm::Load(ed.Data)};
    const INT_PTR answer =
        dialog_kit::RunModal(ed.Window, dialog_kit::DialogProc<DialogState, InitDialog, Command, OnMessage>, &state);
    if (answer != IDOK || !state.Form.Apply(ed.Data, ed.Commands->Chars)) return;
    ed.Refresh(tessaly::MainExtralRefresh);
}

}  // namespace notaline
