#include "control/DrumEditorRows_win.h"

#include <commctrl.h>

#include <iterator>
#include <vector>

namespace notaline::drum_editor {
namespace {

constexpr DWORD kSpin = UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_NOTHOUSANDS;
constexpr const wchar_t* kListTip = L"鼠标右击显示菜单...";
constexpr DWORD kListStyle = WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_TABSTOP;
constexpr DWORD kNumberBox = ES_NUMBER | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP;
constexpr const wchar_t* kSpeedTip = L"音速：30-255,一般与主旋律一致";
constexpr const wchar_t* kPanTip = L"声像，确定乐器在立体声场中的位置...";

const win::DialogControl kControls[] = {
    {WC_TABCONTROLW, kTab, L"", nullptr, {8, 8, 200, 416}, WS_CLIPSIBLINGS},
    {L"LISTBOX", kBarList, L"", kListTip, {16, 36, 184, 380}, kListStyle},
    {L"LISTBOX", kTemplateList, L"", kListTip, {16, 36, 184, 380}, kListStyle},
    {L"BUTTON", 0, L"鼓点结构/编辑窗口", nullptr, {212, 4, 640, 420}, BS_GROUPBOX},
    {L"STATIC", 0, L"名称：", nullptr, {224, 28, 44, 20}, 0},
    {L"EDIT", kName, L"", L"鼓点之间相互区别的标识", {268, 24, 180, 22}, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP},
    {L"STATIC", 0, L"对应小节光标：", nullptr, {460, 28, 100, 20}, 0},
    {L"EDIT", kStart, L"", nullptr, {560, 24, 80, 22}, ES_AUTOHSCROLL | ES_READONLY | WS_BORDER},
    {L"BUTTON", 0, L"通道可用性、音量、乐器", nullptr, {220, 52, 262, 236}, BS_GROUPBOX},
    {L"STATIC", kSoundFaces, L"", nullptr, {318, 68, 158, 7 * kRowStride + kListFaceHeight}, SS_OWNERDRAW},
    {L"STATIC", kChannelFaces, L"", nullptr, kRowsBox, SS_OWNERDRAW},
    {L"STATIC", kPanFaces, L"", nullptr, kPansBox, SS_OWNERDRAW},
    {L"BUTTON", 0, L"节奏", nullptr, {488, 52, 356, 236}, BS_GROUPBOX},
    {L"STATIC", kGrid, L"", nullptr, {kGridAt.x, kGridAt.y, 340, 220}, SS_OWNERDRAW | SS_NOTIFY},
    {L"BUTTON", 0, L"声像", nullptr, {220, 294, 362, 124}, BS_GROUPBOX},
    {L"STATIC", 0, L"速度(拍/分钟)：", nullptr, {592, 302, 100, 20}, 0},
    {L"EDIT", kSpeed, L"", kSpeedTip, {692, 298, 64, 22}, kNumberBox},
    {UPDOWN_CLASSW, kSpeedSpin, L"", kSpeedTip, {0, 0, 0, 0}, kSpin},
    {L"STATIC", 0, L"拍号：", nullptr, {592, 330, 100, 20}, 0},
    {L"STATIC", kMetreFace, L"", nullptr, {692, 326, 80, kListFaceHeight}, SS_OWNERDRAW},
    {L"COMBOBOX", kMetre, L"", nullptr, {692, 326, 80, 300}, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP},
    {L"STATIC", kAccent, L"", nullptr, {592, 356, 252, 34}, 0},
    {L"BUTTON", kHaveDrum, L"鼓点在歌曲中可用", nullptr, {592, 394, 150, 22}, BS_AUTOCHECKBOX | WS_TABSTOP},
    {L"BUTTON", kMirror, L"", L"互换、镜像", {548, 340, 28, 28}, BS_OWNERDRAW},
    {L"BUTTON", kClear, L"清除", L"清除编辑窗口内容", {776, 296, 68, 24}, WS_TABSTOP},
    {L"BUTTON", kSave, L"覆盖保存", nullptr, {776, 324, 68, 24}, WS_TABSTOP},
    {L"BUTTON", kAudition, L"试听", nullptr, {776, 394, 68, 24}, WS_TABSTOP},
};

// Channel 0's controls; the others follow a row lower each, or the pan sliders four a row.
const win::DialogControl kChannelControls[] = {
    {L"BUTTON", kChannel0, L"1", L"通道可用性...", {228, 70, 36, 20}, BS_AUTOCHECKBOX | WS_TABSTOP},
    {L"EDIT", kVolume0, L"", L"音量(0-127)", {266, 70, 48, 20}, kNumberBox},
    {UPDOWN_CLASSW, kVolumeSpin0, L"", L"音量(0-127)", {0, 0, 0, 0}, kSpin},
    {L"COMBOBOX", kSound0, L"", L"乐器选择...", {318, 68, 158, 300}, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP},
    {TRACKBAR_CLASSW, kPan0, L"", kPanTip, {228, 314, 76, 30}, TBS_HORZ | TBS_NOTICKS | WS_TABSTOP},
};

}  // namespace

// Made disabled, rather than disabled one control at a time.
std::span<const win::DialogControl> Rows() {
    static const std::vector<win::DialogControl> rows = [] {
        static const wchar_t* const kNumbers[] = {L"1", L"2", L"3", L"4", L"5", L"6", L"7", L"8"};
        std::vector<win::DialogControl> all(std::begin(kControls), std::end(kControls));
        for (int ch = 0; ch < 8; ++ch)
            for (win::DialogControl c : kChannelControls) {
                if (c.Id == kPan0)
                    c.Box.left += (ch % 4) * 80, c.Box.top += (ch / 4) * 42;
                else
                    c.Box.top += ch * kRowStride;
                if (c.Id == kChannel0) c.Text = kNumbers[ch];
                c.Id += ch;
                all.push_back(c);
            }
        for (win::DialogControl& c : all)
            if (c.Id >= kName && c.Id <= kLastAreaControl) c.Style |= WS_DISABLED;
        all.push_back({STATUSCLASSNAMEW, kStatus, L"", nullptr, {0, 0, 0, 0}, 0});
        return all;
    }();
    return rows;
}

const win::DialogControl& Row(int id) {
    static const win::DialogControl none{};
    for (const win::DialogControl& c : Rows())
        if (c.Id == id) return c;
    return none;
}

bool IsChannelRow(int id) {
    return (id >= kChannel0 && id < kVolume0 + 8) || (id >= kPan0 && id < kPan0 + 8) ||
           (id >= kVolumeSpin0 && id <= kLastAreaControl);
}

}  // namespace notaline::drum_editor
