#include "music/MidiExport.h"

#include <algorithm>

#include "MakeMid.h"
#include "music/NoteExtraction.h"
#include "records/Numbers.h"
#include "text/Cp936.h"

namespace notaline {
namespace {

using tessaly::aMidEvent;

constexpr uint8_t kNoteOff = 8;
constexpr uint8_t kNoteOn = 9;
constexpr uint8_t kController = 11;
constexpr uint8_t kSilentKey = 60;

// The last event of the type before the end; event 0 when there is none.
size_t FindLastEvent(const std::vector<aMidEvent>& events, uint8_t type) {
    for (size_t i = events.size(); i-- > 1;)
        if (events[i].EventType == type) return i;
    return 0;
}

// The passes below work on the notes only, from `first` on, not on the leading controllers and
// delay whose character index 0 names no note of theirs.
void ApplyMidTuplets(const BarList& bars, std::vector<aMidEvent>& e, size_t first) {
    for (size_t b = first; b < e.size(); ++b) {
        if (e[b].EventType != kNoteOff) continue;
        const int16_t n = bars.MarksOf(e[b].SelStart).Tuplet;
        if (n <= 0) continue;
        const float length = 2 * e[b].DeltaTime / n;
        // Every second event is the note-off of the group's next note; a group past the end is cut.
        for (size_t k = 0, i = b; k < static_cast<size_t>(n) && i < e.size(); ++k, i += 2)
            if (e[i].DeltaTime > 0) e[i].DeltaTime = length;
    }
}

void ApplyMidTies(const BarList& bars, std::vector<aMidEvent>& e, size_t first) {
    // The joined notes' events are dropped as the walk goes, in one pass and in place: the events
    // kept never pass the one read.
    size_t kept = std::min(first, e.size());
    for (size_t r = kept; r < e.size();) {
        aMidEvent& off = e[kept++] = e[r++];
        if (r + 1 < e.size() && off.EventType == kNoteOff && off.cc == e[r + 1].cc &&
            bars.MarksOf(off.SelStart).SpanStart && bars.MarksOf(e[r + 1].SelStart).SpanEnd) {
            off.DeltaTime += e[r + 1].DeltaTime;
            r += 2;
        }
    }
    e.resize(kept);
}

void ApplyMidGraceNotes(const BarList& bars, std::vector<aMidEvent>& e, size_t first) {
    const auto count = static_cast<int64_t>(e.size());
    for (int64_t i = static_cast<int64_t>(first); i < count; ++i) {
        if (e[static_cast<size_t>(i)].EventType != kNoteOff) continue;
        const PlayMarks& g = bars.MarksOf(e[static_cast<size_t>(i)].SelStart);
        const int64_t kind = g.GraceKind;
        if (!g.Grace || g.GracePos != 1 || kind < 1 || kind > 6) continue;
        const int64_t size = (kind - 1) % 3 + 1;
        const int64_t main = kind <= 3 ? i + 2 * size : i - 2;
        // A group whose note or grace notes lie outside the track changes nothing.
        if (main < static_cast<int64_t>(first) || main >= count || i + 2 * (size - 1) >= count) continue;
        aMidEvent& m = e[static_cast<size_t>(main)];
        const float share = m.DeltaTime > 0.25f ? 0.125f : 0.0625f;
        for (int64_t k = 0; k < size; ++k)
            e[static_cast<size_t>(i + 2 * k)].DeltaTime = share / static_cast<float>(size);
        m.DeltaTime = std::max(0.0f, m.DeltaTime - share);
    }
}

}  // namespace

std::vector<aMidEvent> BuildTrackMidEvents(const EditorData& data, const BarList& bars, int32_t track) {
    std::vector<aMidEvent> e;
    if (track < 1 || static_cast<size_t>(track) > data.PlayInfo.Track.size()) return e;
    const tessaly::aTrackInfo& t = data.PlayInfo.Track[static_cast<size_t>(track) - 1];
    e.push_back({0, kController, 7, t.Volume, 0});
    e.push_back({0, kController, 10, t.SoundImage, 0});
    if (t.DelayTimer >= 1) {
        e.push_back({0, kNoteOn, kSilentKey, 0, 0});
        e.push_back({t.DelayTimer / 8.0f, kNoteOff, kSilentKey, 0, 0});
    }
    const size_t first = e.size();
    ForEachPlayedChar(data, bars, track, [&](int32_t c, bool sounding) {
        const StoredWord& w = data.WordInfo[static_cast<size_t>(c)];
        switch (PlayCharOf(w)) {
            case PlayChar::Note: {
                const auto key = static_cast<uint8_t>(GetNotePitch(w));
                e.push_back({0, kNoteOn, key, sounding ? t.Volume : uint8_t(0), c});
                e.push_back({GetNoteLength(w), kNoteOff, key, 0, c});
                break;
            }
            case PlayChar::Rest:
                e.push_back({0, kNoteOn, kSilentKey, 0, c});
                e.push_back({GetNoteLength(w), kNoteOff, kSilentKey, 0, c});
                break;
            // Before the first note of the track a dash lengthens the start delay or, without
            // one, delays the track from its first controller.
            case PlayChar::Dash: e[FindLastEvent(e, kNoteOff)].DeltaTime += 1.0f; break;
            case PlayChar::Dot: e[FindLastEvent(e, kNoteOff)].DeltaTime *= 1.5f; break;
            case PlayChar::Other: break;
        }
    });
    ApplyMidTuplets(bars, e, first);
    ApplyMidTies(bars, e, first);
    ApplyMidGraceNotes(bars, e, first);
    return e;
}

tessaly::DaDurStatus WriteMidFile(const EditorData& data, const std::filesystem::path& fileName,
                                  tessaly::aMidTxtInfo texts) {
    const BarList bars = BuildXjInfo(data);
    // A file of silence would pass for a song: none is written. Drum patterns of their own sound.
    const auto hits = [](const tessaly::XjDrumData& d) {
        return d.DrumChannel != 0 &&
               std::any_of(std::begin(d.DrumRhythms), std::end(d.DrumRhythms), [](uint8_t b) { return b != 0; });
    };
    const bool drums =
        tessaly::IsTrue(data.PlayInfo.IsPlayDrum) && std::any_of(data.XjDrum.begin(), data.XjDrum.end(), hits);
    if (!drums && !AnyNoteSounds(data, bars))
        return tessaly::DaDurStatus::Failure(0, NothingToSoundNotice(data, bars, kLeftOutOfFile));
    texts.歌曲文件名 = tessaly::Utf16ToCp936(fileName.u16string()).value_or(std::string());
    tessaly::MakeMid writer;
    if (auto status = writer.WriteMidHead(texts, data.PlayInfo, fileName); !status.ok) return status;
    const auto& play = data.PlayInfo;
    const int32_t tracks = std::min<int32_t>(play.TotalTrack, static_cast<int32_t>(play.Track.size()));
    for (int32_t t = 1; t <= tracks; ++t) {
        if (!play.Track[static_cast<size_t>(t) - 1].IsUser) continue;
        const std::vector<aMidEvent> events = BuildTrackMidEvents(data, bars, t);
        if (events.empty()) continue;
        auto status =
            writer.WriteTrackInfo(events.data(), static_cast<int32_t>(events.size()), static_cast<int16_t>(t));
        if (!status.ok) return status;
    }
    if (play.IsPlayDrum) {
        const std::vector<tessaly::XjDrumData> drums = SongDrums(data, bars);
        if (auto status = writer.WriteMidDrumInfo(drums.data(), static_cast<int32_t>(drums.size())); !status.ok)
            return status;
    }
    return writer.ColseFile();
}

}  // namespace notaline
