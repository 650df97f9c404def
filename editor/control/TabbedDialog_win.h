#pragma once
#include <windows.h>

#include <span>
#include <string>

#include "win/DialogKit_win.h"

namespace notaline {

class Editor;

// A dialog of the editor's over working copies of its settings: pages on a tab strip and a
// status bar of one panel for hints.
class TabbedDialog : public win::TableDialog {
protected:
    TabbedDialog(Editor& ed, const wchar_t* caption, std::span<const win::DialogControl> rows, SIZE client, int tab,
                 int status)
        : TableDialog(caption, rows, client), ed_(ed), tabId_(tab), statusId_(status) {}

    // The tab strip put below the pages it holds, the status bar made one panel.
    void SetUpTabAndStatus();
    std::wstring BoxText(int id) const;
    void SetBoxText(int id, const std::wstring& text) const { SetWindowTextW(Item(id), text.c_str()); }
    void SetStatus(const std::wstring& text) const;
    int Ask(const std::wstring& text, UINT style, const wchar_t* title) const {
        return MessageBoxW(dialog_, text.c_str(), title, style);
    }

    Editor& ed_;
    HWND tab_ = nullptr;
    HWND status_ = nullptr;

private:
    int tabId_, statusId_;
};

}  // namespace notaline
