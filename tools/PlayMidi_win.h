#pragma once
#include <windows.h>
#include <mmsystem.h>

#include "PlayMidi.h"

namespace tessaly {

// The MIDI mapper through the multimedia API, opened with no callback.
class WinMidiOut final : public MidiOut {
public:
    ~WinMidiOut() override { Close(); }
    int32_t Open() override;
    void Close() override;
    // Dropped while the output is not open.
    void ShortMsg(uint32_t message) override;

private:
    HMIDIOUT handle_ = nullptr;
};

class TickCountClock final : public PlayClock {
public:
    uint32_t Milliseconds() override { return GetTickCount(); }
};

// Fills in the window system's side of the shared state: the output, the clock, messages sent to
// the target window, the message pump and the warning that no output could be opened.
void UseWindowsPlayback(PlayMidi& shared, WinMidiOut& out, TickCountClock& clock);

}  // namespace tessaly
