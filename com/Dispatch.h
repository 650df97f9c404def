#pragma once
#include <windows.h>
#include <oaidl.h>

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace com {

// A failure raised by a member; becomes DISP_E_EXCEPTION with this text.
struct Error {
    HRESULT hr = E_FAIL;
    std::wstring description;
};

// An argument that cannot be coerced; becomes hr with puArgErr set.
struct ArgError {
    UINT index = 0;  // index into DISPPARAMS::rgvarg
    HRESULT hr = DISP_E_TYPEMISMATCH;
};

// One argument of a dispatch call, coerced on demand and written back when by reference.
class Arg {
public:
    Arg(VARIANT* v, UINT index) : v_(v), index_(index) {}

    bool Missing() const;
    int32_t Long() const;
    int16_t Short() const;
    uint8_t Byte() const;
    double Double() const;
    float Single() const;
    bool Bool() const;
    std::wstring Str() const;
    // Window handles and addresses: accepted as 32- or 64-bit integers.
    intptr_t Handle() const;
    // A copy coerced to the given type; the caller clears it.
    VARIANT As(VARTYPE vt) const;
    const VARIANT& Raw() const { return *v_; }

    // Writes a value back to a by-reference argument; by-value arguments ignore it.
    void Set(int32_t v) const;
    void Set(int16_t v) const;
    void Set(uint8_t v) const;
    void Set(double v) const;
    void Set(float v) const;
    void SetBool(bool v) const;
    void Set(std::wstring_view v) const;

private:
    void SetVariant(VARIANT& value) const;  // takes ownership of value
    VARIANT* v_;
    UINT index_;
};

class Args {
public:
    explicit Args(DISPPARAMS* p) : p_(p) {}
    // Positional arguments in declared order (DISPPARAMS holds them reversed).
    UINT Count() const { return p_->cArgs - p_->cNamedArgs; }
    Arg operator[](UINT i) const;
    // The new value of a property put.
    Arg Value() const;

private:
    DISPPARAMS* p_;
};

// Results: each sets *r (when r is not null) to a variant of the matching type.
void Return(VARIANT* r, int32_t v);
void Return(VARIANT* r, long v);
void Return(VARIANT* r, int16_t v);
void Return(VARIANT* r, uint8_t v);
void Return(VARIANT* r, int64_t v);
void Return(VARIANT* r, double v);
void Return(VARIANT* r, float v);
void Return(VARIANT* r, bool v);
void Return(VARIANT* r, std::wstring_view v);
void Return(VARIANT* r, const wchar_t* v);

enum : WORD {
    kMethod = DISPATCH_METHOD,
    kGet = DISPATCH_PROPERTYGET,
    kPut = DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF,
};

// One row of a class's dispatch table. A property's get and put share an id.
template <class T>
struct Member {
    DISPID id;
    const wchar_t* name;  // exact name; Chinese names stand as they are
    WORD kind;
    void (*call)(T& self, Args& args, VARIANT* result);
};

// Case-insensitive exact match of a member name.
bool SameName(const wchar_t* a, const wchar_t* b);

// Fills EXCEPINFO for DISP_E_EXCEPTION.
void FillException(EXCEPINFO* e, const std::wstring& description, HRESULT hr);

template <class T>
HRESULT GetIdsFromTable(std::span<const Member<T>> table, LPOLESTR* names, UINT count, DISPID* ids) {
    if (!names || !ids || count == 0) return E_INVALIDARG;
    HRESULT hr = S_OK;
    // Only the member name is looked up; named arguments are not supported.
    ids[0] = DISPID_UNKNOWN;
    for (const auto& m : table) {
        if (SameName(m.name, names[0])) {
            ids[0] = m.id;
            break;
        }
    }
    if (ids[0] == DISPID_UNKNOWN) hr = DISP_E_UNKNOWNNAME;
    for (UINT i = 1; i < count; ++i) {
        ids[i] = DISPID_UNKNOWN;
        hr = DISP_E_UNKNOWNNAME;
    }
    return hr;
}

template <class T>
HRESULT InvokeFromTable(T& self, std::span<const Member<T>> table, DISPID id, WORD flags, DISPPARAMS* params,
                        VARIANT* result, EXCEPINFO* excep, UINT* argErr) {
    const Member<T>* found = nullptr;
    for (const auto& m : table) {
        if (m.id == id && (m.kind & flags)) {
            found = &m;
            break;
        }
    }
    if (!found) return DISP_E_MEMBERNOTFOUND;
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    if (!params) params = &none;
    const bool put = (found->kind & kPut) != 0;
    if (put) {
        if (params->cNamedArgs != 1 || params->rgdispidNamedArgs[0] != DISPID_PROPERTYPUT)
            return DISP_E_PARAMNOTOPTIONAL;
    } else if (params->cNamedArgs != 0) {
        return DISP_E_NONAMEDARGS;
    }
    if (result) VariantInit(result);
    Args args(params);
    try {
        found->call(self, args, put ? nullptr : result);
        return S_OK;
    } catch (const ArgError& e) {
        if (argErr) *argErr = e.index;
        return e.hr;
    } catch (const Error& e) {
        FillException(excep, e.description, e.hr);
        return DISP_E_EXCEPTION;
    } catch (...) {
        FillException(excep, L"unexpected failure", E_UNEXPECTED);
        return DISP_E_EXCEPTION;
    }
}

}  // namespace com
