#pragma once
#include <windows.h>

#include "win/DialogKit_win.h"

namespace tavolin {

// The character spacing dialog "字体拓展" over owner, on the selection in the editor window;
// canStack is the editor's CanShuPaiWord, dpi the main window's. True when OK sent a change.
bool ShowFontExSeting(HWND owner, HWND editor, bool canStack, double dpi, const win::DialogHooks& hooks = {});

}  // namespace tavolin
