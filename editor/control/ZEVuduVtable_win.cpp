#include "control/ZEVuduVtable_win.h"

#include <windows.h>
#include <oleauto.h>

#include <algorithm>
#include <vector>

#include "com/Bstr.h"
#include "com/Variant.h"

namespace notaline {
namespace {

// The member's text goes to the thread's error object, where C++ callers look for it.
void SetErrorText(const EXCEPINFO& e) {
    ICreateErrorInfo* create = nullptr;
    if (FAILED(CreateErrorInfo(&create))) return;
    create->SetGUID(__uuidof(IZEVudu));
    create->SetDescription(e.bstrDescription);
    IErrorInfo* info = nullptr;
    if (SUCCEEDED(create->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&info)))) {
        SetErrorInfo(0, info);
        info->Release();
    }
    create->Release();
}

}  // namespace

VARIANT ZEVuduVtable::Borrowed(const VARIANT* v) {
    VARIANT x;
    VariantInit(&x);
    if (v) x = *v;
    return x;
}

HRESULT ZEVuduVtable::Call(DISPID id, WORD flags, std::initializer_list<VARIANT> args) {
    return Call(id, flags, args, Result{});
}

HRESULT ZEVuduVtable::Call(DISPID id, WORD flags, std::initializer_list<VARIANT> args, Result out) {
    if (out.vt != VT_EMPTY) {
        if (!out.p) return E_POINTER;
        // An out value is defined even when the call fails.
        if (out.vt == VT_VARIANT) {
            VariantInit(static_cast<VARIANT*>(out.p));
        } else {
            std::memset(out.p, 0, out.size);
        }
    }
    for (const VARIANT& a : args) {
        if ((V_VT(&a) & VT_BYREF) && !V_BYREF(&a)) return E_POINTER;
    }
    // DISPPARAMS holds the arguments last first; a put's value is the named one, first.
    std::vector<VARIANT> reversed(args.begin(), args.end());
    std::reverse(reversed.begin(), reversed.end());
    DISPID named = DISPID_PROPERTYPUT;
    const bool put = (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0;
    DISPPARAMS params{reversed.data(), put ? &named : nullptr, static_cast<UINT>(reversed.size()), put ? 1u : 0u};
    com::Variant result;
    EXCEPINFO e{};
    UINT argErr = 0;
    HRESULT hr = Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, out.vt != VT_EMPTY ? result.Out() : nullptr,
                        &e, &argErr);
    if (hr == DISP_E_EXCEPTION) {
        SetErrorText(e);
        hr = FAILED(e.scode) ? e.scode : E_FAIL;
    }
    com::FreeTexts(e);
    if (FAILED(hr) || out.vt == VT_EMPTY) return hr;
    if (out.vt == VT_VARIANT) {
        *static_cast<VARIANT*>(out.p) = result.Detach();  // ownership moves to the caller
        return hr;
    }
    com::Variant coerced;
    hr = VariantChangeType(coerced.Out(), &result.Raw(), 0, out.vt);
    if (FAILED(hr)) return hr;
    if (out.vt == VT_DISPATCH && out.iid) {
        IDispatch* object = V_DISPATCH(&coerced.Raw());
        return object ? object->QueryInterface(*out.iid, static_cast<void**>(out.p)) : S_OK;
    }
    std::memcpy(out.p, &V_I8(&coerced.Raw()), out.size);
    // A string or object now belongs to the caller.
    if (out.vt == VT_BSTR || out.vt == VT_DISPATCH) coerced.Detach();
    return hr;
}

}  // namespace notaline
