#include "control/EditWindow_win.h"

#include <windows.h>
#include <imm.h>
#include <windowsx.h>

#include <cmath>
#include <cstring>
#include <utility>

#include "control/EditorMessages_win.h"
#include "control/Handlers_win.h"
#include "control/IZEVudu.h"
#include "control/Printing_win.h"
#include "model/document/GraceNotes.h"
#include "model/document/WordRange.h"
#include "model/document/mGeneral.h"
#include "model/layout/LayoutSetup.h"
#include "model/layout/Pagination.h"
#include "records/Numbers.h"
#include "render/ScreenRenderer_win.h"
#include "text/Cp936.h"
#include "win/ImeContext.h"
#include "win/Window.h"

namespace notaline {

namespace {

void InsertInputWords(Editor& ed) {
    EditorData& d = ed.Data;
    // Nothing built (or a handler not written yet): an earlier buffer must not go in again.
    if (d.InputWords.empty()) return;
    if (ed.Commands->Typed.InputWord(d.SelStart, d.SelLength)) LayOutEdit(d, *ed.Renderer);
}

void InsertTyped(Editor& ed, const std::string& text) {
    EditorData& d = ed.Data;
    if (d.CurLine == d.CPdqLine) ed.Renderer->CheckCPdqLine();
    if (d.CurLine == d.XjdqLine) ed.Renderer->CheckXjdqLine();
    d.InputWords.clear();
    TextToWordsByState(ed, text);
    InsertInputWords(ed);
    // The caret moved on with the text, maybe onto a new line: Up, Down and End start from there.
    d.CaretAtLineEnd = false;
    ed.UpdateCaretLine();
    ed.Renderer->EnsureWordVisible(d.SelStart);
    ed.Refresh(tessaly::OnePageRefresh);
    NotifySelChange(ed, d.SelStart, d.SelLength);
}

// The window is a Unicode one, so an input method's character arrives as one UTF-16 unit; it
// joins the pending text as its code page 936 bytes.
void OnImeChar(Editor& ed, WPARAM code) {
    if (ed.Data.InputState == tessaly::LpxState || code <= 127) return;
    const char16_t ch = static_cast<char16_t>(code);
    if (auto bytes = tessaly::Utf16ToCp936(std::u16string_view(&ch, 1))) ed.PendingIme += *bytes;
}

void OnChar(Editor& ed, WPARAM code) {
    if (!ed.PendingIme.empty()) {
        if (ed.Data.InputState == tessaly::JpState) ed.Beep();  // the text still goes in
        const std::string text = std::move(ed.PendingIme);
        ed.PendingIme.clear();
        InsertTyped(ed, text);
    } else if (code >= 32 && code <= 126) {  // DEL is no character
        InsertTyped(ed, std::string(1, static_cast<char>(code)));
    } else if (code > 127) {
        // Typed without an input method (or sent by another program): taken as one would be.
        OnImeChar(ed, code);
        if (ed.PendingIme.empty()) {
            if (ed.Data.InputState != tessaly::LpxState) ed.Beep();  // code page 936 cannot hold it
        } else {
            OnChar(ed, 0);
        }
    }
}

void OnImeComposition(Editor& ed) {
    const win::ImeContext imc(ed.Window);
    if (!imc.Get()) return;
    const CaretBox caret = ed.Renderer->CaretRect();
    COMPOSITIONFORM form{};
    form.dwStyle = 4;
    form.ptCurrentPos.x = std::lround(caret.Left);
    form.ptCurrentPos.y = std::lround(caret.Top + caret.Height);
    ImmSetCompositionWindow(imc.Get(), &form);
}

void OnScroll(Editor& ed, WPARAM wParam, bool vertical) {
    if (ed.Scroll)
        ed.Scroll->HandleScrollMessage(static_cast<LONG_PTR>(wParam), vertical ? VARIANT_TRUE : VARIANT_FALSE);
    ed.Refresh(vertical ? tessaly::AutoRefresh : tessaly::SelColorRefresh);
}

// With the left button alone held, a pointer above or below the window scrolls towards it.
void OnDragScroll(Editor& ed, WPARAM keys, LPARAM lParam) {
    if ((keys & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) != MK_LBUTTON || !ed.Scroll) return;
    const int y = GET_Y_LPARAM(lParam);
    LONG height = 0;
    ed.Scroll->get_ClientHeight(&height);
    float step = 0;
    if (y < 1) {
        step = static_cast<float>(y - 1) / 5;
    } else if (y > height) {
        step = static_cast<float>(y - height) / 5;
    }
    ed.Scroll->ScrollByMouseMove(step);
    ed.Refresh(tessaly::AutoRefresh);
}

void OnRightButtonUp(Editor& ed) {
    POINT cursor{}, origin{};
    GetCursorPos(&cursor);
    ClientToScreen(ed.Window, &origin);
    ed.MenuPoint = POINT{cursor.x - origin.x, cursor.y - origin.y};
    ShowContextMenu(ed);
}

void ZoomStepTaken(Editor& ed, float scale) {
    EditorData& d = ed.Data;
    ed.Renderer->ZoomTo(scale);
    ed.Refresh(tessaly::AllRefresh);
    // The record holds the selection forward, a backward one included.
    const WordRange sel = NormalRange(d.SelStart, d.SelLength);
    const bool caretStayed =
        sel.Start == d.StatusSentStart && sel.Length == d.StatusSentLength && d.Edits == d.StatusSentEdits;
    NotifySelChange(ed, d.SelStart, d.SelLength);
    // A record for a caret that stayed is not sent, but the host's zoom box needs the new scale.
    if (caretStayed && d.InputState != tessaly::LpxState) ResendStatus(ed);
}

// The wheel's delta is the signed high half of wParam; only whole notches act.
void OnWheel(Editor& ed, WPARAM wParam) {
    const int delta = GET_WHEEL_DELTA_WPARAM(wParam);
    const int16_t mask = GetShiftState(ed.Data);
    if (mask == 2) {
        float scale = ed.Data.AboutPageInfo.nScale;
        const auto r = ed.Zoom.Wheel(delta, GetTickCount64(), scale);
        if (r.Beep) ed.Beep();
        if (r.Zoomed) ZoomStepTaken(ed, scale);
    } else if (mask == 0 && (delta == 120 || delta == -120)) {
        if (ed.Scroll) ed.Scroll->ScrollByMouseWheel(delta < 0 ? VARIANT_TRUE : VARIANT_FALSE);
        ed.Refresh(tessaly::AutoRefresh);
    }
}

// The host lists the caret character's marks and counts the selection: after a cut, paste or
// delete both changed. The input mode stays what it was, as these commands leave it.
// Cut, paste and delete redraw as Backspace does: only the rows whose drawing changed, when the
// view shows no selection; free items do not move with the text.
constexpr int32_t kEditRefresh = tessaly::OnePageRefresh;

void ReportEdit(Editor& ed) {
    NotifySelChangeByState(ed, ed.Data.SelStart, ed.Data.SelLength);
}

void OnCut(Editor& ed) {
    EditCommands& c = *ed.Commands;
    if (ed.Data.InputState == tessaly::LpxState) {
        c.Items.CutHwWord();
        ed.Refresh(tessaly::LpxRefresh);
        return;
    }
    if (c.Undo.CanCut()) c.Clipboard.CutWord(ed.Data.SelStart, ed.Data.SelLength);
    ed.LayOutAndShow(kEditRefresh);
    ed.UpdateCaretLine();
    ReportEdit(ed);
}

void OnCopy(Editor& ed) {
    FixGraceNoteGroup(ed.Data);
    CopyWordsToClipboard(ed, ed.Data.SelStart, ed.Data.SelLength);
}

// The clipboard is read when the paste happens: what an earlier CanPaste found may be gone.
void OnPaste(Editor& ed) {
    EditorData& d = ed.Data;
    d.InputWords.clear();
    d.PasteWordCount = 0;
    d.PasteStore.clear();
    ed.PasteFormatName.clear();
    if (!ReadClipboardWords(ed, true)) return;
    EditCommands& c = *ed.Commands;
    if (d.InputState == tessaly::LpxState) {
        c.Items.PasteHwWord(ed.Grid, 120, 120);
        ed.Refresh(tessaly::LpxRefresh);
        return;
    }
    if (d.PasteWordCount <= 0) return;
    c.Clipboard.PasteWord(d.SelStart, d.SelLength, ed.PasteFormatName);
    ed.LayOutAndShow(kEditRefresh);
    ed.UpdateCaretLine();
    ReportEdit(ed);
}

void OnClear(Editor& ed) {
    EditCommands& c = *ed.Commands;
    if (!c.Undo.CanDel()) return;
    if (ed.Data.InputState == tessaly::LpxState) {
        c.Items.DelHwWord();
        ed.Refresh(tessaly::LpxRefresh);
        return;
    }
    c.Typed.DeleteWord(ed.Data.SelStart, ed.Data.SelLength);
    ed.LayOutAndShow(kEditRefresh);
    ed.UpdateCaretLine();
    ReportEdit(ed);
}

}  // namespace

void InstallEditWndProc(Editor& ed) {
    ed.PrevWndProc = win::ChainProcedure(ed.Window, &EditWndProc, &ed);
}

void UninstallEditWndProc(Editor& ed) {
    if (!ed.PrevWndProc) return;
    KillTimer(ed.Window, kSettleTimer);  // its ticks would go to the window's own procedure
    win::UnchainProcedure(ed.Window, &EditWndProc);
}

namespace {

Editor* EditorOf(HWND hwnd) {
    return static_cast<Editor*>(win::ChainedTo(hwnd, &EditWndProc).Data);
}

LRESULT EditMessage(Editor* ed, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    const WNDPROC prev = ed->PrevWndProc;
    if (msg == WM_TIMER && wParam == kSettleTimer) {
        KillTimer(hwnd, kSettleTimer);
        if (ed->Data.DocLoaded) ed->JoinUpStep(kSettleStepLines);
        return 0;
    }
    if (msg == kReleaseStoppedPlayers) {
        ReleaseStoppedPlayers(*ed);
        return 0;
    }
    if (msg == kUserSaveWritten) {
        try {
            if (auto tell = std::exchange(ed->Background.SaveWritten, {})) tell();
        } catch (...) {
            // Telling the outcome failed: the file is as the writer left it, nothing crosses.
        }
        return 0;
    }
    try {
        if (PictureMessage(*ed, msg, wParam)) return 0;
    } catch (...) {
        return 0;
    }
    // While a document loads, everything goes straight to the control's own procedure.
    if (!ed->Data.DocLoaded) return CallWindowProcW(prev, hwnd, msg, wParam, lParam);
    LRESULT result = 0;
    try {
        if (EditWindowMessage(*ed, msg, wParam, lParam, result)) return result;
    } catch (...) {
        // An edit that failed leaves the message to the control; nothing crosses the procedure.
    }
    return CallWindowProcW(prev, hwnd, msg, wParam, lParam);
}

}  // namespace

LRESULT CALLBACK EditWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Editor* ed = EditorOf(hwnd);
    if (!ed) return DefWindowProcW(hwnd, msg, wParam, lParam);
    const uint32_t edits = ed->Data.Edits;
    const bool wasCut = ed->Data.LineInfo.HasCutLine();
    const LRESULT result = EditMessage(ed, hwnd, msg, wParam, lParam);
    // A key left a line cut short: its paragraph is broken again once the edits pause, each
    // further edit putting that off again, and then step by step. Other messages (the mouse moving
    // over the page) leave the wait as it is. The editor may have gone with the message.
    ed = EditorOf(hwnd);
    if (ed && ed->Data.LineInfo.HasCutLine()) {
        const bool tick = msg == WM_TIMER && wParam == kSettleTimer;
        const bool stepping = tick && ed->Data.DocLoaded;
        if (tick || !wasCut || ed->Data.Edits != edits)
            SetTimer(hwnd, kSettleTimer, stepping ? USER_TIMER_MINIMUM : kSettleAfterMs, nullptr);
    }
    return result;
}

