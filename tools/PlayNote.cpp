#include "PlayNote.h"

#include <algorithm>

#include "FileErrors.h"
#include "MakeMid.h"
#include "records/Messages.h"
#include "records/Numbers.h"

namespace tessaly {

static_assert(kPlayDrumChannel == kMidDrumChannel, "playback and export keep the drums on one channel");

PlayNote::PlayNote(PlayMidi& shared) : shared_(shared) {
    if (!OpenMidiOut() && shared_.WarnNoMidi) shared_.WarnNoMidi();
    drum_ = std::make_unique<Playing>(shared_);
}

PlayNote::~PlayNote() {
    *alive_ = false;
    drum_.reset();
    tracks_.clear();
    CloseMidiOut();
}

bool PlayNote::OpenMidiOut() {
    if (open_) return true;
    if (!shared_.Out) return false;
    lastResult_ = shared_.Out->Open();
    open_ = lastResult_ == 0;
    return open_;
}

void PlayNote::CloseMidiOut() {
    if (!open_) return;
    shared_.Out->Close();
    open_ = false;
}

bool PlayNote::InHandler() const {
    if (drum_ && drum_->InTick()) return true;
    return std::any_of(tracks_.begin(), tracks_.end(), [](const auto& t) { return t && t->InTick(); });
}

void PlayNote::SetInfoForPlay(intptr_t Ctrlhwnd, const aPlayInfo& PlayInfo1) {
    shared_.Target = Ctrlhwnd;
    shared_.Settings = PlayInfo1;
}

DaDurStatus PlayNote::SetNoteCode(const aCodeEvent* PlayNoteAdd, int32_t NoteCount, int16_t iTrack) {
    const aPlayInfo& info = shared_.Settings;
    if (!PlayNoteAdd || NoteCount < 1) return DaDurStatus::Failure(kErrInvalidCall, "音轨没有音符。");
    if (info.Bpm <= 0) return DaDurStatus::Failure(kErrInvalidCall, "速度无效，无法播放。");
    if (iTrack < 1 || static_cast<size_t>(iTrack) > info.Track.size())
        return DaDurStatus::Failure(kErrInvalidCall, "音轨号无效。");
    if (trackCount_ == 0) channelUsed_ = {};
    const int channel = NextSongChannel(channelUsed_);
    if (channel < 0) return DaDurStatus::Failure(kErrInvalidCall, "最多只能同时播放15个音轨。");
    channelUsed_[static_cast<size_t>(channel)] = true;

    std::vector<aCodeEvent> notes(PlayNoteAdd, PlayNoteAdd + NoteCount);
    const float beat = 60000.0f / static_cast<float>(info.Bpm);
    for (aCodeEvent& e : notes) e.DelayTimer *= beat;

    const aTrackInfo& t = info.Track[static_cast<size_t>(iTrack) - 1];
    auto player = std::make_unique<Playing>(shared_);
    player->通道(static_cast<int16_t>(channel));
    player->主音轨(info.MainTrack == iTrack);
    player->通道音量(t.Volume);
    player->乐器改变(t.ComSounds);
    // The start delay counts 32nd notes.
    const double delay = RoundHalfEven(static_cast<int32_t>(t.DelayTimer) * 60000 / static_cast<double>(info.Bpm) / 8);
    player->延迟时间(static_cast<int16_t>(std::clamp(delay, 0.0, 32767.0)));
    player->演奏类型(0);
    player->声像(t.SoundImage);
    player->SetTrackPlayNote(notes.data(), NoteCount);
    player->Ended = [this] { PlayerEnded(); };

    tracks_.resize(static_cast<size_t>(trackCount_));
    tracks_.push_back(std::move(player));
    ++trackCount_;
    return {};
}

DaDurStatus PlayNote::SetDrumCodes(XjDrumData* PlayDrumAdd, int16_t DrumCount) {
    return drum_->SetDrumCodes(PlayDrumAdd, DrumCount);
}

DaDurStatus PlayNote::BeginPlay() {
    paused_ = false;
    if (!open_) {
        if (!OpenMidiOut()) return DaDurStatus::Failure(kErrInvalidCall, "无法打开MIDI设备");
        // The channel setup sent while the output was closed was lost.
        for (int i = 0; i < trackCount_; ++i) tracks_[static_cast<size_t>(i)]->SendSetup();
        if (IsTrue(shared_.Settings.IsPlayDrum)) drum_->SendSetup();
    }
    for (int i = 0; i < trackCount_; ++i) tracks_[static_cast<size_t>(i)]->开始演奏();
    if (IsTrue(shared_.Settings.IsPlayDrum)) drum_->开始演奏();
    return {};
}

void PlayNote::CloseMusic() {
    bool wasPlaying = false;
    closing_ = true;
    for (int i = 0; i < trackCount_; ++i) {
        Playing& p = *tracks_[static_cast<size_t>(i)];
        wasPlaying = wasPlaying || p.IsPlaying();
        p.关闭演奏();
    }
    if (drum_->演奏类型() == 1) drum_->关闭演奏();
    closing_ = false;
    trackCount_ = 0;
    // Last, as its handler may release this object.
    if (wasPlaying && shared_.Notify) shared_.Notify(WM_ShowPlayPos, -1);
}

void PlayNote::PlayerEnded() {
    if (closing_) return;
    for (int i = 0; i < trackCount_; ++i)
        if (tracks_[static_cast<size_t>(i)]->IsPlaying()) return;
    if (drum_->演奏类型() == 1) drum_->关闭演奏();
    if (shared_.Notify) shared_.Notify(WM_ShowPlayPos, -1);
}

DaDurStatus PlayNote::PlayingListDrum(XjDrumData* Address0, int16_t StartIndex, int16_t EndIndex, int32_t count) {
    paused_ = false;
    return drum_->PlayingListDrum(Address0, StartIndex, EndIndex, count);
}

void PlayNote::CloseListDrum() {
    drum_->关闭演奏();
}

void PlayNote::暂停(bool value) {
    paused_ = value;
    for (int i = 0; i < trackCount_; ++i) tracks_[static_cast<size_t>(i)]->暂停(value);
    if (IsTrue(shared_.Settings.IsPlayDrum)) drum_->暂停(value);
}

void PlayNote::PlayaOneDrumNote(int16_t DrumSounds, uint8_t DrumVolume) {
    drum_->PlayOneDrum(DrumSounds, DrumVolume);
}

}  // namespace tessaly
