// Playback of the document behind the members 播放音乐, 暂停, 关闭音乐 and 正在播放. The players
// report to the editor's window (WM_ShowPlayPos), whose handler shows the note and, at the end,
// stops here.
#include "control/EditorMessages_win.h"
#include "control/Editor_win.h"
#include "control/Handlers_win.h"
#include "control/MusicPlayer_win.h"
#include "records/Messages.h"

namespace notaline {

void BeginPlayMusic(Editor& ed) {
    if (!ed.Player) ed.Player = std::make_unique<MusicPlayer>();
    MusicNoteGet& music = ed.Player->Music;
    music.TellHost = [&ed](int32_t state) { ed.Tell(tessaly::EM_PlayInfo, static_cast<WPARAM>(state), 0); };
    music.Warn = [&ed](std::string_view text) { ed.ShowMessage(text); };
    music.PostRelease = [&ed] { PostMessageW(ed.Window, kReleaseStoppedPlayers, 0, 0); };
    // The warning that no output could be opened comes before the player knows its window.
    ed.Player->Windows.Shared.Target = reinterpret_cast<intptr_t>(ed.Window);
    music.BeginPlayMusic(ed.Data, reinterpret_cast<intptr_t>(ed.Window));
}

void SetPlayPause(Editor& ed, bool pause) {
    if (ed.Player) ed.Player->Music.SetPlayPause(pause);
}

void StopPlayMusic(Editor& ed) {
    if (ed.Player)
        ed.Player->Music.StopPlayMusic();
    else
        ed.Tell(tessaly::EM_PlayInfo, 1, 0);
}

void ReleaseStoppedPlayers(Editor& ed) {
    if (ed.Player) ed.Player->Music.ReleaseStopped();
}

bool IsPlayingMusic(const Editor& ed) {
    return ed.Player && ed.Player->Music.IsPlayingMusic();
}

// The drum-pattern editor's audition reports go to the editor while it is open.
void PlayDrumFrmInfo(Editor& ed, int32_t row) {
    if (ed.PlaySettings.DrumProgress) ed.PlaySettings.DrumProgress(row);
}

}  // namespace notaline
