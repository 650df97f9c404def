#include <windows.h>
#include <oleauto.h>

#include "Bstr.h"
#include "Dispatch.h"

namespace com {
namespace {

VARIANT Coerce(const VARIANT* v, UINT index, VARTYPE vt) {
    VARIANT out;
    VariantInit(&out);
    // VariantChangeType dereferences a by-reference source by itself.
    HRESULT hr = VariantChangeType(&out, const_cast<VARIANT*>(v), 0, vt);
    if (FAILED(hr)) throw ArgError{index, hr == DISP_E_OVERFLOW ? DISP_E_OVERFLOW : DISP_E_TYPEMISMATCH};
    return out;
}

struct Scoped {
    VARIANT v;
    ~Scoped() { VariantClear(&v); }
};

}  // namespace

bool Arg::Missing() const {
    const VARIANT* v = v_;
    if (V_VT(v) == (VT_VARIANT | VT_BYREF)) v = V_VARIANTREF(v);
    return V_VT(v) == VT_ERROR && V_ERROR(v) == DISP_E_PARAMNOTFOUND;
}

VARIANT Arg::As(VARTYPE vt) const {
    return Coerce(v_, index_, vt);
}

// Scalars need no clearing, so the coerced copy is read directly.
int32_t Arg::Long() const {
    return As(VT_I4).lVal;
}
int16_t Arg::Short() const {
    return As(VT_I2).iVal;
}
uint8_t Arg::Byte() const {
    return As(VT_UI1).bVal;
}
double Arg::Double() const {
    return As(VT_R8).dblVal;
}
float Arg::Single() const {
    return As(VT_R4).fltVal;
}
bool Arg::Bool() const {
    return As(VT_BOOL).boolVal != VARIANT_FALSE;
}
intptr_t Arg::Handle() const {
    return static_cast<intptr_t>(As(VT_I8).llVal);
}

std::wstring Arg::Str() const {
    Scoped s{As(VT_BSTR)};
    BSTR b = V_BSTR(&s.v);
    return b ? std::wstring(b, SysStringLen(b)) : std::wstring();
}

void Arg::SetVariant(VARIANT& value) const {
    Scoped owned{value};
    VARIANT* target = v_;
    if (!(V_VT(target) & VT_BYREF)) return;
    if (V_VT(target) == (VT_VARIANT | VT_BYREF)) {
        VARIANT* inner = V_VARIANTREF(target);
        VariantClear(inner);
        VariantCopy(inner, &owned.v);
        return;
    }
    const VARTYPE vt = V_VT(target) & ~VT_BYREF;
    Scoped c{Coerce(&owned.v, index_, vt)};
    switch (vt) {
        case VT_I2: *V_I2REF(target) = V_I2(&c.v); break;
        case VT_I4: *V_I4REF(target) = V_I4(&c.v); break;
        case VT_I8: *V_I8REF(target) = V_I8(&c.v); break;
        case VT_UI1: *V_UI1REF(target) = V_UI1(&c.v); break;
        case VT_R4: *V_R4REF(target) = V_R4(&c.v); break;
        case VT_R8: *V_R8REF(target) = V_R8(&c.v); break;
        case VT_BOOL: *V_BOOLREF(target) = V_BOOL(&c.v); break;
        case VT_BSTR:
            Replace(V_BSTRREF(target), Bstr::Attach(V_BSTR(&c.v)));
            V_VT(&c.v) = VT_EMPTY;  // ownership moved to the caller's slot
            break;
        default: throw ArgError{index_, DISP_E_TYPEMISMATCH};
    }
}

void Arg::Set(int32_t v) const {
    VARIANT x;
    V_VT(&x) = VT_I4;
    V_I4(&x) = v;
    SetVariant(x);
}
void Arg::Set(int16_t v) const {
    VARIANT x;
    V_VT(&x) = VT_I2;
    V_I2(&x) = v;
    SetVariant(x);
}
void Arg::Set(uint8_t v) const {
    VARIANT x;
    V_VT(&x) = VT_UI1;
    V_UI1(&x) = v;
    SetVariant(x);
}
void Arg::Set(double v) const {
    VARIANT x;
    V_VT(&x) = VT_R8;
    V_R8(&x) = v;
    SetVariant(x);
}
void Arg::Set(float v) const {
    VARIANT x;
    V_VT(&x) = VT_R4;
    V_R4(&x) = v;
    SetVariant(x);
}
void Arg::SetBool(bool v) const {
    VARIANT x;
    V_VT(&x) = VT_BOOL;
    V_BOOL(&x) = v ? VARIANT_TRUE : VARIANT_FALSE;
    SetVariant(x);
}
void Arg::Set(std::wstring_view v) const {
    VARIANT x;
    V_VT(&x) = VT_BSTR;
    V_BSTR(&x) = SysAllocStringLen(v.data(), static_cast<UINT>(v.size()));
    SetVariant(x);
}

Arg Args::operator[](UINT i) const {
    if (i >= Count()) throw ArgError{0, DISP_E_BADPARAMCOUNT};
    const UINT index = p_->cArgs - 1 - i;
    return Arg(&p_->rgvarg[index], index);
}

Arg Args::Value() const {
    if (p_->cNamedArgs < 1) throw ArgError{0, DISP_E_PARAMNOTOPTIONAL};
    return Arg(&p_->rgvarg[0], 0);
}

void Return(VARIANT* r, int32_t v) {
    if (!r) return;
    V_VT(r) = VT_I4;
    V_I4(r) = v;
}
void Return(VARIANT* r, long v) {
    Return(r, static_cast<int32_t>(v));
}
void Return(VARIANT* r, int16_t v) {
    if (!r) return;
    V_VT(r) = VT_I2;
    V_I2(r) = v;
}
void Return(VARIANT* r, uint8_t v) {
    if (!r) return;
    V_VT(r) = VT_UI1;
    V_UI1(r) = v;
}
void Return(VARIANT* r, int64_t v) {
    if (!r) return;
    V_VT(r) = VT_I8;
    V_I8(r) = v;
}
void Return(VARIANT* r, double v) {
    if (!r) return;
    V_VT(r) = VT_R8;
    V_R8(r) = v;
}
void Return(VARIANT* r, float v) {
    if (!r) return;
    V_VT(r) = VT_R4;
    V_R4(r) = v;
}
void Return(VARIANT* r, bool v) {
    if (!r) return;
    V_VT(r) = VT_BOOL;
    V_BOOL(r) = v ? VARIANT_TRUE : VARIANT_FALSE;
}
void Return(VARIANT* r, std::wstring_view v) {
    if (!r) return;
    V_VT(r) = VT_BSTR;
    V_BSTR(r) = SysAllocStringLen(v.data(), static_cast<UINT>(v.size()));
}
void Return(VARIANT* r, const wchar_t* v) {
    Return(r, std::wstring_view(v ? v : L""));
}

bool SameName(const wchar_t* a, const wchar_t* b) {
    if (!a || !b) return false;
    return CompareStringOrdinal(a, -1, b, -1, TRUE) == CSTR_EQUAL;
}

void FillException(EXCEPINFO* e, const std::wstring& description, HRESULT hr) {
    if (!e) return;
    ZeroMemory(e, sizeof *e);
    e->scode = hr;
    e->bstrDescription = SysAllocString(description.c_str());
}

}  // namespace com
