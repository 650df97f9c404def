#pragma once
#include <oaidl.h>

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

}  // namespace com::tests
