#pragma once
#include <windows.h>

namespace win {

// An address in lParam means something only when the message was sent on the receiver's own
// thread (another thread's or process's address does not); a null one is refused too.
bool AddressFromOwnThread(LPARAM lParam);

}  // namespace win
