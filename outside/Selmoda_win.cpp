#include "Selmoda_win.h"

#include <windows.h>
#include <commctrl.h>

#include <cstring>

#include "com/Module.h"
#include "text/Cp936.h"
#include "text/WideText_win.h"
#include "win/GdiHandles.h"

namespace outside {

using tessaly::aXjInfo;

namespace {

constexpr UINT_PTR kSubclassId = 1;
constexpr COLORREF kBlockColour = RGB(255, 0, 0);

// One record read field by field from the caller's memory.
aXjInfo ReadBar(const unsigned char* at) {
    aXjInfo bar;
    std::memcpy(&bar.XjSelStart, at + offsetof(aXjInfo, XjSelStart), sizeof bar.XjSelStart);
    std::memcpy(&bar.XjSelEnd, at + offsetof(aXjInfo, XjSelEnd), sizeof bar.XjSelEnd);
    std::memcpy(&bar.PlayBlock, at + offsetof(aXjInfo, PlayBlock), sizeof bar.PlayBlock);
    std::memcpy(&bar.WdAsc, at + offsetof(aXjInfo, WdAsc), sizeof bar.WdAsc);
    std::memcpy(&bar.OrderType, at + offsetof(aXjInfo, OrderType), sizeof bar.OrderType);
    std::memcpy(bar.ExtralWord, at + offsetof(aXjInfo, ExtralWord), sizeof bar.ExtralWord);
    std::memcpy(&bar.Timer, at + offsetof(aXjInfo, Timer), sizeof bar.Timer);
    return bar;
}

HFONT ListFont() {
    return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

}  // namespace

Selmoda::Selmoda() : ControlObject(CLSID_Selmoda, DIID_SelmodaEvents, L"SelmodaBarList") {
    SetWindowSubclass(Window(), &Selmoda::Subclass, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
    list_ = CreateWindowExW(
        WS_EX_CLIENTEDGE, L"LISTBOX", L"",
        WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT | LBS_NOTIFY, 0,
        0, 96, 96, Window(), nullptr, com::ThisModule(), nullptr);
    SendMessageW(list_, WM_SETFONT, reinterpret_cast<WPARAM>(ListFont()), FALSE);
    TEXTMETRICW tm{};
    if (const win::WindowDc dc(list_); dc.Get()) {
        const win::SelectScope font(dc.Get(), ListFont());
        GetTextMetricsW(dc.Get(), &tm);
    }
    SendMessageW(list_, LB_SETITEMHEIGHT, 0, tm.tmHeight + 2);
    OnResize();
}

Selmoda::~Selmoda() {
    if (Window()) RemoveWindowSubclass(Window(), &Selmoda::Subclass, kSubclassId);
}

std::span<const com::Member<Selmoda>> Selmoda::Members() {
    using S = Selmoda;
    static const com::Member<S> table[] = {
        {dispid::Selmoda::ShowBars, L"ShowBars", com::kMethod,
         [](S& s, com::Args& a, VARIANT*) {
             const HRESULT hr = s.ShowBars(a[0].Handle(), a[1].Long());
             if (FAILED(hr)) throw com::Error{hr, L"bad bar list"};
         }},
    };
    return table;
}

HRESULT Selmoda::ShowBars(LONG_PTR firstBar, LONG upperBound) {
    if (upperBound < -1 || upperBound > kMaxUpperBound || (firstBar == 0 && upperBound >= 0)) return E_INVALIDARG;
    return com::Guard([&] {
        // Everything is copied during the call: the caller may change or free its list afterwards.
        std::vector<Row> rows;
        rows.reserve(static_cast<size_t>(upperBound + 1));
        const auto* base = reinterpret_cast<const unsigned char*>(firstBar);
        for (LONG i = 0; i <= upperBound; ++i) rows.push_back(RowOf(i, ReadBar(base + size_t(i) * sizeof(aXjInfo))));
        rows_ = std::move(rows);
        SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
        SendMessageW(list_, LB_RESETCONTENT, 0, 0);
        for (const Row& r : rows_) {
            const std::wstring text = r.number + L'\t' + r.kind + L'\t' + r.volta + L'\t' + r.block;
            SendMessageW(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        }
        SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(list_, nullptr, TRUE);
    });
}

Selmoda::Row Selmoda::RowOf(int index, const aXjInfo& bar) {
    Row row;
    row.number = std::to_wstring(index + 1);
    const bool letter = bar.OrderType >= 'A' && bar.OrderType <= 'Z';
    row.kind = letter ? std::wstring(1, static_cast<wchar_t>(bar.OrderType)) : L"?";
    const auto* volta = reinterpret_cast<const char*>(bar.ExtralWord);
    row.volta = tessaly::ToWide(tessaly::Cp936ToUtf16Replacing({volta, strnlen(volta, sizeof bar.ExtralWord)}));
    row.block = std::to_wstring(bar.PlayBlock);
    return row;
}

void Selmoda::OnResize() {
    RECT r{};
    GetClientRect(Window(), &r);
    MoveWindow(list_, 0, 0, r.right, r.bottom, TRUE);
}

LRESULT CALLBACK Selmoda::Subclass(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR self) {
    auto* list = reinterpret_cast<Selmoda*>(self);
    try {
        switch (msg) {
            case WM_DRAWITEM: list->DrawRow(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)); return TRUE;
            case WM_SETFOCUS: SetFocus(list->list_); return 0;
            default: break;
        }
    } catch (...) {
        // nothing crosses the window procedure
    }
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

void Selmoda::DrawRow(const DRAWITEMSTRUCT& item) const {
    HDC dc = item.hDC;
    RECT r = item.rcItem;
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    FillRect(dc, &r, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    if (item.itemID < rows_.size()) {
        const Row& row = rows_[item.itemID];
        HGDIOBJ old = SelectObject(dc, ListFont());
        SetBkMode(dc, TRANSPARENT);
        TEXTMETRICW tm{};
        GetTextMetricsW(dc, &tm);
        const int unit = tm.tmAveCharWidth;
        // Columns: number, kind, volta text, block.
        const int right[] = {6 * unit, 9 * unit, 28 * unit, 34 * unit};
        const std::wstring* texts[] = {&row.number, &row.kind, &row.volta, &row.block};
        const UINT align[] = {DT_RIGHT, DT_CENTER, DT_LEFT, DT_RIGHT};
        int left = r.left;
        for (int c = 0; c < 4; ++c) {
            RECT cell{left + unit, r.top, r.left + right[c], r.bottom};
            SetTextColor(dc, c == 3 ? kBlockColour : GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
            DrawTextW(dc, texts[c]->c_str(), static_cast<int>(texts[c]->size()), &cell,
                      align[c] | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
            left = r.left + right[c];
        }
        SelectObject(dc, old);
    }
    if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &r);
}

}  // namespace outside
