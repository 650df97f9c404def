#pragma once
#include <windows.h>
#include <oleauto.h>

#include <string>
#include <string_view>
#include <utility>

#include "win/KernelHandles.h"

namespace com {

// Owns one BSTR: a text handed to a call, or one a call hands back.
class Bstr : public win::Owned<win::BstrTraits> {
public:
    Bstr() = default;
    explicit Bstr(std::wstring_view s) : Owned(SysAllocStringLen(s.data(), static_cast<UINT>(s.size()))) {}
    // Takes over a BSTR the caller was to free.
    static Bstr Attach(BSTR b) {
        Bstr r;
        *r.Ref() = b;
        return r;
    }

    // For out-parameters: frees what is held and hands out the slot.
    BSTR* Out() {
        Reset();
        return Owned::Out();
    }
    // For by-reference arguments: the callee reads the text and may replace it; whatever it
    // leaves is freed with the owner.
    BSTR* Ref() { return Owned::Out(); }
    BSTR Detach() { return Release(); }
    // The text with its length (it may hold nulls); "" for none.
    std::wstring Str() const { return Get() ? std::wstring(Get(), SysStringLen(Get())) : std::wstring(); }
};

// Puts a text into a caller's by-reference slot, freeing what the slot held.
inline void Replace(BSTR* slot, Bstr text) {
    Bstr::Attach(std::exchange(*slot, text.Detach()));
}

// Frees the texts a failed call left in its exception record.
inline void FreeTexts(EXCEPINFO& e) {
    for (BSTR* text : {&e.bstrSource, &e.bstrDescription, &e.bstrHelpFile}) Bstr::Attach(std::exchange(*text, nullptr));
}

}  // namespace com
