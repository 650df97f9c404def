#pragma once
#include <windows.h>

#include "win/Window.h"

namespace tavolin {

// The program's main window.
class MainWindow : public win::Window {
public:
    MainWindow() = default;

    bool Create(HINSTANCE instance, int show);

private:
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnPaint();
};

}  // namespace tavolin
