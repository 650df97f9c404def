#pragma once
#include <windows.h>

namespace tavolin {

// The program's main window.
class MainWindow {
public:
    MainWindow() = default;
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    bool Create(HINSTANCE instance, int show);
    HWND Handle() const { return hwnd_; }

private:
    static LRESULT CALLBACK Trampoline(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT msg, WPARAM wParam, LPARAM lParam);
    void OnPaint();

    HWND hwnd_ = nullptr;
};

}  // namespace tavolin
