#pragma once
#include <windows.h>

#include <cstdint>
#include <optional>

#include "win/DialogKit_win.h"

namespace tavolin {

// The paragraph dialog "段落设置" over owner, on the selection's paragraphs in the editor window.
// On OK the alignment chosen (-10001 for "不统一设置"), for the alignment buttons; nullopt on Cancel.
std::optional<int32_t> ShowPartSeting(HWND owner, HWND editor, const win::DialogHooks& hooks = {});

}  // namespace tavolin
