#include <windows.h>
#include <objbase.h>

#include "ControlFactory_win.h"
#include "MainWindow_win.h"
#include "Modules_win.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int show) {
    tavolin::LimitDllSearch();
    if (FAILED(OleInitialize(nullptr))) return 1;
    int code = 1;
    {
        tavolin::DllControlFactory factory;
        tavolin::MainWindow main(factory);
        tavolin::RegisterModules(main);
        if (main.Create(instance, show, commandLine ? commandLine : L"")) {
            MSG msg;
            while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
                if (main.PreTranslate(msg)) continue;
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
            code = static_cast<int>(msg.wParam);
        }
    }
    OleUninitialize();
    return code;
}
