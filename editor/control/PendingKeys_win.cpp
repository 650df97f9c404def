// Until its module is written, the keys and the status record: do nothing, so the control runs without it.
#include "control/Handlers_win.h"

namespace notaline {

void KeyDownNoShift(Editor&, int16_t&) {}
void KeyDownShift(Editor&, int16_t&) {}
void KeyDownCtrl(Editor&, int16_t&) {}
void KeyDownCtrlShift(Editor&, int16_t&) {}
void KeyPressInput(Editor&, int16_t&) {}
void KeyUpCtrl(Editor&, int16_t&) {}

void NotifySelChange(Editor&, int32_t, int32_t) {}

}  // namespace notaline
