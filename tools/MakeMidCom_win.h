#pragma once
#include "MakeMid.h"
#include "api/IMakeMid.h"
#include "com/Object.h"

namespace tessaly {

// The COM face of the MIDI file writer. A file begun and never closed is written when the
// object goes.
class MakeMidCom final : public com::DispatchObject<MakeMidCom, IMakeMid> {
public:
    ~MakeMidCom() override;
    static std::span<const com::Member<MakeMidCom>> Members();

private:
    MakeMid writer_;
};

// A failed status as a dispatch exception with its reason.
void ThrowIfFailed(const DaDurStatus& status);

}  // namespace tessaly
