#include "music/SetPlayInfoForm.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "MakeMid.h"
#include "records/Numbers.h"

namespace notaline {

using tessaly::IsTrue;
using tessaly::ToFlag;

PlayProblemText TextOf(PlayProblem problem) {
    using T = PlayProblemText;
    switch (problem) {
        case PlayProblem::Order: return {"演唱顺序输入不对！", nullptr, T::None};
        case PlayProblem::TrackVolume: return {"轨道音量设置不对！", nullptr, T::Information};
        case PlayProblem::TrackPan: return {"轨道声像设置不对！", nullptr, T::Information};
        case PlayProblem::Tracks: return {"主音轨或总音轨设置不对！", nullptr, T::Information};
        case PlayProblem::TempoZero: return {"演唱速度不可以为零！", nullptr, T::Information};
        case PlayProblem::TempoNotNumber: return {"演唱速度为大于0的数字!", "输入错误", T::Warning};
        case PlayProblem::TempoRange: return {"演唱速度为4到999之间的数字!", "输入错误", T::Warning};
        case PlayProblem::DrumVolume: return {"音量设置不对！", nullptr, T::Information};
        case PlayProblem::Delay:
        case PlayProblem::None: break;
    }
    return {nullptr, nullptr, PlayProblemText::None};
}

SetPlayInfoForm SetPlayInfoForm::Load(const EditorData& data) {
    SetPlayInfoForm form;
    form.Work = data.PlayInfo;
    form.Work.TotalTrack = static_cast<uint8_t>(std::clamp<int32_t>(form.Work.TotalTrack, 1, kMaxTracks));
    form.Work.Track.resize(form.Work.TotalTrack);
    if (form.Work.MainTrack == 0) form.Work.MainTrack = 1;
    form.Bars = BuildXjInfo(data);
    form.blockBars_.assign(256, 0);
    const int32_t bars = std::min<int32_t>(form.Bars.XjCount, static_cast<int32_t>(form.Bars.Blocks.size()));
    for (int32_t j = 0; j < bars; ++j) {
        const int32_t block = form.Bars.Blocks[static_cast<size_t>(j)];
        if (block >= 0 && block < 256) ++form.blockBars_[static_cast<size_t>(block)];
    }
    return form;
}

bool SetPlayInfoForm::ParsePlayOrder(int32_t track, std::string_view text) {
    if (!IsTrack(track)) return false;
    std::array<tessaly::aPlayBlock, kOrderEntries> entries{};
    int32_t count = 0;
    int32_t number = 0;
    bool digits = false;
    for (const char c : text) {
        if (c >= '0' && c <= '9') {
            number = std::min(number * 10 + (c - '0'), 1000);
            digits = true;
        } else if (c == ',' || c == '.') {
            if (!digits || number < 1 || number > 255 || count == kOrderEntries) return false;
            entries[static_cast<size_t>(count++)] = {static_cast<uint8_t>(number), ToFlag(c == ',')};
            number = 0;
            digits = false;
        }
    }
    std::copy(entries.begin(), entries.end(), Work.Track[static_cast<size_t>(track - 1)].tPlayOrder);
    return true;
}

std::string SetPlayInfoForm::PlayOrderText(int32_t track) const {
    std::string text;
    if (!IsTrack(track)) return text;
    for (const tessaly::aPlayBlock& e : Work.Track[static_cast<size_t>(track - 1)].tPlayOrder) {
        if (e.BlockIndex == 0) break;
        text += std::to_string(e.BlockIndex) + (IsTrue(e.IsPlay) ? "," : ".");
    }
    return text;
}

int32_t SetPlayInfoForm::CountTrackBars(int32_t track) const {
    if (!IsTrack(track) || blockBars_.empty()) return 0;
    int32_t bars = 0;
    for (const tessaly::aPlayBlock& e : Work.Track[static_cast<size_t>(track - 1)].tPlayOrder)
        if (e.BlockIndex != 0) bars += blockBars_[e.BlockIndex];
    return bars;
}

void SetPlayInfoForm::SetTotalTrack(int32_t n) {
    n = std::clamp(n, 1, kMaxTracks);
    Work.TotalTrack = static_cast<uint8_t>(n);
    Work.Track.resize(static_cast<size_t>(n));
}

namespace {

// A number read from a box fits when it lies in the range as typed: 127.4 is not 0 to 127.
bool InRange(double value, double low, double high) {
    return value >= low && value <= high;
}

// The whole text a decimal number, blanks around it allowed: "12abc" is no tempo.
bool IsNumber(std::string_view text) {
    const size_t first = text.find_first_not_of(' '), last = text.find_last_not_of(' ');
    if (first == std::string_view::npos) return false;
    text = text.substr(first, last - first + 1);
    size_t i = text[0] == '-' || text[0] == '+' ? 1 : 0;
    bool digits = false;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) digits = true;
    if (i < text.size() && text[i] == '.')
        for (++i; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) digits = true;
    return digits && i == text.size();
}

}  // namespace

