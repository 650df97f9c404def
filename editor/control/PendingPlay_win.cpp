// Until its module is written, playback: do nothing, so the control runs without it.
#include "control/Handlers_win.h"

namespace notaline {

void BeginPlayMusic(Editor&) {}
void SetPlayPause(Editor&, bool) {}
void StopPlayMusic(Editor&) {}
bool IsPlayingMusic(const Editor&) {
    return false;
}
void PlayDrumFrmInfo(Editor&, int32_t) {}

}  // namespace notaline
