#include "FontExDialog_win.h"
#include "InputBox_win.h"
#include "MainWindow_win.h"
#include "Modules_win.h"
#include "PageDialog_win.h"
#include "PartDialog_win.h"
#include "button/api/IButton.h"

namespace tavolin {

namespace {

// The custom paper size is asked with the program's input box, titled as the program.
win::DialogHooks HooksOf() {
    win::DialogHooks hooks;
    hooks.Ask = [](HWND owner, std::u16string_view prompt) -> std::optional<std::u16string> {
        const auto answer = InputBox(owner, L"Tavolin", std::wstring(prompt.begin(), prompt.end()));
        if (!answer) return std::nullopt;
        return std::u16string(answer->begin(), answer->end());
    };
    return hooks;
}

// The alignment buttons of the top panel show the alignment chosen; none for "不统一设置".
void PressAlignment(MainWindow& form, int32_t alignment) {
    for (int i = 0; i <= 5; ++i) {
        VARIANT down{};
        down.vt = VT_BOOL;
        down.boolVal = i == alignment ? VARIANT_TRUE : VARIANT_FALSE;
        form.PutButton("CmdFoamatDq", i, dispid::Button::ButtonDown, down);
    }
}

}  // namespace

void RegisterDialogs(MainWindow& form) {
    CommandRouter& router = form.Router();
    router.Add("UserSetPage", [&form](int) { ShowPageSeting(form.Handle(), form.EditorWindow(), HooksOf()); });
    router.Add("UserSetPart", [&form](int) {
        if (const auto alignment = ShowPartSeting(form.Handle(), form.EditorWindow())) PressAlignment(form, *alignment);
    });
    router.Add("munFontExSeting", [&form](int) {
        VARIANT_BOOL canStack = VARIANT_FALSE;
        if (form.Editor()) form.Editor()->CanShuPaiWord(&canStack);
        ShowFontExSeting(form.Handle(), form.EditorWindow(), canStack != VARIANT_FALSE, form.FormDpi());
    });
}

}  // namespace tavolin
