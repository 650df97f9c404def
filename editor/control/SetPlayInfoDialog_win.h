#pragma once
#include <windows.h>

namespace notaline {

class Editor;
class SetPlayInfoForm;

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

namespace drum_editor {
enum Id : int {
    kTab = 200,
    kBarList,
    kTemplateList,
    kName,
    kStart,
    kGrid,
    kSpeed,
    kMetre,
    kAccent,
    kHaveDrum,
    kMirror,
    kClear,
    kSave,
    kAudition,
    kChannel0,
    kVolume0 = kChannel0 + 8,
    kSound0 = kVolume0 + 8,
    kPan0 = kSound0 + 8,
    kSpeedSpin = kPan0 + 8,
    kVolumeSpin0,
    kLastAreaControl = kVolumeSpin0 + 7,
    kStatus,
    kSoundFaces,  // the sound and metre lists' faces until the lists are made
    kMetreFace,
    kChannelFaces,  // the channel rows and pan sliders as drawn at opening, until they are made
    kPanFaces,
};
}  // namespace drum_editor

// The play settings dialog "参数设置...", modal; returns when it closes with OK or Cancel.
void ShowSetPlayInfo(Editor& ed);
// The drum pattern editor over the working patterns, modal to `owner`; `settings` gives the main
// track's singing order and the bar list.
void ShowDrumEditor(Editor& ed, HWND owner, const SetPlayInfoForm& settings);
// The member EditDrum: the working patterns made as the drum button makes them, then the editor.
void EditDrum(Editor& ed);

}  // namespace notaline
