#include "DrumPatterns.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <fstream>
#include <iterator>

#include "DaDurFile.h"
#include "text/Cp936.h"

namespace tessaly {
namespace {

constexpr std::array<DrumMetre, 11> kMetres{{
    {"1/4", 4},
    {"2/4", 8},
    {"3/4", 12},
    {"4/4", 16},
    {"5/4", 20},
    {"3/8", 6},
    {"6/8", 12},
    {"7/8", 14},
    {"9/8", 18},
    {"12/8", 24},
    {"自定义", 1},
}};

// An unknown metre byte reads as "2/4" but keeps the stored format's ten steps.
constexpr DrumMetre kUnknownMetre{"2/4", 10};

std::string Gbk(std::u16string_view text) {
    return Utf16ToCp936(text).value_or(std::string());
}

uint8_t ChannelBit(int ch) {
    return static_cast<uint8_t>(0x80u >> ch);
}

}  // namespace

DrumMetre DrumMetreOf(uint8_t timeSignature) {
    return timeSignature < kMetres.size() ? kMetres[timeSignature] : kUnknownMetre;
}

void 分析鼓点::ViewRecords(XjDrumData* first, int32_t count) {
    view_ = first;
    count_ = std::max(count, 0);
}

int32_t 分析鼓点::Reachable() const {
    return view_ ? count_ : static_cast<int32_t>(own_.size());
}

XjDrumData* 分析鼓点::At(int32_t index) {
    if (index < 0 || index >= Reachable()) return nullptr;
    return view_ ? view_ + index : &own_[static_cast<size_t>(index)];
}

const XjDrumData* 分析鼓点::At(int32_t index) const {
    return const_cast<分析鼓点*>(this)->At(index);
}

XjDrumData* 分析鼓点::DrumAddress(int32_t index) {
    return At(index);
}

#define JP_DRUM_BYTE(Name)                              \
    uint8_t 分析鼓点::Name(int32_t index) const {       \
        const XjDrumData* r = At(index);                \
        return r ? r->Name : 0;                         \
    }                                                   \
    void 分析鼓点::Name(int32_t index, uint8_t value) { \
        if (XjDrumData* r = At(index)) r->Name = value; \
    }
#define JP_DRUM_CHANNEL_BYTE(Name)                                              \
    uint8_t 分析鼓点::Name(int32_t index, int ch) const {                       \
        const XjDrumData* r = At(index);                                        \
        return r && IsChannel(ch) ? r->Name[ch] : 0;                            \
    }                                                                           \
    void 分析鼓点::Name(int32_t index, int ch, uint8_t value) {                 \
        if (XjDrumData* r = At(index); r && IsChannel(ch)) r->Name[ch] = value; \
    }

JP_DRUM_BYTE(DrumVer)
JP_DRUM_BYTE(DrumTrack)
JP_DRUM_BYTE(DrumTimeSignature)
JP_DRUM_BYTE(DrumSpeed)
JP_DRUM_BYTE(BarsOfSong)
JP_DRUM_BYTE(HaveDrum)
JP_DRUM_CHANNEL_BYTE(DrumVolume)
JP_DRUM_CHANNEL_BYTE(DrumSounds)
JP_DRUM_CHANNEL_BYTE(DrumSoundImage)
#undef JP_DRUM_BYTE
#undef JP_DRUM_CHANNEL_BYTE

std::string 分析鼓点::DrumName(int32_t index) const {
    std::string name;
    if (const XjDrumData* r = At(index))
        for (uint8_t b : r->DrumName)
            if (b) name += static_cast<char>(b);
    const size_t first = name.find_first_not_of(' ');
    name = first == std::string::npos ? std::string() : name.substr(first, name.find_last_not_of(' ') - first + 1);
    return name.empty() ? Gbk(u"未命名") : name;
}

void 分析鼓点::DrumName(int32_t index, std::string_view gbk) {
    XjDrumData* r = At(index);
    if (!r) return;
    FillTextField(r->DrumName, gbk);
}

bool 分析鼓点::DrumChannel(int32_t index, int ch) const {
    const XjDrumData* r = At(index);
    return r && IsChannel(ch) && (r->DrumChannel & ChannelBit(ch));
}

void 分析鼓点::DrumChannel(int32_t index, int ch, bool on) {
    XjDrumData* r = At(index);
    if (!r || !IsChannel(ch)) return;
    r->DrumChannel = static_cast<uint8_t>(on ? r->DrumChannel | ChannelBit(ch) : r->DrumChannel & ~ChannelBit(ch));
}

bool 分析鼓点::DrumRhythms(int32_t index, int step, int ch) const {
    const XjDrumData* r = At(index);
    if (!r || !IsChannel(ch) || step < 0 || step >= kDrumSteps) return false;
    return r->DrumRhythms[4 * ch + step / 8] & ChannelBit(step % 8);
}

void 分析鼓点::DrumRhythms(int32_t index, int step, int ch, bool on) {
    XjDrumData* r = At(index);
    if (!r || !IsChannel(ch) || step < 0 || step >= kDrumSteps) return;
    uint8_t& b = r->DrumRhythms[4 * ch + step / 8];
    b = static_cast<uint8_t>(on ? b | ChannelBit(step % 8) : b & ~ChannelBit(step % 8));
}

int32_t 分析鼓点::XJLong(int32_t index, int No) const {
    const XjDrumData* r = At(index);
    if (!r || No < 0 || No > 3) return 0;
    // The value may reach into the next fields of the record; bytes past its end count as 0.
    const auto* bytes = reinterpret_cast<const uint8_t*>(r);
    const size_t start = offsetof(XjDrumData, XJLong) + static_cast<size_t>(No);
    uint32_t v = 0;
    for (size_t k = 0; k < 4 && start + k < kDrumRecordBytes; ++k) v |= uint32_t(bytes[start + k]) << (8 * k);
    return static_cast<int32_t>(v);
}

void 分析鼓点::XJLong(int32_t index, int No, int32_t value) {
    XjDrumData* r = At(index);
    if (!r || No < 0 || No > 3) return;
    auto* bytes = reinterpret_cast<uint8_t*>(r);
    const size_t start = offsetof(XjDrumData, XJLong) + static_cast<size_t>(No);
    for (size_t k = 0; k < 4 && start + k < kDrumRecordBytes; ++k)
        bytes[start + k] = static_cast<uint8_t>(static_cast<uint32_t>(value) >> (8 * k));
}

int16_t 分析鼓点::BeginSelStart(int32_t index) const {
    const XjDrumData* r = At(index);
    return r ? static_cast<int16_t>(r->BeginSelStart[0] | (r->BeginSelStart[1] << 8)) : 0;
}

void 分析鼓点::BeginSelStart(int32_t index, int16_t value) {
    if (XjDrumData* r = At(index)) {
        r->BeginSelStart[0] = static_cast<uint8_t>(value & 0xFF);
        r->BeginSelStart[1] = static_cast<uint8_t>((static_cast<uint16_t>(value) >> 8) & 0xFF);
    }
}

uint8_t 分析鼓点::sTimetmp(int32_t index, int i) const {
    const XjDrumData* r = At(index);
    return r && (i == 0 || i == 1) ? r->sTimetmp2[i] : 0;
}

void 分析鼓点::sTimetmp(int32_t index, int i, uint8_t value) {
    if (XjDrumData* r = At(index); r && (i == 0 || i == 1)) r->sTimetmp2[i] = value;
}

uint8_t 分析鼓点::DrumTime(int32_t index, std::string* text) const {
    const DrumMetre m = DrumMetreOf(DrumTimeSignature(index));
    if (text) *text = Gbk(*Utf8ToUtf16(m.Text));
    return m.Steps;
}

void 分析鼓点::DrumCount(int32_t value) {
    count_ = std::max(value, 0);
    own_.resize(static_cast<size_t>(count_) + 1);
}

void 分析鼓点::AddLastNullDrumData() {
    ++count_;
    own_.resize(static_cast<size_t>(count_));
    ViewOwn();
}

bool 分析鼓点::DelLastDrumData() {
    if (count_ <= 0 || own_.empty()) return false;
    --count_;
    own_.resize(static_cast<size_t>(count_));
    ViewOwn();
    return true;
}

bool 分析鼓点::CoverDrumData(int32_t index, const XjDrumData& record) {
    if (index < 0 || static_cast<size_t>(index) >= own_.size()) return false;
    own_[static_cast<size_t>(index)] = record;
    ViewOwn();
    return true;
}

void 分析鼓点::AddDrumData(int32_t index, const XjDrumData& record) {
    ++count_;
    own_.resize(static_cast<size_t>(count_));
    const size_t last = own_.size() - 1;
    // At or past the old end the record is appended.
    const size_t target = index < 0 ? 0 : std::min(static_cast<size_t>(index), last);
    std::move_backward(own_.begin() + static_cast<std::ptrdiff_t>(target), own_.end() - 1, own_.end());
    own_[target] = record;
    ViewOwn();
}

bool 分析鼓点::DelDrumData(int32_t index) {
    if (index < 0 || index >= count_ || static_cast<size_t>(index) >= own_.size()) return false;
    own_.erase(own_.begin() + index);
    --count_;
    own_.resize(static_cast<size_t>(count_));
    ViewOwn();
    return true;
}

void 分析鼓点::DefDrumData(int32_t index) {
    if (!At(index)) return;
    DrumVer(index, 0);
    DrumName(index, Gbk(u"默认值"));
    for (int ch = 0; ch < kDrumChannels; ++ch) {
        DrumChannel(index, ch, true);
        DrumVolume(index, ch, 100);
        DrumSounds(index, ch, 22);  // key 35, the acoustic bass drum
        for (int x = 0; x < kDrumSteps; ++x) DrumRhythms(index, x, ch, ch == 0 && x < 16 && x % 4 == 0);
        DrumSoundImage(index, ch, 64);
    }
    DrumTimeSignature(index, 3);
    DrumSpeed(index, 120);
    HaveDrum(index, 1);
}

std::vector<XjDrumData> 分析鼓点::DrumArrData() const {
    return own_;
}

void 分析鼓点::DrumArrData(std::vector<XjDrumData> records) {
    own_ = std::move(records);
    count_ = static_cast<int32_t>(own_.size());
    ViewOwn();
}

DaDurStatus 分析鼓点::SaveDrum(const std::filesystem::path& fileName) const {
    const size_t n = std::min(own_.size(), static_cast<size_t>(count_));
    return ReplaceFileContents(fileName, DrumRecordBytes(std::vector<XjDrumData>(own_.begin(), own_.begin() + n)));
}

std::string DrumRecordBytes(const std::vector<XjDrumData>& records) {
    std::string bytes(records.size() * kDrumRecordBytes, '\0');
    if (!records.empty()) std::memcpy(bytes.data(), records.data(), bytes.size());
    return bytes;
}

std::vector<XjDrumData> ParseDrumRecords(std::string_view bytes) {
    std::vector<XjDrumData> records(bytes.size() / kDrumRecordBytes);
    if (!records.empty()) std::memcpy(records.data(), bytes.data(), records.size() * kDrumRecordBytes);
    return records;
}

std::vector<XjDrumData> ReadDrumFile(const std::filesystem::path& fileName) {
    std::ifstream in(fileName, std::ios::binary);
    if (!in) return {};
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return ParseDrumRecords(bytes);
}

}  // namespace tessaly
