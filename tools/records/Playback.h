#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <type_traits>
#include <vector>

#include "records/Types.h"

namespace tessaly {

// One entry of a track's singing order.
struct aPlayBlock {
    uint8_t BlockIndex = 0;
    Boolean IsPlay = kFalse;
};

struct aTrackInfo {
    uint8_t Volume = 0;      // 0 to 127
    uint8_t ComSounds = 0;   // MIDI program
    uint8_t SoundImage = 0;  // pan
    uint8_t Yd = 0;          // key
    Boolean IsUser = kFalse;
    aPlayBlock tPlayOrder[48];
    int16_t DelayTimer = 0;  // start delay in 32nd notes
    int16_t XjCount = 0;
};

// A document's play settings. Track owns the tracks 0 to TotalTrack - 1.
struct aPlayInfo {
    std::vector<aTrackInfo> Track;
    uint8_t TotalTrack = 0;
    uint8_t MainTrack = 0;
    int16_t Bpm = 0;
    Boolean IsPlayDrum = kFalse;
    uint8_t DrumVolume = 0;
    uint8_t JiePai = 0;  // metre
    int16_t XjDrumCount = 0;
};

// One drum pattern, stored byte for byte (103 bytes) in the drum template file and ZoRiv files.
// Byte fields only, so it has no gaps and an array of n patterns is 103 * n bytes.
struct XjDrumData {
    uint8_t DrumVer = 0;
    uint8_t DrumName[32] = {};  // code page 936, zero-filled
    uint8_t DrumChannel = 0;
    uint8_t DrumVolume[8] = {};
    uint8_t DrumSounds[8] = {};
    uint8_t DrumTrack = 0;
    uint8_t DrumTimeSignature = 0;
    uint8_t DrumSpeed = 0;
    uint8_t DrumRhythms[32] = {};  // channel c in bytes 4c to 4c + 3
    uint8_t DrumSoundImage[8] = {};
    uint8_t BarsOfSong = 0;
    uint8_t HaveDrum = 0;
    uint8_t XJLong[4] = {};
    uint8_t BeginSelStart[2] = {};
    uint8_t sTimetmp2[2] = {};
};

// One bar in playing order.
struct aXjInfo {
    int32_t XjSelStart = 0;
    int32_t XjSelEnd = 0;
    int16_t PlayBlock = 0;
    int16_t WdAsc = 0;
    int16_t OrderType = 0;
    uint8_t ExtralWord[16] = {};
    double Timer = 0;
};

// One note to play.
struct aCodeEvent {
    float DelayTimer = 0;  // time to the next note
    int16_t Audio = 0;     // pitch
    uint8_t Volume = 0;
    int32_t State = 0;
    int32_t SelStart = 0;   // character position
    Boolean Null = kFalse;  // silent
};

// One MIDI event to write.
struct aMidEvent {
    float DeltaTime = 0;
    uint8_t EventType = 0;
    uint8_t cc = 0;
    uint8_t vv = 0;
    int32_t SelStart = 0;
};

// The text events of a MIDI file, code page 936 bytes.
struct aMidTxtInfo {
    std::string 歌曲备注;
    std::string 音轨文本;
    std::string 歌曲版权;
    std::string 歌曲标题;
    std::string 音轨名称;
    std::string 乐器名称;
    std::string 歌词;
    std::string 文本标记;
    std::string 歌曲文件名;
    std::string 设备名称;
};

static_assert(sizeof(aPlayBlock) == 4);
static_assert(offsetof(aPlayBlock, BlockIndex) == 0 && offsetof(aPlayBlock, IsPlay) == 2);

static_assert(sizeof(aTrackInfo) == 202);
static_assert(offsetof(aTrackInfo, Volume) == 0);
static_assert(offsetof(aTrackInfo, ComSounds) == 1);
static_assert(offsetof(aTrackInfo, SoundImage) == 2);
static_assert(offsetof(aTrackInfo, Yd) == 3);
static_assert(offsetof(aTrackInfo, IsUser) == 4);
static_assert(offsetof(aTrackInfo, tPlayOrder) == 6);
static_assert(offsetof(aTrackInfo, DelayTimer) == 198);
static_assert(offsetof(aTrackInfo, XjCount) == 200);

static_assert(sizeof(XjDrumData) == 103 && alignof(XjDrumData) == 1);
static_assert(offsetof(XjDrumData, DrumVer) == 0);
static_assert(offsetof(XjDrumData, DrumName) == 1);
static_assert(offsetof(XjDrumData, DrumChannel) == 33);
static_assert(offsetof(XjDrumData, DrumVolume) == 34);
static_assert(offsetof(XjDrumData, DrumSounds) == 42);
static_assert(offsetof(XjDrumData, DrumTrack) == 50);
static_assert(offsetof(XjDrumData, DrumTimeSignature) == 51);
static_assert(offsetof(XjDrumData, DrumSpeed) == 52);
static_assert(offsetof(XjDrumData, DrumRhythms) == 53);
static_assert(offsetof(XjDrumData, DrumSoundImage) == 85);
static_assert(offsetof(XjDrumData, BarsOfSong) == 93);
static_assert(offsetof(XjDrumData, HaveDrum) == 94);
static_assert(offsetof(XjDrumData, XJLong) == 95);
static_assert(offsetof(XjDrumData, BeginSelStart) == 99);
static_assert(offsetof(XjDrumData, sTimetmp2) == 101);

static_assert(sizeof(aXjInfo) == 40);
static_assert(offsetof(aXjInfo, XjSelStart) == 0);
static_assert(offsetof(aXjInfo, XjSelEnd) == 4);
static_assert(offsetof(aXjInfo, PlayBlock) == 8);
static_assert(offsetof(aXjInfo, WdAsc) == 10);
static_assert(offsetof(aXjInfo, OrderType) == 12);
static_assert(offsetof(aXjInfo, ExtralWord) == 14);
static_assert(offsetof(aXjInfo, Timer) == 32);

static_assert(sizeof(aCodeEvent) == 20);
static_assert(offsetof(aCodeEvent, DelayTimer) == 0);
static_assert(offsetof(aCodeEvent, Audio) == 4);
static_assert(offsetof(aCodeEvent, Volume) == 6);
static_assert(offsetof(aCodeEvent, State) == 8);
static_assert(offsetof(aCodeEvent, SelStart) == 12);
static_assert(offsetof(aCodeEvent, Null) == 16);

static_assert(sizeof(aMidEvent) == 12);
static_assert(offsetof(aMidEvent, DeltaTime) == 0);
static_assert(offsetof(aMidEvent, EventType) == 4);
static_assert(offsetof(aMidEvent, cc) == 5);
static_assert(offsetof(aMidEvent, vv) == 6);
static_assert(offsetof(aMidEvent, SelStart) == 8);

static_assert(std::is_trivially_copyable_v<aTrackInfo> && std::is_standard_layout_v<aTrackInfo>);
static_assert(std::is_trivially_copyable_v<XjDrumData> && std::is_standard_layout_v<XjDrumData>);
static_assert(std::is_trivially_copyable_v<aXjInfo> && std::is_standard_layout_v<aXjInfo>);
static_assert(std::is_trivially_copyable_v<aCodeEvent> && std::is_standard_layout_v<aCodeEvent>);
static_assert(std::is_trivially_copyable_v<aMidEvent> && std::is_standard_layout_v<aMidEvent>);

}  // namespace tessaly
