#pragma once
// The drawing object and the empty global class as COM classes of the
// library, for clients other than the button.
#include <span>

#include "api/IButton.h"
#include "cGDIPlus_win.h"
#include "com/Object.h"

namespace kavrel {

class cGDIPlusObject final : public com::DispatchObject<cGDIPlusObject, IcGDIPlus> {
public:
    static std::span<const com::Member<cGDIPlusObject>> Members();
    cGDIPlus gdi;
};

class cGDIPlusGlobalObject final : public com::DispatchObject<cGDIPlusGlobalObject, IcGDIPlusGlobal> {
public:
    static std::span<const com::Member<cGDIPlusGlobalObject>> Members() { return {}; }
};

}  // namespace kavrel
