#pragma once
#include <windows.h>

#include "com/Container.h"

namespace tavolin {

// The program's main window, with the editor control filling its client area.
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
    bool CreateEditor();
    void OnSize();
    void OnPaint();

    HWND hwnd_ = nullptr;
    com::Ptr<com::ControlSite> editor_;  // ZEVudu1
};

}  // namespace tavolin
