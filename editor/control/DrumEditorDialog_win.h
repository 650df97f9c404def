#pragma once
#include <windows.h>

#include "control/DrumEditorRows_win.h"

namespace notaline {

class Editor;
class SetPlayInfoForm;

// The drum pattern editor over the working patterns, modal to `owner`; `settings` gives the main
// track's singing order and the bar list.
void ShowDrumEditor(Editor& ed, HWND owner, const SetPlayInfoForm& settings);

}  // namespace notaline
