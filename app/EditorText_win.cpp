#include "EditorText_win.h"

#include <windows.h>
#include <oleauto.h>

#include "com/Bstr.h"

namespace tavolin {

LRESULT SendEditorText(HWND editor, UINT msg, WPARAM wParam, std::wstring_view text) {
    com::Bstr value(text);
    if (!value && !text.empty()) return 0;
    return SendMessageW(editor, msg, wParam, reinterpret_cast<LPARAM>(value.Ref()));
}

}  // namespace tavolin
