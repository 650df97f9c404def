#include "Playing.h"

#include <algorithm>
#include <cmath>

#include "FileErrors.h"
#include "records/Messages.h"
#include "records/Numbers.h"

namespace tessaly {
namespace {

// Data bytes stay below 128, or they would read as a status.
int DataByte(int value) {
    return std::clamp(value, 0, 127);
}

enum PlayType : int32_t { kSongNotes = 0, kSongDrums = 1, kDrumList = 2 };

}  // namespace

Playing::Playing(PlayMidi& shared) : shared_(shared) {
    if (shared_.MakeTimer) timer_ = shared_.MakeTimer();
    if (timer_) timer_->Timer = [this] { Tick(); };
}

Playing::~Playing() {
    *alive_ = false;
    if (playing_) Silence();
    if (timer_) {
        timer_->Enabled(false);
        timer_->Timer = nullptr;
    }
}

void Playing::Controller(int ch, int number, int value) {
    if (shared_.Out) shared_.Out->ShortMsg(MidiShortMessage(0xB0 + (ch & 15), DataByte(number), DataByte(value)));
}

void Playing::NoteOn(int ch, int key, int velocity) {
    if (shared_.Out) shared_.Out->ShortMsg(MidiShortMessage(0x90 + (ch & 15), DataByte(key), DataByte(velocity)));
}

void Playing::NoteOff(int ch, int key) {
    if (shared_.Out) shared_.Out->ShortMsg(MidiShortMessage(0x80 + (ch & 15), DataByte(key), 0));
}

void Playing::Silence() {
    if (soundingKey_ >= 0) NoteOff(channel_, soundingKey_);
    soundingKey_ = -1;
    for (int key = 0; key < 128; ++key)
        if (drumKeys_[static_cast<size_t>(key)]) NoteOff(kPlayDrumChannel, key);
    drumKeys_.reset();
}

void Playing::暂停(bool value) {
    if (!timer_) return;
    if (value) {
        timer_->Enabled(false);
        Silence();
    } else if (playing_) {
        timer_->Enabled(true);
    }
}

bool Playing::暂停() const {
    return !timer_ || !timer_->Enabled();
}

void Playing::通道音量(uint8_t value) {
    volume_ = value;
    Controller(channel_, 7, value);
}

void Playing::乐器改变(int16_t value) {
    program_ = static_cast<uint8_t>(value);
    Controller(channel_, 0, 0);
    if (shared_.Out) shared_.Out->ShortMsg(MidiShortMessage(0xC0 + (channel_ & 15), DataByte(program_), 0));
}

void Playing::声像(int16_t value) {
    pan_ = static_cast<uint8_t>(value);
    Controller(channel_, 10, pan_);
}

DaDurStatus Playing::鼓点速度(int16_t bpm) {
    if (bpm <= 0) return DaDurStatus::Failure(kErrInvalidCall, "tempo must be above 0");
    stepTime_ = 60000.0f / bpm / 4;
    return {};
}

int16_t Playing::鼓点速度() const {
    return static_cast<int16_t>(std::nearbyint(stepTime_));
}

DaDurStatus Playing::SetTrackPlayNote(const aCodeEvent* notes, int32_t count) {
    if (!notes || count < 1) return DaDurStatus::Failure(kErrInvalidCall, "a track needs at least one note");
    notes_.assign(notes, notes + count);
    return {};
}

DaDurStatus Playing::SetDrumCodes(XjDrumData* address, int16_t count) {
    if (!address || count < 1) return DaDurStatus::Failure(kErrInvalidCall, "no drum patterns");
    if (shared_.Settings.Bpm <= 0) return DaDurStatus::Failure(kErrInvalidCall, "tempo must be above 0");
    patterns_.ViewRecords(address, count);
    channel_ = kPlayDrumChannel;
    通道音量(shared_.Settings.DrumVolume);
    delay_ = 0;
    type_ = kSongDrums;
    stepTime_ = 60000.0f / shared_.Settings.Bpm / 4;
    return {};
}

DaDurStatus Playing::PlayingListDrum(XjDrumData* address0, int16_t start, int16_t end, int32_t count) {
    if (!address0 || start < 0 || start > end || end >= count)
        return DaDurStatus::Failure(kErrInvalidCall, "no such drum patterns");
    patterns_.ViewRecords(address0, count);
    if (patterns_.DrumSpeed(start) == 0) return DaDurStatus::Failure(kErrInvalidCall, "the pattern's tempo is 0");
    if (playing_) 关闭演奏();
    delay_ = 0;
    channel_ = kPlayDrumChannel;
    pattern_ = start;
    lastPattern_ = end;
    type_ = kDrumList;
    通道音量(127);
    stepTime_ = 60000.0f / patterns_.DrumSpeed(start) / 4;
    开始演奏();
    return {};
}

void Playing::开始演奏() {
    if (!timer_) return;
    if (type_ == kSongNotes) {
        if (notes_.empty()) return;
        note_ = 0;
        lastNote_ = static_cast<int32_t>(notes_.size()) - 1;
    } else if (type_ == kSongDrums) {
        if (patterns_.DrumCount() < 1) return;
        pattern_ = 0;
        lastPattern_ = static_cast<int16_t>(patterns_.DrumCount() - 1);
    }
    // Each start plays from a bar's beginning with no carry left from an earlier run.
    step_ = 0;
    carry_ = 0;
    playing_ = true;
    timer_->Enabled(true);
    timer_->Interval(delay_);
    if (type_ == kDrumList && shared_.Notify) shared_.Notify(EM_PlayDrumFrmInfo, -1);
}

void Playing::关闭演奏() {
    if (!playing_) return;
    // Cleared first, so that a stop reached again from the report below ends there.
    playing_ = false;
    if (timer_) timer_->Enabled(false);
    Silence();
    if (Ended) {
        Ended();
        return;
    }
    if (!shared_.Notify) return;
    if (type_ == kSongNotes)
        shared_.Notify(WM_ShowPlayPos, -1);
    else if (type_ == kDrumList)
        shared_.Notify(EM_PlayDrumFrmInfo, -2);
}

void Playing::SendSetup() {
    通道音量(volume_);
    if (channel_ != kPlayDrumChannel) {
        乐器改变(program_);
        声像(pan_);
    }
}

void Playing::PlayOneDrum(int16_t key, uint8_t velocity) {
    NoteOn(kPlayDrumChannel, key, velocity);
}

void Playing::Correct(float length, uint32_t t0) {
    const float whole = std::floor(length);
    carry_ += length - whole;
    int32_t extra = 0;
    if (std::floor(carry_) >= 1) {
        carry_ -= 1;
        extra = 1;
    }
    const uint32_t t1 = shared_.Clock ? shared_.Clock->Milliseconds() : t0;
    const int32_t took = static_cast<int32_t>(t1 - t0);
    const double next = static_cast<double>(whole) - took + extra;
    timer_->Interval(static_cast<int32_t>(std::clamp(next, -2147483648.0, 2147483647.0)));
}

void Playing::Tick() {
    if (!playing_) return;
    const auto alive = alive_;
    ++ticks_;
    const uint32_t t0 = shared_.Clock ? shared_.Clock->Milliseconds() : 0;
    if (type_ == kSongNotes)
        SongTick(t0);
    else
        DrumTick(t0);
    if (!*alive) return;
    --ticks_;
    if (shared_.TickEnded) shared_.TickEnded();
}

bool Playing::SongTick(uint32_t t0) {
    const auto alive = alive_;
    if (note_ > lastNote_) {
        关闭演奏();
        return false;
    }
    const aCodeEvent e = notes_[static_cast<size_t>(note_)];
    if (e.DelayTimer != 0 && !IsTrue(e.Null)) {
        // The key actually sounding, which a silent or empty event before this one left on.
        if (soundingKey_ >= 0) NoteOff(channel_, soundingKey_);
        NoteOn(channel_, e.Audio, e.Volume);
        soundingKey_ = e.Volume > 0 ? DataByte(e.Audio) : -1;
        if (shared_.DoEvents) shared_.DoEvents();
        if (Gone(alive)) return false;
        if (main_ && shared_.Notify) shared_.Notify(WM_ShowPlayPos, e.SelStart);
        if (Gone(alive)) return false;
    }
    Correct(std::isfinite(e.DelayTimer) ? std::max(e.DelayTimer, 0.0f) : 0.0f, t0);
    ++note_;
    return true;
}

bool Playing::DrumTick(uint32_t t0) {
    const auto alive = alive_;
    if (step_ >= patterns_.DrumTime(pattern_)) {
        step_ = 0;
        if (pattern_ >= lastPattern_) {
            关闭演奏();
            return false;
        }
        ++pattern_;
        if (type_ == kDrumList && shared_.Notify) shared_.Notify(EM_PlayDrumFrmInfo, pattern_);
        if (Gone(alive)) return false;
    }
    if (type_ == kSongDrums && shared_.DoEvents) {
        shared_.DoEvents();
        if (Gone(alive)) return false;
    }
    for (int c = 0; c < kDrumChannels; ++c) {
        if (type_ == kDrumList && shared_.DoEvents) {
            shared_.DoEvents();
            if (Gone(alive)) return false;
        }
        if (!patterns_.DrumChannel(pattern_, c) || !patterns_.DrumRhythms(pattern_, step_, c)) continue;
        Controller(kPlayDrumChannel, 10, patterns_.DrumSoundImage(pattern_, c));
        int velocity = patterns_.DrumVolume(pattern_, c);
        if (type_ == kSongDrums && patterns_.HaveDrum(pattern_) != 1) velocity = 0;
        const int key = DataByte(patterns_.DrumSounds(pattern_, c) + 13);
        NoteOn(kPlayDrumChannel, key, velocity);
        if (velocity > 0) drumKeys_.set(static_cast<size_t>(key));
    }
    Correct(stepTime_, t0);
    ++step_;
    return true;
}

}  // namespace tessaly
