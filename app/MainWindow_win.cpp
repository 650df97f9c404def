#include "MainWindow_win.h"

#include "com/Create.h"
#include "control/IZEVudu.h"

namespace tavolin {
namespace {
constexpr wchar_t kClassName[] = L"TavolinMainWindow";
constexpr wchar_t kNewDocumentCaption[] = L"Tavolin--新文档";

// The editor's properties as the main form stores them.
const com::StoredProperty kEditorProperties[] = {
    {L"ScrollBars", VT_I4, 4},
};
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
    // The editor takes the keys from the start, as the form's first control.
    if (editor_) SetFocus(editor_->ControlWindow());
    return true;
}

LRESULT MainWindow::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_CREATE: return CreateEditor() ? 0 : -1;
        case WM_SIZE: OnSize(); return 0;
        case WM_PAINT: OnPaint(); return 0;
        case WM_DESTROY:
            if (editor_) editor_->Close();
            editor_.Reset();
            PostQuitMessage(0);
            return 0;
        default: return Default(msg, wParam, lParam);
    }
}

// The editor comes from Notaline.dll beside the program, unregistered.
bool MainWindow::CreateEditor() {
    auto control = com::CreateFromDll<IUnknown>(L"Notaline.dll", CLSID_ZEVudu);
    if (!control) {
        MessageBoxW(Handle(), L"Notaline.dll", L"Tavolin", MB_OK | MB_ICONERROR);
        return false;
    }
    RECT client{};
    GetClientRect(Handle(), &client);
    auto bag = com::PropertyBag::Create(kEditorProperties);
    return SUCCEEDED(com::ControlSite::Host(control.Get(), Handle(), client, bag.Get(), true, editor_));
}

void MainWindow::OnSize() {
    if (!editor_) return;
    RECT client{};
    GetClientRect(Handle(), &client);
    editor_->Move(client);
}

void MainWindow::OnPaint() {
    PAINTSTRUCT ps;
    BeginPaint(Handle(), &ps);
    EndPaint(Handle(), &ps);
}

}  // namespace tavolin
