#include "music/NoteExtraction.h"

#include <algorithm>
#include <iterator>
#include <set>

#include "model/document/MarkCodes.h"
#include "records/Numbers.h"

namespace notaline {
namespace {

using tessaly::aCodeEvent;

constexpr int16_t kScaleKeys[7] = {0, 2, 4, 5, 7, 9, 11};
// Octave codes 0 to 6: middle, high, double high, triple high, low, double low, triple low.
constexpr int16_t kOctaveBase[7] = {60, 72, 84, 96, 48, 36, 24};

constexpr float kGraceLength = 0.25f;

// The velocity of a dynamics mark 24 to 30.
uint8_t LevelOf(int32_t code) {
    static constexpr uint8_t kLevels[7] = {50, 65, 70, 80, 110, 120, 127};
    return kLevels[code - kMarkDynamicFirst];
}

void ApplyTuplets(const BarList& bars, std::vector<aCodeEvent>& events);
void ApplyTies(const BarList& bars, std::vector<aCodeEvent>& events);
void ApplyGraceNotes(const BarList& bars, std::vector<aCodeEvent>& events);
void ApplyDynamics(const BarList& bars, std::vector<aCodeEvent>& events);

// The "1" of a key such as "1=C" names the key; it is no note.
bool IsKeyDigit(const StoredWord& w) {
    if (w.ExtralWordInfo.Id == 0) return false;  // no marks, without looking them up
    const MarkSlotArray& slots = w.ExtralWordInfo.Slots();
    return std::any_of(slots.begin(), slots.end(),
                       [](const tessaly::aExtralWordInfo& s) { return s.IndexType == kMarkKeySetting; });
}

}  // namespace

PlayChar PlayCharOf(const StoredWord& w) {
    if (w.IsJpGcCtl == 1) {
        if (w.WdAsc >= '1' && w.WdAsc <= '7') return IsKeyDigit(w) ? PlayChar::Other : PlayChar::Note;
        if (w.WdAsc == '0') return PlayChar::Rest;
        if (w.WdAsc == '-') return PlayChar::Dash;
    } else if (w.IsJpGcCtl == 2 && w.WdAsc == 'D') {
        return PlayChar::Dot;
    }
    return PlayChar::Other;
}

int16_t GetNotePitch(const StoredWord& w) {
    const int digit = std::clamp<int>(w.WdAsc - '1', 0, 6);
    const int octave = w.YG < 7 ? w.YG : 0;
    return static_cast<int16_t>(kOctaveBase[octave] + kScaleKeys[digit]);
}

float GetNoteLength(const StoredWord& w) {
    switch (w.Yc) {
        case 0: return 1.0f;
        case 1: return 0.5f;
        case 2: return 0.25f;
        case 3: return 0.125f;
        default: return 0.0f;
    }
}

size_t PlayedCharCount(const EditorData& data, const BarList& bars, int32_t track) {
    if (track < 1 || static_cast<size_t>(track) > data.PlayInfo.Track.size()) return 0;
    size_t count = 0;
    for (const tessaly::aPlayBlock& entry : data.PlayInfo.Track[static_cast<size_t>(track) - 1].tPlayOrder) {
        if (entry.BlockIndex == 0) continue;
        for (int32_t j = 0; j < bars.XjCount; ++j) {
            if (bars.Blocks[static_cast<size_t>(j)] != entry.BlockIndex) continue;
            const int32_t last = std::min(bars.LastChar(data, j), data.WordCount() - 1);
            const int32_t first = std::max(bars.FirstChar(j), 0);
            if (last >= first) count += static_cast<size_t>(last - first) + 1;
        }
    }
    return count;
}

bool AnyNoteSounds(const EditorData& data, const BarList& bars) {
    const int32_t tracks =
        std::min<int32_t>(data.PlayInfo.TotalTrack, static_cast<int32_t>(data.PlayInfo.Track.size()));
    bool sounds = false;
    for (int32_t t = 1; t <= tracks && !sounds; ++t) {
        if (!tessaly::IsTrue(data.PlayInfo.Track[static_cast<size_t>(t) - 1].IsUser)) continue;
        ForEachPlayedChar(data, bars, t, [&](int32_t c, bool sounding) {
            sounds = sounds || (sounding && PlayCharOf(data.WordInfo[static_cast<size_t>(c)]) == PlayChar::Note);
        });
    }
    return sounds;
}

namespace {

bool HasNote(const EditorData& data, int32_t first, int32_t last) {
    for (int32_t c = std::max(first, 0); c <= std::min(last, data.WordCount() - 1); ++c)
        if (PlayCharOf(data.WordInfo[static_cast<size_t>(c)]) == PlayChar::Note) return true;
    return false;
}

std::string AfterLastBarLine(std::string_view fate) {
    return "最后一条小节线之后的音乐" + std::string(fate) + "：请在歌曲末尾加上小节线。";
}

}  // namespace

bool NotesAfterLastBarLine(const EditorData& data, const BarList& bars) {
    if (bars.SingleBar || bars.Bars.empty()) return false;
    return HasNote(data, bars.Bars.back().XjSelStart, data.WordCount() - 1);
}

std::vector<int32_t> BlocksLeftOut(const EditorData& data, const BarList& bars) {
    std::set<int32_t> withNotes;
    // Before the first bar line nothing plays, as in block 0.
    if (!bars.SingleBar && !bars.Bars.empty() && HasNote(data, 0, bars.Bars.front().XjSelStart - 1))
        withNotes.insert(0);
    for (int32_t j = 0; j < bars.XjCount; ++j)
        if (HasNote(data, bars.FirstChar(j), bars.LastChar(data, j)))
            withNotes.insert(bars.Blocks[static_cast<size_t>(j)]);
    const int32_t tracks =
        std::min<int32_t>(data.PlayInfo.TotalTrack, static_cast<int32_t>(data.PlayInfo.Track.size()));
    for (int32_t t = 1; t <= tracks; ++t) {
        const tessaly::aTrackInfo& track = data.PlayInfo.Track[static_cast<size_t>(t) - 1];
        if (!tessaly::IsTrue(track.IsUser)) continue;
        for (const tessaly::aPlayBlock& entry : track.tPlayOrder)
            if (entry.BlockIndex != 0) withNotes.erase(entry.BlockIndex);
    }
    return {withNotes.begin(), withNotes.end()};
}

std::string LeftOutNotice(const EditorData& data, const BarList& bars, std::string_view fate) {
    std::vector<int32_t> blocks = BlocksLeftOut(data, bars);
    std::string text = NotesAfterLastBarLine(data, bars) ? AfterLastBarLine(fate) : std::string();
    if (blocks.empty()) return text;
    const bool beforeFirst = blocks.front() == 0;
    if (beforeFirst) {
        blocks.erase(blocks.begin());
        text += "第一个特殊小节线之前的音乐不在任何演唱块里，";
        text += fate;
        text += "。";
    }
    if (!blocks.empty()) {
        text += "演唱块 ";
        for (size_t i = 0; i < blocks.size(); ++i) {
            if (i) text += "、";
            text += std::to_string(blocks[i]);
        }
        text += " 有音符，但演唱顺序里没有它们，";
        text += fate;
        text += "。";
    }
    text += "演唱顺序在“演唱设置 → 主音轨 → 演唱顺序”中设置，演唱块的编号见那里的小节列表（红色数字）。";
    return text;
}

std::string NothingToSoundNotice(const EditorData& data, const BarList& bars, std::string_view fate) {
    // Notes in a block that the order could name, and notes in block 0, which none can.
    bool inBlocks = false;
    bool inBlockZero = !bars.SingleBar && !bars.Bars.empty() && HasNote(data, 0, bars.Bars.front().XjSelStart - 1);
    for (int32_t j = 0; j < bars.XjCount; ++j) {
        bool& found = bars.Blocks[static_cast<size_t>(j)] != 0 ? inBlocks : inBlockZero;
        found = found || HasNote(data, bars.FirstChar(j), bars.LastChar(data, j));
    }
    const bool after = NotesAfterLastBarLine(data, bars);
    std::string text;
    if (inBlocks) {
        text = kNoBlockToSingText;
    } else if (inBlockZero || !after) {
        text = kNothingToSoundText;
    }
    if (after) text += AfterLastBarLine(fate);
    return text;
}

std::vector<aCodeEvent> CollectTrackCodes(const EditorData& data, const BarList& bars, int32_t track) {
    std::vector<aCodeEvent> events;
    if (track < 1 || static_cast<size_t>(track) > data.PlayInfo.Track.size()) return events;
    const uint8_t volume = data.PlayInfo.Track[static_cast<size_t>(track) - 1].Volume;
    events.reserve(PlayedCharCount(data, bars, track));  // an event a character at most
    ForEachPlayedChar(data, bars, track, [&](int32_t c, bool sounding) {
        const StoredWord& w = data.WordInfo[static_cast<size_t>(c)];
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
    ApplyTuplets(bars, events);
    ApplyTies(bars, events);
    ApplyGraceNotes(bars, events);
    ApplyDynamics(bars, events);
    return events;
}

namespace {

void ApplyTuplets(const BarList& bars, std::vector<aCodeEvent>& events) {
    const size_t count = events.size();
    for (size_t i = 0; i < count;) {
        const int16_t n = bars.MarksOf(events[i].SelStart).Tuplet;
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

void ApplyTies(const BarList& bars, std::vector<aCodeEvent>& events) {
    for (size_t i = 0; i + 1 < events.size(); ++i) {
        aCodeEvent& a = events[i];
        aCodeEvent& b = events[i + 1];
        if (a.Audio == b.Audio && bars.MarksOf(a.SelStart).SpanStart && bars.MarksOf(b.SelStart).SpanEnd) {
            a.DelayTimer += b.DelayTimer;
            b.DelayTimer = 0;
        }
    }
}

void ApplyGraceNotes(const BarList& bars, std::vector<aCodeEvent>& events) {
    const auto count = static_cast<int64_t>(events.size());
    for (int64_t i = 0; i < count; ++i) {
        const PlayMarks& g = bars.MarksOf(events[static_cast<size_t>(i)].SelStart);
        if (!g.Grace) continue;
        const int64_t kind = g.GraceKind;
        const int64_t pos = g.GracePos;
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

void ApplyDynamics(const BarList& bars, std::vector<aCodeEvent>& events) {
    for (aCodeEvent& e : events) {
        const uint8_t level = bars.MarksOf(e.SelStart).Level;
        if (e.Volume != 0) e.Volume = level ? LevelOf(level) : 127;
    }
    for (size_t j = 0; j < events.size();) {
        const uint8_t accent = events[j].Volume ? bars.MarksOf(events[j].SelStart).Accent : 0;
        if (!accent) {
            ++j;
            continue;
        }
        events[j].Volume = accent == kMarkFortePiano ? 110 : 127;
        // On the last note there is no next one to soften.
        if (j + 1 < events.size() && events[j + 1].Volume != 0) events[j + 1].Volume = 65;
        j += 2;
    }
    for (aCodeEvent& e : events) {
        const uint8_t hairpin = bars.MarksOf(e.SelStart).Hairpin;
        if (e.Volume != 0 && hairpin) {
            e.Volume = 75;
            e.State = hairpin;
        }
    }
}

}  // namespace
}  // namespace notaline
