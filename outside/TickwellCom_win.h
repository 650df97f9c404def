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
    class ClassInfo final : public IProvideClassInfo2 {
    public:
        explicit ClassInfo(TickwellCom& owner) : owner_(owner) {}
        HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
            return owner_.QueryInterface(iid, out);
        }
        ULONG STDMETHODCALLTYPE AddRef() override { return owner_.AddRef(); }
        ULONG STDMETHODCALLTYPE Release() override { return owner_.Release(); }
        HRESULT STDMETHODCALLTYPE GetClassInfo(ITypeInfo** info) override;
        HRESULT STDMETHODCALLTYPE GetGUID(DWORD kind, GUID* guid) override;

    private:
        TickwellCom& owner_;
    };

    win::Tickwell timer_;
    com::Events events_{static_cast<ITickwell*>(this), DIID_TickwellEvents};
    ClassInfo classInfo_{*this};
};

}  // namespace outside
