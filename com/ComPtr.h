#pragma once
#include <windows.h>
#include <unknwn.h>

#include <utility>

namespace com {

// Owns one reference to a COM interface.
template <class T>
class Ptr {
public:
    Ptr() = default;
    Ptr(std::nullptr_t) {}
    // Takes over a reference the caller already holds.
    static Ptr Attach(T* p) {
        Ptr r;
        r.p_ = p;
        return r;
    }
    // Adds a reference of its own.
    static Ptr Share(T* p) {
        if (p) p->AddRef();
        return Attach(p);
    }
    Ptr(const Ptr& o) : p_(o.p_) {
        if (p_) p_->AddRef();
    }
    Ptr(Ptr&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
    Ptr& operator=(Ptr o) noexcept {
        std::swap(p_, o.p_);
        return *this;
    }
    ~Ptr() { Reset(); }

    void Reset() {
        if (T* p = std::exchange(p_, nullptr)) p->Release();
    }
    T* Get() const { return p_; }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }
    // For out-parameters: releases what is held and hands out the slot.
    T** Out() {
        Reset();
        return &p_;
    }
    void** OutVoid() { return reinterpret_cast<void**>(Out()); }
    T* Detach() { return std::exchange(p_, nullptr); }

    template <class U>
    Ptr<U> As() const {
        Ptr<U> r;
        if (p_) p_->QueryInterface(__uuidof(U), r.OutVoid());
        return r;
    }

private:
    T* p_ = nullptr;
};

}  // namespace com
