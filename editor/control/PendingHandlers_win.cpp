// Handlers whose modules are not written yet: they do nothing, so the control runs without them.
#include "control/Handlers_win.h"

namespace notaline {

void KeyDownNoShift(Editor&, int16_t&) {}
void KeyDownShift(Editor&, int16_t&) {}
void KeyDownCtrl(Editor&, int16_t&) {}
void KeyDownCtrlShift(Editor&, int16_t&) {}
void KeyPressInput(Editor&, int16_t&) {}
void KeyUpCtrl(Editor&, int16_t&) {}

void MouseDownText(Editor&, com::MouseEvent&) {}
void MouseMoveText(Editor&, com::MouseEvent&) {}
void MouseUpText(Editor&, com::MouseEvent&) {}
void MouseDownLpx(Editor&, com::MouseEvent&) {}
void MouseMoveLpx(Editor&, com::MouseEvent&) {}
void MouseUpLpx(Editor&, com::MouseEvent&) {}

void NotifySelChange(Editor&, int32_t, int32_t) {}

bool CopyWordsToClipboard(Editor&, int32_t, int32_t) {
    return false;
}
bool ReadClipboardWords(Editor&) {
    return false;
}

void CreateContextMenu(Editor&) {}
void DestroyContextMenu(Editor&) {}
void ShowContextMenu(Editor&) {}
void ContextMenuCommand(Editor&, int32_t) {}

void ShowFormSetYcYgPos(Editor&) {}

void StopPlayMusic(Editor&) {}
void PlayDrumFrmInfo(Editor&, int32_t) {}

}  // namespace notaline
