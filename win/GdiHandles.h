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

private:
    Handle h_ = nullptr;
};

using FontHandle = GdiObject<HFONT>;
using BrushHandle = GdiObject<HBRUSH>;
using BitmapHandle = GdiObject<HBITMAP>;
using PenHandle = GdiObject<HPEN>;

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

// The screen's device context, released when the scope ends.
class ScreenDc {
public:
    ScreenDc() : dc_(GetDC(nullptr)) {}
    ScreenDc(const ScreenDc&) = delete;
    ScreenDc& operator=(const ScreenDc&) = delete;
    ~ScreenDc() {
        if (dc_) ReleaseDC(nullptr, dc_);
    }
    HDC Get() const { return dc_; }

private:
    HDC dc_;
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
