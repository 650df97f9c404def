#pragma once
#include <windows.h>
#include <oaidl.h>
#include <oleauto.h>

#include <cstdint>

namespace com::tests {

// Arguments for dispatch calls in tests.
inline VARIANT Long(int32_t v) {
    VARIANT x;
    V_VT(&x) = VT_I4;
    V_I4(&x) = v;
    return x;
}

inline VARIANT Bool(bool v) {
    VARIANT x;
    V_VT(&x) = VT_BOOL;
    V_BOOL(&x) = v ? VARIANT_TRUE : VARIANT_FALSE;
    return x;
}

// A string the caller frees (VariantClear).
inline VARIANT Str(const wchar_t* s) {
    VARIANT x;
    V_VT(&x) = VT_BSTR;
    V_BSTR(&x) = SysAllocString(s);
    return x;
}

// An argument left out, as a script passes it.
inline VARIANT Missing() {
    VARIANT x;
    V_VT(&x) = VT_ERROR;
    V_ERROR(&x) = DISP_E_PARAMNOTFOUND;
    return x;
}

}  // namespace com::tests
