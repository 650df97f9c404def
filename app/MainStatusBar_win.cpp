// The main window's status display: the editor's status record on the bar's seven panels, shown
// once the queue is empty, and on the font boxes, colour and alignment buttons and input menu.
#include <windows.h>
#include <commctrl.h>
#include <olectl.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>

#include "ButtonColours.h"
#include "MainWindow_win.h"
#include "StatusText.h"
#include "button/api/IButton.h"
#include "com/Bstr.h"
#include "win/OwnThread.h"

namespace tavolin {
namespace {

std::optional<StatusFont> FontOf(void* object) {
    if (!object) return std::nullopt;
    com::Ptr<IFont> font;
    if (FAILED(static_cast<IUnknown*>(object)->QueryInterface(IID_IFont, font.OutVoid())) || !font) return std::nullopt;
    StatusFont f;
    com::Bstr name;
    if (SUCCEEDED(font->get_Name(name.Out()))) f.name = name.Str();
    CY size{};
    if (SUCCEEDED(font->get_Size(&size))) f.size = static_cast<float>(static_cast<double>(size.int64) / 10000.0);
    BOOL flag = FALSE;
    if (SUCCEEDED(font->get_Bold(&flag))) f.bold = flag;
    if (SUCCEEDED(font->get_Italic(&flag))) f.italic = flag;
    if (SUCCEEDED(font->get_Underline(&flag))) f.underline = flag;
    if (SUCCEEDED(font->get_Strikethrough(&flag))) f.strikethrough = flag;
    return f;
}

std::wstring Upper(std::wstring s) {
    CharUpperBuffW(s.data(), static_cast<DWORD>(s.size()));
    return s;
}

}  // namespace

void MainWindow::SetStatusText(int panel, const std::wstring& text) {
    if (panel < 1 || panel > kStatusPanels) return;
    if (statusTexts_[panel - 1] == text) return;
    statusTexts_[panel - 1] = text;
    ScheduleStatusBar();
}

// The bar repaints as it changes, which costs more than the rest of a status update: it is
// shown once the queue is empty, after a burst of keys only once.
void MainWindow::ScheduleStatusBar() {
    if (statusPending_) return;
    statusPending_ = true;
    PostMessageW(Handle(), kShowStatusBar, 0, 0);
}

std::wstring MainWindow::StatusText(int panel) const {
    return panel < 1 || panel > kStatusPanels ? std::wstring() : statusTexts_[panel - 1];
}

// Panels 1 to 6 centred and as wide as their texts; the seventh takes the rest. Only what
// changed is sent: the status runs after every key.
void MainWindow::LayOutStatusBar() {
    HWND bar = ControlWindow("StatusBar1");
    if (!bar) return;
    // Texts are measured on a memory DC of the bar's font, and only when they changed.
    if (!measureDc_.Get()) {
        measureDc_ = win::OwnedDc(CreateCompatibleDC(nullptr));
        SelectObject(measureDc_.Get(), reinterpret_cast<HFONT>(SendMessageW(bar, WM_GETFONT, 0, 0)));
    }
    std::array<int, kStatusPanels> right{};
    int x = 0;
    for (int i = 0; i < kStatusPanels - 1; ++i) {
        if (statusShown_[i] != statusTexts_[i] || statusWidths_[i] < 0) {
            SIZE size{};
            GetTextExtentPoint32W(measureDc_.Get(), statusTexts_[i].c_str(), static_cast<int>(statusTexts_[i].size()),
                                  &size);
            statusWidths_[i] = size.cx;
        }
        x += statusWidths_[i] + 12;
        right[i] = x;
    }
    right[kStatusPanels - 1] = -1;
    if (right == statusRights_ && statusShown_ == statusTexts_) return;
    // The bar repaints itself at once on every text it is given: drawing is off while they are
    // set, and it repaints once, with the next paint.
    SendMessageW(bar, WM_SETREDRAW, FALSE, 0);
    const bool moved = right != statusRights_;
    if (moved) {
        statusRights_ = right;
        SendMessageW(bar, SB_SETPARTS, kStatusPanels, reinterpret_cast<LPARAM>(right.data()));
    }
    std::array<bool, kStatusPanels> changed{};
    for (int i = 0; i < kStatusPanels; ++i) {
        if (statusShown_[i] == statusTexts_[i]) continue;
        changed[i] = true;
        statusShown_[i] = statusTexts_[i];
        const std::wstring text = (i < kStatusPanels - 1 ? L"\t" : L"") + statusTexts_[i];
        SendMessageW(bar, SB_SETTEXTW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.c_str()));
    }
    SendMessageW(bar, WM_SETREDRAW, TRUE, 0);
    if (moved) {
        RedrawWindow(bar, nullptr, nullptr, RDW_INVALIDATE);
        return;
    }
    for (int i = 0; i < kStatusPanels; ++i) {
        RECT part{};
        if (changed[i] && SendMessageW(bar, SB_GETRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&part)))
            RedrawWindow(bar, &part, nullptr, RDW_INVALIDATE);
    }
}

