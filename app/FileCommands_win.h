#pragma once
// The backup copy's timer of the main window: a WM_TIMER of this identifier writes the copy.
#include <windows.h>

namespace tavolin {

inline constexpr UINT_PTR kBackupTimerId = 36;
inline constexpr UINT kBackupInterval = 60000;

}  // namespace tavolin
