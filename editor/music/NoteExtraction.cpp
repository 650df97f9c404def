#include "music/NoteExtraction.h"

#include <algorithm>
#include <span>

#include "model/MarkCodes.h"
#include "model/MarkSlots.h"
#include "records/Numbers.h"

namespace notaline {
namespace {

using tessaly::aCodeEvent;

constexpr int16_t kScaleKeys[7] = {0, 2, 4, 5, 7, 9, 11};
// Octave codes 0 to 6: middle, high, double high, triple high, low, double low, triple low.
constexpr int16_t kOctaveBase[7] = {60, 72, 84, 96, 48, 36, 24};

constexpr int32_t kSpanStarts[] = {72, 121, 146, 148, 150, 152};
constexpr int32_t kSpanEnds[] = {73, 122, 147, 149, 151, 153};
constexpr float kGraceLength = 0.25f;

const tessaly::aWordInfo* WordOf(const EditorData& data, int32_t word) {
    return data.IsWord(word) ? &data.WordInfo[static_cast<size_t>(word)] : nullptr;
}

bool HasAnyOf(const EditorData& data, int32_t word, std::span<const int32_t> codes) {
    const tessaly::aWordInfo* w = WordOf(data, word);
    if (!w) return false;
    for (const auto& slot : w->ExtralWordInfo)
        if (std::find(codes.begin(), codes.end(), slot.IndexType) != codes.end()) return true;
    return false;
}

// The first slot whose code lies in [lo, hi], or null.
const tessaly::aExtralWordInfo* FirstSlotIn(const EditorData& data, int32_t word, int32_t lo, int32_t hi) {
    const tessaly::aWordInfo* w = WordOf(data, word);
    if (!w) return nullptr;
    for (const auto& slot : w->ExtralWordInfo)
        if (slot.IndexType >= lo && slot.IndexType <= hi) return &slot;
    return nullptr;
}

// The velocity of a dynamics mark 24 to 30.
uint8_t LevelOf(int32_t code) {
    static constexpr uint8_t kLevels[7] = {50, 65, 70, 80, 110, 120, 127};
    return kLevels[code - 24];
}

}  // namespace

PlayChar PlayCharOf(const tessaly::aWordInfo& w) {
    if (w.IsJpGcCtl == 1) {
        if (w.WdAsc >= '1' && w.WdAsc <= '7') return PlayChar::Note;
        if (w.WdAsc == '0') return PlayChar::Rest;
        if (w.WdAsc == '-') return PlayChar::Dash;
    } else if (w.IsJpGcCtl == 2 && w.WdAsc == 'D') {
        return PlayChar::Dot;
    }
    return PlayChar::Other;
}

int16_t GetNotePitch(const tessaly::aWordInfo& w) {
    const int digit = std::clamp<int>(w.WdAsc - '1', 0, 6);
    const int octave = w.YG < 7 ? w.YG : 0;
    return static_cast<int16_t>(kOctaveBase[octave] + kScaleKeys[digit]);
}

float GetNoteLength(const tessaly::aWordInfo& w) {
    switch (w.Yc) {
        case 0: return 1.0f;
        case 1: return 0.5f;
        case 2: return 0.25f;
        case 3: return 0.125f;
        default: return 0.0f;
    }
}

int16_t TupletNumber(const EditorData& data, int32_t word) {
    if (!data.IsWord(word)) return 0;
    const int32_t slot = FindExtralSlot(data, word, kMarkTupletStart);
    if (slot < 0) return 0;
    return tessaly::CInt(tessaly::Val(GetExtralWordVal3(data, word, slot)));
}

bool HasSpanStart(const EditorData& data, int32_t word) {
    return HasAnyOf(data, word, kSpanStarts);
}

bool HasSpanEnd(const EditorData& data, int32_t word) {
    return HasAnyOf(data, word, kSpanEnds);
}

tessaly::aExtralWordInfo GraceSlot(const EditorData& data, int32_t word) {
    return data.IsWord(word) ? GetExtralWordInfo(data, word, kMarkGraceNote) : tessaly::aExtralWordInfo{};
}

std::vector<aCodeEvent> CollectTrackCodes(const EditorData& data, const BarList& bars, int32_t track) {
    std::vector<aCodeEvent> events;
    if (track < 1 || static_cast<size_t>(track) > data.PlayInfo.Track.size()) return events;
    const uint8_t volume = data.PlayInfo.Track[static_cast<size_t>(track) - 1].Volume;
    ForEachPlayedChar(data, bars, track, [&](int32_t c, bool sounding) {
        const tessaly::aWordInfo& w = data.WordInfo[static_cast<size_t>(c)];
        switch (PlayCharOf(w)) {
            case PlayChar::Note: {
                aCodeEvent e;
                e.SelStart = c;
                e.Audio = GetNotePitch(w);
                e.Volume = sounding ? volume : 0;
                e.DelayTimer = GetNoteLength(w);
                events.push_back(e);
                break;
            }
            case PlayChar::Rest: {
                aCodeEvent e;
                e.SelStart = c;
                e.DelayTimer = GetNoteLength(w);
                events.push_back(e);
                break;
            }
            // A dash or dot with nothing before it in the track has nothing to lengthen.
            case PlayChar::Dash:
                if (!events.empty()) events.back().DelayTimer += 1.0f;
                break;
            case PlayChar::Dot:
                if (!events.empty()) events.back().DelayTimer *= 1.5f;
                break;
            case PlayChar::Other: break;
        }
    });
    ApplyTuplets(data, events);
    ApplyTies(data, events);
    ApplyGraceNotes(data, events);
    ApplyDynamics(data, events);
    return events;
}

void ApplyTuplets(const EditorData& data, std::vector<aCodeEvent>& events) {
    const size_t count = events.size();
    for (size_t i = 0; i < count;) {
        const int16_t n = TupletNumber(data, events[i].SelStart);
        if (n <= 0) {
            ++i;
            continue;
        }
        // A group reaching past the track's end takes the notes there are.
        const float length = 2 * events[i].DelayTimer / n;
        const size_t end = std::min(count, i + static_cast<size_t>(n));
        for (size_t k = i; k < end; ++k) events[k].DelayTimer = length;
        i = end;
    }
}

void ApplyTies(const EditorData& data, std::vector<aCodeEvent>& events) {
    for (size_t i = 0; i + 1 < events.size(); ++i) {
        aCodeEvent& a = events[i];
        aCodeEvent& b = events[i + 1];
        if (a.Audio == b.Audio && HasSpanStart(data, a.SelStart) && HasSpanEnd(data, b.SelStart)) {
            a.DelayTimer += b.DelayTimer;
            b.DelayTimer = 0;
        }
    }
}

void ApplyGraceNotes(const EditorData& data, std::vector<aCodeEvent>& events) {
    const auto count = static_cast<int64_t>(events.size());
    for (int64_t i = 0; i < count; ++i) {
        if (!data.IsWord(events[static_cast<size_t>(i)].SelStart) ||
            FindExtralSlot(data, events[static_cast<size_t>(i)].SelStart, kMarkGraceNote) < 0)
            continue;
        const tessaly::aExtralWordInfo g = GraceSlot(data, events[static_cast<size_t>(i)].SelStart);
        const int64_t kind = g.ExtralWordVal1;
        const int64_t pos = g.ExtralWordVal2;
        events[static_cast<size_t>(i)].DelayTimer = kGraceLength;
        if (kind < 1 || kind > 6) continue;
        const int64_t size = (kind - 1) % 3 + 1;  // notes in the group
        if (pos < 1 || pos > size) continue;
        const bool before = kind <= 3;
        const int64_t main = before ? i + (kind - pos + 1) : i - pos;
        if (main < 0 || main >= count) continue;  // the group's note lies outside the track
        aCodeEvent& m = events[static_cast<size_t>(main)];
        if (m.DelayTimer > kGraceLength) m.DelayTimer -= kGraceLength;
        if (pos != 1) continue;
        const int64_t first = before ? i : i - 1;
        const int64_t last = before ? i + size : i + size - 1;
        for (int64_t k = std::max<int64_t>(first, 0); k <= std::min(last, count - 1); ++k)
            events[static_cast<size_t>(k)].State = static_cast<int32_t>(kind);
    }
}

void ApplyDynamics(const EditorData& data, std::vector<aCodeEvent>& events) {
    for (aCodeEvent& e : events) {
        const tessaly::aExtralWordInfo* mark = FirstSlotIn(data, e.SelStart, 24, 30);
        if (e.Volume != 0) e.Volume = mark ? LevelOf(mark->IndexType) : 127;
    }
    for (size_t j = 0; j < events.size();) {
        const tessaly::aExtralWordInfo* accent = events[j].Volume ? FirstSlotIn(data, events[j].SelStart, 31, 32) : nullptr;
        if (!accent) {
            ++j;
            continue;
        }
        events[j].Volume = accent->IndexType == 31 ? 110 : 127;
        // On the last note there is no next one to soften.
        if (j + 1 < events.size() && events[j + 1].Volume != 0) events[j + 1].Volume = 65;
        j += 2;
    }
    for (aCodeEvent& e : events) {
        if (e.Volume == 0) continue;
        if (const tessaly::aExtralWordInfo* hairpin = FirstSlotIn(data, e.SelStart, 81, 82)) {
            e.Volume = 75;
            e.State = hairpin->IndexType;
        }
    }
}

}  // namespace notaline
