#pragma once
#include <windows.h>

namespace notaline {

class Editor;

// The dialog's controls, for those who drive it by messages.
namespace play_settings {
enum Id : int {
    kTab = 100,
    kStatus,
    kTotalTrackCombo,
    kMainTrackCob,
    kText4,
    kCombo节拍,
    kCheck3,
    kDrumVolumeLabel,
    kDrumVolumeTxt,
    kDrumCountLabel,
    kDrumCountTxt,
    kCmdDrumEdit,
    kCheck1,
    kComboSound,
    kText音量,
    kText声像,
    kCom音调,
    kText2,
    kPlayOrderText,
    kShowXjxWin1,
    kText1,
    kText3,
    kText5,
};
}  // namespace play_settings

// The play settings dialog "参数设置...", modal; returns when it closes with OK or Cancel.
void ShowSetPlayInfo(Editor& ed);
// The member EditDrum: the working patterns made as the drum button makes them, then the editor.
void EditDrum(Editor& ed);

}  // namespace notaline
