#include <objbase.h>
#include <windows.h>

#include "MainWindow_win.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    if (FAILED(OleInitialize(nullptr))) return 1;
    int code = 1;
    {
        tavolin::MainWindow main;
        if (main.Create(instance, show)) {
            MSG msg;
            while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
            code = static_cast<int>(msg.wParam);
        }
    }
    OleUninitialize();
    return code;
}
