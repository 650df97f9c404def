#pragma once
#include <windows.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

// A visible dialog box of the thread, or null.
inline HWND VisibleDialogOf(DWORD thread) {
    HWND found = nullptr;
    EnumThreadWindows(
        thread,
        [](HWND w, LPARAM p) -> BOOL {
            wchar_t cls[16] = {};
            GetClassNameW(w, cls, 16);
            if (IsWindowVisible(w) && std::wstring(cls) == L"#32770") {
                *reinterpret_cast<HWND*>(p) = w;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

// Dismisses the dialog boxes that the calling thread shows: `button` on the first one, Cancel
// (then WM_CLOSE) on any that is still up or that follows. Every wait is bounded, so a dialog
// that does not react cannot hang a test.
class DialogCloser {
public:
    explicit DialogCloser(int button) : ui_(GetCurrentThreadId()), button_(button) {
        worker_ = std::thread([this] { Run(); });
    }
    ~DialogCloser() { Stop(); }
    DialogCloser(const DialogCloser&) = delete;
    DialogCloser& operator=(const DialogCloser&) = delete;

    // Titles of the dialogs seen, in order; read after the dialog call returned.
    std::vector<std::wstring> Titles() {
        Stop();
        return titles_;
    }
    // The text of each message box seen, in order ("" for other dialogs).
    std::vector<std::wstring> Texts() {
        Stop();
        return texts_;
    }
    int Presses() {
        Stop();
        return presses_;
    }

private:
    using Clock = std::chrono::steady_clock;

    void Stop() {
        if (worker_.joinable()) {
            stop_ = true;
            worker_.join();
        }
    }

    static void Press(HWND dialog, int id) {
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
    }

    void Run() {
        const auto deadline = Clock::now() + std::chrono::seconds(20);
        HWND last = nullptr;
        Clock::time_point seenAt{}, pressedAt{};
        int pressesOnLast = 0;
        while (!stop_ && Clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            HWND d = VisibleDialogOf(ui_);
            if (!d) continue;
            const auto now = Clock::now();
            if (d != last) {
                last = d;
                seenAt = now;
                pressesOnLast = 0;
                wchar_t title[256] = {};
                GetWindowTextW(d, title, 256);
                titles_.push_back(title);
            }
            // Let the dialog finish setting itself up, and give each press time to act.
            if (now - seenAt < std::chrono::milliseconds(300)) continue;
            if (pressesOnLast > 0 && now - pressedAt < std::chrono::milliseconds(1500)) continue;
            if (pressesOnLast == 0) {
                wchar_t text[512] = {};
                GetDlgItemTextW(d, 0xFFFF, text, 512);  // a message box's text
                texts_.push_back(text);
            }
            if (presses_ == 0)
                Press(d, button_);
            else if (pressesOnLast < 2)
                Press(d, IDCANCEL);
            else
                PostMessageW(d, WM_CLOSE, 0, 0);
            ++presses_;
            ++pressesOnLast;
            pressedAt = now;
        }
    }

    DWORD ui_;
    int button_;
    std::atomic<bool> stop_{false};
    std::vector<std::wstring> titles_;
    std::vector<std::wstring> texts_;
    int presses_ = 0;
    std::thread worker_;
};
