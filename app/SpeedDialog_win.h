#pragma once
#include <windows.h>

#include "SpeedForm.h"
#include "win/DialogKit_win.h"

namespace tavolin {

// The tempo dialog "音速" over owner. True on OK, the form's results then set; on Cancel they
// stay as they were.
bool ShowPlaySpeed(HWND owner, SpeedForm& form, const win::DialogHooks& hooks = {});

}  // namespace tavolin
