#include "control/TabbedDialog_win.h"

#include <commctrl.h>

#include "control/DialogTexts_win.h"

namespace notaline {

void TabbedDialog::SetUpTabAndStatus() {
    tab_ = Item(tabId_);
    SetWindowPos(tab_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    status_ = Item(statusId_);
    SendMessageW(status_, SB_SIMPLE, TRUE, 0);
}

std::wstring TabbedDialog::BoxText(int id) const {
    return dialog_texts::TextOf(dialog_, id);
}

void TabbedDialog::SetStatus(const std::wstring& text) const {
    dialog_texts::SetStatus(status_, text);
}

}  // namespace notaline
