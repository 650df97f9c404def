#pragma once
#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/document/EditorData.h"
#include "music/BarList.h"

namespace notaline {

// What a character means to playback and export.
enum class PlayChar { Other, Note, Rest, Dash, Dot };
PlayChar PlayCharOf(const StoredWord& w);

// MIDI key of a note: scale digits from key 60 in the middle octave, 12 keys an octave step. The
// track's key does not transpose. An unknown octave code counts as the middle octave.
int16_t GetNotePitch(const StoredWord& w);
// Beats (quarter notes) of the duration code: 1, 0.5, 0.25, 0.125, else 0.
float GetNoteLength(const StoredWord& w);

// Calls visit(character index, sounding) for every character the track plays, in the order of its
// singing order; `track` is 1-based. Nothing for a track the play settings do not hold.
template <class Visit>
void ForEachPlayedChar(const EditorData& data, const BarList& bars, int32_t track, Visit&& visit) {
    if (track < 1 || static_cast<size_t>(track) > data.PlayInfo.Track.size()) return;
    const tessaly::aTrackInfo& t = data.PlayInfo.Track[static_cast<size_t>(track) - 1];
    for (const tessaly::aPlayBlock& entry : t.tPlayOrder) {
        if (entry.BlockIndex == 0) continue;
        for (int32_t j = 0; j < bars.XjCount; ++j) {
            if (bars.Blocks[static_cast<size_t>(j)] != entry.BlockIndex) continue;
            const int32_t last = std::min(bars.LastChar(data, j), data.WordCount() - 1);
            for (int32_t c = std::max(bars.FirstChar(j), 0); c <= last; ++c) visit(c, entry.IsPlay != 0);
        }
    }
}

// How many characters ForEachPlayedChar visits for the track, counted by bars, none visited.
size_t PlayedCharCount(const EditorData& data, const BarList& bars, int32_t track);

// True when a used track plays a note that sounds. Music before the first special bar line sits
// in block 0, which no singing order names: a song written with plain bar lines has none.
bool AnyNoteSounds(const EditorData& data, const BarList& bars);

// Said instead of playing or exporting a song in which nothing sounds; names the remedy. UTF-8.
inline constexpr char kNothingToSoundText[] =
    "这首歌没有要发音的音符：普通小节线之间的音乐不在任何演唱块里。"
    "请在音乐前加一个特殊小节线（如“前段落反复号”或“开始位”），"
    "或在“演唱设置...”中为音轨设定演唱顺序。";

// Said instead of playing or exporting a song whose singing order sounds none of the blocks that
// hold its notes: an empty order, one of silent entries only, or one naming blocks there are not.
inline constexpr char kNoBlockToSingText[] = "演唱顺序中没有可演唱的块：请在 演奏 → 演唱设置 中设置演唱顺序。";

// True when notes follow the last of several bar lines: the bar they stand in is never closed, so
// it never plays.
bool NotesAfterLastBarLine(const EditorData& data, const BarList& bars);

// Blocks with notes that no used track's singing order names, ascending; 0 stands for the notes
// before the first special bar line, which no order can name.
std::vector<int32_t> BlocksLeftOut(const EditorData& data, const BarList& bars);

// What becomes of left-out music, for LeftOutNotice. UTF-8.
inline constexpr char kLeftOutOfFile[] = "没有导出";
inline constexpr char kLeftOutOfPlay[] = "不会演奏";

// Tells which music is left out, by the singing order or after the last bar line, and what to do;
// empty when none is. `fate` is one of the two texts above. UTF-8.
std::string LeftOutNotice(const EditorData& data, const BarList& bars, std::string_view fate);

// Why nothing sounds, for a song in which AnyNoteSounds is false: the singing order when blocks
// hold notes, else music outside any block (kNothingToSoundText); music after the last bar line
// is named too. UTF-8.
std::string NothingToSoundNotice(const EditorData& data, const BarList& bars, std::string_view fate);

// The timed notes of one track for the player: one event per note or rest in playing order, with
// lengths in beats corrected for tuplets, ties and grace notes, and volumes for dynamics. Lengths
// are never negative; keys lie in 0-127; volumes are one of 0, 50, 65, 70, 75, 80, 110, 120, 127.
std::vector<tessaly::aCodeEvent> CollectTrackCodes(const EditorData& data, const BarList& bars, int32_t track);

}  // namespace notaline
