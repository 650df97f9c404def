// What the keys and status module defines for the others; until it does, no line can become a
// source line and a mode set by the caller is reported like any selection change.
#include "control/Handlers_win.h"

namespace notaline {

bool ApplyCPdqLine(Editor&, int32_t) {
    return false;
}

void NotifySelChangeByState(Editor& ed, int32_t SelStart, int32_t SelLength) {
    NotifySelChange(ed, SelStart, SelLength);
}

}  // namespace notaline
