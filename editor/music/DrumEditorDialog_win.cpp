// The drum pattern editor over the play settings' working patterns.
#include "control/Editor_win.h"
#include "music/SetPlayInfoDialog_win.h"

namespace notaline {

void ShowDrumEditor(Editor&, HWND owner) {
    MessageBoxW(owner, L"鼓点编辑在此版本中不可用。", L"Notaline", MB_OK | MB_ICONINFORMATION);
}

}  // namespace notaline
