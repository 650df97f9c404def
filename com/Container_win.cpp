#include <windows.h>
#include <olectl.h>

#include <new>

#include "Container.h"
#include "Dispatch.h"

namespace com {
namespace {

std::span<const Member<ControlSite>> Ambients() {
    static const Member<ControlSite> table[] = {
        {DISPID_AMBIENT_USERMODE, L"UserMode", kGet,
         [](ControlSite& s, Args&, VARIANT* r) { Return(r, s.UserMode()); }},
    };
    return table;
}

}  // namespace

Ptr<PropertyBag> PropertyBag::Create(std::span<const StoredProperty> table) {
    auto bag = Ptr<PropertyBag>::Share(new PropertyBag());
    for (const auto& p : table) {
        VARIANT v;
        VariantInit(&v);
        V_VT(&v) = p.type;
        switch (p.type) {
            case VT_I2: V_I2(&v) = static_cast<SHORT>(p.number); break;
            case VT_I4: V_I4(&v) = p.number; break;
            case VT_BOOL: V_BOOL(&v) = p.number ? VARIANT_TRUE : VARIANT_FALSE; break;
            case VT_BSTR: V_BSTR(&v) = SysAllocString(p.text ? p.text : L""); break;
            default: V_VT(&v) = VT_EMPTY; break;
        }
        bag->Write(p.name, &v);
        VariantClear(&v);
    }
    return bag;
}

PropertyBag::~PropertyBag() {
    for (auto& e : entries_) VariantClear(&e.value);
}

HRESULT PropertyBag::QueryInterface(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IPropertyBag) {
        *out = static_cast<IPropertyBag*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

ULONG PropertyBag::Release() {
    ULONG n = InterlockedDecrement(&refs_);
    if (n == 0) delete this;
    return n;
}

const VARIANT* PropertyBag::Find(const wchar_t* name) const {
    for (const auto& e : entries_)
        if (SameName(e.name.c_str(), name)) return &e.value;
    return nullptr;
}

std::vector<std::wstring> PropertyBag::Names() const {
    std::vector<std::wstring> names;
    for (const auto& e : entries_) names.push_back(e.name);
    return names;
}

HRESULT PropertyBag::Read(LPCOLESTR name, VARIANT* value, IErrorLog*) {
    if (!name || !value) return E_POINTER;
    auto* stored = const_cast<VARIANT*>(Find(name));
    if (!stored) return E_INVALIDARG;
    const VARTYPE want = V_VT(value);
    VariantInit(value);
    if (want == VT_EMPTY) return VariantCopy(value, stored);
    return VariantChangeType(value, stored, 0, want);
}

HRESULT PropertyBag::Write(LPCOLESTR name, VARIANT* value) {
    if (!name || !value) return E_POINTER;
    VARIANT copy;
    VariantInit(&copy);
    HRESULT hr = VariantCopyInd(&copy, value);
    if (FAILED(hr)) return hr;
    for (auto& e : entries_) {
        if (SameName(e.name.c_str(), name)) {
            VariantClear(&e.value);
            e.value = copy;
            return S_OK;
        }
    }
    entries_.push_back({name, copy});
    return S_OK;
}

HRESULT ControlSite::Host(IUnknown* control, HWND parent, const RECT& rect, IPropertyBag* bag, bool userMode,
                          Ptr<ControlSite>& out) {
    out.Reset();
    if (!control) return E_POINTER;
    auto* raw = new (std::nothrow) ControlSite(parent, rect, userMode);
    if (!raw) return E_OUTOFMEMORY;
    auto site = Ptr<ControlSite>::Share(raw);
    site->control_ = Ptr<IUnknown>::Share(control);
    Ptr<IOleObject> object = site->control_.As<IOleObject>();
    if (!object) return E_NOINTERFACE;
    DWORD misc = 0;
    object->GetMiscStatus(DVASPECT_CONTENT, &misc);
    const bool siteFirst = (misc & OLEMISC_SETCLIENTSITEFIRST) != 0;
    HRESULT hr = siteFirst ? object->SetClientSite(site.Get()) : S_OK;
    if (SUCCEEDED(hr)) {
        if (bag) {
            auto persist = site->control_.As<IPersistPropertyBag>();
            hr = persist ? persist->Load(bag, nullptr) : E_NOINTERFACE;
        } else {
            auto persist = site->control_.As<IPersistStreamInit>();
            hr = persist ? persist->InitNew() : E_NOINTERFACE;
        }
    }
    if (SUCCEEDED(hr) && !siteFirst) hr = object->SetClientSite(site.Get());
    if (SUCCEEDED(hr)) hr = object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, site.Get(), 0, parent, &rect);
    if (FAILED(hr)) {
        site->Close();
        return hr;
    }
    out = std::move(site);
    return S_OK;
}

HWND ControlSite::ControlWindow() const {
    HWND hwnd = nullptr;
    if (auto w = control_.As<IOleInPlaceObject>()) w->GetWindow(&hwnd);
    return hwnd;
}

HRESULT ControlSite::Move(const RECT& rect) {
    rect_ = rect;
    auto w = control_.As<IOleInPlaceObject>();
    return w ? w->SetObjectRects(&rect_, &rect_) : E_NOINTERFACE;
}

HRESULT ControlSite::Save(IPropertyBag* bag) {
    auto persist = control_.As<IPersistPropertyBag>();
    return persist ? persist->Save(bag, TRUE, FALSE) : E_NOINTERFACE;
}

void ControlSite::Close() {
    if (!control_) return;
    if (auto object = control_.As<IOleObject>()) {
        object->Close(OLECLOSE_NOSAVE);
        object->SetClientSite(nullptr);
    }
    control_.Reset();
}

HRESULT ControlSite::QueryInterface(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IOleClientSite) {
        *out = static_cast<IOleClientSite*>(this);
    } else if (iid == IID_IOleWindow || iid == IID_IOleInPlaceSite) {
        *out = static_cast<IOleInPlaceSite*>(this);
    } else if (iid == IID_IOleInPlaceUIWindow || iid == IID_IOleInPlaceFrame) {
        *out = static_cast<IOleInPlaceFrame*>(this);
    } else if (iid == IID_IDispatch) {
        *out = static_cast<IDispatch*>(this);
    } else {
        *out = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

ULONG ControlSite::Release() {
    ULONG n = InterlockedDecrement(&refs_);
    if (n == 0) delete this;
    return n;
}

HRESULT ControlSite::GetMoniker(DWORD, DWORD, IMoniker** out) {
    if (out) *out = nullptr;
    return E_NOTIMPL;
}

HRESULT ControlSite::GetContainer(IOleContainer** out) {
    if (out) *out = nullptr;
    return E_NOINTERFACE;
}

HRESULT ControlSite::GetWindow(HWND* out) {
    if (!out) return E_POINTER;
    *out = parent_;
    return S_OK;
}

HRESULT ControlSite::OnInPlaceActivate() {
    active_ = true;
    return S_OK;
}

HRESULT ControlSite::OnInPlaceDeactivate() {
    active_ = false;
    return S_OK;
}

HRESULT ControlSite::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** doc, LPRECT pos, LPRECT clip,
                                      LPOLEINPLACEFRAMEINFO info) {
    if (!frame || !doc || !pos || !clip) return E_POINTER;
    *frame = static_cast<IOleInPlaceFrame*>(this);
    AddRef();
    *doc = nullptr;
    *pos = rect_;
    *clip = rect_;
    if (info) {
        info->fMDIApp = FALSE;
        info->hwndFrame = parent_;
        info->haccel = nullptr;
        info->cAccelEntries = 0;
    }
    return S_OK;
}

HRESULT ControlSite::OnPosRectChange(LPCRECT rect) {
    if (!rect) return E_POINTER;
    return Move(*rect);
}

HRESULT ControlSite::GetTypeInfoCount(UINT* count) {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT ControlSite::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info) *info = nullptr;
    return E_NOTIMPL;
}

HRESULT ControlSite::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
    return GetIdsFromTable<ControlSite>(Ambients(), names, count, ids);
}

HRESULT ControlSite::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result, EXCEPINFO* excep,
                            UINT* argErr) {
    return InvokeFromTable<ControlSite>(*this, Ambients(), id, flags, params, result, excep, argErr);
}

}  // namespace com
