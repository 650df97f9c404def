#include <algorithm>

#include "Events.h"

namespace com {

Events::Events(IUnknown* owner, const IID& eventIid) : owner_(owner), iid_(eventIid) {}

size_t Events::SinkCount() const {
    return sinks_.size();
}

void Events::Fire(DISPID id, std::span<VARIANT> args) {
    std::vector<VARIANT> reversed(args.rbegin(), args.rend());
    DISPPARAMS params{reversed.empty() ? nullptr : reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    // A sink may unadvise from inside its handler: call a snapshot.
    std::vector<Ptr<IDispatch>> snapshot;
    for (const auto& s : sinks_) snapshot.push_back(s.sink);
    for (auto& sink : snapshot) {
        VARIANT result;
        VariantInit(&result);
        sink->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, &result, nullptr, nullptr);
        VariantClear(&result);
    }
}

HRESULT Events::Point::QueryInterface(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IConnectionPoint) {
        *out = static_cast<IConnectionPoint*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

HRESULT Events::Point::GetConnectionInterface(IID* iid) {
    if (!iid) return E_POINTER;
    *iid = e_.iid_;
    return S_OK;
}

HRESULT Events::Point::GetConnectionPointContainer(IConnectionPointContainer** out) {
    if (!out) return E_POINTER;
    *out = &e_.container_;
    (*out)->AddRef();
    return S_OK;
}

HRESULT Events::Point::Advise(IUnknown* sink, DWORD* cookie) {
    if (!sink || !cookie) return E_POINTER;
    *cookie = 0;
    Ptr<IDispatch> d;
    if (FAILED(sink->QueryInterface(e_.iid_, d.OutVoid())) && FAILED(sink->QueryInterface(IID_IDispatch, d.OutVoid())))
        return CONNECT_E_CANNOTCONNECT;
    *cookie = e_.nextCookie_++;
    e_.sinks_.push_back({*cookie, std::move(d)});
    return S_OK;
}

HRESULT Events::Point::Unadvise(DWORD cookie) {
    auto it = std::find_if(e_.sinks_.begin(), e_.sinks_.end(), [&](const Sink& s) { return s.cookie == cookie; });
    if (it == e_.sinks_.end()) return CONNECT_E_NOCONNECTION;
    e_.sinks_.erase(it);
    return S_OK;
}

HRESULT Events::Point::EnumConnections(IEnumConnections** out) {
    if (out) *out = nullptr;
    return E_NOTIMPL;
}

HRESULT Events::Box::EnumConnectionPoints(IEnumConnectionPoints** out) {
    if (out) *out = nullptr;
    return E_NOTIMPL;
}

HRESULT Events::Box::FindConnectionPoint(REFIID iid, IConnectionPoint** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (iid != e_.iid_) return CONNECT_E_NOCONNECTION;
    *out = &e_.point_;
    (*out)->AddRef();
    return S_OK;
}

}  // namespace com
