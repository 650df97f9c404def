#pragma once
#include "PlayMidi_win.h"
#include "music/MusicNoteGet.h"

namespace notaline {

// An editor's playback: its own MIDI output and timers, and the document's player over them.
struct MusicPlayer {
    tessaly::WindowsPlayback Windows;
    MusicNoteGet Music{Windows.Shared};
};

}  // namespace notaline
