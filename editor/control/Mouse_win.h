#pragma once

#include "control/Editor_win.h"

namespace notaline {

// The editor's mouse handling, made at its first use.
MouseInput& MouseOf(Editor& ed);

}  // namespace notaline
