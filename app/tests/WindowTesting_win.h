#pragma once
// Dialogs answered as they come up, and pictures of windows kept as test artefacts.
#include <windows.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "win/tests/Capture_win.h"

namespace tavolin::test {

// Answers the dialogs that come up, in order, nested ones too, each once it is shown and
// painted: a timer comes after the paint messages.
class Answerer {
public:
    explicit Answerer(std::vector<std::function<void(HWND)>> answers) : answers_(std::move(answers)) {
        current_ = this;
        hook_ = SetWindowsHookExW(WH_CBT, Hook, nullptr, GetCurrentThreadId());
    }
    // Answers every dialog with the one function (which may tell them apart by caption).
    struct Every {};
    Answerer(Every, std::function<void(HWND)> every) : Answerer(std::vector<std::function<void(HWND)>>{}) {
        every_ = std::move(every);
    }
    ~Answerer() {
        UnhookWindowsHookEx(hook_);
        current_ = nullptr;
    }
    std::vector<std::wstring> Captions;

private:
    static LRESULT CALLBACK Hook(int code, WPARAM w, LPARAM l) {
        const HWND window = reinterpret_cast<HWND>(w);
        wchar_t cls[16]{};
        GetClassNameW(window, cls, 16);
        if (code == HCBT_ACTIVATE && current_ && std::wstring(cls) == L"#32770" && !current_->Seen(window)) {
            current_->dialogs_.push_back(window);
            current_->timers_.push_back(SetTimer(nullptr, 0, 1, Answer));
        }
        return CallNextHookEx(nullptr, code, w, l);
    }
    bool Seen(HWND window) const { return std::find(dialogs_.begin(), dialogs_.end(), window) != dialogs_.end(); }
    static void CALLBACK Answer(HWND, UINT, UINT_PTR timer, DWORD) {
        KillTimer(nullptr, timer);
        if (!current_) return;
        const auto at = std::find(current_->timers_.begin(), current_->timers_.end(), timer);
        if (at == current_->timers_.end()) return;
        const HWND dialog = current_->dialogs_[static_cast<size_t>(at - current_->timers_.begin())];
        wchar_t text[64]{};
        GetWindowTextW(dialog, text, 64);
        current_->Captions.push_back(text);
        const size_t next = current_->Captions.size() - 1;
        if (next < current_->answers_.size()) {
            current_->answers_[next](dialog);
        } else if (current_->every_) {
            current_->every_(dialog);
        }
    }
    static inline Answerer* current_ = nullptr;
    std::vector<std::function<void(HWND)>> answers_;
    std::function<void(HWND)> every_;
    std::vector<HWND> dialogs_;
    std::vector<UINT_PTR> timers_;
    HHOOK hook_ = nullptr;
};

// The window as its own surface holds it, frame and children too: the screen may lag behind.
inline void Picture(HWND window, const wchar_t* name) {
    CreateDirectoryW(L"app_pictures", nullptr);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
    RECT r{};
    GetWindowRect(window, &r);
    const RECT whole{0, 0, r.right - r.left, r.bottom - r.top};
    win::test::SavePng(win::test::CopyOf(win::FrameDc(window).Get(), whole).Get(),
                       std::wstring(L"app_pictures\\") + name);
}

}  // namespace tavolin::test
