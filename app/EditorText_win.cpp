#include "EditorText_win.h"

#include <windows.h>
#include <oleauto.h>

namespace tavolin {

LRESULT SendEditorText(HWND editor, UINT msg, WPARAM wParam, std::wstring_view text) {
    BSTR value = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    if (!value && !text.empty()) return 0;
    const LRESULT result = SendMessageW(editor, msg, wParam, reinterpret_cast<LPARAM>(&value));
    SysFreeString(value);
    return result;
}

}  // namespace tavolin
