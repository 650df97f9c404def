#pragma once
#include <windows.h>
#include <oaidl.h>

#include <functional>
#include <vector>

namespace com::tests {

// A sink of one event interface that lives on the test's stack: it records the events in order
// and lets the test answer their arguments (by-reference ones are written back).
class RecordingSink final : public IDispatch {
public:
    explicit RecordingSink(const IID& events) : events_(events) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (iid == IID_IUnknown || iid == IID_IDispatch || iid == events_) {
            *out = this;
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
    ULONG STDMETHODCALLTYPE Release() override { return --refs; }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* p, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        ids.push_back(id);
        if (onEvent && p) onEvent(id, *p);
        return S_OK;
    }

    ULONG refs = 1;  // the test's own
    std::vector<DISPID> ids;
    std::function<void(DISPID, DISPPARAMS&)> onEvent;

private:
    IID events_;
};

}  // namespace com::tests
