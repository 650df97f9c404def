#pragma once
#include <bitset>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "DaDurReader.h"
#include "DrumPatterns.h"
#include "PlayMidi.h"
#include "records/Playback.h"

namespace tessaly {

// Sounds one song track, or a run of drum patterns, in real time on its own timer. Every note it
// sounds is switched off when it stops or pauses, so nothing hangs.
class Playing {
public:
    explicit Playing(PlayMidi& shared);
    ~Playing();
    Playing(const Playing&) = delete;
    Playing& operator=(const Playing&) = delete;

    // Drum-list audition of patterns start to end of the caller's records, which must outlive it.
    DaDurStatus PlayingListDrum(XjDrumData* address0, int16_t start, int16_t end, int32_t count);

    void 暂停(bool value);
    bool 暂停() const;
    void 通道(int16_t value) { channel_ = value; }
    int16_t 通道() const { return channel_; }
    void 通道音量(uint8_t value);
    uint8_t 通道音量() const { return volume_; }
    void 乐器改变(int16_t value);
    int16_t 乐器改变() const { return program_; }
    void 延迟时间(int16_t value) { delay_ = value; }
    int16_t 延迟时间() const { return delay_; }
    void 演奏类型(int32_t value) { type_ = value; }
    int32_t 演奏类型() const { return type_; }
    void 声像(int16_t value);
    int16_t 声像() const { return pan_; }
    DaDurStatus 鼓点速度(int16_t bpm);
    int16_t 鼓点速度() const;
    void 主音轨(bool value) { main_ = value; }
    bool 主音轨() const { return main_; }

    // Song drums: the caller's `count` patterns, which must outlive the playing.
    DaDurStatus SetDrumCodes(XjDrumData* address, int16_t count);
    void 开始演奏();
    // Stops once: a second call while stopped does nothing and reports nothing.
    void 关闭演奏();
    DaDurStatus SetTrackPlayNote(const aCodeEvent* notes, int32_t count);
    void PlayOneDrum(int16_t key, uint8_t velocity);

    bool IsPlaying() const { return playing_; }
    // True while its Timer handler runs (reports and pumped messages included): releasing it then
    // would pull the timer out from under its own event.
    bool InTick() const { return ticks_ > 0; }
    // Sends the channel's volume, program and pan again, for an output opened late.
    void SendSetup();

    // When set, called at every stop in place of the stop report; it may release this player.
    std::function<void()> Ended;

private:
    void Tick();
    bool SongTick(uint32_t t0);
    bool DrumTick(uint32_t t0);
    void Correct(float length, uint32_t t0);
    void Controller(int ch, int number, int value);
    void NoteOn(int ch, int key, int velocity);
    void NoteOff(int ch, int key);
    void Silence();
    bool Gone(const std::shared_ptr<bool>& alive) const { return !*alive || !playing_; }

    PlayMidi& shared_;
    std::unique_ptr<PlayTimer> timer_;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
    std::vector<aCodeEvent> notes_;
    分析鼓点 patterns_;
    int32_t type_ = 0;
    int16_t pattern_ = 0;
    int16_t lastPattern_ = 0;
    int32_t note_ = 0;
    int32_t lastNote_ = -1;
    bool main_ = false;
    uint8_t volume_ = 0;
    int16_t channel_ = 0;
    int16_t delay_ = 0;
    uint8_t pan_ = 0;
    uint8_t program_ = 0;
    float carry_ = 0;
    int16_t step_ = 0;
    float stepTime_ = 0;
    bool playing_ = false;
    int ticks_ = 0;              // Timer handlers running, nested by pumped messages
    int soundingKey_ = -1;       // the song note left sounding, -1 for none
    std::bitset<128> drumKeys_;  // drum keys sounded since the last silence
};

}  // namespace tessaly
