#include "control/DrumEditorFaces_win.h"

#include <uxtheme.h>

#include "control/DialogTexts_win.h"
#include "control/DrumEditorRows_win.h"

namespace notaline::drum_editor {
namespace {

win::BitmapHandle Blank(HDC like, RECT box) {
    win::BitmapHandle bits(CreateCompatibleBitmap(like, box.right, box.bottom));
    const win::OwnedDc dc(CreateCompatibleDC(like));
    const win::SelectScope into(dc.Get(), bits.Get());
    const RECT all{0, 0, box.right, box.bottom};
    // The dialog's own background, as under the controls.
    FillRect(dc.Get(), &all, GetSysColorBrush(COLOR_3DFACE));
    return bits;
}

// A disabled drop-down list's face showing `text`, in `box`.
void DrawListFace(HDC dc, RECT box, const std::wstring& text, HGDIOBJ font) {
    FillRect(dc, &box, GetSysColorBrush(COLOR_BTNFACE));
    DrawEdge(dc, &box, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    RECT button = box;
    button.left = button.right - GetSystemMetrics(SM_CXVSCROLL);
    DrawFrameControl(dc, &button, DFC_SCROLL, DFCS_SCROLLCOMBOBOX | DFCS_INACTIVE);
    box.right = button.left;
    box.left += 2;
    const win::SelectScope selectFont(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

}  // namespace

std::vector<uint32_t> OpeningPicture::LooksNow() {
    std::vector<uint32_t> looks;
    for (int i = COLOR_SCROLLBAR; i <= COLOR_MENUBAR; ++i) looks.push_back(GetSysColor(i));
    LOGFONTW font{};
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
    const auto* words = reinterpret_cast<const uint16_t*>(&font);
    looks.insert(looks.end(), words, words + sizeof font / 2);
    looks.push_back(static_cast<uint32_t>(GetDeviceCaps(win::ScreenDc().Get(), LOGPIXELSY)));
    for (UINT what : {SPI_GETFONTSMOOTHING, SPI_GETFONTSMOOTHINGTYPE, SPI_GETFONTSMOOTHINGCONTRAST}) {
        UINT value = 0;
        SystemParametersInfoW(what, 0, &value, 0);
        looks.push_back(value);
    }
    wchar_t theme[MAX_PATH]{}, colours[MAX_PATH]{};
    if (IsThemeActive()) GetCurrentThemeName(theme, MAX_PATH, colours, MAX_PATH, nullptr, 0);
    for (const wchar_t* text : {theme, colours}) looks.insert(looks.end(), text, text + wcslen(text) + 1);
    return looks;
}

void OpeningPicture::Begin(std::vector<uint32_t> looks) {
    const win::ScreenDc screen;
    rows_ = Blank(screen.Get(), kRowsBox);
    pans_ = Blank(screen.Get(), kPansBox);
    looks_ = std::move(looks);
    printed_.clear();
}

void OpeningPicture::Print(HWND control, POINT at, int look) {
    const bool pan = at.y >= kPansBox.top;
    const RECT& box = pan ? kPansBox : kRowsBox;
    const win::OwnedDc dc(CreateCompatibleDC(nullptr));
    const win::SelectScope into(dc.Get(), (pan ? pans_ : rows_).Get());
    RECT r{};
    GetWindowRect(control, &r);
    const int x = at.x - box.left, y = at.y - box.top, w = r.right - r.left, h = r.bottom - r.top;
    for (const Printed& p : printed_)
        if (look >= 0 && p.Look == look && p.Pan == pan) {
            BitBlt(dc.Get(), x, y, w, h, dc.Get(), p.At.x, p.At.y, SRCCOPY);
            return;
        }
    // Printed at the origin of a DC of its own: the buttons and edits clip to their client
    // rectangle taken as device points, so a moved origin would clip all of them away.
    const win::BitmapHandle own(CreateCompatibleBitmap(dc.Get(), w, h));
    const win::OwnedDc ownDc(CreateCompatibleDC(dc.Get()));
    const win::SelectScope onto(ownDc.Get(), own.Get());
    SendMessageW(control, WM_PRINT, reinterpret_cast<WPARAM>(ownDc.Get()), PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND);
    BitBlt(dc.Get(), x, y, w, h, ownDc.Get(), 0, 0, SRCCOPY);
    printed_.push_back({look, pan, {x, y}});
}

void OpeningPicture::Draw(const DRAWITEMSTRUCT& item) const {
    const win::OwnedDc dc(CreateCompatibleDC(item.hDC));
    const win::SelectScope from(dc.Get(), (item.CtlID == kChannelFaces ? rows_ : pans_).Get());
    BitBlt(item.hDC, 0, 0, item.rcItem.right, item.rcItem.bottom, dc.Get(), 0, 0, SRCCOPY);
}

void DrawGrid(const DrumEditArea& area, const DRAWITEMSTRUCT& item) {
    HDC dc = item.hDC;
    FillRect(dc, &item.rcItem, GetSysColorBrush(COLOR_BTNFACE));
    const int height = -MulDiv(12, GetDeviceCaps(dc, LOGPIXELSY), 72);
    const win::FontHandle font(CreateFontW(height, 0, 0, 0, FW_NORMAL, 0, 0, 0, GB2312_CHARSET, 0, 0, 0, 0, L"宋体"));
    const win::SelectScope selectFont(dc, font.Get());
    SetBkMode(dc, TRANSPARENT);
    for (int k = 0; k < kDrumCells; ++k) {
        const std::string& cell = area.Cells[static_cast<size_t>(k)];
        const std::wstring text(cell.begin(), cell.end());
        RECT r{CellLeft(k) / 15, CellTop(k) / 15, (CellLeft(k) + kCellTwips) / 15,
               (CellTop(k) + kCellHeightTwips) / 15};
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_LEFT | DT_TOP | DT_NOCLIP);
    }
    if (area.Metre >= 0) {
        const int x = MarkerX(area.Metre) / 15;
        const win::PenHandle pen(CreatePen(PS_SOLID, 1, RGB(255, 0, 0)));
        const win::SelectScope selectPen(dc, pen.Get());
        MoveToEx(dc, x, 0, nullptr);
        LineTo(dc, x, item.rcItem.bottom);
    }
}

void DrawListFaces(const DrumEditArea& area, const std::vector<std::wstring>& soundNames, const DRAWITEMSTRUCT& item,
                   HGDIOBJ font) {
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_BTNFACE));
    if (item.CtlID == kMetreFace) {
        const auto metre = static_cast<size_t>(area.Metre);
        DrawListFace(item.hDC, item.rcItem,
                     metre < kDrumMetreChoices.size() ? dialog_texts::Wide(kDrumMetreChoices[metre].Text) : L"", font);
        return;
    }
    for (int ch = 0; ch < 8; ++ch) {
        const auto sound = static_cast<size_t>(area.Sound[ch]);
        const RECT box{0, ch * kRowStride, item.rcItem.right, ch * kRowStride + kListFaceHeight};
        DrawListFace(item.hDC, box, sound < soundNames.size() ? soundNames[sound] : L"", font);
    }
}

void DrawMirror(const DRAWITEMSTRUCT& item, bool mirrored) {
    HDC dc = item.hDC;
    FillRect(dc, &item.rcItem, GetSysColorBrush(COLOR_BTNFACE));
    DrawEdge(dc, const_cast<RECT*>(&item.rcItem), (item.itemState & ODS_SELECTED) ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    const int w = item.rcItem.right, h = item.rcItem.bottom;
    const int y1 = h / 3, y2 = 2 * h / 3;
    MoveToEx(dc, 6, mirrored ? y2 : y1, nullptr);
    LineTo(dc, w - 6, mirrored ? y1 : y1);
    MoveToEx(dc, 6, mirrored ? y1 : y2, nullptr);
    LineTo(dc, w - 6, y2);
    const POINT heads[] = {{w - 10, y1 - 4}, {w - 6, y1}, {w - 10, y1 + 4}};
    Polyline(dc, heads, 3);
    const POINT tails[] = {{10, y2 - 4}, {6, y2}, {10, y2 + 4}};
    Polyline(dc, tails, 3);
}

}  // namespace notaline::drum_editor
