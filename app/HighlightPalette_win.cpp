#include "HighlightPalette_win.h"

#include <windows.h>
#include <commctrl.h>

#include "ButtonColours.h"
#include "MainWindow_win.h"
#include "PaletteGeometry.h"
#include "button/api/IButton.h"
#include "win/GdiHandles.h"

namespace tavolin {
namespace {

constexpr wchar_t kClass[] = L"TavolinHighlightPalette";
constexpr int kWidth = 3 * kPaletteCellPitch + kPaletteCellSize;
constexpr int kHeight = kPaletteCellPitch + kPaletteCellSize;

HWND g_window = nullptr;
MainWindow* g_form = nullptr;
int g_x = 0, g_y = 0;

void PutBackColour(MainWindow& form, int32_t colour) {
    VARIANT v;
    v.vt = VT_I4;
    v.lVal = colour;
    form.PutButton("CmdBkColor", -1, dispid::Button::BackColor, v);
}

void Press(HWND hwnd, int cell) {
    if (cell < 0 || !g_form) return;
    MainWindow& form = *g_form;
    IZEVudu* z = form.Editor();
    if (cell == kPaletteCells - 1) {
        // No colour: the button takes its panel's face and looks empty.
        PutBackColour(form, NoBackButtonColour(GetSysColor(COLOR_BTNFACE)));
        if (z) z->put_SelWordBkColor(0);
        return;
    }
    // The editor and the button read red from the low byte, as the document's words store it.
    const uint32_t colour = PaletteDocumentColour(cell);
    PutBackColour(form, BackButtonColour(colour));
    if (z) z->put_SelWordBkColor(colour);
    if (cell == 0) ShowWindow(hwnd, SW_HIDE);
}

// The "no colour" cell: white with a red stroke from corner to corner.
void PaintNoColour(HDC dc, const RECT& r) {
    FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    win::PenHandle red(CreatePen(PS_SOLID, 2, RGB(220, 0, 0)));
    HGDIOBJ old = SelectObject(dc, red.Get());
    MoveToEx(dc, r.left + 4, r.bottom - 5, nullptr);
    LineTo(dc, r.right - 5, r.top + 4);
    SelectObject(dc, old);
}

void Paint(HWND hwnd) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    for (int cell = 0; cell < kPaletteCells; ++cell) {
        const PixelRect p = PaletteCellRect(cell);
        const RECT r{p.left, p.top, p.right, p.bottom};
        if (cell == kPaletteCells - 1) {
            PaintNoColour(dc, r);
        } else {
            win::BrushHandle fill(CreateSolidBrush(SwatchColour(PaletteDocumentColour(cell))));
            FillRect(dc, &r, fill.Get());
        }
        FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
    }
    EndPaint(hwnd, &ps);
}

void AddTip(HWND hwnd) {
    HWND tip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0, 0, hwnd,
                               nullptr, nullptr, nullptr);
    if (!tip) return;
    const PixelRect p = PaletteCellRect(kPaletteCells - 1);
    TTTOOLINFOW info{};
    info.cbSize = sizeof info;
    info.uFlags = TTF_SUBCLASS;
    info.hwnd = hwnd;
    info.rect = {p.left, p.top, p.right, p.bottom};
    info.lpszText = const_cast<wchar_t*>(L"无背景颜色");
    SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

LRESULT CALLBACK PaletteProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_PAINT: Paint(hwnd); return 0;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            Press(hwnd, PaletteCellAt(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))));
            return 0;
        case WM_CHAR:
            if (wParam == 27) DestroyWindow(hwnd);
            return 0;
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE) ShowWindow(hwnd, SW_HIDE);
            return 0;
        case WM_KILLFOCUS: ShowWindow(hwnd, SW_HIDE); return 0;
        case WM_NCDESTROY:
            if (g_window == hwnd) g_window = nullptr;
            break;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

bool Registered() {
    static const bool done = [] {
        WNDCLASSEXW c{};
        c.cbSize = sizeof c;
        c.lpfnWndProc = PaletteProc;
        c.hInstance = GetModuleHandleW(nullptr);
        c.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        c.lpszClassName = kClass;
        return RegisterClassExW(&c) != 0;
    }();
    return done;
}

}  // namespace

void HighlightPalette::GetXy(int x, int y) {
    g_x = x, g_y = y;
}

void HighlightPalette::Show(MainWindow& form) {
    Unload();
    if (!Registered()) return;
    g_form = &form;
    const int dpi = form.FormDpi() > 0 ? form.FormDpi() : 96;
    PixelRect r{PaletteScale(g_x, dpi), PaletteScale(g_y, dpi), 0, 0};
    r.right = r.left + kWidth, r.bottom = r.top + kHeight;
    // A palette placed by the DPI can fall past a screen's edge: it stays on the button's monitor.
    HWND button = form.ControlWindow("CmdBkColor");
    MONITORINFO m{};
    m.cbSize = sizeof m;
    if (GetMonitorInfoW(MonitorFromWindow(button ? button : form.Handle(), MONITOR_DEFAULTTONEAREST), &m))
        r = KeepInside(r, {m.rcWork.left, m.rcWork.top, m.rcWork.right, m.rcWork.bottom});
    g_window = CreateWindowExW(WS_EX_TOOLWINDOW, kClass, L"", WS_POPUP, 0, 0, 0, 0, form.Handle(), nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    if (!g_window) return;
    AddTip(g_window);
    MoveWindow(g_window, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
    ShowWindow(g_window, SW_SHOW);
    SetFocus(g_window);
}

void HighlightPalette::Unload() {
    if (g_window) DestroyWindow(g_window);
    g_window = nullptr;
}

HWND HighlightPalette::Window() {
    return g_window;
}

}  // namespace tavolin
