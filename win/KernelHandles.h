#pragma once
// Owners of kernel handles, global memory and registry keys, beside the GDI ones.
#include <windows.h>

#include <utility>

namespace win {

// Owns a kernel handle (file, process, thread, event) and closes it. Both null and
// INVALID_HANDLE_VALUE stand for none, as the functions that make handles return either.
class KernelHandle {
public:
    KernelHandle() = default;
    explicit KernelHandle(HANDLE h) : h_(h) {}
    KernelHandle(KernelHandle&& o) noexcept : h_(std::exchange(o.h_, nullptr)) {}
    KernelHandle& operator=(KernelHandle&& o) noexcept {
        if (this != &o) {
            Close();
            h_ = std::exchange(o.h_, nullptr);
        }
        return *this;
    }
    KernelHandle(const KernelHandle&) = delete;
    KernelHandle& operator=(const KernelHandle&) = delete;
    ~KernelHandle() { Close(); }

    HANDLE Get() const { return h_; }
    explicit operator bool() const { return h_ && h_ != INVALID_HANDLE_VALUE; }
    // Closes now; false when closing failed (a written file can report its last error here).
    bool Close() {
        const HANDLE h = std::exchange(h_, nullptr);
        return !h || h == INVALID_HANDLE_VALUE || CloseHandle(h);
    }

private:
    HANDLE h_ = nullptr;
};

// Owns a block of global memory and frees it, unless it was handed on (the clipboard takes a
// block only when SetClipboardData succeeds).
class GlobalMemory {
public:
    GlobalMemory() = default;
    explicit GlobalMemory(HGLOBAL h) : h_(h) {}
    GlobalMemory(GlobalMemory&& o) noexcept : h_(std::exchange(o.h_, nullptr)) {}
    GlobalMemory& operator=(GlobalMemory&& o) noexcept {
        if (this != &o) {
            Reset();
            h_ = std::exchange(o.h_, nullptr);
        }
        return *this;
    }
    GlobalMemory(const GlobalMemory&) = delete;
    GlobalMemory& operator=(const GlobalMemory&) = delete;
    ~GlobalMemory() { Reset(); }

    HGLOBAL Get() const { return h_; }
    explicit operator bool() const { return h_ != nullptr; }
    void Reset() {
        if (h_) GlobalFree(h_);
        h_ = nullptr;
    }
    HGLOBAL Release() { return std::exchange(h_, nullptr); }

private:
    HGLOBAL h_ = nullptr;
};

// Global memory locked for a scope; Get() is null when the block is null or could not be locked.
class GlobalLocked {
public:
    explicit GlobalLocked(HGLOBAL h) : h_(h), p_(h ? GlobalLock(h) : nullptr) {}
    GlobalLocked(const GlobalLocked&) = delete;
    GlobalLocked& operator=(const GlobalLocked&) = delete;
    ~GlobalLocked() {
        if (p_) GlobalUnlock(h_);
    }
    void* Get() const { return p_; }

private:
    HGLOBAL h_;
    void* p_;
};

// Owns an open registry key and closes it.
class RegistryKey {
public:
    RegistryKey() = default;
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;
    ~RegistryKey() {
        if (k_) RegCloseKey(k_);
    }
    HKEY Get() const { return k_; }
    // For the functions that open a key into an HKEY*; the key must be empty.
    HKEY* Out() { return &k_; }

private:
    HKEY k_ = nullptr;
};

}  // namespace win
