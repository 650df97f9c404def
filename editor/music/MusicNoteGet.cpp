#include "music/MusicNoteGet.h"

#include <algorithm>

#include "music/BarList.h"
#include "music/NoteExtraction.h"
#include "records/Numbers.h"

namespace notaline {

MusicNoteGet::MusicNoteGet(tessaly::PlayMidi& shared) : shared_(shared) {
    // A player stopped inside its own tick is released after that tick.
    shared_.TickEnded = [this] {
        if (!stopped_.empty()) AskRelease();
    };
}

MusicNoteGet::~MusicNoteGet() {
    // The host is going too: stop without telling it.
    stopping_ = true;
    PostRelease = nullptr;
    Release();
    shared_.TickEnded = nullptr;
    stopped_.clear();
}

void MusicNoteGet::AskRelease() {
    if (releaseAsked_ || !PostRelease) return;
    releaseAsked_ = true;
    PostRelease();
}

void MusicNoteGet::Release() {
    // Detached first, so that reports raised by the stop find no player to stop again.
    std::unique_ptr<tessaly::PlayNote> player = std::move(player_);
    if (!player) return;
    player->CloseMusic();
    player->CloseMidiOut();
    stopped_.push_back(std::move(player));
    AskRelease();
}

void MusicNoteGet::ReleaseStopped() {
    releaseAsked_ = false;
    // Taken from the list before they go, as a player's end may reach this list again. One still
    // in its tick (this message pumped from inside it) waits for TickEnded.
    std::vector<std::unique_ptr<tessaly::PlayNote>> gone;
    std::erase_if(stopped_, [&](auto& p) {
        if (p->InHandler()) return false;
        gone.push_back(std::move(p));
        return true;
    });
}

void MusicNoteGet::BeginPlayMusic(const EditorData& data, intptr_t editorWindow) {
    // A playback still running ends first, so the host hears of its stop.
    if (playing_) StopPlayMusic();
    ReleaseStopped();
    const tessaly::aPlayInfo& info = data.PlayInfo;
    const int32_t tracks = std::min<int32_t>(info.TotalTrack, static_cast<int32_t>(info.Track.size()));
    const BarList bars = BuildXjInfo(data);
    // Silence would look like a player that does not work: say what makes the music sound.
    if (!AnyNoteSounds(data, bars)) {
        if (Warn) Warn(NothingToSoundNotice(data, bars, kLeftOutOfPlay));
        return;
    }
    if (Warn) {
        if (const std::string left = LeftOutNotice(data, bars, kLeftOutOfPlay); !left.empty()) Warn(left);
    }
    // Creating the player opens the output, and says so when it cannot.
    auto player = std::make_unique<tessaly::PlayNote>(shared_);
    if (!player->IsOpen()) return;
    player->SetInfoForPlay(editorWindow, info);

    bool any = false;
    for (int32_t t = 1; t <= tracks; ++t) {
        if (!tessaly::IsTrue(info.Track[static_cast<size_t>(t) - 1].IsUser)) continue;
        const std::vector<tessaly::aCodeEvent> codes = CollectTrackCodes(data, bars, t);
        if (codes.empty()) continue;
        const tessaly::DaDurStatus added =
            player->SetNoteCode(codes.data(), static_cast<int32_t>(codes.size()), static_cast<int16_t>(t));
        if (!added.ok) {
            if (Warn) Warn(added.reason);
            return;
        }
        any = true;
    }
    if (!any) return;
    if (tessaly::IsTrue(info.IsPlayDrum)) {
        drums_ = SongDrums(data, bars);
        const auto count = static_cast<int16_t>(std::min<size_t>(drums_.size(), 32767));
        // A song without patterns plays without drums.
        if (count > 0) player->SetDrumCodes(drums_.data(), count);
    }
    player_ = std::move(player);
    playing_ = true;
    if (TellHost) TellHost(0);
    if (!player_->BeginPlay().ok) StopPlayMusic();
}

void MusicNoteGet::SetPlayPause(bool pause) {
    if (player_) player_->暂停(pause);
}

void MusicNoteGet::StopPlayMusic() {
    if (stopping_) return;
    stopping_ = true;
    playing_ = false;
    Release();
    stopping_ = false;
    if (TellHost) TellHost(1);
}

}  // namespace notaline
