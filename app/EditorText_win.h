#pragma once
#include <windows.h>

#include <string_view>

namespace tavolin {

// Sends a text request to the editor: lParam is the address of a BSTR variable holding the text,
// which the editor copies during the call.
LRESULT SendEditorText(HWND editor, UINT msg, WPARAM wParam, std::wstring_view text);

}  // namespace tavolin
