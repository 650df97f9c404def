#pragma once
#include <functional>
#include <memory>

#include "PlayMidi.h"
#include "PlayNote.h"

namespace tessaly {

// Holds the owner of a PlayNote across the reports its players send from inside their ticks,
// where a client may drop its last reference (the end of a drum audition, say), and lets go once
// that tick has ended, from an event of a timer of its own, never inside the player's handler.
// Made after the PlayNote; it takes over the shared state's Notify and TickEnded.
class ReportHold {
public:
    ReportHold(PlayMidi& shared, const PlayNote& player, std::function<void()> hold, std::function<void()> letGo);
    ~ReportHold();
    ReportHold(const ReportHold&) = delete;
    ReportHold& operator=(const ReportHold&) = delete;

    bool Held() const { return held_; }

private:
    void LetGoWhenOut();

    PlayMidi& shared_;
    const PlayNote& player_;
    std::function<void()> hold_;
    std::function<void()> letGo_;
    std::function<void(uint32_t, int32_t)> send_;  // the Notify it wraps
    std::unique_ptr<PlayTimer> timer_;
    bool held_ = false;
};

}  // namespace tessaly
