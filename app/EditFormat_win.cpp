// The Edit menu, the input-mode choices and the format panel: each sets a member of the editor or
// sends it a message; the editor does the work and reports back through its status record.
#include "EditFormat_win.h"

#include <windows.h>
#include <commctrl.h>

#include <cmath>
#include <string>

#include "ButtonColours.h"
#include "EditorText_win.h"
#include "HighlightPalette_win.h"
#include "MainWindow_win.h"
#include "Modules_win.h"
#include "WinProc.h"
#include "button/api/IButton.h"
#include "com/Bstr.h"
#include "com/Variant.h"
#include "records/Messages.h"

namespace tavolin {
namespace {

constexpr UINT_PTR kSizeBoxSubclass = 38;

void FocusEditor(MainWindow& form) {
    if (IZEVudu* z = form.Editor()) z->SetFocus();
}

// A disabled panel does not grey its controls: each enabled one goes with it, marked, and only
// the marked ones come back.
constexpr wchar_t kGreyedWithPanel[] = L"TavolinGreyedWithPanel";

void EnablePanel(HWND panel, bool enabled) {
    if (!panel) return;
    EnableWindow(panel, enabled);
    EnumChildWindows(
        panel,
        [](HWND child, LPARAM on) -> BOOL {
            if (on) {
                if (RemovePropW(child, kGreyedWithPanel)) EnableWindow(child, TRUE);
            } else if (IsWindowEnabled(child)) {
                SetPropW(child, kGreyedWithPanel, reinterpret_cast<HANDLE>(1));
                EnableWindow(child, FALSE);
            }
            return TRUE;
        },
        enabled);
}

void InputState_Click(MainWindow& form, int index) {
    IZEVudu* z = form.Editor();
    if (index >= 0 && index <= 3) {
        for (int k = 0; k <= 3; ++k) form.CheckMenu("InputState", k, k == index);
        static const wchar_t* const modes[] = {L"简谱输入模式", L"歌词输入模式", nullptr, L"连谱线输入模式"};
        if (z && modes[index]) {
            // Connecting lines are picked one by one: the selection goes before the mode changes.
            if (index == 3) z->put_SelLength(0);
            z->put_InputState(index == 3 ? tessaly::LpxState : index + 1);
            form.SetStatusText(5, modes[index]);
        }
    }
    const bool panels = index != 3;
    EnablePanel(form.ControlWindow("FaceFrame", 0), panels);
    EnablePanel(form.ControlWindow("FaceFrame", 1), panels);
    EnablePanel(form.ControlWindow("TopFaceFrame"), panels);
}

// An edit command the editor's window carries out; the focus goes back to it unless told otherwise.
void SendEdit(MainWindow& form, UINT msg, bool focus = true) {
    if (!form.EditorWindow()) return;
    SendMessageW(form.EditorWindow(), msg, 0, 0);
    if (focus) FocusEditor(form);
}

bool ButtonDown(MainWindow& form, int index) {
    IDispatch* button = form.Button("CmdFont", index);
    if (!button) return false;
    com::Variant v;
    DISPPARAMS none{};
    if (FAILED(button->Invoke(dispid::Button::ButtonDown, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none,
                              v.Out(), nullptr, nullptr)))
        return false;
    return v.Raw().vt == VT_BOOL && v.Raw().boolVal != VARIANT_FALSE;
}

void CmdFont_Click(MainWindow& form, int index) {
    IZEVudu* z = form.Editor();
    if (!z || index < 0 || index > 3) return;
    const VARIANT_BOOL on = ButtonDown(form, index) ? VARIANT_TRUE : VARIANT_FALSE;
    switch (index) {
        case 0: z->put_SelFontBold(on); break;
        case 1: z->put_SelFontItalic(on); break;
        case 2: z->put_SelFontUnderline(on); break;
        default: z->put_SelFontStrikeOut(on); break;
    }
    FocusEditor(form);
}

// The text a box shows, or for a selection just made in its list the chosen item.
std::wstring BoxText(HWND box) {
    std::wstring text;
    const LRESULT item = SendMessageW(box, CB_GETCURSEL, 0, 0);
    if (item != CB_ERR) {
        const LRESULT n = SendMessageW(box, CB_GETLBTEXTLEN, item, 0);
        if (n > 0) {
            text.resize(static_cast<size_t>(n) + 1);
            SendMessageW(box, CB_GETLBTEXT, item, reinterpret_cast<LPARAM>(text.data()));
            text.resize(static_cast<size_t>(n));
            return text;
        }
    }
    text.resize(static_cast<size_t>(GetWindowTextLengthW(box)) + 1);
    text.resize(static_cast<size_t>(GetWindowTextW(box, text.data(), static_cast<int>(text.size()))));
    return text;
}

void cmbFontName_Click(MainWindow& form) {
    IZEVudu* z = form.Editor();
    const std::wstring name = BoxText(form.ControlWindow("cmbFontName"));
    if (!z || name.empty()) return;
    z->put_SelFontName(com::Bstr(name).Get());
    FocusEditor(form);
}

// Sizes outside what a font can take (a text without a number gives 0) are not applied.
bool ApplyFontSize(MainWindow& form, float points) {
    IZEVudu* z = form.Editor();
    if (!z || !(points >= 1 && points <= 400)) return false;
    z->put_SelFontSize(static_cast<short>(std::nearbyint(points)));
    return true;
}

void CmbFontSize_Click(MainWindow& form, FormatState& state) {
    const float points = FontSizeValue(BoxText(form.ControlWindow("CmbFontSize")));
    if (!ApplyFontSize(form, points)) return;
    state.fontSize = points;
    FocusEditor(form);
}

LRESULT CALLBACK SizeBoxProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    if (msg == WM_KEYUP) {
        auto& form = *reinterpret_cast<MainWindow*>(data);
        std::wstring text(static_cast<size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
        text.resize(static_cast<size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
        ApplyFontSize(form, FontSizeValue(text));
    }
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

void ChooseForeColor(MainWindow& form) {
    IZEVudu* z = form.Editor();
    ImCommonDialog* dialog = form.CommonDialog();
    if (!z || !dialog) return;
    OLE_COLOR start = 0;
    z->get_SelForeColor(&start);
    LONG colour = static_cast<LONG>(start), flags = 0;
    VARIANT_BOOL any = VARIANT_TRUE, full = VARIANT_FALSE, noFull = VARIANT_TRUE, chosen = VARIANT_FALSE;
    LONG_PTR owner = reinterpret_cast<LONG_PTR>(form.Handle());
    if (FAILED(dialog->VBChooseColor(&colour, &any, &full, &noFull, &owner, &flags, &chosen)) || !chosen) return;
    z->put_SelForeColor(static_cast<OLE_COLOR>(colour));
    VARIANT v;
    v.vt = VT_I4;
    v.lVal = TextButtonColour(static_cast<uint32_t>(colour));
    form.PutButton("CmdFrColor", -1, dispid::Button::ForeColor, v);
}

// The palette opens beside the button, its corner given in pixels at 96 DPI.
void CmdBkColor_Click(MainWindow& form) {
    HighlightPalette::Unload();
    HWND button = form.ControlWindow("CmdBkColor");
    RECT r{};
    if (!button || !GetWindowRect(button, &r)) return;
    const int dpi = form.FormDpi() > 0 ? form.FormDpi() : 96;
    HighlightPalette::GetXy(MulDiv(r.right, 96, dpi), MulDiv(r.bottom + (r.bottom - r.top) / 2, 96, dpi));
    HighlightPalette::Show(form);
}

void Label2_Click(MainWindow& form, int index) {
    if (index < 0 || index >= kSidePanels) return;
    const double top = form.Geometry().side[index].Top;
    for (PanelState& s : form.Panels().PanelStates)
        if (s.PanelTop == static_cast<float>(top)) {
            s.SizeState = !s.SizeState;
            break;
        }
    // The panels are stacked (and the state written) only here, not by the general layout.
    form.SavePanelState();
    form.ReShowForm();
}

// The test mark's text: one character of the Chinese code page ("（", A3 A8), since the
// editor's text requests cross as wide strings and a byte pair with no lead byte cannot.
void Test_Click(MainWindow& form) {
    if (!form.EditorWindow()) return;
    SendEditorText(form.EditorWindow(), tessaly::EM_Test, 120, L"\xFF08");
    if (IZEVudu* z = form.Editor()) z->RefreshSel();
}

}  // namespace

FormatState& TheFormatState() {
    static FormatState state;
    return state;
}

void RegisterEditFormat(MainWindow& form) {
    CommandRouter& router = form.Router();
    router.AddArray("InputState", [&form](int i) { InputState_Click(form, i); });
    router.AddArray("OptJpGc", [&form](int i) {
        InputState_Click(form, i);
        FocusEditor(form);
    });
    router.Add("Undo", [&form](int) { SendEdit(form, EM_UNDO); });
    router.Add("ReDo", [&form](int) { SendEdit(form, tessaly::EM_REDO); });
    router.Add("WordCut", [&form](int) { SendEdit(form, WM_CUT); });
    router.Add("CopyWord", [&form](int) { SendEdit(form, WM_COPY); });
    router.Add("WordPaste", [&form](int) { SendEdit(form, WM_PASTE); });
    router.Add("WordDel", [&form](int) { SendEdit(form, WM_CLEAR, false); });
    router.Add("SelAll", [&form](int) {
        if (IZEVudu* z = form.Editor()) z->SelAll(), z->SetFocus();
    });
    router.AddArray("CmdFont", [&form](int i) { CmdFont_Click(form, i); });
    router.Add("cmbFontName", [&form](int) { cmbFontName_Click(form); });
    router.Add("CmbFontSize", [&form](int) { CmbFontSize_Click(form, TheFormatState()); });
    router.Add("CmdFrColor", [&form](int) { ChooseForeColor(form); });
    router.Add("CmdBkColor", [&form](int) { CmdBkColor_Click(form); });
    router.AddArray("Label2", [&form](int i) { Label2_Click(form, i); });
    router.Add("Test", [&form](int) { Test_Click(form); });
    // The size box applies each key release; its edit field exists once the panels are made.
    form.Hooks().panelsMade.push_back([&form] {
        COMBOBOXINFO info{};
        info.cbSize = sizeof info;
        if (HWND box = form.ControlWindow("CmbFontSize"); box && GetComboBoxInfo(box, &info) && info.hwndItem)
            SetWindowSubclass(info.hwndItem, SizeBoxProc, kSizeBoxSubclass, reinterpret_cast<DWORD_PTR>(&form));
    });
}

}  // namespace tavolin
