#include "QuibbetCom_win.h"

#include "com/ComPtr.h"
#include "com/Variant.h"
#include "text/Cp936.h"
#include "text/WideText_win.h"

namespace outside {

namespace {

using com::Arg;
using com::Args;

// Positions of the balloon call's arguments; the others are accepted and unused.
enum BalloonArg : UINT { kControl, kText, kShape = 4, kTitle, kIcon, kFlags = 8, kWidth = 11 };

bool Given(const Args& a, UINT i) {
    return i < a.Count() && !a[i].Missing();
}

// A control is an object with a hwnd property, or a window handle.
HWND ControlWindow(const Arg& a) {
    const VARIANT* v = &a.Raw();
    if (V_VT(v) == (VT_VARIANT | VT_BYREF)) v = V_VARIANTREF(v);
    intptr_t handle = 0;
    if (V_VT(v) == VT_DISPATCH || V_VT(v) == VT_UNKNOWN) {
        com::Ptr<IDispatch> object;
        if (V_UNKNOWN(v)) V_UNKNOWN(v)->QueryInterface(IID_IDispatch, object.OutVoid());
        LPOLESTR name = const_cast<LPOLESTR>(L"hwnd");
        DISPID id = 0;
        com::Variant r;
        DISPPARAMS none{nullptr, nullptr, 0, 0};
        if (object && SUCCEEDED(object->GetIDsOfNames(IID_NULL, &name, 1, 0, &id)) &&
            SUCCEEDED(object->Invoke(id, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, r.Out(), nullptr, nullptr)) &&
            SUCCEEDED(VariantChangeType(&r.Raw(), &r.Raw(), 0, VT_I8)))
            handle = static_cast<intptr_t>(V_I8(&r.Raw()));
    } else {
        handle = a.Handle();
    }
    HWND hwnd = reinterpret_cast<HWND>(handle);
    if (!hwnd || !IsWindow(hwnd)) throw com::Error{E_INVALIDARG, L"not a window"};
    return hwnd;
}

// A tool is subclassed, which another process's window cannot be: the system's tip code falls
// over on one.
HWND OwnControlWindow(const Arg& a) {
    HWND hwnd = ControlWindow(a);
    DWORD process = 0;
    GetWindowThreadProcessId(hwnd, &process);
    if (process != GetCurrentProcessId()) throw com::Error{E_INVALIDARG, L"a window of another process"};
    return hwnd;
}

// A text as a string, or as code page 936 bytes in a byte array; shown, so bad bytes and lone
// surrogates become replacement characters.
std::wstring TipText(const Args& a, UINT i) {
    if (!Given(a, i)) return {};
    const VARIANT* v = &a[i].Raw();
    if (V_VT(v) == (VT_VARIANT | VT_BYREF)) v = V_VARIANTREF(v);
    std::wstring text;
    if (V_VT(v) == (VT_ARRAY | VT_UI1)) {
        SAFEARRAY* bytes = V_ARRAY(v);
        if (bytes && SafeArrayGetDim(bytes) == 1) {
            if (const com::SafeArrayData data(bytes); data) {
                const ULONG n = bytes->rgsabound[0].cElements;
                text = tessaly::ToWide(tessaly::Cp936ToUtf16Replacing({static_cast<const char*>(data.Get()), n}));
            }
        }
    } else {
        text = a[i].Str();
    }
    for (size_t k = 0; k < text.size(); ++k) {
        const bool high = IS_HIGH_SURROGATE(text[k]), low = IS_LOW_SURROGATE(text[k]);
        if (high && k + 1 < text.size() && IS_LOW_SURROGATE(text[k + 1]))
            ++k;
        else if (high || low)
            text[k] = L'\uFFFD';
    }
    // The tip window stops at the first null.
    return text.substr(0, text.find(L'\0'));
}

int Number(const Args& a, UINT i, int def) {
    return Given(a, i) ? a[i].Long() : def;
}

}  // namespace

std::span<const com::Member<QuibbetCom>> QuibbetCom::Members() {
    namespace id = dispid::Quibbet;
    using S = QuibbetCom;
    static const com::Member<S> table[] = {
        {id::AddTool, L"AddTool", com::kMethod,
         [](S& s, Args& a, VARIANT*) { s.tips_.AddTool(OwnControlWindow(a[0]), TipText(a, 1), Number(a, 2, 0)); }},
        {id::SetDelayTime, L"SetDelayTime", com::kMethod,
         [](S& s, Args& a, VARIANT*) { s.tips_.SetDelayTime(a[0].Long()); }},
        {id::ShowBalloon, L"ShowBalloon", com::kMethod,
         [](S& s, Args& a, VARIANT*) {
             Quibbet::Balloon b;
             b.text = TipText(a, kText);
             b.title = TipText(a, kTitle);
             b.balloonShape = !Given(a, kShape) || a[kShape].Bool();
             b.icon = Number(a, kIcon, 0);
             b.flags = Number(a, kFlags, 0);
             b.width = Number(a, kWidth, 0);
             s.tips_.ShowBalloon(ControlWindow(a[kControl]), b);
         }},
    };
    return table;
}

}  // namespace outside
