#include "MakeMid.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "DaDurFile.h"
#include "DrumPatterns.h"
#include "FileErrors.h"
#include "records/Numbers.h"
#include "text/Cp936.h"

namespace tessaly {
namespace {

constexpr uint32_t kMaxVlq = 0x0FFFFFFF;

// Numerator and denominator of the metre texts "1/4" to "12/8", indexed by JiePai.
struct Metre {
    uint8_t Numerator;
    uint8_t Power;  // the denominator as a power of two
};
constexpr Metre kMetres[10] = {{1, 2}, {2, 2}, {3, 2}, {4, 2}, {5, 2}, {3, 3}, {6, 3}, {7, 3}, {9, 3}, {12, 3}};

// Sharps (positive) or flats of the key list of the play settings.
constexpr int8_t kKeySharps[15] = {0, 7, 2, -3, 4, -1, 6, 1, -4, 3, -2, 5, -5, -6, -7};

uint8_t DataByte(int value) {
    return static_cast<uint8_t>(std::clamp(value, 0, 127));
}

DaDurStatus Refusal(std::u16string_view text) {
    return DaDurStatus::Failure(kErrInvalidCall, Utf16ToUtf8(text).value_or(std::string()));
}

}  // namespace

std::string VlqBytes(uint32_t value) {
    value = std::min(value, kMaxVlq);
    char groups[4];
    int n = 0;
    do {
        // Every byte but the last (the first made here) says that more follow.
        const uint32_t more = n > 0 ? 0x80 : 0;
        groups[n++] = static_cast<char>((value & 0x7F) | more);
        value >>= 7;
    } while (value);
    std::string out;
    while (n) out += groups[--n];
    return out;
}

std::string MakeMid::EncodeVLQ(uint32_t value) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string hex;
    for (unsigned char b : VlqBytes(value)) {
        hex += kHex[b >> 4];
        hex += kHex[b & 15];
    }
    return hex;
}

uint32_t BeatsToTicks(double beats) {
    // Whole ticks in range, nearly every length of a song, need no rounding.
    if (const double x = beats * kMidDivision; x >= 0 && x < kMaxVlq) {
        const auto whole = static_cast<uint32_t>(x);
        if (whole == x) return whole;
    }
    const double ticks = RoundHalfEven(beats * kMidDivision);
    if (!(ticks > 0)) return 0;
    return ticks >= kMaxVlq ? kMaxVlq : static_cast<uint32_t>(ticks);
}

void MakeMid::Append(std::string_view data) {
    bytes_.append(data);
}

void MakeMid::AppendDelta(uint32_t ticks) {
    // One byte, the common case, without a string.
    if (ticks < 0x80) {
        bytes_ += static_cast<char>(ticks);
        return;
    }
    Append(VlqBytes(ticks));
}

void MakeMid::Put(std::initializer_list<uint8_t> data) {
    bytes_.append(reinterpret_cast<const char*>(data.begin()), data.size());
}

void MakeMid::PutBigEndian(size_t offset, uint32_t value, int n) {
    for (int k = 0; k < n; ++k) bytes_[offset + k] = static_cast<char>((value >> (8 * (n - 1 - k))) & 0xFF);
}

void MakeMid::AppendText(uint8_t type, std::string_view text) {
    Append(std::string{'\0', '\xFF', static_cast<char>(type)});
    const std::string_view kept = text.substr(0, FittingLength(text, kMaxVlq));
    Append(VlqBytes(static_cast<uint32_t>(kept.size())));
    Append(kept);
}

// Bpm counts quarter notes per minute here as in playback, whatever the metre's denominator:
// the export plays at the speed the song plays.
void MakeMid::AppendTempo() {
    const uint32_t usPerQuarter = 60000000u / static_cast<uint32_t>(play_.Bpm);
    Append(std::string{'\0', '\xFF', '\x51', '\x03'});
    Append(std::string{static_cast<char>(usPerQuarter >> 16), static_cast<char>((usPerQuarter >> 8) & 0xFF),
                       static_cast<char>(usPerQuarter & 0xFF)});
}

void MakeMid::AppendTimeSignature() {
    const Metre m = kMetres[play_.JiePai];
    Append(
        std::string{'\0', '\xFF', '\x58', '\x04', static_cast<char>(m.Numerator), static_cast<char>(m.Power), 24, 8});
}

void MakeMid::AppendKeySignature() {
    int8_t sf = 0;
    const size_t main = static_cast<size_t>(play_.MainTrack) - 1;
    if (play_.MainTrack >= 1 && main < play_.Track.size() && play_.Track[main].Yd < 15)
        sf = kKeySharps[play_.Track[main].Yd];
    Append(std::string{'\0', '\xFF', '\x59', '\x02', static_cast<char>(sf), '\0'});
}

void MakeMid::StartTrack() {
    Append("MTrk");
    trackStart_ = bytes_.size();
    Append(std::string(4, '\0'));
}

void MakeMid::EndTrack() {
    Append(std::string{'\0', '\xFF', '\x2F', '\0'});
    PutBigEndian(trackStart_, static_cast<uint32_t>(bytes_.size() - trackStart_ - 4), 4);
    ++trackCount_;
    ChangTrackNumber(static_cast<int16_t>(std::min<int32_t>(trackCount_, std::numeric_limits<int16_t>::max())));
}

void MakeMid::ChangTrackNumber(int16_t n) {
    if (bytes_.size() >= 12) PutBigEndian(10, static_cast<uint16_t>(n), 2);
}

