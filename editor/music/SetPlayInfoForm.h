#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "model/document/EditorData.h"
#include "music/BarList.h"

namespace notaline {

// What the play settings keep between openings, beside the document: the MIDI texts the export
// writes (code page 936) and the working drum patterns the drum editor edits. Drums is empty
// unless the drum button filled it since the dialog last closed.
struct PlaySettingsModule {
    tessaly::aMidTxtInfo Texts;
    std::vector<tessaly::XjDrumData> Drums;
    // The open drum editor's handler of the audition's progress (-1 start, n pattern, -2 end).
    std::function<void(int32_t)> DrumProgress;
};

inline constexpr int32_t kMaxTracks = 24;
inline constexpr int32_t kOrderEntries = 48;
inline constexpr int32_t kMaxBpm = 999;
inline constexpr int32_t kMaxDelay = 32767;

// Why a check refused; each names the box to go back to.
enum class PlayProblem {
    None,
    Order,           // PlayOrderText
    TrackVolume,     // Text音量
    TrackPan,        // Text声像
    Delay,           // Text2: refused with a beep only
    Tracks,          // MainTrackCob
    TempoZero,       // Text4
    TempoNotNumber,  // Text4
    TempoRange,      // Text4
    DrumVolume,      // DrumVolumeTxt
};

struct PlayProblemText {
    enum Icon { None, Information, Warning };
    const char* Text;   // UTF-8; null: a beep
    const char* Title;  // UTF-8; null: the editor's own title
    Icon Kind;
};
PlayProblemText TextOf(PlayProblem problem);

// A track tab's boxes as typed.
struct TrackFields {
    std::string Order, Volume, Pan, Delay;
    int32_t Sound = 0;  // instrument list index
    int32_t Key = 0;    // key list index
    bool Use = false;
};

// The basic tab's boxes as typed.
struct BasicFields {
    int32_t TotalTrack = 1;
    int32_t MainTrack = 1;
    std::string Bpm;
    int32_t JiePai = 0;
    bool PlayDrum = false;
    std::string DrumVolume;
};

// The play settings dialog without its window: a working copy of the play settings, the checks
// of the boxes against it, and the copy back on OK. Tracks are numbered from 1.
class SetPlayInfoForm {
public:
    static SetPlayInfoForm Load(const EditorData& data);

    tessaly::aPlayInfo Work;
    BarList Bars;
    int32_t CurrentTrack = 0;  // 0 until a track tab was shown

    // The singing order typed: entries of block 1-255 followed by "," (sounds) or "." (silent),
    // at most 48. Anything else is refused and leaves the entries as they were.
    bool ParsePlayOrder(int32_t track, std::string_view text);
    // The text that gives the track's entries back.
    std::string PlayOrderText(int32_t track) const;
    // Bars of the blocks the track sings, once per entry naming them.
    int32_t CountTrackBars(int32_t track) const;

    void SetTotalTrack(int32_t n);  // keeps the tracks there are; new ones are empty
    // Stores the boxes in the order they are checked; a refusal keeps what was stored before it.
    PlayProblem CheckTrackInfo(int32_t track, const TrackFields& fields);
    PlayProblem CheckPlayInfo(const BasicFields& fields);
    // The tempo box alone, as leaving the basic tab checks it.
    static PlayProblem CheckBpm(std::string_view text);

    // Whether a setting or a MIDI text (code page 936) differs from what the document holds.
    bool PlayInfoChanged(const EditorData& data, const PlaySettingsModule& module,
                         const tessaly::aMidTxtInfo& texts) const;
    // The drum button: the working patterns, n records, the document's copied in; false for n <= 0.
    bool PrepareDrums(const EditorData& data, PlaySettingsModule& module, int32_t n);
    // OK after the checks passed: the change flag only ever set, the texts and settings copied
    // back, the document's patterns as many as XjDrumCount, the working patterns emptied.
    void Apply(EditorData& data, PlaySettingsModule& module, const tessaly::aMidTxtInfo& texts) const;
    static void Cancel(PlaySettingsModule& module) { module.Drums.clear(); }

    bool IsTrack(int32_t track) const { return track >= 1 && track <= static_cast<int32_t>(Work.Track.size()); }

private:
    std::vector<int32_t> blockBars_;  // bars per block number 0-255
};

// The first `count` lines of a name list such as "genmidi.txt": the text after each line's first
// "/", or the whole line; a missing line gives the number first + its index.
std::vector<std::string> ReadNameList(std::string_view bytes, size_t count, int32_t first);

}  // namespace notaline
