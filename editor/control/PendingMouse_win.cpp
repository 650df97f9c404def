// Until its module is written, the mouse and the context menu: do nothing, so the control runs without it.
#include "control/Handlers_win.h"

namespace notaline {

void MouseDownText(Editor&, com::MouseEvent&) {}
void MouseMoveText(Editor&, com::MouseEvent&) {}
void MouseUpText(Editor&, com::MouseEvent&) {}
void MouseDownLpx(Editor&, com::MouseEvent&) {}
void MouseMoveLpx(Editor&, com::MouseEvent&) {}
void MouseUpLpx(Editor&, com::MouseEvent&) {}

void CreateContextMenu(Editor&) {}
void DestroyContextMenu(Editor&) {}
void ShowContextMenu(Editor&) {}
void ContextMenuCommand(Editor&, int32_t) {}

}  // namespace notaline