DaDurStatus MakeMid::WriteMidHead(const aMidTxtInfo& iMidTxtInfo, const aPlayInfo& iPlayInfo,
                                  const std::filesystem::path& fileName) {
    if (iPlayInfo.Bpm < kMinBpm) return Refusal(u"速度无效（每分钟至少4拍），无法导出MIDI文件。");
    if (iPlayInfo.JiePai > 9) return Refusal(u"节拍无效，无法导出MIDI文件。");
    texts_ = iMidTxtInfo;
    play_ = iPlayInfo;
    fileName_ = fileName;
    if (fileName_.empty()) {
        const auto wide = Cp936ToUtf16(texts_.歌曲文件名);
        if (!wide || wide->empty()) return Refusal(u"文件名无效，无法导出MIDI文件。");
        fileName_ = std::filesystem::path(*wide);
    }
    bytes_.clear();
    trackCount_ = 0;
    songTracks_ = 0;
    channelUsed_ = {};
    channelUsed_[kMidDrumChannel] = true;
    open_ = true;

    Append(std::string{'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1, 0, 1, 0, static_cast<char>(kMidDivision)});
    StartTrack();
    // The song's title names the global track, the sequence.
    if (!texts_.歌曲标题.empty()) AppendText(0x03, texts_.歌曲标题);
    if (!texts_.音轨文本.empty()) AppendText(0x03, texts_.音轨文本);
    AppendTempo();
    AppendTimeSignature();
    AppendText(0x06, texts_.文本标记);
    if (!texts_.歌曲版权.empty()) AppendText(0x02, texts_.歌曲版权);
    if (!texts_.歌曲备注.empty()) AppendText(0x01, texts_.歌曲备注 + '\n');
    EndTrack();
    return {};
}

int NextSongChannel(const std::array<bool, 16>& used) {
    for (int ch = 0; ch < 16; ++ch)
        if (ch != kMidDrumChannel && !used[static_cast<size_t>(ch)]) return ch;
    return -1;
}

int MakeMid::NextChannel() const {
    return NextSongChannel(channelUsed_);
}

DaDurStatus MakeMid::WriteTrackInfo(const aMidEvent* events, int32_t count, int16_t CurPlaySetTrack) {
    if (!open_) return DaDurStatus::Failure(kErrInvalidCall, "the file has no header");
    if (CurPlaySetTrack < 1 || static_cast<size_t>(CurPlaySetTrack) > play_.Track.size())
        return Refusal(u"音轨号无效，无法导出MIDI文件。");
    const int channel = NextChannel();
    if (channel < 0 || songTracks_ >= kMidMaxSongTracks)
        return Refusal(u"MIDI文件最多只能容纳15个音轨（第10通道留给鼓），请减少使用的音轨。");
    channelUsed_[static_cast<size_t>(channel)] = true;
    ++songTracks_;
    const aTrackInfo& track = play_.Track[static_cast<size_t>(CurPlaySetTrack) - 1];
    const char ch = static_cast<char>(channel);

    bytes_.reserve(bytes_.size() + 64 + 6 * static_cast<size_t>(std::max(count, 0)));
    StartTrack();
    AppendTempo();
    AppendKeySignature();
    Append(std::string{'\0', static_cast<char>(0xC0 | ch), static_cast<char>(DataByte(track.ComSounds))});
    AppendText(0x03, Utf16ToCp936(u"本音轨乐器索引：").value() + std::to_string(track.ComSounds));
    Append(std::string{'\0', static_cast<char>(0xB0 | ch), 7, static_cast<char>(DataByte(track.Volume))});
    for (int32_t i = 0; events && i < count; ++i) {
        const aMidEvent& e = events[i];
        // Only note off, note on and controllers are written; their status stays a status byte.
        const uint8_t type = e.EventType == 8 || e.EventType == 9 || e.EventType == 11 ? e.EventType : 8;
        AppendDelta(BeatsToTicks(e.DeltaTime));
        Put({static_cast<uint8_t>((type << 4) | channel), DataByte(e.cc), DataByte(e.vv)});
    }
    EndTrack();
    return {};
}

DaDurStatus MakeMid::WriteMidDrumInfo(const XjDrumData* patterns, int32_t count) {
    if (!open_) return DaDurStatus::Failure(kErrInvalidCall, "the file has no header");
    分析鼓点 drums;
    drums.ViewRecords(const_cast<XjDrumData*>(patterns), patterns ? count : 0);
    StartTrack();
    Append(std::string{'\0', '\xC9', '\0'});
    AppendTempo();
    uint64_t steps = 0;  // sixteenths since the last note written
    for (int32_t i = 0; i < drums.DrumCount(); ++i) {
        const int stepCount = drums.DrumTime(i);
        for (int x = 0; x < stepCount; ++x) {
            for (int c = 0; c < kDrumChannels; ++c) {
                if (!drums.DrumChannel(i, c) || !drums.DrumRhythms(i, x, c)) continue;
                const int key = drums.DrumSounds(i, c) + 13;
                if (key > 127) continue;  // no such drum key
                AppendDelta(BeatsToTicks(static_cast<double>(steps) / 4));
                Put({0x99, static_cast<uint8_t>(key), DataByte(drums.DrumVolume(i, c))});
                Put({0x00, 0xB9, 0x0A, DataByte(drums.DrumSoundImage(i, c))});
                steps = 0;
            }
            ++steps;
        }
    }
    EndTrack();
    return {};
}

DaDurStatus MakeMid::ColseFile() {
    if (!open_) return {};
    open_ = false;
    return ReplaceFileContents(fileName_, bytes_);
}

}  // namespace tessaly
