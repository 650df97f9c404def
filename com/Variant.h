#pragma once
#include <windows.h>
#include <oaidl.h>
#include <oleauto.h>

#include <string_view>
#include <utility>
#include <vector>

namespace com {

// Owns one VARIANT: what a call hands back, or an argument made for one; cleared when it goes.
class Variant {
public:
    Variant() { VariantInit(&v_); }
    // A text, as a string argument.
    explicit Variant(std::wstring_view text) : Variant() {
        V_BSTR(&v_) = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
        if (V_BSTR(&v_)) V_VT(&v_) = VT_BSTR;
    }
    // Takes over a VARIANT the caller was to clear.
    static Variant Attach(const VARIANT& v) {
        Variant r;
        r.v_ = v;
        return r;
    }
    Variant(Variant&& o) noexcept : v_(o.v_) { VariantInit(&o.v_); }
    Variant& operator=(Variant&& o) noexcept {
        if (this != &o) {
            VariantClear(&v_);
            v_ = o.v_;
            VariantInit(&o.v_);
        }
        return *this;
    }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;
    ~Variant() { VariantClear(&v_); }

    // For a result slot: clears what is held and hands out the slot.
    VARIANT* Out() {
        VariantClear(&v_);
        return &v_;
    }
    VARIANT& Raw() { return v_; }
    const VARIANT& Raw() const { return v_; }
    // Gives the value up to a new owner (a caller's result).
    VARIANT Detach() { return std::exchange(v_, VARIANT{}); }
    void Reset() { VariantClear(&v_); }

private:
    VARIANT v_;
};

// Owns the arguments of one call, side by side as DISPPARAMS wants them; all cleared together.
class Variants {
public:
    Variants() = default;
    explicit Variants(std::vector<VARIANT> items) : items_(std::move(items)) {}
    Variants(const Variants&) = delete;
    Variants& operator=(const Variants&) = delete;
    ~Variants() {
        for (VARIANT& v : items_) VariantClear(&v);
    }
    std::vector<VARIANT>& Items() { return items_; }
    VARIANT* data() { return items_.data(); }
    UINT size() const { return static_cast<UINT>(items_.size()); }

private:
    std::vector<VARIANT> items_;
};

// The data of a safe array, locked while the owner lives.
class SafeArrayData {
public:
    explicit SafeArrayData(SAFEARRAY* array) : array_(array) {
        if (array_ && FAILED(SafeArrayAccessData(array_, &data_))) array_ = nullptr, data_ = nullptr;
    }
    SafeArrayData(const SafeArrayData&) = delete;
    SafeArrayData& operator=(const SafeArrayData&) = delete;
    ~SafeArrayData() {
        if (array_) SafeArrayUnaccessData(array_);
    }
    explicit operator bool() const { return array_ != nullptr; }
    void* Get() const { return data_; }

private:
    SAFEARRAY* array_ = nullptr;
    void* data_ = nullptr;
};

}  // namespace com
