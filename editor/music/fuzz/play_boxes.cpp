// The play settings dialog's boxes typed with arbitrary text, one box a line: singing order,
// volume, pan, delay, tempo, drum volume, then bytes for the track counts and lists. A singing
// order taken gives back a text that is taken again alike; a refusal keeps the order; tracks
// and the main track stay in their ranges.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "music/SetPlayInfoForm.h"

namespace {

void Check(bool condition) {
    if (!condition) __builtin_trap();
}

std::vector<std::string> Lines(const uint8_t* data, size_t size, size_t count) {
    std::vector<std::string> lines(count);
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    for (size_t i = 0; i < count && !rest.empty(); ++i) {
        const size_t end = i + 1 < count ? rest.find('\n') : std::string_view::npos;
        lines[i] = std::string(rest.substr(0, end));
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    }
    return lines;
}

bool SameOrder(const tessaly::aTrackInfo& a, const tessaly::aTrackInfo& b) {
    return std::memcmp(a.tPlayOrder, b.tPlayOrder, sizeof a.tPlayOrder) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const notaline::EditorData document;
    static const notaline::SetPlayInfoForm loaded = notaline::SetPlayInfoForm::Load(document);
    const std::vector<std::string> box = Lines(data, size, 7);
    const auto byte = [&](size_t i) { return i < box[6].size() ? static_cast<int8_t>(box[6][i]) : int8_t{0}; };

    notaline::SetPlayInfoForm form = loaded;
    form.SetTotalTrack(byte(0));
    Check(form.Work.Track.size() >= 1 && form.Work.Track.size() <= notaline::kMaxTracks);
    const tessaly::aTrackInfo before = form.Work.Track[0];
    if (form.ParsePlayOrder(1, box[0])) {
        const std::string text = form.PlayOrderText(1);
        const tessaly::aTrackInfo parsed = form.Work.Track[0];
        Check(form.ParsePlayOrder(1, text) && SameOrder(parsed, form.Work.Track[0]) && form.PlayOrderText(1) == text);
        Check(form.CountTrackBars(1) >= 0);
    } else {
        Check(SameOrder(before, form.Work.Track[0]));
    }
    const notaline::TrackFields track{box[0], box[1], box[2], box[3], byte(1), byte(2), byte(3) != 0};
    form.CheckTrackInfo(1, track);
    Check(form.Work.Track[0].Volume <= 127);
    notaline::SetPlayInfoForm::CheckBpm(box[4]);
    const notaline::BasicFields basic{byte(4), byte(5), box[4], byte(6), byte(7) != 0, box[5]};
    if (form.CheckPlayInfo(basic) == notaline::PlayProblem::None) {
        Check(form.Work.MainTrack >= 1 && form.Work.MainTrack <= form.Work.TotalTrack);
        Check(form.Work.Bpm > 0 && form.Work.Bpm <= notaline::kMaxBpm && form.Work.DrumVolume <= 127);
    }
    return 0;
}
