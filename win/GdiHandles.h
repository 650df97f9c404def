#pragma once

#include <windows.h>

#include <utility>

namespace win {

// Owns one GDI object (font, brush, pen, bitmap) and deletes it.
template <class Handle>
class GdiObject {
public:
    GdiObject() = default;
    explicit GdiObject(Handle h) : h_(h) {}
    GdiObject(GdiObject&& o) noexcept : h_(std::exchange(o.h_, nullptr)) {}
    GdiObject& operator=(GdiObject&& o) noexcept {
        if (this != &o) {
            Reset();
            h_ = std::exchange(o.h_, nullptr);
        }
        return *this;
    }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
    ~GdiObject() { Reset(); }

    Handle Get() const { return h_; }
    explicit operator bool() const { return h_ != nullptr; }
    void Reset() {
        if (h_) DeleteObject(h_);
        h_ = nullptr;
    }
    // Gives the object up to a new owner (a window taking its region).
    Handle Release() { return std::exchange(h_, nullptr); }

private:
    Handle h_ = nullptr;
};

using FontHandle = GdiObject<HFONT>;
using BrushHandle = GdiObject<HBRUSH>;
using BitmapHandle = GdiObject<HBITMAP>;
using PenHandle = GdiObject<HPEN>;
using RegionHandle = GdiObject<HRGN>;

// Owns a device context made with CreateDC or CreateCompatibleDC.
class OwnedDc {
public:
    OwnedDc() = default;
    explicit OwnedDc(HDC dc) : dc_(dc) {}
    OwnedDc(OwnedDc&& o) noexcept : dc_(std::exchange(o.dc_, nullptr)) {}
    OwnedDc& operator=(OwnedDc&& o) noexcept {
        if (this != &o) {
            if (dc_) DeleteDC(dc_);
            dc_ = std::exchange(o.dc_, nullptr);
        }
        return *this;
    }
    OwnedDc(const OwnedDc&) = delete;
    OwnedDc& operator=(const OwnedDc&) = delete;
    ~OwnedDc() {
        if (dc_) DeleteDC(dc_);
    }
    HDC Get() const { return dc_; }

private:
    HDC dc_ = nullptr;
};

// A window's device context (the screen's for no window), released when the scope ends.
class WindowDc {
public:
    WindowDc() = default;
    explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    WindowDc(WindowDc&& o) noexcept : window_(std::exchange(o.window_, nullptr)), dc_(std::exchange(o.dc_, nullptr)) {}
    WindowDc& operator=(WindowDc&& o) noexcept {
        if (this != &o) {
            if (dc_) ReleaseDC(window_, dc_);
            window_ = std::exchange(o.window_, nullptr);
            dc_ = std::exchange(o.dc_, nullptr);
        }
        return *this;
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    ~WindowDc() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    HDC Get() const { return dc_; }

protected:
    WindowDc(HWND window, HDC dc) : window_(window), dc_(dc) {}

private:
    HWND window_ = nullptr;
    HDC dc_ = nullptr;
};

// The whole window's device context, frame included.
class FrameDc : public WindowDc {
public:
    explicit FrameDc(HWND window) : WindowDc(window, GetWindowDC(window)) {}
};

// The screen's device context, released when the scope ends.
class ScreenDc : public WindowDc {
public:
    ScreenDc() : WindowDc(nullptr) {}
};

// Owns a menu made with CreateMenu or CreatePopupMenu.
class MenuHandle {
public:
    MenuHandle() = default;
    explicit MenuHandle(HMENU menu) : menu_(menu) {}
    MenuHandle(MenuHandle&& o) noexcept : menu_(std::exchange(o.menu_, nullptr)) {}
    MenuHandle& operator=(MenuHandle&& o) noexcept {
        if (this != &o) {
            Reset();
            menu_ = std::exchange(o.menu_, nullptr);
        }
        return *this;
    }
    MenuHandle(const MenuHandle&) = delete;
    MenuHandle& operator=(const MenuHandle&) = delete;
    ~MenuHandle() { Reset(); }
    HMENU Get() const { return menu_; }
    explicit operator bool() const { return menu_ != nullptr; }
    void Reset() {
        if (menu_) DestroyMenu(menu_);
        menu_ = nullptr;
    }

private:
    HMENU menu_ = nullptr;
};

// Selects an object into a device context for a scope and puts the old one back.
class SelectScope {
public:
    SelectScope(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
    SelectScope(const SelectScope&) = delete;
    SelectScope& operator=(const SelectScope&) = delete;
    ~SelectScope() {
        if (old_ && old_ != HGDI_ERROR) SelectObject(dc_, old_);
    }

private:
    HDC dc_;
    HGDIOBJ old_;
};

}  // namespace win
