// The drum pattern editor "鼓点编辑...": the bar patterns and the templates on a tab strip, and
// the editing area with its rhythm grid, over the play settings' working patterns.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "text/Cp936.h"
#include "com/Create.h"
#include "com/Module.h"
#include "control/DialogKit_win.h"
#include "PlayNote.h"
#include "control/Editor_win.h"
#include "control/MusicPlayer_win.h"
#include "music/DrumEditForm.h"
#include "control/SetPlayInfoDialog_win.h"
#include "records/Dialogs.h"
#include "records/Messages.h"
#include "records/Numbers.h"
#include "win/GdiHandles.h"

namespace notaline {

using namespace drum_editor;
using namespace dialog_kit;

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

struct Control {
    const wchar_t* Class;
    int Id;  // 0: a label or frame
    const wchar_t* Text;
    DWORD Style;
    RECT Box;  // left, top, width, height in pixels
    const wchar_t* Tip;
};

// The grid's frame origin in the dialog; twips over 15 inside it.
constexpr POINT kGridAt = {496, 66};
constexpr int kRowStride = 27;  // one channel row of the channel frame
constexpr DWORD kSpin = UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_NOTHOUSANDS;
constexpr const wchar_t* kListTip = L"鼠标右击显示菜单...";

const Control kControls[] = {
    {L"LISTBOX", kBarList, L"", WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_TABSTOP, {16, 36, 184, 380}, kListTip},
    {L"LISTBOX", kTemplateList, L"", WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_TABSTOP, {16, 36, 184, 380}, kListTip},
    {L"BUTTON", 0, L"鼓点结构/编辑窗口", BS_GROUPBOX, {212, 4, 640, 420}, nullptr},
    {L"STATIC", 0, L"名称：", 0, {224, 28, 44, 20}, nullptr},
    {L"EDIT", kName, L"", ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, {268, 24, 180, 22}, L"鼓点之间相互区别的标识"},
    {L"STATIC", 0, L"对应小节光标：", 0, {460, 28, 100, 20}, nullptr},
    {L"EDIT", kStart, L"", ES_AUTOHSCROLL | ES_READONLY | WS_BORDER, {560, 24, 80, 22}, nullptr},
    {L"BUTTON", 0, L"通道可用性、音量、乐器", BS_GROUPBOX, {220, 52, 262, 236}, nullptr},
    {L"BUTTON", 0, L"节奏", BS_GROUPBOX, {488, 52, 356, 236}, nullptr},
    {L"STATIC", kGrid, L"", SS_OWNERDRAW | SS_NOTIFY, {kGridAt.x, kGridAt.y, 340, 220}, nullptr},
    {L"BUTTON", 0, L"声像", BS_GROUPBOX, {220, 294, 362, 124}, nullptr},
    {L"STATIC", 0, L"速度(拍/分钟)：", 0, {592, 302, 100, 20}, nullptr},
    {L"EDIT", kSpeed, L"", ES_NUMBER | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, {692, 298, 64, 22}, L"音速：30-255,一般与主旋律一致"},
    {UPDOWN_CLASSW, kSpeedSpin, L"", kSpin, {0, 0, 0, 0}, L"音速：30-255,一般与主旋律一致"},
    {L"STATIC", 0, L"拍号：", 0, {592, 330, 100, 20}, nullptr},
    {L"COMBOBOX", kMetre, L"", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, {692, 326, 80, 300}, nullptr},
    {L"STATIC", kAccent, L"", 0, {592, 356, 252, 34}, nullptr},
    {L"BUTTON", kHaveDrum, L"鼓点在歌曲中可用", BS_AUTOCHECKBOX | WS_TABSTOP, {592, 394, 150, 22}, nullptr},
    {L"BUTTON", kMirror, L"", BS_OWNERDRAW, {548, 340, 28, 28}, L"互换、镜像"},
    {L"BUTTON", kClear, L"清除", WS_TABSTOP, {776, 296, 68, 24}, L"清除编辑窗口内容"},
    {L"BUTTON", kSave, L"覆盖保存", WS_TABSTOP, {776, 324, 68, 24}, nullptr},
    {L"BUTTON", kAudition, L"试听", WS_TABSTOP, {776, 394, 68, 24}, nullptr},
};
constexpr SIZE kClient = {860, 452};

struct ChannelControl {
    const wchar_t* Class;
    int FirstId;
    DWORD Style;
    RECT Box;  // of channel 0; the others follow a row lower each, or the pan sliders four a row
    const wchar_t* Tip;
};
const ChannelControl kChannelControls[] = {
    {L"BUTTON", kChannel0, BS_AUTOCHECKBOX | WS_TABSTOP, {228, 70, 36, 20}, L"通道可用性..."},
    {L"EDIT", kVolume0, ES_NUMBER | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, {266, 70, 48, 20}, L"音量(0-127)"},
    {UPDOWN_CLASSW, kVolumeSpin0, kSpin, {0, 0, 0, 0}, L"音量(0-127)"},
    {L"COMBOBOX", kSound0, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, {318, 68, 158, 300}, L"乐器选择..."},
    {TRACKBAR_CLASSW, kPan0, TBS_HORZ | TBS_NOTICKS | WS_TABSTOP, {228, 314, 76, 30}, L"声像，确定乐器在立体声场中的位置..."},
};

struct DialogState {
    DialogState(Editor& ed, const SetPlayInfoForm& settings) : Ed(ed), Settings(settings) {}
    Editor& Ed;
    const SetPlayInfoForm& Settings;
    HWND Dialog = nullptr;
    HWND Tab = nullptr;
    HWND Status = nullptr;
    HWND Tips = nullptr;
    tessaly::分析鼓点 Lists[2];
    std::vector<int32_t> Starts;  // the bar patterns' first characters
    size_t TemplatesRead = 0;
    bool ListUnchanged[2] = {true, true};
    DrumEditForm Form;
    int EditedList = 0;
    int EditedIndex = -1;
    tessaly::XjDrumData Buffer{};
    bool BufferFilled = false;
    bool Filling = false;  // controls being set by the program, not edited
    std::unique_ptr<tessaly::PlayNote> Note;  // made at the first sound
    bool Playing = false;
    bool AreaOn = false;
    bool Pending = false;  // the editing area's pattern appended to the edited list to be heard
};

// Kept from one opening to the next within a run.
int g_currentList = 0;
int g_pasteMode = kPasteNone;
bool g_mirror = false;

HWND Item(const DialogState& s, int id) {
    return GetDlgItem(s.Dialog, id);
}

std::wstring TextOf(const DialogState& s, int id) {
    return dialog_kit::TextOf(s.Dialog, id);
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
    dialog_kit::SetStatus(s.Status, text);
}

void ShowStatus(const DialogState& s, int selected) {
    const tessaly::aPlayInfo& play = s.Ed.Data.PlayInfo;
    const int main = play.MainTrack;
    const int count = main >= 1 && main <= static_cast<int>(play.Track.size()) ? play.Track[main - 1u].XjCount : 0;
    const std::wstring head = L"“小节鼓点”对应主音轨(音轨" + std::to_wstring(main) + L")，";
    if (g_currentList == 1)
        SetStatus(s, L"模板鼓点有" + std::to_wstring(s.TemplatesRead) + L"个，当前为第" + std::to_wstring(selected + 1) + L"个。");
    else if (selected < 0)
        SetStatus(s, head + L"当前小节鼓点共有" + std::to_wstring(count) + L"个。");
    else
        SetStatus(s, head + L"小节鼓点共有" + std::to_wstring(count) + L"个，当前鼓点对应于第" + std::to_wstring(selected + 1) + L"小节。");
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
    SetDlgItemTextW(s.Dialog, kAccent, metre >= 0 ? Wide(kDrumMetreChoices[static_cast<size_t>(metre)].Accent).c_str() : L"");
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
        a.Sound[ch] = static_cast<int32_t>(SendMessageW(Item(s, kSound0 + ch), CB_GETCURSEL, 0, 0));
        a.Pan[ch] = static_cast<int32_t>(SendMessageW(Item(s, kPan0 + ch), TBM_GETPOS, 0, 0));
    }
    a.HaveDrum = IsDlgButtonChecked(s.Dialog, kHaveDrum) == BST_CHECKED;
}

