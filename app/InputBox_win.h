#pragma once
#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace tavolin {

// The program's modal input box: a prompt, a text box with a default text, OK and Cancel.
// The typed text on OK (possibly empty); nothing on Cancel or when the box is closed.
std::optional<std::wstring> InputBox(HWND owner, std::wstring_view title, std::wstring_view prompt,
                                     std::wstring_view defaultText = {});

// The control identifiers of the box, for a test that answers it.
inline constexpr int kInputBoxText = 100;
inline constexpr int kInputBoxPrompt = 101;

}  // namespace tavolin
