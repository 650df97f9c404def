#pragma once
#include <windows.h>
#include <oaidl.h>

#include <new>
#include <span>

#include "Dispatch.h"
#include "Module.h"

namespace com {

// A further interface of an object, kept as a member of it: its IUnknown is the object's.
template <class Owner, class Itf>
class Face : public Itf {
public:
    explicit Face(Owner& owner) : owner_(owner) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        return owner_.QueryInterface(iid, out);
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return owner_.AddRef(); }
    ULONG STDMETHODCALLTYPE Release() override { return owner_.Release(); }

protected:
    Owner& owner_;
};

// IUnknown and a table-driven IDispatch for a class implementing the dual
// interface Itf (which derives from IDispatch). Derived supplies
//   static std::span<const Member<Derived>> Members();
// and may override QueryOther for further interfaces.
template <class Derived, class Itf>
class DispatchObject : public Itf {
public:
    DispatchObject() { ModuleLock(); }
    DispatchObject(const DispatchObject&) = delete;
    DispatchObject& operator=(const DispatchObject&) = delete;
    virtual ~DispatchObject() { ModuleUnlock(); }

    // Creates an instance and hands out the requested interface.
    static HRESULT Create(REFIID iid, void** out) {
        if (!out) return E_POINTER;
        *out = nullptr;
        Derived* obj = nullptr;
        try {
            obj = new Derived();  // a constructor that fails must not unwind into the caller
        } catch (const std::bad_alloc&) {
            return E_OUTOFMEMORY;
        } catch (...) {
            return E_UNEXPECTED;
        }
        obj->AddRef();
        HRESULT hr = obj->QueryInterface(iid, out);
        obj->Release();
        return hr;
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IDispatch || iid == __uuidof(Itf)) {
            *out = static_cast<Itf*>(this);
        } else if (void* other = static_cast<Derived*>(this)->QueryOther(iid)) {
            *out = other;
        } else {
            *out = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&refs_); }
    ULONG STDMETHODCALLTYPE Release() override {
        ULONG n = InterlockedDecrement(&refs_);
        if (n == 0) delete static_cast<Derived*>(this);
        return n;
    }

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (!count) return E_POINTER;
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
        if (info) *info = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
        return GetIdsFromTable<Derived>(Derived::Members(), names, count, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                     EXCEPINFO* excep, UINT* argErr) override {
        Derived& self = *static_cast<Derived*>(this);
        self.AddRef();  // a member may drop the caller's last reference
        HRESULT hr = InvokeFromTable<Derived>(self, Derived::Members(), id, flags, params, result, excep, argErr);
        self.Release();
        return hr;
    }

protected:
    void* QueryOther(REFIID) { return nullptr; }

private:
    LONG refs_ = 0;
};

// Runs a C++ member body at a COM boundary: no exception gets out.
template <class F>
HRESULT Guard(F&& body) noexcept {
    try {
        body();
        return S_OK;
    } catch (const Error& e) {
        return FAILED(e.hr) ? e.hr : E_FAIL;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

}  // namespace com
