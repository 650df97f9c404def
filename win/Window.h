#pragma once

#include <windows.h>

namespace win {

// Moves a child window to a rectangle of its parent's client area, unless it is there already:
// a window moved where it stands is still sent its moves and repainted. True when it moved.
bool MoveChild(HWND child, const RECT& to);

// Sets a window's text unless it is that text already (a label repaints on every set); true when set.
bool SetTextIfChanged(HWND w, const wchar_t* text);

// Registers a window class whose procedure is Window::Procedure; a class this module registered
// before counts as registered. cbSize and lpfnWndProc are filled in.
bool RegisterWindowClass(WNDCLASSEXW wc);

// Gives a dialog this client size and centres it on its owner (the desktop for none), kept on the
// screen's top and left.
void SizeClient(HWND dialog, SIZE client);

// The window a message box raised for `window` is to belong to: while a modal dialog is open over
// its top-level window, that dialog, so that closing the box goes back to the dialog and not to the
// window the dialog disabled; else `window` itself.
HWND MessageOwner(HWND window);

// A window procedure put in front of a window's own, with a pointer for it. The system's
// subclassing keeps these in a window property, which Wine asks its server for on every message
// (a live resize sends dozens): here they are kept by window on the window's thread. The owner
// unchains before the window is destroyed.
struct ChainLink {
    HWND Window = nullptr;
    WNDPROC Procedure = nullptr;
    WNDPROC Previous = nullptr;
    void* Data = nullptr;
};
// The procedure the window had before; null when it was not chained.
WNDPROC ChainProcedure(HWND w, WNDPROC procedure, void* data);
// The link of a chained procedure; its Window is null when the window is not chained to it on
// this thread.
ChainLink ChainedTo(HWND w, WNDPROC procedure);
// The window's procedure back as it was before the chaining.
void UnchainProcedure(HWND w, WNDPROC procedure);

// An object behind one window: attached at WM_NCCREATE (the object is CreateWindowEx's last
// argument), dropped after WM_NCDESTROY. Messages reach OnMessage; none before WM_NCCREATE or
// after WM_NCDESTROY, and no exception leaves the window procedure.
class Window {
public:
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    HWND Handle() const { return hwnd_; }

    static LRESULT CALLBACK Procedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

protected:
    Window() = default;
    // Destroys a window still attached, so that no message reaches a half-destroyed object.
    virtual ~Window();

    // Creates the window with this object attached; false when it was not created.
    bool CreateAttached(DWORD exStyle, const wchar_t* className, const wchar_t* title, DWORD style, int x, int y,
                        int width, int height, HWND parent, HMENU menu, HINSTANCE instance);
    virtual LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) = 0;
    LRESULT Default(UINT msg, WPARAM wParam, LPARAM lParam) { return DefWindowProcW(hwnd_, msg, wParam, lParam); }

private:
    HWND hwnd_ = nullptr;
};

}  // namespace win
