#pragma once
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "DaDurReader.h"
#include "records/Playback.h"

namespace tessaly {

inline constexpr int kDrumChannels = 8;
inline constexpr int kDrumSteps = 32;
inline constexpr size_t kDrumRecordBytes = sizeof(XjDrumData);

// The metre of a pattern: its text and its sixteenth steps per bar.
struct DrumMetre {
    std::string_view Text;  // UTF-8
    uint8_t Steps;
};
DrumMetre DrumMetreOf(uint8_t timeSignature);

// Field access to drum patterns, either the object's own records or caller records viewed in
// place. Indexes outside the viewed records, channels outside 0-7 and steps outside 0-31 read as
// 0 and are not written.
class 分析鼓点 {
public:
    // The view: `count` patterns from `first`, read and written in place; the caller's array must
    // outlive the view. Any change of the own records points the view back at them.
    void ViewRecords(XjDrumData* first, int32_t count);
    XjDrumData* DrumAddress(int32_t index);

    uint8_t DrumVer(int32_t index) const;
    void DrumVer(int32_t index, uint8_t value);
    // Code page 936 bytes, NULs removed and blanks trimmed; "未命名" (GBK) when that leaves nothing.
    std::string DrumName(int32_t index) const;
    // Keeps as many whole characters of the GBK name as fit 32 bytes.
    void DrumName(int32_t index, std::string_view gbk);
    bool DrumChannel(int32_t index, int ch) const;
    void DrumChannel(int32_t index, int ch, bool on);
    uint8_t DrumVolume(int32_t index, int ch) const;
    void DrumVolume(int32_t index, int ch, uint8_t value);
    uint8_t DrumSounds(int32_t index, int ch) const;  // MIDI key - 13
    void DrumSounds(int32_t index, int ch, uint8_t value);
    uint8_t DrumTrack(int32_t index) const;
    void DrumTrack(int32_t index, uint8_t value);
    uint8_t DrumTimeSignature(int32_t index) const;
    void DrumTimeSignature(int32_t index, uint8_t value);
    uint8_t DrumSpeed(int32_t index) const;
    void DrumSpeed(int32_t index, uint8_t value);
    bool DrumRhythms(int32_t index, int step, int ch) const;
    void DrumRhythms(int32_t index, int step, int ch, bool on);
    uint8_t DrumSoundImage(int32_t index, int ch) const;
    void DrumSoundImage(int32_t index, int ch, uint8_t value);
    uint8_t BarsOfSong(int32_t index) const;
    void BarsOfSong(int32_t index, uint8_t value);
    uint8_t HaveDrum(int32_t index) const;
    void HaveDrum(int32_t index, uint8_t value);
    // The 32-bit little-endian value that starts `No` (0-3) bytes into XJLong; bytes past the
    // record's end read as 0.
    int32_t XJLong(int32_t index, int No) const;
    void XJLong(int32_t index, int No, int32_t value);
    int16_t BeginSelStart(int32_t index) const;
    void BeginSelStart(int32_t index, int16_t value);
    uint8_t sTimetmp(int32_t index, int i) const;
    void sTimetmp(int32_t index, int i, uint8_t value);
    // Steps per bar of the pattern's metre, and its text.
    uint8_t DrumTime(int32_t index, std::string* text = nullptr) const;

    int32_t DrumCount() const { return count_; }
    // The own records keep count + 1 records; a view on caller memory stays there.
    void DrumCount(int32_t value);

    void AddLastNullDrumData();
    // False when no record is left to remove; nothing changes then.
    bool DelLastDrumData();
    bool CoverDrumData(int32_t index, const XjDrumData& record);
    void AddDrumData(int32_t index, const XjDrumData& record);
    // False for an index outside the own records; the last record may be removed too.
    bool DelDrumData(int32_t index);
    void DefDrumData(int32_t index);

    std::vector<XjDrumData> DrumArrData() const;
    void DrumArrData(std::vector<XjDrumData> records);

    // Replaces the file whole: a shorter list leaves no stale templates behind.
    DaDurStatus SaveDrum(const std::filesystem::path& fileName) const;

private:
    XjDrumData* At(int32_t index);
    const XjDrumData* At(int32_t index) const;
    bool IsChannel(int ch) const { return ch >= 0 && ch < kDrumChannels; }
    void ViewOwn() { view_ = nullptr; }
    int32_t Reachable() const;

    std::vector<XjDrumData> own_;
    XjDrumData* view_ = nullptr;  // caller memory; null when the own records are viewed
    int32_t count_ = 0;
};

// The records of a template file: every whole 103-byte record up to its end; a missing file
// holds none.
std::vector<XjDrumData> ReadDrumFile(const std::filesystem::path& fileName);
std::vector<XjDrumData> ParseDrumRecords(std::string_view bytes);
std::string DrumRecordBytes(const std::vector<XjDrumData>& records);

}  // namespace tessaly
