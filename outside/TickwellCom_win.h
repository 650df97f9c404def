#pragma once
#include <windows.h>
#include <ocidl.h>

#include "api/ITickwell.h"
#include "com/Events.h"
#include "com/Object.h"
#include "win/Tickwell_win.h"

namespace outside {

// The COM face of the timer. A sink may release the object inside its own Timer event. Its class
// information names the Timer event, so that a script host can bind a handler by name.
class TickwellCom final : public com::DispatchObject<TickwellCom, ITickwell> {
public:
    TickwellCom();
    static std::span<const com::Member<TickwellCom>> Members();
    void* QueryOther(REFIID iid);

private:
    class ClassInfo final : public com::Face<TickwellCom, IProvideClassInfo2> {
    public:
        using Face::Face;
        HRESULT STDMETHODCALLTYPE GetClassInfo(ITypeInfo** info) override;
        HRESULT STDMETHODCALLTYPE GetGUID(DWORD kind, GUID* guid) override;
    };

    win::Tickwell timer_;
    com::Events events_{static_cast<ITickwell*>(this), DIID_TickwellEvents};
    ClassInfo classInfo_{*this};
};

}  // namespace outside
