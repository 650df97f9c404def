#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "records/Playback.h"

namespace tessaly {

// The millisecond clock the players measure their ticks with.
class PlayClock {
public:
    virtual ~PlayClock() = default;
    virtual uint32_t Milliseconds() = 0;
};

// A timer whose Timer event comes on the user-interface thread one interval after the previous
// one (or after it was switched on); an interval of 0 or less fires as soon as possible, and an
// interval put inside the handler sets the next wait. The handler may release the timer.
class PlayTimer {
public:
    virtual ~PlayTimer() = default;
    virtual void Interval(int32_t ms) = 0;
    virtual int32_t Interval() const = 0;
    virtual void Enabled(bool on) = 0;
    virtual bool Enabled() const = 0;

    std::function<void()> Timer;
};

// A MIDI output opened once: short messages, status in the low byte.
class MidiOut {
public:
    virtual ~MidiOut() = default;
    // 0 when opened, else the system's result code.
    virtual int32_t Open() = 0;
    virtual void Close() = 0;
    virtual void ShortMsg(uint32_t message) = 0;
};

// What the players of one user-interface thread share: the output, the clock, a maker of timers,
// the target window's messages and the play settings.
struct PlayMidi {
    MidiOut* Out = nullptr;
    PlayClock* Clock = nullptr;
    std::function<std::unique_ptr<PlayTimer>()> MakeTimer;
    // Sent to the target window and handled before it returns (WM_ShowPlayPos, EM_PlayDrumFrmInfo).
    std::function<void(uint32_t message, int32_t wParam)> Notify;
    // Lets pending window messages run.
    std::function<void()> DoEvents;
    // Called as each player's Timer handler ends, the player still alive and out of its tick.
    std::function<void()> TickEnded;
    // The warning that the output could not be opened.
    std::function<void()> WarnNoMidi;
    aPlayInfo Settings;
    intptr_t Target = 0;  // the window the messages go to
};

// An output that keeps the messages it is sent while open, for tests and for checking what
// playback sends.
class RecordingMidiOut : public MidiOut {
public:
    int32_t Open() override {
        ++Opens;
        open = OpenResult == 0;
        return OpenResult;
    }
    void Close() override {
        ++Closes;
        open = false;
    }
    void ShortMsg(uint32_t message) override {
        if (open) Messages.push_back(message);
    }

    int32_t OpenResult = 0;
    bool open = false;
    int Opens = 0;
    int Closes = 0;
    std::vector<uint32_t> Messages;
};

inline constexpr int kPlayDrumChannel = 9;

// One short message: status, then the data bytes, each data byte kept to its low 8 bits.
inline uint32_t MidiShortMessage(int status, int data1, int data2) {
    return static_cast<uint32_t>(status & 0xFF) | static_cast<uint32_t>(data1 & 0xFF) << 8 |
           static_cast<uint32_t>(data2 & 0xFF) << 16;
}

}  // namespace tessaly
