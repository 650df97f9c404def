#pragma once
#include <windows.h>
#include <oaidl.h>

// The timer by name: Interval (milliseconds; 0 or less fires at once) and the run switch Enabled,
// with the event Timer on the thread that made it.
struct ITickwell : IDispatch {};
__CRT_UUID_DECL(ITickwell, 0x6f0d6a52, 0x3b7e, 0x4c2a, 0x9d, 0x14, 0x51, 0x8e, 0x27, 0xc3, 0x90, 0x4b)

inline constexpr CLSID CLSID_Tickwell = {0x0c9b2e71, 0x58d4, 0x4f16, {0xa8, 0x3e, 0x72, 0x1d, 0x6b, 0x94, 0x05, 0xe2}};
// The outgoing dispinterface of its events.
inline constexpr IID DIID_TickwellEvents = {
    0x93a7c1d5, 0x2e60, 0x4b8f, {0xb1, 0x47, 0x3c, 0x5a, 0xe9, 0x08, 0x6d, 0x21}};

namespace dispid::Tickwell {
enum : DISPID { Interval = 1, Enabled };
enum : DISPID { Timer = 1 };  // events
}  // namespace dispid::Tickwell
