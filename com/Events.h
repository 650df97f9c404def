#pragma once
#include <windows.h>
#include <ocidl.h>
#include <olectl.h>

#include <span>
#include <vector>

#include "ComPtr.h"

namespace com {

// The event side of a class: one connection point for one outgoing
// dispinterface, whose sinks are called through IDispatch::Invoke.
// Embedded in its owner; reference counts go to the owner.
class Events {
public:
    Events(IUnknown* owner, const IID& eventIid);
    Events(const Events&) = delete;
    Events& operator=(const Events&) = delete;

    IConnectionPointContainer* Container() { return &container_; }
    // Calls every sink; args in declared order. By-reference args are
    // written back by the sinks into the caller's variants.
    void Fire(DISPID id, std::span<VARIANT> args = {});
    size_t SinkCount() const;

private:
    struct Sink {
        DWORD cookie;
        Ptr<IDispatch> sink;
    };
    class Point final : public IConnectionPoint {
    public:
        explicit Point(Events& e) : e_(e) {}
        HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
        ULONG STDMETHODCALLTYPE AddRef() override { return e_.owner_->AddRef(); }
        ULONG STDMETHODCALLTYPE Release() override { return e_.owner_->Release(); }
        HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) override;
        HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer** out) override;
        HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override;
        HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override;
        HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections** out) override;

    private:
        Events& e_;
    };
    class Box final : public IConnectionPointContainer {
    public:
        explicit Box(Events& e) : e_(e) {}
        HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
            return e_.owner_->QueryInterface(iid, out);
        }
        ULONG STDMETHODCALLTYPE AddRef() override { return e_.owner_->AddRef(); }
        ULONG STDMETHODCALLTYPE Release() override { return e_.owner_->Release(); }
        HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints** out) override;
        HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID iid, IConnectionPoint** out) override;

    private:
        Events& e_;
    };

    IUnknown* owner_;
    IID iid_;
    Point point_{*this};
    Box container_{*this};
    std::vector<Sink> sinks_;
    DWORD nextCookie_ = 1;
};

}  // namespace com
