#pragma once
#include "DrumPatterns.h"
#include "api/IDrumPatterns.h"
#include "com/Object.h"

namespace tessaly {

// The COM face of 分析鼓点.
class DrumPatternsCom final : public com::DispatchObject<DrumPatternsCom, IDrumPatterns> {
public:
    static std::span<const com::Member<DrumPatternsCom>> Members();

private:
    分析鼓点 drums_;
};

}  // namespace tessaly
