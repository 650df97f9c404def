#pragma once
#include <windows.h>
#include <oleauto.h>

#include <string>
#include <string_view>
#include <utility>

namespace com {

// Owns one BSTR: a text handed to a call, or one a call hands back.
class Bstr {
public:
    Bstr() = default;
    explicit Bstr(std::wstring_view s) : b_(SysAllocStringLen(s.data(), static_cast<UINT>(s.size()))) {}
    // Takes over a BSTR the caller was to free.
    static Bstr Attach(BSTR b) {
        Bstr r;
        r.b_ = b;
        return r;
    }
    Bstr(Bstr&& o) noexcept : b_(std::exchange(o.b_, nullptr)) {}
    Bstr& operator=(Bstr&& o) noexcept {
        if (this != &o) {
            Reset();
            b_ = std::exchange(o.b_, nullptr);
        }
        return *this;
    }
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    ~Bstr() { Reset(); }

    BSTR Get() const { return b_; }
    explicit operator bool() const { return b_ != nullptr; }
    // For out-parameters: frees what is held and hands out the slot.
    BSTR* Out() {
        Reset();
        return &b_;
    }
    // For by-reference arguments: the callee reads the text and may replace it; whatever it
    // leaves is freed with the owner.
    BSTR* Ref() { return &b_; }
    BSTR Detach() { return std::exchange(b_, nullptr); }
    void Reset() { SysFreeString(std::exchange(b_, nullptr)); }
    // The text with its length (it may hold nulls); "" for none.
    std::wstring Str() const { return b_ ? std::wstring(b_, SysStringLen(b_)) : std::wstring(); }

private:
    BSTR b_ = nullptr;
};

// Puts a text into a caller's by-reference slot, freeing what the slot held.
inline void Replace(BSTR* slot, Bstr text) {
    SysFreeString(*slot);
    *slot = text.Detach();
}

}  // namespace com
