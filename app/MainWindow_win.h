#pragma once
#include <windows.h>

#include "com/Container.h"
#include "win/Window.h"

namespace tavolin {

// The program's main window, with the editor control filling its client area.
class MainWindow : public win::Window {
public:
    MainWindow() = default;

    bool Create(HINSTANCE instance, int show);

private:
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    bool CreateEditor();
    void OnSize();
    void OnPaint();

    com::Ptr<com::ControlSite> editor_;  // ZEVudu1
};

}  // namespace tavolin