bool EditWindowMessage(Editor& ed, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    EditorData& d = ed.Data;
    // The scroll bars' clicks call back the WM_VSCROLL and WM_HSCROLL below.
    if (ed.Strips && ed.Strips->BarMessage(msg, wParam, lParam, &result) == S_OK) return true;
    switch (msg) {
        case WM_PAINT: {
            PAINTSTRUCT ps;
            BeginPaint(ed.Window, &ps);
            // The rest of the window still shows the view: after a resize that moved no page only
            // what it uncovered and what the system spoiled is copied again.
            struct Painting {
                ScreenRenderer* Screen;
                ~Painting() {
                    if (Screen) Screen->Screen().SetPainting(nullptr);
                }
            } painting{ed.Renderer->Screen()};
            const IntRect spoiled{ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right, ps.rcPaint.bottom};
            if (painting.Screen) painting.Screen->Screen().SetPainting(&spoiled);
            ed.Refresh(tessaly::SelColorRefresh);
            // On the window's own context, whatever was spoiled: a size step moves the bars
            // without spoiling where they come to.
            if (ed.Strips) ed.Strips->PaintBars(0);
            EndPaint(ed.Window, &ps);
            result = 0;
            return true;
        }
        case tessaly::EM_HideCaret: HideCaret(ed.Window), DestroyCaret(); break;
        case EM_UNDO: ed.Commands->Undo.UserUndo(), NotifySelChange(ed, d.SelStart, d.SelLength); break;
        case WM_CHAR: OnChar(ed, wParam); break;
        case WM_IME_COMPOSITION: OnImeComposition(ed); break;
        case WM_COMMAND: ContextMenuCommand(ed, LOWORD(wParam)); break;
        case WM_HSCROLL: OnScroll(ed, wParam, false); break;
        case WM_VSCROLL: OnScroll(ed, wParam, true); break;
        case WM_MOUSEMOVE: OnDragScroll(ed, wParam, lParam); break;
        case WM_RBUTTONUP: OnRightButtonUp(ed); break;
        case WM_MOUSEWHEEL: OnWheel(ed, wParam); break;
        case WM_IME_CHAR: OnImeChar(ed, wParam); break;
        case WM_CUT: OnCut(ed); break;
        case WM_COPY: OnCopy(ed); break;
        case WM_PASTE: OnPaste(ed); break;
        case WM_CLEAR: OnClear(ed); break;
        case WM_RENDERFORMAT: RenderClipboard(ed, static_cast<UINT>(wParam)); break;
        case WM_RENDERALLFORMATS: RenderAllClipboard(ed); break;
        case WM_DESTROYCLIPBOARD: ed.ClipHeld.reset(); break;
        default: return HostCommand(ed, msg, wParam, lParam, result);
    }
    return false;
}

std::optional<std::string> HostText(UINT msg, LPARAM lParam) {
    if (!AddressFromOwnThread(msg, lParam)) return std::nullopt;
    BSTR text = *reinterpret_cast<const BSTR*>(lParam);
    if (!text) return std::string();  // an empty text has no buffer
    return tessaly::Utf16ToCp936(std::u16string_view(reinterpret_cast<const char16_t*>(text), SysStringLen(text)));
}

}  // namespace notaline
