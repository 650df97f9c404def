#include "MainWindow_win.h"

namespace tavolin {
namespace {
constexpr wchar_t kClassName[] = L"TavolinMainWindow";
constexpr wchar_t kNewDocumentCaption[] = L"Tavolin--新文档";
}  // namespace

bool MainWindow::Create(HINSTANCE instance, int show) {
    WNDCLASSEXW wc{};
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
    wc.lpszClassName = kClassName;
    if (!win::RegisterWindowClass(wc)) return false;
    if (!CreateAttached(0, kClassName, kNewDocumentCaption, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 1024,
                        768, nullptr, nullptr, instance))
        return false;
    ShowWindow(Handle(), show);
    UpdateWindow(Handle());
    return true;
}

LRESULT MainWindow::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_PAINT: OnPaint(); return 0;
        case WM_DESTROY: PostQuitMessage(0); return 0;
        default: return Default(msg, wParam, lParam);
    }
}

void MainWindow::OnPaint() {
    PAINTSTRUCT ps;
    BeginPaint(Handle(), &ps);
    EndPaint(Handle(), &ps);
}

}  // namespace tavolin
