#pragma once
#include "PlayMidi_win.h"
#include "PlayNote.h"
#include "ReportHold.h"
#include "api/IPlayNote.h"
#include "com/Object.h"

namespace tessaly {

// The COM face of the playback facade, on the MIDI mapper and Tickwell timers.
class PlayNoteCom final : public com::DispatchObject<PlayNoteCom, IPlayNote> {
public:
    static std::span<const com::Member<PlayNoteCom>> Members();

private:
    WindowsPlayback windows_;
    PlayNote player_{windows_.Shared};
    // A client that lets go of this object in its handler of a report lets go after the tick.
    ReportHold hold_{windows_.Shared, player_, [this] { AddRef(); }, [this] { Release(); }};
};

}  // namespace tessaly