int Ask(const DialogState& s, const std::wstring& text, UINT style, const wchar_t* title = tessaly::kProgramTitle) {
    return MessageBoxW(s.Dialog, text.c_str(), title, style);
}

void LoadPattern(DialogState& s) {
    const int index = Selected(s);
    if (index < 0) return;
    if (!s.Form.Unchanged &&
        Ask(s, L"编辑界面数据有修改，覆盖它？", MB_OKCANCEL | MB_ICONQUESTION, L"Tavolin") != IDOK)
        return;
    s.EditedList = g_currentList;
    s.EditedIndex = index;
    s.Form.Load(*s.Lists[g_currentList].DrumAddress(index));
    ShowArea(s);
    EnableArea(s, true);
}

void ClearArea(DialogState& s) {
    if (!s.Form.Unchanged && Ask(s, L"确实需要清除？", MB_YESNO | MB_ICONINFORMATION) != IDYES) return;
    s.Form.Clear();
    s.EditedIndex = -1;
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
    if (row == -1) ControlsEnabled(s, false);
    else if (row == -2) ControlsEnabled(s, true);
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
            FillList(s, list, PasteDrum(patterns, std::max(selected, 0), s.Buffer, list == 0 ? kPasteOver : g_pasteMode));
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
    const int position = GetClickPosition(local.y, r.bottom, static_cast<int32_t>(SendMessageW(box, LB_GETITEMHEIGHT, 0, 0)),
                                          static_cast<int32_t>(SendMessageW(box, LB_GETTOPINDEX, 0, 0)), selected);
    g_pasteMode = PasteModeOf(position, g_pasteMode);
    const bool bars = g_currentList == 0;
    const wchar_t* paste = bars ? L"覆盖" : g_pasteMode == kPasteAbove ? L"在上方插入"
                                          : g_pasteMode == kPasteBelow ? L"在下方插入"
                                          : g_pasteMode == kPasteOver  ? L"覆盖"
                                                                       : L"粘贴";
    const UINT idle = s.Playing ? MF_GRAYED : MF_ENABLED;
    const UINT filled = s.BufferFilled && !s.Playing ? MF_ENABLED : MF_GRAYED;
    win::MenuHandle owned(CreatePopupMenu());
    HMENU menu = owned.Get();
    auto add = [&](int id, const wchar_t* text, UINT flags) { AppendMenuW(menu, MF_STRING | flags, static_cast<UINT_PTR>(id), text); };
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
        SendMessageW(s.Ed.Window, tessaly::WM_ShowPlayPos, static_cast<WPARAM>(s.Starts[static_cast<size_t>(selected)]), 0);
    }
    ShowStatus(s, selected);
}

