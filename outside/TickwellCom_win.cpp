#include "TickwellCom_win.h"

#include <windows.h>
#include <oleauto.h>

#include "com/ComPtr.h"

namespace outside {

namespace {

// The type library made in memory: no file is registered, and only the class information is
// handed out.
constexpr GUID kLibrary = {0x4d2f8b61, 0x7a0c, 0x4e39, {0x95, 0x1b, 0x2e, 0x6c, 0xd4, 0x83, 0x0f, 0x57}};

HRESULT Check(HRESULT hr) {
    if (FAILED(hr)) throw com::Error{hr, L"class information"};
    return hr;
}

// A dispinterface with the given methods (no arguments, no result) and properties.
struct Member {
    DISPID id;
    const wchar_t* name;
    VARTYPE type;  // VT_EMPTY: a method
};

com::Ptr<ITypeInfo> AddDispatch(ICreateTypeLib2* lib, ITypeInfo* dispatch, const wchar_t* name, const IID& iid,
                                std::initializer_list<Member> members) {
    com::Ptr<ICreateTypeInfo> info;
    Check(lib->CreateTypeInfo(const_cast<LPOLESTR>(name), TKIND_DISPATCH, info.Out()));
    Check(info->SetGuid(iid));
    HREFTYPE base = 0;
    Check(info->AddRefTypeInfo(dispatch, &base));
    Check(info->AddImplType(0, base));
    UINT funcs = 0, vars = 0;
    for (const Member& m : members) {
        if (m.type == VT_EMPTY) {
            FUNCDESC f{};
            f.memid = m.id;
            f.funckind = FUNC_DISPATCH;
            f.invkind = INVOKE_FUNC;
            f.callconv = CC_STDCALL;
            f.elemdescFunc.tdesc.vt = VT_VOID;
            Check(info->AddFuncDesc(funcs, &f));
            LPOLESTR names[] = {const_cast<LPOLESTR>(m.name)};
            Check(info->SetFuncAndParamNames(funcs++, names, 1));
        } else {
            VARDESC v{};
            v.memid = m.id;
            v.varkind = VAR_DISPATCH;
            v.elemdescVar.tdesc.vt = m.type;
            Check(info->AddVarDesc(vars, &v));
            Check(info->SetVarName(vars++, const_cast<LPOLESTR>(m.name)));
        }
    }
    Check(info->LayOut());
    com::Ptr<ITypeInfo> out;
    Check(info->QueryInterface(IID_ITypeInfo, out.OutVoid()));
    return out;
}

com::Ptr<ITypeInfo> MakeClassInfo() {
    com::Ptr<ITypeLib> standard;
    Check(LoadRegTypeLib(IID_StdOle, STDOLE2_MAJORVERNUM, STDOLE2_MINORVERNUM, STDOLE2_LCID, standard.Out()));
    com::Ptr<ITypeInfo> dispatch;
    Check(standard->GetTypeInfoOfGuid(IID_IDispatch, dispatch.Out()));

    com::Ptr<ICreateTypeLib2> lib;
    Check(CreateTypeLib2(SYS_WIN64, const_cast<LPOLESTR>(L"Tickwell.tlb"), lib.Out()));
    Check(lib->SetGuid(kLibrary));
    Check(lib->SetName(const_cast<LPOLESTR>(L"Tickwell")));
    namespace id = dispid::Tickwell;
    const auto face = AddDispatch(lib.Get(), dispatch.Get(), L"ITickwell", __uuidof(ITickwell),
                                  {{id::Interval, L"Interval", VT_I4}, {id::Enabled, L"Enabled", VT_BOOL}});
    const auto events = AddDispatch(lib.Get(), dispatch.Get(), L"TickwellEvents", DIID_TickwellEvents,
                                    {{id::Timer, L"Timer", VT_EMPTY}});

    com::Ptr<ICreateTypeInfo> coclass;
    Check(lib->CreateTypeInfo(const_cast<LPOLESTR>(L"Tickwell"), TKIND_COCLASS, coclass.Out()));
    Check(coclass->SetGuid(CLSID_Tickwell));
    Check(coclass->SetTypeFlags(TYPEFLAG_FCANCREATE));
    HREFTYPE faceRef = 0, eventsRef = 0;
    Check(coclass->AddRefTypeInfo(face.Get(), &faceRef));
    Check(coclass->AddRefTypeInfo(events.Get(), &eventsRef));
    Check(coclass->AddImplType(0, faceRef));
    Check(coclass->SetImplTypeFlags(0, IMPLTYPEFLAG_FDEFAULT));
    Check(coclass->AddImplType(1, eventsRef));
    Check(coclass->SetImplTypeFlags(1, IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE));
    Check(coclass->LayOut());
    com::Ptr<ITypeInfo> out;
    Check(coclass->QueryInterface(IID_ITypeInfo, out.OutVoid()));
    return out;
}

}  // namespace

TickwellCom::TickwellCom() {
    timer_.Timer = [this] {
        // Held through the event, so that a sink dropping the last reference frees it afterwards.
        AddRef();
        events_.Fire(dispid::Tickwell::Timer);
        Release();
    };
}

void* TickwellCom::QueryOther(REFIID iid) {
    if (iid == IID_IConnectionPointContainer) return events_.Container();
    if (iid == IID_IProvideClassInfo || iid == IID_IProvideClassInfo2)
        return static_cast<IProvideClassInfo2*>(&classInfo_);
    return nullptr;
}

HRESULT TickwellCom::ClassInfo::GetClassInfo(ITypeInfo** info) {
    if (!info) return E_POINTER;
    *info = nullptr;
    return com::Guard([&] { *info = MakeClassInfo().Detach(); });
}

HRESULT TickwellCom::ClassInfo::GetGUID(DWORD kind, GUID* guid) {
    if (!guid) return E_POINTER;
    if (kind != GUIDKIND_DEFAULT_SOURCE_DISP_IID) return E_INVALIDARG;
    *guid = DIID_TickwellEvents;
    return S_OK;
}

std::span<const com::Member<TickwellCom>> TickwellCom::Members() {
    namespace id = dispid::Tickwell;
    using S = TickwellCom;
    using A = com::Args;
    static const com::Member<S> table[] = {
        {id::Interval, L"Interval", com::kGet, [](S& s, A&, VARIANT* r) { com::Return(r, s.timer_.Interval()); }},
        {id::Interval, L"Interval", com::kPut, [](S& s, A& a, VARIANT*) { s.timer_.Interval(a.Value().Long()); }},
        {id::Enabled, L"Enabled", com::kGet, [](S& s, A&, VARIANT* r) { com::Return(r, s.timer_.Enabled()); }},
        {id::Enabled, L"Enabled", com::kPut, [](S& s, A& a, VARIANT*) { s.timer_.Enabled(a.Value().Bool()); }},
    };
    return table;
}

}  // namespace outside
