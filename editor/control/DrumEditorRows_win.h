#pragma once
#include <windows.h>

#include <span>

#include "win/DialogKit_win.h"

// The drum editor's controls: where each stands, what it says, and which are made later.
namespace notaline::drum_editor {

// The dialog's controls, for those who drive it by messages.
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

// The grid's frame origin in the dialog; twips over 15 inside it.
constexpr POINT kGridAt = {496, 66};
constexpr int kRowStride = 27;  // one channel row of the channel frame
// A drop-down list's height in the dialog's font, for the faces that stand in for them.
constexpr int kListFaceHeight = 21;
// The channel rows' and the pan sliders' boxes, each a little wider than its controls.
constexpr RECT kRowsBox = {226, 68, 92, 7 * kRowStride + 24}, kPansBox = {226, 312, 320, 76};
constexpr SIZE kClient = {860, 452};

// The dialog's rows in the order they are made: the table, each channel's five, the status bar.
// The editing area starts disabled.
std::span<const win::DialogControl> Rows();
// The row of `id`; an empty one when the table has none.
const win::DialogControl& Row(int id);

// A channel's on box, volume and its arrows, or pan slider.
bool IsChannelRow(int id);
inline bool IsSoundList(int id) {
    return id >= kSound0 && id < kSound0 + 8;
}
inline int ListId(int list) {
    return list == 0 ? kBarList : kTemplateList;
}

}  // namespace notaline::drum_editor
