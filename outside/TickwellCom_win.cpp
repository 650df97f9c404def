#include "TickwellCom_win.h"

namespace outside {

TickwellCom::TickwellCom() {
    timer_.Timer = [this] {
        // Held through the event, so that a sink dropping the last reference frees it afterwards.
        AddRef();
        events_.Fire(dispid::Tickwell::Timer);
        Release();
    };
}

std::span<const com::Member<TickwellCom>> TickwellCom::Members() {
    namespace id = dispid::Tickwell;
    using S = TickwellCom;
    using A = com::Args;
    static const com::Member<S> table[] = {
        {id::Interval, L"Interval", com::kGet, [](S& s, A&, VARIANT* r) { com::Return(r, s.timer_.Interval()); }},
        {id::Interval, L"Interval", com::kPut, [](S& s, A& a, VARIANT*) { s.timer_.Interval(a.Value().Long()); }},
        {id::Enabled, L"Enabled", com::kGet, [](S& s, A&, VARIANT* r) { com::Return(r, s.timer_.Enabled()); }},
        {id::Enabled, L"Enabled", com::kPut, [](S& s, A& a, VARIANT*) { s.timer_.Enabled(a.Value().Bool()); }},
    };
    return table;
}

}  // namespace outside
