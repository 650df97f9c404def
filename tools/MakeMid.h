#pragma once
#include <array>
#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "DaDurReader.h"
#include "records/Playback.h"

namespace tessaly {

inline constexpr int kMidDivision = 240;  // ticks per quarter note
inline constexpr int kMidDrumChannel = 9;
inline constexpr int kMidMaxSongTracks = 15;  // the sixteen channels but the drums'
inline constexpr int16_t kMinBpm = 4;         // 60000000 / 4 is the slowest tempo that fits 24 bits

// A Standard MIDI File (format 1) written from the export's events: a global track, one track per
// song track and a drum track. The file is built in memory, complete after every track, and
// replaces the target file only when ColseFile writes it whole.
class MakeMid {
public:
    // Starts the file with its header and global track. Refuses a tempo below 4 (the file's
    // 24-bit tempo cannot hold it) and a metre index outside 0-9. The file is `fileName`, or
    // without one the code page 936 path in 歌曲文件名.
    DaDurStatus WriteMidHead(const aMidTxtInfo& iMidTxtInfo, const aPlayInfo& iPlayInfo,
                             const std::filesystem::path& fileName = {});
    void ChangTrackNumber(int16_t n);
    // Appends one song track on the next channel (NextSongChannel). Refuses a sixteenth song
    // track and an unknown track number.
    DaDurStatus WriteTrackInfo(const aMidEvent* events, int32_t count, int16_t CurPlaySetTrack);
    // Appends the drum track on channel 10 from `count` patterns.
    DaDurStatus WriteMidDrumInfo(const XjDrumData* patterns, int32_t count);
    // Writes the file; nothing is left behind when that fails.
    DaDurStatus ColseFile();

    // The variable-length quantity of a value, two hexadecimal digits per byte; 0 gives "00".
    static std::string EncodeVLQ(uint32_t value);

    const std::string& Bytes() const { return bytes_; }
    bool IsOpen() const { return open_; }
    int32_t TrackCount() const { return trackCount_; }
    int NextChannel() const;

private:
    void StartTrack();
    void EndTrack();
    void Append(std::string_view data);
    void AppendDelta(uint32_t ticks);
    void Put(std::initializer_list<uint8_t> data);
    void AppendText(uint8_t type, std::string_view text);
    void AppendTempo();
    void AppendTimeSignature();
    void AppendKeySignature();
    void PutBigEndian(size_t offset, uint32_t value, int bytes);

    aMidTxtInfo texts_;
    aPlayInfo play_;
    std::filesystem::path fileName_;
    std::string bytes_;
    bool open_ = false;
    int32_t trackCount_ = 0;
    size_t trackStart_ = 0;  // offset of the open track's length field
    std::array<bool, 16> channelUsed_{};
    int32_t songTracks_ = 0;
};

// The channel of the next song track handed over: the lowest not yet taken, skipping the drum
// channel, so tracks 1, 2 and 4 sound on 0, 1 and 2 and the tenth on 10; -1 when none is free.
// The export and playback alike.
int NextSongChannel(const std::array<bool, 16>& used);

// Big-endian bytes of the variable-length quantity.
std::string VlqBytes(uint32_t value);
// A delta in beats as ticks: rounded half to even, negative or not-a-number as 0, at most the
// largest variable-length quantity.
uint32_t BeatsToTicks(double beats);

}  // namespace tessaly
