#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "DaDurReader.h"
#include "PlayMidi.h"
#include "Playing.h"
#include "records/Playback.h"

namespace tessaly {

// Plays a song track by track, with its drums, or auditions drum patterns, on the MIDI output it
// opens once for its whole life. Each track gets the channel the MIDI export gives it, in the
// order handed over, so the drum channel stays the drums'. The song ends when its last track has
// ended; the stop is reported once (WM_ShowPlayPos -1) from inside a player's tick, so its handler
// may stop the playback but leaves releasing this object until InHandler is false.
class PlayNote {
public:
    // Opens the output; says once when it cannot.
    explicit PlayNote(PlayMidi& shared);
    ~PlayNote();
    PlayNote(const PlayNote&) = delete;
    PlayNote& operator=(const PlayNote&) = delete;

    void SetInfoForPlay(intptr_t Ctrlhwnd, const aPlayInfo& PlayInfo1);
    // Adds a player for track iTrack (1-based) and sends its channel setup at once.
    DaDurStatus SetNoteCode(const aCodeEvent* PlayNoteAdd, int32_t NoteCount, int16_t iTrack);
    DaDurStatus SetDrumCodes(XjDrumData* PlayDrumAdd, int16_t DrumCount);
    // Starts nothing when the output is not open.
    DaDurStatus BeginPlay();
    void CloseMusic();
    DaDurStatus PlayingListDrum(XjDrumData* Address0, int16_t StartIndex, int16_t EndIndex, int32_t count);
    void CloseListDrum();
    void 暂停(bool value);
    bool 暂停() const { return paused_; }
    void PlayaOneDrumNote(int16_t DrumSounds, uint8_t DrumVolume);

    bool IsOpen() const { return open_; }
    // Closes the output now, before the object goes, so that a player made meanwhile keeps the
    // output it shares.
    void CloseMidiOut();
    // True while one of its players is inside its own Timer handler.
    bool InHandler() const;
    int16_t TrackCount() const { return trackCount_; }
    const Playing& TrackPlayer(int i) const { return *tracks_[static_cast<size_t>(i)]; }
    const Playing& DrumPlayer() const { return *drum_; }

private:
    bool OpenMidiOut();
    void PlayerEnded();

    PlayMidi& shared_;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
    bool open_ = false;
    int32_t lastResult_ = 0;
    int16_t trackCount_ = 0;
    std::vector<std::unique_ptr<Playing>> tracks_;
    std::unique_ptr<Playing> drum_;
    std::array<bool, 16> channelUsed_{};
    bool paused_ = false;
    bool closing_ = false;
};

}  // namespace tessaly
