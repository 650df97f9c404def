// The drum pattern editor "鼓点编辑...": the bar patterns and the templates on a tab strip, and
// the editing area with its rhythm grid, over the play settings' working patterns.
#include <windows.h>
#include <commctrl.h>
#include <uxtheme.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "PlayNote.h"
#include "com/Create.h"
#include "com/Module.h"
#include "control/DialogTexts_win.h"
#include "control/Editor_win.h"
#include "control/MusicPlayer_win.h"
#include "control/SetPlayInfoDialog_win.h"
#include "music/DrumEditForm.h"
#include "records/Dialogs.h"
#include "records/Messages.h"
#include "records/Numbers.h"
#include "text/Cp936.h"
#include "win/DialogKit_win.h"
#include "win/GdiHandles.h"

namespace notaline {

using namespace drum_editor;
using namespace dialog_texts;

namespace {

enum Menu : int {
    kMenuEdit = 300,
    kMenuCopy,
    kMenuPaste,
    kMenuDefault,
    kMenuDelete,
    kMenuCoverAll,
    kMenuAudition,
    kMenuPlayAll,
    kMenuStop,
    kMenuSave,
};

// The grid's frame origin in the dialog; twips over 15 inside it.
constexpr POINT kGridAt = {496, 66};
constexpr int kRowStride = 27;  // one channel row of the channel frame
constexpr DWORD kSpin = UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_NOTHOUSANDS;
constexpr const wchar_t* kListTip = L"鼠标右击显示菜单...";
// A drop-down list's height in the dialog's font, for the faces that stand in for them.
constexpr int kListFaceHeight = 21;
constexpr DWORD kListStyle = WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_TABSTOP;
constexpr DWORD kNumberBox = ES_NUMBER | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP;
constexpr const wchar_t* kSpeedTip = L"音速：30-255,一般与主旋律一致";
constexpr const wchar_t* kPanTip = L"声像，确定乐器在立体声场中的位置...";

// The channel rows' and the pan sliders' boxes, each a little wider than its controls.
constexpr RECT kRowsBox = {226, 68, 92, 7 * kRowStride + 24}, kPansBox = {226, 312, 320, 76};

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
constexpr SIZE kClient = {860, 452};

// Channel 0's controls; the others follow a row lower each, or the pan sliders four a row.
const win::DialogControl kChannelControls[] = {
    {L"BUTTON", kChannel0, L"1", L"通道可用性...", {228, 70, 36, 20}, BS_AUTOCHECKBOX | WS_TABSTOP},
    {L"EDIT", kVolume0, L"", L"音量(0-127)", {266, 70, 48, 20}, kNumberBox},
    {UPDOWN_CLASSW, kVolumeSpin0, L"", L"音量(0-127)", {0, 0, 0, 0}, kSpin},
    {L"COMBOBOX", kSound0, L"", L"乐器选择...", {318, 68, 158, 300}, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP},
    {TRACKBAR_CLASSW, kPan0, L"", kPanTip, {228, 314, 76, 30}, TBS_HORZ | TBS_NOTICKS | WS_TABSTOP},
};

// The dialog's rows in the order they are made: the table, each channel's five, the status bar.
// The editing area starts disabled: made so, rather than disabled one control at a time.
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

// The channel rows and pan sliders as an opening that made them drew them, with what that
// drawing depends on. The next openings show it in their place until the editing area is first
// used (they cannot be used before): the rows are 32 windows, a third of the opening's time.
struct OpeningPicture {
    std::vector<uint32_t> Looks;  // empty: none taken
    win::BitmapHandle Rows, Pans;
};
OpeningPicture g_picture;

// The system's colours, dialog font, resolution, text smoothing and theme.
std::vector<uint32_t> LooksNow() {
    std::vector<uint32_t> looks;
    for (int i = COLOR_SCROLLBAR; i <= COLOR_MENUBAR; ++i) looks.push_back(GetSysColor(i));
    LOGFONTW font{};
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
    const auto* words = reinterpret_cast<const uint16_t*>(&font);
    looks.insert(looks.end(), words, words + sizeof font / 2);
    looks.push_back(static_cast<uint32_t>(GetDeviceCaps(win::ScreenDc().Get(), LOGPIXELSY)));
    for (UINT what : {SPI_GETFONTSMOOTHING, SPI_GETFONTSMOOTHINGTYPE, SPI_GETFONTSMOOTHINGCONTRAST}) {
        UINT value = 0;
        SystemParametersInfoW(what, 0, &value, 0);
        looks.push_back(value);
    }
    wchar_t theme[MAX_PATH]{}, colours[MAX_PATH]{};
    if (IsThemeActive()) GetCurrentThemeName(theme, MAX_PATH, colours, MAX_PATH, nullptr, 0);
    for (const wchar_t* text : {theme, colours}) looks.insert(looks.end(), text, text + wcslen(text) + 1);
    return looks;
}

win::BitmapHandle CopyBox(HDC from, RECT box) {
    win::BitmapHandle bits(CreateCompatibleBitmap(from, box.right, box.bottom));
    const win::OwnedDc dc(CreateCompatibleDC(from));
    const win::SelectScope into(dc.Get(), bits.Get());
    BitBlt(dc.Get(), 0, 0, box.right, box.bottom, from, box.left, box.top, SRCCOPY);
    return bits;
}

// On the screen and under no other window, so that what the dialog's DC gives back is what was
// drawn there.
bool Unobscured(HWND dialog, RECT box) {
    RECT r{box.left, box.top, box.left + box.right, box.top + box.bottom}, common{};
    MapWindowPoints(dialog, nullptr, reinterpret_cast<POINT*>(&r), 2);
    const int left = GetSystemMetrics(SM_XVIRTUALSCREEN), top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    const RECT screen{left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN),
                      top + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
    if (!IntersectRect(&common, &r, &screen) || !EqualRect(&common, &r)) return false;
    for (HWND above = GetWindow(dialog, GW_HWNDPREV); above; above = GetWindow(above, GW_HWNDPREV)) {
        RECT other{};
        if (IsWindowVisible(above) && GetWindowRect(above, &other) && IntersectRect(&common, &r, &other)) return false;
    }
    return true;
}

// Taken just after the opening is drawn, before anything can change it.
void TakePicture(HWND dialog, std::vector<uint32_t> looks) {
    if (!Unobscured(dialog, kRowsBox) || !Unobscured(dialog, kPansBox)) return;
    const win::WindowDc screen(dialog);
    g_picture.Rows = CopyBox(screen.Get(), kRowsBox);
    g_picture.Pans = CopyBox(screen.Get(), kPansBox);
    g_picture.Looks = std::move(looks);
}

void DrawPicture(const DRAWITEMSTRUCT& item) {
    const win::OwnedDc dc(CreateCompatibleDC(item.hDC));
    const win::SelectScope from(dc.Get(), (item.CtlID == kChannelFaces ? g_picture.Rows : g_picture.Pans).Get());
    BitBlt(item.hDC, 0, 0, item.rcItem.right, item.rcItem.bottom, dc.Get(), 0, 0, SRCCOPY);
}

bool IsChannelRow(int id) {
    return (id >= kChannel0 && id < kVolume0 + 8) || (id >= kPan0 && id < kPan0 + 8) ||
           (id >= kVolumeSpin0 && id <= kLastAreaControl);
}

struct DialogState {
    DialogState(Editor& ed, const SetPlayInfoForm& settings) : Ed(ed), Settings(settings) {}
    Editor& Ed;
    const SetPlayInfoForm& Settings;
    HWND Dialog = nullptr;
    HWND Tab = nullptr;
    HWND Status = nullptr;
    // The kit's: a row made later, and its tip added.
    std::function<HWND(int id)> MakeRow;
    std::function<void(int id)> AddRowTip;
    std::vector<std::wstring> SoundNames;
    tessaly::分析鼓点 Lists[2];
    std::vector<int32_t> Starts;  // the bar patterns' first characters
    size_t TemplatesRead = 0;
    bool ListUnchanged[2] = {true, true};
    DrumEditForm Form;
    int EditedList = 0;
    int EditedIndex = -1;
    tessaly::XjDrumData Buffer{};
    bool BufferFilled = false;
    bool Filling = false;                     // controls being set by the program, not edited
    std::unique_ptr<tessaly::PlayNote> Note;  // made at the first sound
    bool Playing = false;
    bool AreaOn = false;
    bool Pending = false;  // the editing area's pattern appended to the edited list to be heard
    // What the drawing depends on at this opening.
    std::vector<uint32_t> Looks = LooksNow();
};

// Kept from one opening to the next within a run.
int g_currentList = 0;
int g_pasteMode = kPasteNone;
bool g_mirror = false;

HWND Item(const DialogState& s, int id) {
    return GetDlgItem(s.Dialog, id);
}

std::wstring TextOf(const DialogState& s, int id) {
    return dialog_texts::TextOf(s.Dialog, id);
}

std::filesystem::path TemplateFile() {
    return std::filesystem::path(com::ProgramFolder() + L"DrumMod.dat");
}

HWND List(const DialogState& s, int list) {
    return Item(s, list == 0 ? kBarList : kTemplateList);
}

int Selected(const DialogState& s) {
    return static_cast<int>(SendMessageW(List(s, g_currentList), LB_GETCURSEL, 0, 0));
}

void SetStatus(const DialogState& s, const std::wstring& text) {
    dialog_texts::SetStatus(s.Status, text);
}

void ShowStatus(const DialogState& s, int selected) {
    const tessaly::aPlayInfo& play = s.Ed.Data.PlayInfo;
    const int main = play.MainTrack;
    const int count = main >= 1 && main <= static_cast<int>(play.Track.size()) ? play.Track[main - 1u].XjCount : 0;
    const std::wstring head = L"“小节鼓点”对应主音轨(音轨" + std::to_wstring(main) + L")，";
    if (g_currentList == 1)
        SetStatus(s, L"模板鼓点有" + std::to_wstring(s.TemplatesRead) + L"个，当前为第" +
                         std::to_wstring(selected + 1) + L"个。");
    else if (selected < 0)
        SetStatus(s, head + L"当前小节鼓点共有" + std::to_wstring(count) + L"个。");
    else
        SetStatus(s, head + L"小节鼓点共有" + std::to_wstring(count) + L"个，当前鼓点对应于第" +
                         std::to_wstring(selected + 1) + L"小节。");
}

// Filled with drawing off and room made at once: otherwise the list redraws, resets its scroll
// bar and grows its storage at every name.
void FillList(DialogState& s, int list, int select) {
    HWND box = List(s, list);
    const int count = s.Lists[list].DrumCount();
    SendMessageW(box, WM_SETREDRAW, FALSE, 0);
    SendMessageW(box, LB_RESETCONTENT, 0, 0);
    SendMessageW(box, LB_INITSTORAGE, static_cast<WPARAM>(count), static_cast<LPARAM>(count) * 32);
    for (int i = 0; i < count; ++i)
        SendMessageW(box, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(FromGbk(s.Lists[list].DrumName(i)).c_str()));
    SendMessageW(box, LB_SETCURSEL, static_cast<WPARAM>(select), 0);
    SendMessageW(box, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(box, nullptr, TRUE);
}

void AssignStarts(DialogState& s) {
    tessaly::分析鼓点& bars = s.Lists[0];
    s.Starts = BarStartPositions(s.Settings.Work, s.Settings.Bars, bars.DrumCount());
    for (size_t n = 0; n < s.Starts.size(); ++n)
        if (const auto v = tessaly::TryCInt(s.Starts[n])) bars.BeginSelStart(static_cast<int32_t>(n), *v);
}

void ApplyArea(DialogState& s, bool on) {
    for (int id = kName; id <= kLastAreaControl; ++id)
        if (HWND h = Item(s, id)) EnableWindow(h, on);
    EnableWindow(Item(s, kSave), on && s.EditedIndex >= 0);
}

void EnableArea(DialogState& s, bool on) {
    s.AreaOn = on;
    ApplyArea(s, on);
}

void ShowMetre(DialogState& s) {
    const int metre = s.Form.Area.Metre;
    SetDlgItemTextW(s.Dialog, kAccent,
                    metre >= 0 ? Wide(kDrumMetreChoices[static_cast<size_t>(metre)].Accent).c_str() : L"");
    InvalidateRect(Item(s, kGrid), nullptr, TRUE);
}

void ShowArea(DialogState& s) {
    s.Filling = true;
    const DrumEditArea& a = s.Form.Area;
    SetDlgItemTextW(s.Dialog, kName, FromGbk(a.Name).c_str());
    for (int ch = 0; ch < 8; ++ch) {
        CheckDlgButton(s.Dialog, kChannel0 + ch, a.Channel[ch] ? BST_CHECKED : BST_UNCHECKED);
        SetDlgItemInt(s.Dialog, kVolume0 + ch, static_cast<UINT>(a.Volume[ch]), FALSE);
        SendMessageW(Item(s, kSound0 + ch), CB_SETCURSEL, static_cast<WPARAM>(a.Sound[ch]), 0);
        SendMessageW(Item(s, kPan0 + ch), TBM_SETPOS, TRUE, a.Pan[ch]);
    }
    CheckDlgButton(s.Dialog, kHaveDrum, a.HaveDrum ? BST_CHECKED : BST_UNCHECKED);
    SendMessageW(Item(s, kMetre), CB_SETCURSEL, static_cast<WPARAM>(a.Metre), 0);
    SetDlgItemInt(s.Dialog, kSpeed, static_cast<UINT>(a.Speed), FALSE);
    SetDlgItemInt(s.Dialog, kStart, static_cast<UINT>(a.BeginSelStart), TRUE);
    ShowMetre(s);
    s.Filling = false;
}

// The controls that are not kept in step as they change, read back before a store.
void ReadArea(DialogState& s) {
    DrumEditArea& a = s.Form.Area;
    const std::wstring typed = TextOf(s, kName);
    a.Name = tessaly::Utf16ToCp936(std::u16string(typed.begin(), typed.end())).value_or(a.Name);
    for (int ch = 0; ch < 8; ++ch) {
        a.Channel[ch] = IsDlgButtonChecked(s.Dialog, kChannel0 + ch) == BST_CHECKED;
        if (HWND sound = Item(s, kSound0 + ch))
            a.Sound[ch] = static_cast<int32_t>(SendMessageW(sound, CB_GETCURSEL, 0, 0));
        a.Pan[ch] = static_cast<int32_t>(SendMessageW(Item(s, kPan0 + ch), TBM_GETPOS, 0, 0));
    }
    a.HaveDrum = IsDlgButtonChecked(s.Dialog, kHaveDrum) == BST_CHECKED;
}

int Ask(const DialogState& s, const std::wstring& text, UINT style, const wchar_t* title = tessaly::kProgramTitle) {
    return MessageBoxW(s.Dialog, text.c_str(), title, style);
}

void SetUpChannel(DialogState& s, int ch);

// The sound and metre lists are made when the editing area is first used: each drop-down list
// is a window of its own, and the editor opens without nine of them. Until then their faces
// stand in for them, disabled as the lists would be; so does the opening's picture for the
// channel rows and pan sliders, when it was taken.
void MakeAreaControls(DialogState& s) {
    if (Item(s, kMetre)) return;
    const bool rows = !Item(s, kChannel0);
    for (int ch = 0; ch < 8; ++ch) {
        // In the table's order, which is the tab order.
        if (rows)
            for (int id : {kChannel0, kVolume0, kVolumeSpin0}) s.MakeRow(id + ch);
        HWND sound = s.MakeRow(kSound0 + ch);
        COMBOBOXINFO info{};
        info.cbSize = sizeof info;
        GetComboBoxInfo(sound, &info);
        // The drop-down list is hidden: its scroll bar is set once, not at every name.
        SendMessageW(info.hwndList, WM_SETREDRAW, FALSE, 0);
        SendMessageW(sound, CB_INITSTORAGE, s.SoundNames.size(), static_cast<LPARAM>(s.SoundNames.size()) * 32);
        for (const std::wstring& name : s.SoundNames)
            SendMessageW(sound, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
        SendMessageW(info.hwndList, WM_SETREDRAW, TRUE, 0);
        if (rows) {
            s.MakeRow(kPan0 + ch);
            SetUpChannel(s, ch);
            for (int id : {kChannel0, kVolume0, kVolumeSpin0, kPan0}) s.AddRowTip(id + ch);
        }
        s.AddRowTip(kSound0 + ch);
    }
    HWND metre = s.MakeRow(kMetre);
    for (const DrumMetreChoice& m : kDrumMetreChoices)
        SendMessageW(metre, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(m.Text).c_str()));
    for (int id : {kSoundFaces, kMetreFace, kChannelFaces, kPanFaces})
        if (HWND face = Item(s, id)) DestroyWindow(face);
}

void LoadPattern(DialogState& s) {
    const int index = Selected(s);
    if (index < 0) return;
    if (!s.Form.Unchanged && Ask(s, L"编辑界面数据有修改，覆盖它？", MB_OKCANCEL | MB_ICONQUESTION, L"Tavolin") != IDOK)
        return;
    s.EditedList = g_currentList;
    s.EditedIndex = index;
    s.Form.Load(*s.Lists[g_currentList].DrumAddress(index));
    MakeAreaControls(s);
    ShowArea(s);
    EnableArea(s, true);
}

void ClearArea(DialogState& s) {
    if (!s.Form.Unchanged && Ask(s, L"确实需要清除？", MB_YESNO | MB_ICONINFORMATION) != IDYES) return;
    s.Form.Clear();
    s.EditedIndex = -1;
    MakeAreaControls(s);
    ShowArea(s);
    EnableArea(s, true);
}

void OverwriteSave(DialogState& s) {
    if (s.EditedIndex < 0) return;
    HWND box = List(s, s.EditedList);
    const std::wstring shown = ListItemText(box, s.EditedIndex);
    if (Ask(s, L"确认覆盖保存: “" + shown + L"”", MB_OKCANCEL | MB_ICONQUESTION) != IDOK) return;
    ReadArea(s);
    tessaly::分析鼓点& list = s.Lists[s.EditedList];
    s.Form.Store(*list.DrumAddress(s.EditedIndex));
    // The name as stored, cut to its bytes; an empty one still shows empty until the list is refilled.
    const std::wstring stored = TextOf(s, kName).empty() ? L"" : FromGbk(list.DrumName(s.EditedIndex));
    SendMessageW(box, LB_DELETESTRING, static_cast<WPARAM>(s.EditedIndex), 0);
    SendMessageW(box, LB_INSERTSTRING, static_cast<WPARAM>(s.EditedIndex), reinterpret_cast<LPARAM>(stored.c_str()));
    SendMessageW(box, LB_SETCURSEL, static_cast<WPARAM>(s.EditedIndex), 0);
    s.Form.Unchanged = true;
    s.ListUnchanged[s.EditedList] = false;
}

// The template file written; a failed write is told and the list stays changed.
bool SaveTemplates(DialogState& s) {
    const tessaly::DaDurStatus saved = s.Lists[1].SaveDrum(TemplateFile());
    if (!saved.ok) {
        Ask(s, Wide(saved.reason), MB_OK | MB_ICONINFORMATION);
        return false;
    }
    s.ListUnchanged[1] = true;
    return true;
}

void ListClicked(DialogState& s);

tessaly::PlayNote& Player(DialogState& s) {
    if (!s.Note) {
        Editor& ed = s.Ed;
        if (!ed.Player) ed.Player = std::make_unique<MusicPlayer>();
        ed.Player->Windows.Shared.Target = reinterpret_cast<intptr_t>(ed.Window);
        s.Note = std::make_unique<tessaly::PlayNote>(ed.Player->Windows.Shared);
        s.Note->SetInfoForPlay(reinterpret_cast<intptr_t>(ed.Window), ed.Data.PlayInfo);
    }
    return *s.Note;
}

// Patterns first to last of a list heard, at the first one's speed; a stored 0 plays at 120.
void Audition(DialogState& s, int list, int first, int last) {
    tessaly::分析鼓点& patterns = s.Lists[list];
    if (first < 0 || last < first || last >= patterns.DrumCount()) return;
    if (patterns.DrumSpeed(first) == 0) patterns.DrumSpeed(first, 120);
    s.Playing = true;
    Player(s).PlayingListDrum(patterns.DrumAddress(0), static_cast<int16_t>(first), static_cast<int16_t>(last),
                              patterns.DrumCount());
}

// The editing area heard through a pattern appended to the edited list, removed at the end.
void AuditionArea(DialogState& s) {
    if (s.Playing || s.Pending) return;
    tessaly::分析鼓点& patterns = s.Lists[s.EditedList];
    ReadArea(s);
    patterns.AddLastNullDrumData();
    s.Pending = true;
    const int last = patterns.DrumCount() - 1;
    s.Form.Store(*patterns.DrumAddress(last));
    Audition(s, s.EditedList, last, last);
}

void ControlsEnabled(DialogState& s, bool enabled) {
    ApplyArea(s, enabled && s.AreaOn);
    EnableWindow(s.Tab, enabled);
    if (enabled && s.Pending) {
        s.Lists[s.EditedList].DelLastDrumData();
        s.Pending = false;
    }
    s.Playing = !enabled;
}

// The player's reports, through the editor's window.
void Progress(DialogState& s, int32_t row) {
    if (row == -1)
        ControlsEnabled(s, false);
    else if (row == -2)
        ControlsEnabled(s, true);
    else if (row >= 0 && !s.Pending) {
        SendMessageW(List(s, g_currentList), LB_SETCURSEL, static_cast<WPARAM>(row), 0);
        ListClicked(s);
    }
}

void ListCommand(DialogState& s, int id) {
    const int list = g_currentList;
    const int selected = Selected(s);
    tessaly::分析鼓点& patterns = s.Lists[list];
    switch (id) {
        case kMenuEdit: LoadPattern(s); return;
        case kMenuCopy:
            if (const tessaly::XjDrumData* p = patterns.DrumAddress(selected)) s.Buffer = *p, s.BufferFilled = true;
            return;
        case kMenuPaste:
            if (selected < 0 && list == 0) return;
            FillList(s, list,
                     PasteDrum(patterns, std::max(selected, 0), s.Buffer, list == 0 ? kPasteOver : g_pasteMode));
            if (list == 0) AssignStarts(s);
            break;
        case kMenuDefault:
            if (Ask(s, L"确定要清空该鼓点，并还原成默认值？", MB_YESNO | MB_ICONINFORMATION) != IDYES) return;
            patterns.DefDrumData(selected);
            FillList(s, list, selected);
            break;
        case kMenuDelete:
            if (Ask(s, L"确定要删除该鼓点？删除后不可恢复。", MB_YESNO | MB_ICONINFORMATION) != IDYES) return;
            patterns.DelDrumData(selected);
            FillList(s, list, std::min(selected, patterns.DrumCount() - 1));
            break;
        case kMenuCoverAll:
            for (int n = 0; n < s.Lists[0].DrumCount(); ++n) {
                s.Lists[0].CoverDrumData(n, s.Buffer);
                s.Lists[0].HaveDrum(n, 1);
            }
            FillList(s, 0, selected);
            AssignStarts(s);
            break;
        case kMenuSave: SaveTemplates(s); return;
        case kMenuAudition: Audition(s, list, selected, selected); return;
        case kMenuPlayAll: Audition(s, list, selected, patterns.DrumCount() - 1); return;
        case kMenuStop:
            if (s.Note) s.Note->CloseListDrum();
            return;
        default: return;
    }
    s.ListUnchanged[list] = false;
}

void OpenListMenu(DialogState& s, HWND box) {
    const int selected = Selected(s);
    POINT at{};
    GetCursorPos(&at);
    POINT local = at;
    ScreenToClient(box, &local);
    RECT r{};
    GetClientRect(box, &r);
    const int position =
        GetClickPosition(local.y, r.bottom, static_cast<int32_t>(SendMessageW(box, LB_GETITEMHEIGHT, 0, 0)),
                         static_cast<int32_t>(SendMessageW(box, LB_GETTOPINDEX, 0, 0)), selected);
    g_pasteMode = PasteModeOf(position, g_pasteMode);
    const bool bars = g_currentList == 0;
    const wchar_t* paste = bars                         ? L"覆盖"
                           : g_pasteMode == kPasteAbove ? L"在上方插入"
                           : g_pasteMode == kPasteBelow ? L"在下方插入"
                           : g_pasteMode == kPasteOver  ? L"覆盖"
                                                        : L"粘贴";
    const UINT idle = s.Playing ? MF_GRAYED : MF_ENABLED;
    const UINT filled = s.BufferFilled && !s.Playing ? MF_ENABLED : MF_GRAYED;
    win::MenuHandle owned(CreatePopupMenu());
    HMENU menu = owned.Get();
    auto add = [&](int id, const wchar_t* text, UINT flags) {
        AppendMenuW(menu, MF_STRING | flags, static_cast<UINT_PTR>(id), text);
    };
    add(kMenuEdit, L"编辑", idle);
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    add(kMenuCopy, L"复制", idle);
    add(kMenuPaste, paste, filled);
    if (bars) {
        add(kMenuDefault, L"清空", filled);
        AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        add(kMenuCoverAll, L"覆盖列表", filled);
        AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        add(kMenuAudition, L"试听当前", idle);
        AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        add(kMenuPlayAll, L"试听列表", idle);
        add(kMenuStop, L"停止试听", s.Playing ? MF_ENABLED : MF_GRAYED);
    } else {
        add(kMenuDelete, L"删除", idle);
        AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        add(kMenuAudition, L"试听当前", idle);
        AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        add(kMenuSave, L"保存到模板文件", idle);
    }
    const int id = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, s.Dialog, nullptr);
    owned.Reset();
    if (id) ListCommand(s, id);
}

void ListClicked(DialogState& s) {
    const int selected = Selected(s);
    if (g_currentList == 0 && selected >= 0 && static_cast<size_t>(selected) < s.Starts.size()) {
        s.Ed.Data.SelStart = s.Starts[static_cast<size_t>(selected)];
        s.Ed.Data.SelLength = 1;
        SendMessageW(s.Ed.Window, tessaly::WM_ShowPlayPos, static_cast<WPARAM>(s.Starts[static_cast<size_t>(selected)]),
                     0);
    }
    ShowStatus(s, selected);
}

int ListId(int list) {
    return list == 0 ? kBarList : kTemplateList;
}

LRESULT CALLBACK ListProc(HWND box, UINT msg, WPARAM w, LPARAM l, UINT_PTR, DWORD_PTR data);

// The list not shown at opening is made, filled and hooked when first shown: the editor opens
// with one control and its names fewer.
void MakeList(DialogState& s, int list) {
    if (List(s, list)) return;
    HWND box = s.MakeRow(ListId(list));
    // Above the tab strip it lies on, as the controls made with the dialog are.
    SetWindowPos(box, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    FillList(s, list, s.Lists[list].DrumCount() > 0 ? 0 : -1);
    SetWindowSubclass(box, ListProc, 1, reinterpret_cast<DWORD_PTR>(&s));
    s.AddRowTip(ListId(list));
}

void ShowList(DialogState& s, int list) {
    MakeList(s, list);
    g_currentList = list;
    ShowWindow(List(s, 0), list == 0 ? SW_SHOW : SW_HIDE);
    ShowWindow(List(s, 1), list == 1 ? SW_SHOW : SW_HIDE);
    SendMessageW(s.Tab, TCM_SETCURSEL, static_cast<WPARAM>(list), 0);
    ShowStatus(s, Selected(s));
}

// The grid: cells at their twip positions, the metre's marker line after the bar's last step.
void DrawGrid(const DialogState& s, const DRAWITEMSTRUCT& item) {
    HDC dc = item.hDC;
    FillRect(dc, &item.rcItem, GetSysColorBrush(COLOR_BTNFACE));
    const int height = -MulDiv(12, GetDeviceCaps(dc, LOGPIXELSY), 72);
    const win::FontHandle font(CreateFontW(height, 0, 0, 0, FW_NORMAL, 0, 0, 0, GB2312_CHARSET, 0, 0, 0, 0, L"宋体"));
    const win::SelectScope selectFont(dc, font.Get());
    SetBkMode(dc, TRANSPARENT);
    for (int k = 0; k < kDrumCells; ++k) {
        const std::string& cell = s.Form.Area.Cells[static_cast<size_t>(k)];
        const std::wstring text(cell.begin(), cell.end());
        RECT r{CellLeft(k) / 15, CellTop(k) / 15, (CellLeft(k) + kCellTwips) / 15,
               (CellTop(k) + kCellHeightTwips) / 15};
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_LEFT | DT_TOP | DT_NOCLIP);
    }
    if (s.Form.Area.Metre >= 0) {
        const int x = MarkerX(s.Form.Area.Metre) / 15;
        const win::PenHandle pen(CreatePen(PS_SOLID, 1, RGB(255, 0, 0)));
        const win::SelectScope selectPen(dc, pen.Get());
        MoveToEx(dc, x, 0, nullptr);
        LineTo(dc, x, item.rcItem.bottom);
    }
}

// A disabled drop-down list's face showing `text`, in `box`.
void DrawListFace(HDC dc, RECT box, const std::wstring& text) {
    FillRect(dc, &box, GetSysColorBrush(COLOR_BTNFACE));
    DrawEdge(dc, &box, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    RECT button = box;
    button.left = button.right - GetSystemMetrics(SM_CXVSCROLL);
    DrawFrameControl(dc, &button, DFC_SCROLL, DFCS_SCROLLCOMBOBOX | DFCS_INACTIVE);
    box.right = button.left;
    box.left += 2;
    const win::SelectScope font(dc, GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

// The faces of the eight sound lists, a channel row apart, or of the metre list.
void DrawListFaces(const DialogState& s, const DRAWITEMSTRUCT& item) {
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_BTNFACE));
    const DrumEditArea& a = s.Form.Area;
    if (item.CtlID == kMetreFace) {
        const auto metre = static_cast<size_t>(a.Metre);
        DrawListFace(item.hDC, item.rcItem,
                     metre < kDrumMetreChoices.size() ? Wide(kDrumMetreChoices[metre].Text) : L"");
        return;
    }
    for (int ch = 0; ch < 8; ++ch) {
        const auto sound = static_cast<size_t>(a.Sound[ch]);
        const RECT box{0, ch * kRowStride, item.rcItem.right, ch * kRowStride + kListFaceHeight};
        DrawListFace(item.hDC, box, sound < s.SoundNames.size() ? s.SoundNames[sound] : L"");
    }
}

// The mirror button's two pictures: arrows apart, or crossed when mirrored.
void DrawMirror(const DRAWITEMSTRUCT& item) {
    HDC dc = item.hDC;
    FillRect(dc, &item.rcItem, GetSysColorBrush(COLOR_BTNFACE));
    DrawEdge(dc, const_cast<RECT*>(&item.rcItem), (item.itemState & ODS_SELECTED) ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    const int w = item.rcItem.right, h = item.rcItem.bottom;
    const int y1 = h / 3, y2 = 2 * h / 3;
    MoveToEx(dc, 6, g_mirror ? y2 : y1, nullptr);
    LineTo(dc, w - 6, g_mirror ? y1 : y1);
    MoveToEx(dc, 6, g_mirror ? y1 : y2, nullptr);
    LineTo(dc, w - 6, y2);
    const POINT heads[] = {{w - 10, y1 - 4}, {w - 6, y1}, {w - 10, y1 + 4}};
    Polyline(dc, heads, 3);
    const POINT tails[] = {{10, y2 - 4}, {6, y2}, {10, y2 + 4}};
    Polyline(dc, tails, 3);
}

LRESULT CALLBACK GridProc(HWND grid, UINT msg, WPARAM w, LPARAM l, UINT_PTR, DWORD_PTR data) {
    auto& s = *reinterpret_cast<DialogState*>(data);
    if (msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN) {
        const int x = static_cast<short>(LOWORD(l)) * 15, y = static_cast<short>(HIWORD(l)) * 15;
        const int cell = CellAt(x, y);
        if (cell >= 0 && s.Form.Toggle(cell, x - CellLeft(cell))) InvalidateRect(grid, nullptr, TRUE);
        return 0;
    }
    return DefSubclassProc(grid, msg, w, l);
}

LRESULT CALLBACK ListProc(HWND box, UINT msg, WPARAM w, LPARAM l, UINT_PTR, DWORD_PTR data) {
    if (msg == WM_RBUTTONUP) {
        OpenListMenu(*reinterpret_cast<DialogState*>(data), box);
        return 0;
    }
    return DefSubclassProc(box, msg, w, l);
}

// An up-down's buddy is the edit made just before it.
void Spin(HWND spin, HWND buddy, int low, int high) {
    SendMessageW(spin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy), 0);
    SendMessageW(spin, UDM_SETRANGE32, static_cast<WPARAM>(low), high);
}

void SetUpChannel(DialogState& s, int ch) {
    Spin(Item(s, kVolumeSpin0 + ch), Item(s, kVolume0 + ch), 0, 127);
    SendMessageW(Item(s, kPan0 + ch), TBM_SETRANGE, FALSE, MAKELPARAM(0, 127));
}

// What the table cannot say: the tab captions, the arrows' buddies and ranges, the status bar.
void SetUpControls(DialogState& s) {
    s.Tab = Item(s, kTab);
    for (const wchar_t* caption : {L"小节鼓点", L"模板鼓点"}) {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<wchar_t*>(caption);
        SendMessageW(s.Tab, TCM_INSERTITEMW, static_cast<WPARAM>(SendMessageW(s.Tab, TCM_GETITEMCOUNT, 0, 0)),
                     reinterpret_cast<LPARAM>(&item));
    }
    SetWindowSubclass(Item(s, kGrid), GridProc, 1, reinterpret_cast<DWORD_PTR>(&s));
    Spin(Item(s, kSpeedSpin), Item(s, kSpeed), kMinDrumSpeed, kMaxDrumSpeed);
    SendMessageW(Item(s, kName), EM_LIMITTEXT, sizeof(tessaly::XjDrumData::DrumName), 0);
    if (Item(s, kChannel0))
        for (int ch = 0; ch < 8; ++ch) SetUpChannel(s, ch);
    SetWindowPos(s.Tab, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    s.Status = Item(s, kStatus);
    SendMessageW(s.Status, SB_SIMPLE, TRUE, 0);
}

void Load(HWND dialog, DialogState& s) {
    s.Dialog = dialog;
    SetUpControls(s);

    // Converted once for the eight lists.
    for (const std::string& name : ReadNameList(ProgramFileBytes(L"genmidi1.txt"), 75, 13))
        s.SoundNames.push_back(FromGbk(name));

    s.Lists[0].DrumArrData(s.Ed.PlaySettings.Drums);
    AssignStarts(s);
    if (!std::filesystem::exists(TemplateFile())) std::ofstream(TemplateFile(), std::ios::binary);
    auto templates = tessaly::ParseDrumRecords(ProgramFileBytes(L"DrumMod.dat"));
    s.TemplatesRead = templates.size();
    s.Lists[1].DrumArrData(std::move(templates));
    FillList(s, g_currentList, s.Lists[g_currentList].DrumCount() > 0 ? 0 : -1);
    s.Form.Clear();
    ShowArea(s);
    ShowList(s, g_currentList);
    if (g_currentList == 0) ListClicked(s);
    // Hooked once filled: a hook on a control slows every message it is sent, each name added
    // included. The tips are added after this, for the same reason.
    SetWindowSubclass(List(s, g_currentList), ListProc, 1, reinterpret_cast<DWORD_PTR>(&s));
    ShowWindow(dialog, SW_SHOW);
    // Drawn in one pass over the controls, not one paint message at a time through the dialog's
    // loop: a third of the drawing time less here.
    RedrawWindow(dialog, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    if (Item(s, kChannel0)) TakePicture(dialog, s.Looks);
}

// Closing: the bar patterns back into the working copy; changed templates asked about first.
void Close(DialogState& s) {
    // The audition ends first: its pending pattern goes before anything is copied.
    if (s.Note && (s.Playing || s.Pending)) s.Note->CloseListDrum();
    if (s.Pending) ControlsEnabled(s, true);
    if (!s.ListUnchanged[0]) {
        s.Ed.PlaySettings.Drums = s.Lists[0].DrumArrData();
        s.Ed.Data.ModifiedDrum = true;  // only ever set: an earlier unsaved change stays
    }
    if (!s.ListUnchanged[1]) {
        const int answer = Ask(s, L"是否将更改保存到模板文件？", MB_YESNOCANCEL | MB_ICONQUESTION);
        if (answer == IDCANCEL || (answer == IDYES && !SaveTemplates(s))) return;
    }
    EndDialog(s.Dialog, IDOK);
}

// A name wider than the record holds is cut as it is typed, so what shows is what is stored.
void FitName(DialogState& s) {
    const std::wstring typed = TextOf(s, kName);
    const size_t fit = DrumNameFit(std::u16string_view(reinterpret_cast<const char16_t*>(typed.data()), typed.size()));
    if (fit == typed.size()) return;
    HWND box = Item(s, kName);
    SetWindowTextW(box, typed.substr(0, fit).c_str());
    SendMessageW(box, EM_SETSEL, fit, fit);
}

void AreaEdited(DialogState& s, int id, int code) {
    if (s.Filling) return;
    if (id == kName && code == EN_CHANGE) FitName(s);
    if (id >= kVolume0 && id < kVolume0 + 8 && code == EN_CHANGE) {
        const int ch = id - kVolume0;
        const std::wstring text = TextOf(s, id);
        if (!s.Form.SetVolume(ch, tessaly::Val(Narrow(text)))) {
            Ask(s, L"音量值在 0-127 之间!", MB_OK | MB_ICONINFORMATION);
            s.Filling = true;
            SetDlgItemInt(s.Dialog, id, static_cast<UINT>(s.Form.Area.Volume[ch]), FALSE);
            s.Filling = false;
        }
        return;
    }
    if (id == kSpeed && code == EN_CHANGE) {
        s.Form.SetSpeed(tessaly::Val(Narrow(TextOf(s, id))));
        return;
    }
    if (id >= kSound0 && id < kSound0 + 8 && code == CBN_SELCHANGE) {
        const int sound = static_cast<int>(SendMessageW(Item(s, id), CB_GETCURSEL, 0, 0));
        if (sound >= 0) Player(s).PlayaOneDrumNote(static_cast<int16_t>(sound + 13), 127);
    }
    if (id == kMetre && code == CBN_SELCHANGE) {
        s.Form.ChooseMetre(static_cast<int32_t>(SendMessageW(Item(s, kMetre), CB_GETCURSEL, 0, 0)));
        ShowMetre(s);
    }
    if (code == EN_CHANGE || code == CBN_SELCHANGE || code == BN_CLICKED) s.Form.Edited();
}

void Command(DialogState& s, int id, int code) {
    switch (id) {
        case IDCANCEL: Close(s); return;
        case kBarList:
        case kTemplateList:
            if (code == LBN_SELCHANGE) ListClicked(s);
            if (code == LBN_DBLCLK) LoadPattern(s);
            return;
        case kClear:
            if (code == BN_CLICKED) ClearArea(s);
            return;
        case kSave:
            if (code == BN_CLICKED) OverwriteSave(s);
            return;
        case kAudition:
            if (code == BN_CLICKED) AuditionArea(s);
            return;
        case kMirror:
            if (code != BN_CLICKED) return;
            g_mirror = !g_mirror;
            ReadArea(s);
            s.Form.Mirror();
            ShowArea(s);
            InvalidateRect(Item(s, kMirror), nullptr, TRUE);
            return;
        default: AreaEdited(s, id, code);
    }
}

INT_PTR OnMessage(DialogState* s, UINT msg, LPARAM lParam) {
    switch (msg) {
        case WM_HSCROLL:
            if (s && !s->Filling) s->Form.Edited();
            return TRUE;
        case WM_DRAWITEM: {
            const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (!s) return FALSE;
            if (item.CtlID == kGrid)
                DrawGrid(*s, item);
            else if (item.CtlID == kSoundFaces || item.CtlID == kMetreFace)
                DrawListFaces(*s, item);
            else if (item.CtlID == kChannelFaces || item.CtlID == kPanFaces)
                DrawPicture(item);
            else if (item.CtlID == kMirror)
                DrawMirror(item);
            return TRUE;
        }
        case WM_SYSCOLORCHANGE:
        case WM_SETTINGCHANGE:
        case WM_THEMECHANGED:
            // The picture no longer shows what the controls would: they are made now.
            g_picture.Looks.clear();
            if (s && Item(*s, kChannelFaces)) {
                MakeAreaControls(*s);
                ShowArea(*s);
            }
            return FALSE;
        case WM_NOTIFY: {
            const auto* n = reinterpret_cast<const NMHDR*>(lParam);
            if (s && n->idFrom == kTab && n->code == TCN_SELCHANGE)
                ShowList(*s, static_cast<int>(SendMessageW(s->Tab, TCM_GETCURSEL, 0, 0)));
            return TRUE;
        }
        default: return FALSE;
    }
}

class DrumEditorDialog final : public win::TableDialog {
public:
    explicit DrumEditorDialog(DialogState& s) : TableDialog(L"鼓点编辑...", Rows(), kClient), s_(s) {
        s.MakeRow = [this](int id) { return MakeRow(id); };
        s.AddRowTip = [this](int id) { AddRowTip(id); };
    }

private:
    void OnInit() override { Load(dialog_, s_); }
    void OnCommand(int id, int code) override { Command(s_, id, code); }
    INT_PTR OnOther(UINT msg, WPARAM, LPARAM lParam) override { return OnMessage(&s_, msg, lParam); }
    // The list not shown at opening is made when first shown, the area's lists when it is first used.
    bool Later(const win::DialogControl& c) const override {
        if (c.Id == kMetre || (c.Id >= kSound0 && c.Id < kSound0 + 8)) return true;
        if (c.Id == kChannelFaces || c.Id == kPanFaces) return !pictured_;
        if (IsChannelRow(c.Id)) return pictured_;
        return (c.Id == kBarList || c.Id == kTemplateList) && c.Id != ListId(g_currentList);
    }
    bool TipsPosted() const override { return true; }

    DialogState& s_;
    const bool pictured_ = !g_picture.Looks.empty() && g_picture.Looks == s_.Looks;
};

}  // namespace

void ShowDrumEditor(Editor& ed, HWND owner, const SetPlayInfoForm& settings) {
    // The mirror flag and its picture agree from the start.
    g_mirror = false;
    DialogState state{ed, settings};
    ed.PlaySettings.DrumProgress = [&state](int32_t row) { Progress(state, row); };
    DrumEditorDialog(state).Run(owner);
    ed.PlaySettings.DrumProgress = nullptr;
}

}  // namespace notaline