HWND MakeControl(const DialogState& s, const wchar_t* cls, DWORD style, const wchar_t* text, int id, const RECT& b);
int ListId(int list);
LRESULT CALLBACK ListProc(HWND box, UINT msg, WPARAM w, LPARAM l, UINT_PTR, DWORD_PTR data);

// The list not shown at opening is made, filled and hooked when first shown: the editor opens
// with one control and its names fewer.
void MakeList(DialogState& s, int list) {
    if (List(s, list)) return;
    const Control& c = *std::find_if(std::begin(kControls), std::end(kControls),
                                     [&](const Control& c) { return c.Id == ListId(list); });
    HWND box = MakeControl(s, c.Class, c.Style, c.Text, c.Id, c.Box);
    // Above the tab strip it lies on, as the controls made with the dialog are.
    SetWindowPos(box, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    FillList(s, list, s.Lists[list].DrumCount() > 0 ? 0 : -1);
    SetWindowSubclass(box, ListProc, 1, reinterpret_cast<DWORD_PTR>(&s));
    AddTip(s.Tips, s.Dialog, box, c.Tip);
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
        RECT r{CellLeft(k) / 15, CellTop(k) / 15, (CellLeft(k) + kCellTwips) / 15, (CellTop(k) + 240) / 15};
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
        for (int k = 0; k < kDrumCells; ++k) {
            if (y < CellTop(k) || y >= CellTop(k) + 240 || x < CellLeft(k) || x >= CellLeft(k) + kCellTwips) continue;
            if (s.Form.Toggle(k, x - CellLeft(k))) InvalidateRect(grid, nullptr, TRUE);
            break;
        }
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

HWND MakeControl(const DialogState& s, const wchar_t* cls, DWORD style, const wchar_t* text, int id, const RECT& b) {
    // The editing area starts disabled: made so, rather than disabled one control at a time.
    if (id >= kName && id <= kLastAreaControl) style |= WS_DISABLED;
    HWND h = CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | style, b.left, b.top, b.right, b.bottom, s.Dialog,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), com::ThisModule(), nullptr);
    SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    return h;
}

int ListId(int list) {
    return list == 0 ? kBarList : kTemplateList;
}

