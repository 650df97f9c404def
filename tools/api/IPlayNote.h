#pragma once
#include <windows.h>
#include <oaidl.h>

// The playback facade, by name: records cross as the addresses of the caller's aPlayInfo,
// aCodeEvent and XjDrumData records. Each object opens its own MIDI output for its whole life.
// Refusals are dispatch exceptions with the reason as their text.
struct IPlayNote : IDispatch {};
__CRT_UUID_DECL(IPlayNote, 0x9b75a94b, 0x2cd8, 0x4487, 0xb5, 0x32, 0xb6, 0x59, 0x32, 0xf6, 0xb0, 0xb0)

inline constexpr CLSID CLSID_PlayNote = {0xfbba8604, 0xf5c9, 0x4c23, {0x88, 0x7b, 0x3e, 0xff, 0xeb, 0xa1, 0x07, 0x5d}};

namespace dispid::PlayNote {
enum : DISPID {
    SetInfoForPlay = 1,
    SetNoteCode,
    SetDrumCodes,
    BeginPlay,
    CloseMusic,
    PlayingListDrum,
    CloseListDrum,
    暂停,
    PlayaOneDrumNote,
};
}