PlayProblem SetPlayInfoForm::CheckTrackInfo(int32_t track, const TrackFields& f) {
    if (!ParsePlayOrder(track, f.Order)) return PlayProblem::Order;
    tessaly::aTrackInfo& t = Work.Track[static_cast<size_t>(track - 1)];
    const double volume = tessaly::Val(f.Volume);
    if (!InRange(volume, 0, 127)) return PlayProblem::TrackVolume;
    t.Volume = tessaly::CByte(volume);
    const double pan = tessaly::Val(f.Pan);
    if (!InRange(pan, 0, 127)) return PlayProblem::TrackPan;
    t.SoundImage = tessaly::CByte(pan);
    t.ComSounds = static_cast<uint8_t>(std::clamp(f.Sound, 0, 127));
    const double delay = tessaly::Val(f.Delay);
    if (!InRange(delay, 0, kMaxDelay)) return PlayProblem::Delay;
    t.DelayTimer = tessaly::CInt(delay);
    t.IsUser = ToFlag(f.Use);
    t.Yd = static_cast<uint8_t>(std::clamp(f.Key, 0, 14));
    return PlayProblem::None;
}

PlayProblem SetPlayInfoForm::CheckBpm(std::string_view text) {
    if (!IsNumber(text)) return PlayProblem::TempoNotNumber;
    const double bpm = tessaly::Val(text);
    if (bpm == 0) return PlayProblem::TempoZero;
    // The MIDI writer refuses a slower tempo: what is accepted here always exports.
    return InRange(bpm, tessaly::kMinBpm, kMaxBpm) ? PlayProblem::None : PlayProblem::TempoRange;
}

PlayProblem SetPlayInfoForm::CheckPlayInfo(const BasicFields& f) {
    SetTotalTrack(f.TotalTrack);
    Work.MainTrack = static_cast<uint8_t>(std::clamp(f.MainTrack, 1, kMaxTracks));
    if (Work.TotalTrack < Work.MainTrack) return PlayProblem::Tracks;
    if (const PlayProblem p = CheckBpm(f.Bpm); p != PlayProblem::None) return p;
    Work.Bpm = tessaly::CInt(tessaly::Val(f.Bpm));
    Work.JiePai = static_cast<uint8_t>(std::clamp(f.JiePai, 0, 9));
    Work.IsPlayDrum = ToFlag(f.PlayDrum);
    const double drumVolume = tessaly::Val(f.DrumVolume);
    if (!InRange(drumVolume, 0, 127)) return PlayProblem::DrumVolume;
    Work.DrumVolume = tessaly::CByte(drumVolume);
    Work.XjDrumCount = tessaly::CInt(CountTrackBars(Work.MainTrack));
    return PlayProblem::None;
}