void CreateControls(DialogState& s) {
    auto make = [&](const wchar_t* cls, DWORD style, const wchar_t* text, int id, const RECT& b) {
        return MakeControl(s, cls, style, text, id, b);
    };
    s.Tab = make(WC_TABCONTROLW, WS_CLIPSIBLINGS, L"", kTab, {8, 8, 200, 416});
    for (const wchar_t* caption : {L"小节鼓点", L"模板鼓点"}) {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<wchar_t*>(caption);
        SendMessageW(s.Tab, TCM_INSERTITEMW, static_cast<WPARAM>(SendMessageW(s.Tab, TCM_GETITEMCOUNT, 0, 0)),
                     reinterpret_cast<LPARAM>(&item));
    }
    for (const Control& c : kControls) {
        if ((c.Id == kBarList || c.Id == kTemplateList) && c.Id != ListId(g_currentList)) continue;  // made when shown
        HWND h = make(c.Class, c.Style, c.Text, c.Id, c.Box);
        if (c.Id == kGrid) SetWindowSubclass(h, GridProc, 1, reinterpret_cast<DWORD_PTR>(&s));
        if (c.Id == kSpeedSpin) Spin(h, Item(s, kSpeed), kMinDrumSpeed, kMaxDrumSpeed);
        if (c.Id == kName) SendMessageW(h, EM_LIMITTEXT, sizeof(tessaly::XjDrumData::DrumName), 0);
    }
    for (int ch = 0; ch < 8; ++ch) {
        for (const ChannelControl& c : kChannelControls) {
            RECT b = c.Box;
            if (c.FirstId == kPan0) b.left += (ch % 4) * 80, b.top += (ch / 4) * 42;
            else b.top += ch * kRowStride;
            HWND h = make(c.Class, c.Style, c.FirstId == kChannel0 ? std::to_wstring(ch + 1).c_str() : L"", c.FirstId + ch, b);
            if (c.FirstId == kVolumeSpin0) Spin(h, Item(s, kVolume0 + ch), 0, 127);
            if (c.FirstId == kPan0) SendMessageW(h, TBM_SETRANGE, FALSE, MAKELPARAM(0, 127));
        }
    }
    SetWindowPos(s.Tab, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    s.Status = CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, s.Dialog, nullptr,
                               com::ThisModule(), nullptr);
    SendMessageW(s.Status, SB_SIMPLE, TRUE, 0);
}

// Added once the lists are filled: a hook on a control (the tips', the lists' own) slows every
// message it is sent, each name added included.
void AddHooks(DialogState& s) {
    for (int id : {kBarList, kTemplateList})
        if (HWND list = Item(s, id)) SetWindowSubclass(list, ListProc, 1, reinterpret_cast<DWORD_PTR>(&s));
    for (const Control& c : kControls)
        if (HWND h = Item(s, c.Id); h && c.Tip) AddTip(s.Tips, s.Dialog, h, c.Tip);
    for (const ChannelControl& c : kChannelControls)
        for (int ch = 0; ch < 8; ++ch) AddTip(s.Tips, s.Dialog, Item(s, c.FirstId + ch), c.Tip);
}

void Load(HWND dialog, DialogState& s) {
    const INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&icc);
    s.Dialog = dialog;
    SetWindowTextW(dialog, L"鼓点编辑...");
    win::SizeClient(dialog, kClient);
    CreateControls(s);

    const auto sounds = ReadNameList(ProgramFileBytes(L"genmidi1.txt"), 75, 13);
    std::vector<std::wstring> names;  // converted once for the eight lists
    for (const std::string& name : sounds) names.push_back(FromGbk(name));
    for (int ch = 0; ch < 8; ++ch) {
        HWND sound = Item(s, kSound0 + ch);  // looked up once: each look-up walks every control
        COMBOBOXINFO info{};
        info.cbSize = sizeof info;
        GetComboBoxInfo(sound, &info);
        // The drop-down list is hidden: its scroll bar is set once, not at every name.
        SendMessageW(info.hwndList, WM_SETREDRAW, FALSE, 0);
        SendMessageW(sound, CB_INITSTORAGE, names.size(), static_cast<LPARAM>(names.size()) * 32);
        for (const std::wstring& name : names)
            SendMessageW(sound, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
        SendMessageW(info.hwndList, WM_SETREDRAW, TRUE, 0);
    }
    for (const DrumMetreChoice& m : kDrumMetreChoices)
        SendMessageW(Item(s, kMetre), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(m.Text).c_str()));

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
    AddHooks(s);
    ShowWindow(dialog, SW_SHOW);
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

INT_PTR OnMessage(DialogState* s, HWND, UINT msg, WPARAM, LPARAM lParam) {
    switch (msg) {
        case WM_HSCROLL:
            if (s && !s->Filling) s->Form.Edited();
            return TRUE;
        case WM_DRAWITEM: {
            const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (!s) return FALSE;
            if (item.CtlID == kGrid) DrawGrid(*s, item);
            else if (item.CtlID == kMirror) DrawMirror(item);
            return TRUE;
        }
        case WM_NOTIFY: {
            const auto* n = reinterpret_cast<const NMHDR*>(lParam);
            if (s && n->idFrom == kTab && n->code == TCN_SELCHANGE)
                ShowList(*s, static_cast<int>(SendMessageW(s->Tab, TCM_GETCURSEL, 0, 0)));
            return TRUE;
        }
        default: return FALSE;
    }
}

}  // namespace

void ShowDrumEditor(Editor& ed, HWND owner, const SetPlayInfoForm& settings) {
    // The mirror flag and its picture agree from the start.
    g_mirror = false;
    DialogState state{ed, settings};
    ed.PlaySettings.DrumProgress = [&state](int32_t row) { Progress(state, row); };
    RunModal(owner, DialogProc<DialogState, Load, Command, OnMessage>, &state);
    ed.PlaySettings.DrumProgress = nullptr;
}

}  // namespace notaline
