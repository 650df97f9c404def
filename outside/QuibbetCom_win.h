#pragma once
#include "Quibbet_win.h"
#include "api/IQuibbet.h"
#include "com/Object.h"

namespace outside {

// The COM face of the tool tips.
class QuibbetCom final : public com::DispatchObject<QuibbetCom, IQuibbet> {
public:
    static std::span<const com::Member<QuibbetCom>> Members();

private:
    Quibbet tips_;
};

}  // namespace outside