// The status record is valid only during the call: copied whole, and the font's attributes with
// it, since the editor replaces its font object with the next record.
void MainWindow::OnStatus(LPARAM lParam) {
    if (!win::AddressFromOwnThread(tessaly::EM_SendMsg, lParam)) return;
    std::memcpy(&curSendMsg_, reinterpret_cast<const void*>(lParam), sizeof curSendMsg_);
    if (auto font = FontOf(curSendMsg_.StdFont)) curFont_ = std::move(*font);
    curSendMsg_.StdFont = nullptr;
    const tessaly::aSendMsg& s = curSendMsg_;

    StatusTexts texts = FormatStatus(s, formDpi_);
    statusTexts_[0] = texts.position;
    statusTexts_[1] = texts.font;
    statusTexts_[2] = texts.lineSpace;
    statusTexts_[3] = texts.pages;
    if (texts.mode) statusTexts_[4] = *texts.mode;
    statusTexts_[5] = texts.scale;
    ScheduleStatusBar();
    if (HWND bar = ControlWindow("StatusBar1"); bar && !modeTipSet_) {
        SendMessageW(bar, SB_SETTIPTEXTW, 4, reinterpret_cast<LPARAM>(L"歌词、简谱及连谱线输入模式，用户可自由切换。"));
        modeTipSet_ = true;
    }
    if (s.cInputState == tessaly::GcState || s.cInputState == tessaly::JpState) {
        const int on = s.cInputState == tessaly::JpState ? 0 : 1;
        SendMessageW(ControlWindow("OptJpGc", on), BM_SETCHECK, BST_CHECKED, 0);
        SendMessageW(ControlWindow("OptJpGc", 1 - on), BM_SETCHECK, BST_UNCHECKED, 0);
    }
    ShowStatusFont();
    if (editor_) {
        LONG colour = 0;
        short index = s.cf;
        if (SUCCEEDED(editor_->GetColorLng(&index, &colour)))
            PutButtonLong("CmdFrColor", -1, dispid::Button::ForeColor, TextButtonColour(static_cast<uint32_t>(colour)));
        if (s.cb == -1) {
            PutButtonLong("CmdBkColor", -1, dispid::Button::BackColor, NoBackButtonColour(GetSysColor(COLOR_BTNFACE)));
        } else {
            index = s.cb;
            if (SUCCEEDED(editor_->GetColorLng(&index, &colour)))
                PutButtonLong("CmdBkColor", -1, dispid::Button::BackColor,
                              BackButtonColour(static_cast<uint32_t>(colour)));
        }
    }
    for (int i = 0; i <= 3; ++i) CheckMenu("InputState", i, false);
    if (s.cInputState == tessaly::JpState) CheckMenu("InputState", 0, true);
    if (s.cInputState == tessaly::GcState) CheckMenu("InputState", 1, true);
    if (s.cInputState == tessaly::LpxState) CheckMenu("InputState", 3, true);
    if (hooks_.showMarks) {
        std::array<int16_t, 8> codes;
        std::copy(std::begin(s.SelIndexType), std::end(s.SelIndexType), codes.begin());
        hooks_.showMarks(codes, openFromCommand_);
    }
    openFromCommand_ = false;
    ShowAlignment(s.PartAlignment);
}

void MainWindow::ShowStatusFont() {
    if (Upper(curFont_.name) != Upper(L"Tolvane"))
        win::SetTextIfChanged(ControlWindow("cmbFontName"), curFont_.name.c_str());
    const bool styles[] = {curFont_.bold, curFont_.italic, curFont_.underline, curFont_.strikethrough};
    for (int i = 0; i < 4; ++i) PutButtonBool("CmdFont", i, dispid::Button::ButtonDown, styles[i]);
    win::SetTextIfChanged(ControlWindow("CmbFontSize"), SizeBoxText(curFont_.size).c_str());
}

void MainWindow::ShowAlignment(int32_t alignment) {
    if (alignment < -1 || alignment > 5) return;
    for (int i = 0; i <= 5; ++i) PutButtonBool("CmdFoamatDq", i, dispid::Button::ButtonDown, i == alignment);
}

}  // namespace tavolin
