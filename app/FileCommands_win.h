#pragma once
// The backup copy's clock of the main window. A WM_TIMER is made only when the queue is empty, so
// a stream of keys would hold it off: the clock runs on a pool thread and posts kBackupDue, which
// the queue hands out in turn with the keys. A WM_TIMER of kBackupTimerId writes the copy too.
#include <windows.h>

#include <atomic>

namespace tavolin {

inline constexpr UINT_PTR kBackupTimerId = 36;
inline constexpr UINT kBackupInterval = 60000;
inline constexpr UINT kBackupDue = WM_APP + 0x36;
// The clock's interval in milliseconds; tests shorten it.
inline std::atomic<UINT> gBackupInterval{kBackupInterval};

}  // namespace tavolin
