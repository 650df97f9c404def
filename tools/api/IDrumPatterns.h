#pragma once
#include <windows.h>
#include <oaidl.h>

// The drum-pattern class 分析鼓点, by name (ProgID Tessaly.FenXiGuDian). Addresses are those of
// the caller's XjDrumData records, which must outlive the view; DrumArrData is a byte array of
// whole 103-byte records. Removing or covering a record that does not exist is a dispatch
// exception.
struct IDrumPatterns : IDispatch {};
__CRT_UUID_DECL(IDrumPatterns, 0xf7a5c0e4, 0xa605, 0x4cb1, 0x8e, 0x8e, 0x5d, 0x92, 0x30, 0xea, 0xc1, 0x98)

inline constexpr CLSID CLSID_DrumPatterns = {
    0x03f13c1e, 0xe3e6, 0x4cf5, {0x91, 0xa1, 0xfc, 0x6f, 0x0c, 0x81, 0x61, 0x8c}};

namespace dispid::DrumPatterns {
enum : DISPID {
    DrumAddress = 1,
    DrumVer,
    DrumName,
    DrumChannel,
    DrumVolume,
    DrumSounds,
    DrumTrack,
    DrumTimeSignature,
    DrumSpeed,
    DrumRhythms,
    DrumSoundImage,
    BarsOfSong,
    HaveDrum,
    XJLong,
    BeginSelStart,
    sTimetmp,
    DrumTime,
    DrumCount,
    AddLastNullDrumData,
    DelLastDrumData,
    CoverDrumData,
    AddDrumData,
    DelDrumData,
    DefDrumData,
    DrumArrData,
    SaveDrum,
};
}
