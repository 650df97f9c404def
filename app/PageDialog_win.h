#pragma once
#include <windows.h>

#include "win/DialogKit_win.h"

namespace tavolin {

// The page dialog "页面参数设置..." over owner, on the page record of the editor window. True
// when OK sent a changed record to the editor.
bool ShowPageSeting(HWND owner, HWND editor, const win::DialogHooks& hooks = {});

}  // namespace tavolin
