#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#include "PlayMidi.h"
#include "PlayNote.h"
#include "model/document/EditorData.h"

namespace notaline {

// Playback of the open document: the notes of every used track and the song's drums handed to a
// player made afresh for each playback, and the host told when playback starts and stops.
// A stop reached again while stopping (the player's own end report) is ignored, so the host hears
// of each stop once. A stop usually comes from inside a player's tick (its end report): the
// stopped player is kept, silent and with its output closed, until ReleaseStopped runs after
// that tick, from the message PostRelease posts.
class MusicNoteGet {
public:
    explicit MusicNoteGet(tessaly::PlayMidi& shared);
    ~MusicNoteGet();
    MusicNoteGet(const MusicNoteGet&) = delete;
    MusicNoteGet& operator=(const MusicNoteGet&) = delete;

    // Starts nothing, and tells the host nothing, when no track has notes, the output cannot be
    // opened or the settings cannot be played (the user is told why).
    void BeginPlayMusic(const EditorData& data, intptr_t editorWindow);
    // Without a playback there is nothing to pause.
    void SetPlayPause(bool pause);
    void StopPlayMusic();
    bool IsPlayingMusic() const { return playing_; }

    // EM_PlayInfo to the host: 0 started, 1 stopped.
    std::function<void(int32_t state)> TellHost;
    // Why a playback was refused, UTF-8.
    std::function<void(std::string_view text)> Warn;
    // Asks for ReleaseStopped once the message being handled is done; without it, stopped players
    // wait for the next playback or the end of this object.
    std::function<void()> PostRelease;

    // Releases the stopped players that are not inside their own tick; the rest are asked for
    // again when their tick ends.
    void ReleaseStopped();
    size_t StoppedCount() const { return stopped_.size(); }

private:
    void Release();
    void AskRelease();

    tessaly::PlayMidi& shared_;
    std::unique_ptr<tessaly::PlayNote> player_;
    std::vector<std::unique_ptr<tessaly::PlayNote>> stopped_;
    std::vector<tessaly::XjDrumData> drums_;  // the drum player reads them while it plays
    bool playing_ = false;
    bool stopping_ = false;
    bool releaseAsked_ = false;
};

}  // namespace notaline
