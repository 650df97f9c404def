#pragma once
// What the program's benches share: each dialog or message box of this thread, once it is up,
// handed to an answer that runs from the dialog's own loop.
#include <windows.h>

#include <string>

namespace tavolin::bench {

// Installs the hook for this thread; `answer` finds the dialog as the active window.
class DialogAnswers {
public:
    explicit DialogAnswers(TIMERPROC answer) {
        answer_ = answer;
        hook_ = SetWindowsHookExW(WH_CBT, Hook, nullptr, GetCurrentThreadId());
    }
    ~DialogAnswers() { UnhookWindowsHookEx(hook_); }
    DialogAnswers(const DialogAnswers&) = delete;
    DialogAnswers& operator=(const DialogAnswers&) = delete;

private:
    static LRESULT CALLBACK Hook(int code, WPARAM w, LPARAM l) {
        if (code == HCBT_ACTIVATE) {
            wchar_t cls[16]{};
            GetClassNameW(reinterpret_cast<HWND>(w), cls, 16);
            if (std::wstring(cls) == L"#32770") SetTimer(nullptr, 0, 1, answer_);
        }
        return CallNextHookEx(nullptr, code, w, l);
    }
    static inline TIMERPROC answer_ = nullptr;
    HHOOK hook_ = nullptr;
};

}  // namespace tavolin::bench
