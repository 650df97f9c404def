#pragma once
#include <windows.h>
#include <oaidl.h>

// The MIDI file writer, by name: records cross as the addresses of the caller's aMidTxtInfo,
// aPlayInfo, aMidEvent and XjDrumData records. Refusals and file failures are dispatch
// exceptions with the reason as their text.
struct IMakeMid : IDispatch {};
__CRT_UUID_DECL(IMakeMid, 0xd3623965, 0x8449, 0x4a7b, 0x89, 0x0e, 0x8c, 0xa2, 0x1d, 0x38, 0xd4, 0x13)

inline constexpr CLSID CLSID_MakeMid = {0xb53952c7, 0x171c, 0x497b, {0xa9, 0x2e, 0x5f, 0x7a, 0x4b, 0x84, 0x4b, 0xb7}};

namespace dispid::MakeMid {
enum : DISPID { WriteMidHead = 1, ChangTrackNumber, EncodeVLQ, WriteMidDrumInfo, ColseFile, WriteTrackInfo };
}
