// The playback menu: the editor plays; its items follow what the editor reports right after
// each call, and again when the menu opens.
#include "MainWindow_win.h"
#include "MenuStates_win.h"
#include "Modules_win.h"

namespace tavolin {
namespace {

bool Paused(IZEVudu& z) {
    VARIANT_BOOL paused = VARIANT_FALSE;
    z.get_暂停(&paused);
    return paused != VARIANT_FALSE;
}

void PlayMusic_Click(MainWindow& form) {
    IZEVudu* z = form.Editor();
    if (!z) return;
    z->播放音乐();
    ApplyMenuStates(form, "Play");
}

void PausePlay_Click(MainWindow& form) {
    IZEVudu* z = form.Editor();
    if (!z) return;
    VARIANT_BOOL toggled = Paused(*z) ? VARIANT_FALSE : VARIANT_TRUE;
    z->put_暂停(&toggled);
    ApplyMenuStates(form, PauseToggledStates(Paused(*z)));
}

void CloesMusic_Click(MainWindow& form) {
    if (IZEVudu* z = form.Editor()) z->关闭音乐();
    form.SetMenuCaption("PausePlay", -1, PauseCaption(false));
}

}  // namespace

void RegisterPlaySettings(MainWindow& form) {
    CommandRouter& router = form.Router();
    router.Add("Play", [&form](int) { ApplyMenuStates(form, "Play"); });
    router.Add("PlayMusic", [&form](int) { PlayMusic_Click(form); });
    router.Add("PausePlay", [&form](int) { PausePlay_Click(form); });
    router.Add("CloesMusic", [&form](int) { CloesMusic_Click(form); });
    router.Add("SetPlaying", [&form](int) {
        if (IZEVudu* z = form.Editor()) z->设置演唱参数();
    });
    router.Add("演奏设置", [](int) {});
}

}  // namespace tavolin
