// The main window's status bar: seven panels, shown once the queue is empty.
#include <windows.h>
#include <commctrl.h>

#include <array>

#include "MainWindow_win.h"

namespace tavolin {

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

}  // namespace tavolin
