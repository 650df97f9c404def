#pragma once
#include "win/Tickwell_win.h"
#include "api/ITickwell.h"
#include "com/Events.h"
#include "com/Object.h"

namespace outside {

// The COM face of the timer. A sink may release the object inside its own Timer event.
class TickwellCom final : public com::DispatchObject<TickwellCom, ITickwell> {
public:
    TickwellCom();
    static std::span<const com::Member<TickwellCom>> Members();
    void* QueryOther(REFIID iid) { return iid == IID_IConnectionPointContainer ? events_.Container() : nullptr; }

private:
    win::Tickwell timer_;
    com::Events events_{static_cast<ITickwell*>(this), DIID_TickwellEvents};
};

}  // namespace outside
