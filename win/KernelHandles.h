#pragma once
// Owners of kernel handles, global memory, registry keys, find handles, task memory and BSTRs,
// beside the GDI ones.
#include <windows.h>
#include <objbase.h>
#include <oleauto.h>

#include <utility>

namespace win {

// Owns one handle and frees it through Traits (Handle, Empty(h), Free(h) -> true when freed).
template <class Traits>
class Owned {
public:
    using Handle = typename Traits::Handle;
    Owned() = default;
    explicit Owned(Handle h) : h_(h) {}
    Owned(Owned&& o) noexcept : h_(std::exchange(o.h_, Handle{})) {}
    Owned& operator=(Owned&& o) noexcept {
        if (this != &o) {
            Close();
            h_ = std::exchange(o.h_, Handle{});
        }
        return *this;
    }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;
    ~Owned() { Close(); }

    Handle Get() const { return h_; }
    explicit operator bool() const { return !Traits::Empty(h_); }
    // Frees now; false when freeing failed (a written file can report its last error here).
    bool Close() {
        const Handle h = std::exchange(h_, Handle{});
        return Traits::Empty(h) || Traits::Free(h);
    }
    void Reset() { Close(); }
    // Gives the handle up to a new owner (the clipboard taking a block).
    Handle Release() { return std::exchange(h_, Handle{}); }
    // For the functions that return a handle through a pointer; the owner must be empty.
    Handle* Out() { return &h_; }

private:
    Handle h_{};
};

// A kernel handle (file, process, thread, event). Both null and INVALID_HANDLE_VALUE stand for
// none, as the functions that make handles return either.
struct KernelTraits {
    using Handle = HANDLE;
    static bool Empty(HANDLE h) { return !h || h == INVALID_HANDLE_VALUE; }
    static bool Free(HANDLE h) { return CloseHandle(h) != 0; }
};
using KernelHandle = Owned<KernelTraits>;

// A block of global memory, freed unless handed on (the clipboard takes a block only when
// SetClipboardData succeeds).
struct GlobalTraits {
    using Handle = HGLOBAL;
    static bool Empty(HGLOBAL h) { return !h; }
    static bool Free(HGLOBAL h) { return GlobalFree(h) == nullptr; }
};
using GlobalMemory = Owned<GlobalTraits>;

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

// An open registry key.
struct RegistryTraits {
    using Handle = HKEY;
    static bool Empty(HKEY k) { return !k; }
    static bool Free(HKEY k) { return RegCloseKey(k) == ERROR_SUCCESS; }
};
using RegistryKey = Owned<RegistryTraits>;

// A search of FindFirstFileW; it fails with INVALID_HANDLE_VALUE, never null.
struct FindTraits {
    using Handle = HANDLE;
    static bool Empty(HANDLE h) { return !h || h == INVALID_HANDLE_VALUE; }
    static bool Free(HANDLE h) { return FindClose(h) != 0; }
};
using FindHandle = Owned<FindTraits>;

// Memory the shell or COM hands back to be freed with CoTaskMemFree (an item list, a string).
template <class T>
struct TaskMemoryTraits {
    using Handle = T*;
    static bool Empty(T* p) { return !p; }
    static bool Free(T* p) {
        CoTaskMemFree(p);
        return true;
    }
};
template <class T>
using TaskMemory = Owned<TaskMemoryTraits<T>>;

// A BSTR; com::Bstr is its owner.
struct BstrTraits {
    using Handle = BSTR;
    static bool Empty(BSTR b) { return !b; }
    static bool Free(BSTR b) {
        SysFreeString(b);
        return true;
    }
};

}  // namespace win