bool SetPlayInfoForm::PlayInfoChanged(const EditorData& data, const PlaySettingsModule& module,
                                      const tessaly::aMidTxtInfo& texts) const {
    const tessaly::aPlayInfo& d = data.PlayInfo;
    if (Work.Bpm != d.Bpm || Work.DrumVolume != d.DrumVolume || IsTrue(Work.IsPlayDrum) != IsTrue(d.IsPlayDrum) ||
        Work.JiePai != d.JiePai || Work.MainTrack != d.MainTrack || Work.TotalTrack != d.TotalTrack)
        return true;
    if (texts.歌曲标题 != module.Texts.歌曲标题 || texts.歌曲版权 != module.Texts.歌曲版权 ||
        texts.歌曲备注 != module.Texts.歌曲备注)
        return true;
    for (size_t i = 0; i < Work.Track.size(); ++i) {
        if (i >= d.Track.size()) return true;
        const tessaly::aTrackInfo &w = Work.Track[i], &o = d.Track[i];
        if (w.ComSounds != o.ComSounds || w.DelayTimer != o.DelayTimer || IsTrue(w.IsUser) != IsTrue(o.IsUser) ||
            w.SoundImage != o.SoundImage || w.Volume != o.Volume || w.Yd != o.Yd)
            return true;
        for (int32_t e = 0; e < kOrderEntries; ++e)
            if (w.tPlayOrder[e].BlockIndex != o.tPlayOrder[e].BlockIndex ||
                IsTrue(w.tPlayOrder[e].IsPlay) != IsTrue(o.tPlayOrder[e].IsPlay))
                return true;
    }
    return false;
}

bool SetPlayInfoForm::PrepareDrums(const EditorData& data, PlaySettingsModule& module, int32_t n) {
    Work.XjDrumCount = tessaly::CInt(n);
    if (n <= 0) return false;
    module.Drums.assign(static_cast<size_t>(Work.XjDrumCount), tessaly::XjDrumData{});
    std::copy_n(data.XjDrum.begin(), std::min(module.Drums.size(), data.XjDrum.size()), module.Drums.begin());
    return true;
}

void SetPlayInfoForm::Apply(EditorData& data, PlaySettingsModule& module, const tessaly::aMidTxtInfo& texts) const {
    if (PlayInfoChanged(data, module, texts)) data.ModifiedPlay = true;
    module.Texts.歌曲标题 = texts.歌曲标题;
    module.Texts.歌曲版权 = texts.歌曲版权;
    module.Texts.歌曲备注 = texts.歌曲备注;
    data.PlayInfo = Work;
    const size_t count = static_cast<size_t>(std::max<int16_t>(Work.XjDrumCount, 0));
    // Patterns past the count belong to bars the singing order no longer plays: kept, so that
    // putting the order back brings them back. Missing ones are added silent.
    if (data.XjDrum.size() < count) data.XjDrum.resize(count);
    if (!module.Drums.empty() && count > 0)
        std::copy_n(module.Drums.begin(), std::min(count, module.Drums.size()), data.XjDrum.begin());
    // Playback, export and the file writer all read XjDrumCount patterns.
    data.PlayInfo.XjDrumCount = static_cast<int16_t>(std::min<size_t>(data.XjDrum.size(), INT16_MAX));
    module.Drums.clear();
}

std::vector<std::string> ReadNameList(std::string_view bytes, size_t count, int32_t first) {
    std::vector<std::string> names;
    names.reserve(count);
    size_t at = 0;
    while (names.size() < count && at < bytes.size()) {
        size_t end = bytes.find('\n', at);
        if (end == std::string_view::npos) end = bytes.size();
        std::string_view line = bytes.substr(at, end - at);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        const size_t slash = line.find('/');
        names.emplace_back(slash == std::string_view::npos ? line : line.substr(slash + 1));
        at = end + 1;
    }
    while (names.size() < count) names.push_back(std::to_string(first + static_cast<int32_t>(names.size())));
    return names;
}

}  // namespace notaline
