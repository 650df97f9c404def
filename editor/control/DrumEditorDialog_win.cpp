// The drum pattern editor "鼓点编辑...": the bar patterns and the templates on a tab strip, and
// the editing area with its rhythm grid, over the play settings' working patterns.
#include "control/DrumEditorDialog_win.h"

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "PlayNote.h"
#include "com/Create.h"
#include "com/Module.h"
#include "control/DialogTexts_win.h"
#include "control/DrumEditorFaces_win.h"
#include "control/DrumEditorRows_win.h"
#include "control/Editor_win.h"
#include "control/MusicPlayer_win.h"
#include "control/TabbedDialog_win.h"
#include "music/DrumEditForm.h"
#include "music/SetPlayInfoForm.h"
#include "records/Dialogs.h"
#include "records/Messages.h"
#include "records/Numbers.h"
#include "text/Cp936.h"
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

// Kept from one opening to the next within a run.
OpeningPicture g_picture;
int g_currentList = 0;
int g_pasteMode = kPasteNone;
bool g_mirror = false;

std::filesystem::path TemplateFile() {
    return std::filesystem::path(com::ProgramFolder() + L"DrumMod.dat");
}

// An up-down's buddy is the edit made just before it.
void Spin(HWND spin, HWND buddy, int low, int high) {
    SendMessageW(spin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy), 0);
    SendMessageW(spin, UDM_SETRANGE32, static_cast<WPARAM>(low), high);
}

class DrumEditorDialog final : public TabbedDialog {
public:
    DrumEditorDialog(Editor& ed, const SetPlayInfoForm& settings)
        : TabbedDialog(ed, L"鼓点编辑...", Rows(), kClient, kTab, kStatus), settings_(settings) {
        CrispFont = true;
    }

    // The player's reports, through the editor's window.
    void Progress(int32_t row);

private:
    void OnInit() override;
    void OnCommand(int id, int code) override;
    INT_PTR OnOther(UINT msg, WPARAM, LPARAM lParam) override;
    // The list not shown at opening is made when first shown, the area's controls when it is
    // first used.
    bool Later(const win::DialogControl& c) const override {
        if (c.Id == kMetre || IsSoundList(c.Id) || IsChannelRow(c.Id)) return true;
        return (c.Id == kBarList || c.Id == kTemplateList) && c.Id != ListId(g_currentList);
    }
    bool Hidden(const win::DialogControl& c) const override { return picturing_ && IsChannelRow(c.Id); }
    bool TipsPosted() const override { return true; }

    static LRESULT CALLBACK GridProc(HWND grid, UINT msg, WPARAM w, LPARAM l, UINT_PTR, DWORD_PTR data);
    static LRESULT CALLBACK ListProc(HWND box, UINT msg, WPARAM w, LPARAM l, UINT_PTR, DWORD_PTR data);
    HWND List(int list) const { return Item(ListId(list)); }
    int Selected() const { return static_cast<int>(SendMessageW(List(g_currentList), LB_GETCURSEL, 0, 0)); }
    int Ask(const std::wstring& text, UINT style, const wchar_t* title = tessaly::kProgramTitle) const {
        return TabbedDialog::Ask(text, style, title);
    }
    void ShowStatus(int selected);
    void Refill(int list, int select);
    void AssignStarts();
    void ApplyArea(bool on);
    void EnableArea(bool on) {
        areaOn_ = on;
        ApplyArea(on);
    }
    void ShowMetre();
    void ShowArea();
    void ReadArea();
    void MakeAreaControls();
    void PictureRows();
    void LoadPattern();
    void ClearArea();
    void OverwriteSave();
    bool SaveTemplates();
    tessaly::PlayNote& Player();
    void Preview(int sound);
    void Audition(int list, int first, int last);
    void AuditionArea();
    void ControlsEnabled(bool enabled);
    void ListCommand(int id);
    void OpenListMenu(HWND box);
    void ListClicked();
    void MakeList(int list);
    void ShowList(int list);
    void SetUpChannel(int ch);
    void SetUpControls();
    void Close();
    void FitName();
    void AreaEdited(int id, int code);

    const SetPlayInfoForm& settings_;
    std::vector<std::wstring> soundNames_;
    tessaly::分析鼓点 lists_[2];
    std::vector<int32_t> starts_;  // the bar patterns' first characters
    size_t templatesRead_ = 0;
    bool listUnchanged_[2] = {true, true};
    DrumEditForm form_;
    int editedList_ = 0;
    int editedIndex_ = -1;
    tessaly::XjDrumData buffer_{};
    bool bufferFilled_ = false;
    bool showing_ = false;                     // controls being set by the program, not edited
    std::unique_ptr<tessaly::PlayNote> note_;  // made at the first sound
    bool playing_ = false;
    bool areaOn_ = false;
    bool pending_ = false;    // the editing area's pattern appended to the edited list to be heard
    bool picturing_ = false;  // channel 0's row made hidden, to be printed
};

void DrumEditorDialog::ShowStatus(int selected) {
    const tessaly::aPlayInfo& play = ed_.Data.PlayInfo;
    const int main = play.MainTrack;
    const int count = main >= 1 && main <= static_cast<int>(play.Track.size()) ? play.Track[main - 1u].XjCount : 0;
    const std::wstring head = L"“小节鼓点”对应主音轨(音轨" + std::to_wstring(main) + L")，";
    if (g_currentList == 1)
        SetStatus(L"模板鼓点有" + std::to_wstring(templatesRead_) + L"个，当前为第" + std::to_wstring(selected + 1) +
                  L"个。");
    else if (selected < 0)
        SetStatus(head + L"当前小节鼓点共有" + std::to_wstring(count) + L"个。");
    else
        SetStatus(head + L"小节鼓点共有" + std::to_wstring(count) + L"个，当前鼓点对应于第" +
                  std::to_wstring(selected + 1) + L"小节。");
}

// Filled with drawing off and room made at once: otherwise the list redraws, resets its scroll
// bar and grows its storage at every name.
void DrumEditorDialog::Refill(int list, int select) {
    HWND box = List(list);
    const int count = lists_[list].DrumCount();
    SendMessageW(box, WM_SETREDRAW, FALSE, 0);
    SendMessageW(box, LB_RESETCONTENT, 0, 0);
    SendMessageW(box, LB_INITSTORAGE, static_cast<WPARAM>(count), static_cast<LPARAM>(count) * 32);
    for (int i = 0; i < count; ++i)
        SendMessageW(box, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(FromGbk(lists_[list].DrumName(i)).c_str()));
    SendMessageW(box, LB_SETCURSEL, static_cast<WPARAM>(select), 0);
    SendMessageW(box, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(box, nullptr, TRUE);
}

void DrumEditorDialog::AssignStarts() {
    tessaly::分析鼓点& bars = lists_[0];
    starts_ = BarStartPositions(settings_.Work, settings_.Bars, bars.DrumCount());
    for (size_t n = 0; n < starts_.size(); ++n)
        if (const auto v = tessaly::TryCInt(starts_[n])) bars.BeginSelStart(static_cast<int32_t>(n), *v);
}

void DrumEditorDialog::ApplyArea(bool on) {
    for (int id = kName; id <= kLastAreaControl; ++id)
        if (HWND h = Item(id)) EnableWindow(h, on);
    EnableWindow(Item(kSave), on && editedIndex_ >= 0);
}

void DrumEditorDialog::ShowMetre() {
    const int metre = form_.Area.Metre;
    SetDlgItemTextW(dialog_, kAccent,
                    metre >= 0 ? Wide(kDrumMetreChoices[static_cast<size_t>(metre)].Accent).c_str() : L"");
    InvalidateRect(Item(kGrid), nullptr, TRUE);
}

void DrumEditorDialog::ShowArea() {
    showing_ = true;
    const DrumEditArea& a = form_.Area;
    SetDlgItemTextW(dialog_, kName, FromGbk(a.Name).c_str());
    for (int ch = 0; ch < 8; ++ch) {
        Check(kChannel0 + ch, a.Channel[ch]);
        SetDlgItemInt(dialog_, kVolume0 + ch, static_cast<UINT>(a.Volume[ch]), FALSE);
        SendMessageW(Item(kSound0 + ch), CB_SETCURSEL, static_cast<WPARAM>(a.Sound[ch]), 0);
        SendMessageW(Item(kPan0 + ch), TBM_SETPOS, TRUE, a.Pan[ch]);
    }
    Check(kHaveDrum, a.HaveDrum);
    SendMessageW(Item(kMetre), CB_SETCURSEL, static_cast<WPARAM>(a.Metre), 0);
    SetDlgItemInt(dialog_, kSpeed, static_cast<UINT>(a.Speed), FALSE);
    SetDlgItemInt(dialog_, kStart, static_cast<UINT>(a.BeginSelStart), TRUE);
    ShowMetre();
    showing_ = false;
}

// The controls that are not kept in step as they change, read back before a store.
void DrumEditorDialog::ReadArea() {
    DrumEditArea& a = form_.Area;
    const std::wstring typed = BoxText(kName);
    a.Name = tessaly::Utf16ToCp936(std::u16string(typed.begin(), typed.end())).value_or(a.Name);
    for (int ch = 0; ch < 8; ++ch) {
        a.Channel[ch] = IsDlgButtonChecked(dialog_, kChannel0 + ch) == BST_CHECKED;
        if (HWND sound = Item(kSound0 + ch))
            a.Sound[ch] = static_cast<int32_t>(SendMessageW(sound, CB_GETCURSEL, 0, 0));
        a.Pan[ch] = static_cast<int32_t>(SendMessageW(Item(kPan0 + ch), TBM_GETPOS, 0, 0));
    }
    a.HaveDrum = IsDlgButtonChecked(dialog_, kHaveDrum) == BST_CHECKED;
}

// The sound and metre lists are made when the editing area is first used: each drop-down list
// is a window of its own, and the editor opens without nine of them. Until then their faces
// stand in for them, disabled as the lists would be; so does the opening's picture for the
// channel rows and pan sliders.
void DrumEditorDialog::MakeAreaControls() {
    if (Item(kMetre)) return;
    for (int ch = 0; ch < 8; ++ch) {
        // In the table's order, which is the tab order.
        for (int id : {kChannel0, kVolume0, kVolumeSpin0}) MakeRow(id + ch);
        HWND sound = MakeRow(kSound0 + ch);
        COMBOBOXINFO info{};
        info.cbSize = sizeof info;
        GetComboBoxInfo(sound, &info);
        // The drop-down list is hidden: its scroll bar is set once, not at every name.
        SendMessageW(info.hwndList, WM_SETREDRAW, FALSE, 0);
        SendMessageW(sound, CB_INITSTORAGE, soundNames_.size(), static_cast<LPARAM>(soundNames_.size()) * 32);
        for (const std::wstring& name : soundNames_)
            SendMessageW(sound, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
        SendMessageW(info.hwndList, WM_SETREDRAW, TRUE, 0);
        MakeRow(kPan0 + ch);
        SetUpChannel(ch);
        for (int id : {kChannel0, kVolume0, kVolumeSpin0, kPan0, kSound0}) AddRowTip(id + ch);
    }
    HWND metre = MakeRow(kMetre);
    for (const DrumMetreChoice& m : kDrumMetreChoices)
        SendMessageW(metre, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(m.Text).c_str()));
    for (int id : {kSoundFaces, kMetreFace, kChannelFaces, kPanFaces})
        if (HWND face = Item(id)) DestroyWindow(face);
}

// One row of controls printed at each channel's place with that channel's values, as ShowArea
// would set them, then gone: four windows instead of 32, made hidden before the dialog shows.
void DrumEditorDialog::PictureRows() {
    std::vector<uint32_t> looks = OpeningPicture::LooksNow();
    if (g_picture.Shows(looks)) return;
    g_picture.Begin(std::move(looks));
    const int ids[] = {kChannel0, kVolume0, kVolumeSpin0, kPan0};
    HWND row[std::size(ids)]{};
    POINT at[std::size(ids)]{};
    picturing_ = true;
    for (size_t i = 0; i < std::size(ids); ++i) row[i] = MakeRow(ids[i]);
    picturing_ = false;
    SetUpChannel(0);
    for (size_t i = 0; i < std::size(ids); ++i) {
        RECT r{};
        GetWindowRect(row[i], &r);
        MapWindowPoints(nullptr, dialog_, reinterpret_cast<POINT*>(&r), 1);
        at[i] = {r.left, r.top};
    }
    showing_ = true;
    const DrumEditArea& a = form_.Area;
    for (int ch = 0; ch < 8; ++ch) {
        SetWindowTextW(row[0], Row(kChannel0 + ch).Text);
        Check(kChannel0, a.Channel[ch]);
        SetDlgItemInt(dialog_, kVolume0, static_cast<UINT>(a.Volume[ch]), FALSE);
        SendMessageW(row[3], TBM_SETPOS, TRUE, a.Pan[ch]);
        for (size_t i = 0; i < std::size(ids); ++i) {
            // The arrows stand beside their buddy, wherever its row is.
            const int id = ids[i] == kVolumeSpin0 ? kVolume0 : ids[i];
            const RECT to = Row(id + ch).Box, from = Row(id).Box;
            // Alike: the same kind of control with the same value; the on boxes differ by caption.
            const int value = i == 0 ? -1 : i == 1 ? a.Volume[ch] : i == 2 ? 0 : a.Pan[ch];
            g_picture.Print(row[i], {at[i].x + to.left - from.left, at[i].y + to.top - from.top},
                            value < 0 ? -1 : static_cast<int>(i) << 16 | (value & 0xFFFF));
        }
    }
    showing_ = false;
    for (HWND h : row) DestroyWindow(h);
}

void DrumEditorDialog::LoadPattern() {
    const int index = Selected();
    if (index < 0) return;
    if (!form_.Unchanged && Ask(L"编辑界面数据有修改，覆盖它？", MB_OKCANCEL | MB_ICONQUESTION, L"Tavolin") != IDOK)
        return;
    editedList_ = g_currentList;
    editedIndex_ = index;
    const auto sounds = form_.Area.Sound;
    form_.Load(*lists_[g_currentList].DrumAddress(index), settings_.Work.JiePai);
    MakeAreaControls();
    ShowArea();
    EnableArea(true);
    Preview(ChangedSound(sounds, form_.Area.Sound));
}

void DrumEditorDialog::ClearArea() {
    if (!form_.Unchanged && Ask(L"确实需要清除？", MB_YESNO | MB_ICONINFORMATION) != IDYES) return;
    const auto sounds = form_.Area.Sound;
    form_.Clear();
    editedIndex_ = -1;
    MakeAreaControls();
    ShowArea();
    EnableArea(true);
    Preview(ChangedSound(sounds, form_.Area.Sound));
}

void DrumEditorDialog::OverwriteSave() {
    if (editedIndex_ < 0) return;
    HWND box = List(editedList_);
    const std::wstring shown = ListItemText(box, editedIndex_);
    if (Ask(L"确认覆盖保存: “" + shown + L"”", MB_OKCANCEL | MB_ICONQUESTION) != IDOK) return;
    ReadArea();
    tessaly::分析鼓点& list = lists_[editedList_];
    form_.Store(*list.DrumAddress(editedIndex_));
    // The name as stored, cut to its bytes; an empty one still shows empty until the list is refilled.
    const std::wstring stored = BoxText(kName).empty() ? L"" : FromGbk(list.DrumName(editedIndex_));
    SendMessageW(box, LB_DELETESTRING, static_cast<WPARAM>(editedIndex_), 0);
    SendMessageW(box, LB_INSERTSTRING, static_cast<WPARAM>(editedIndex_), reinterpret_cast<LPARAM>(stored.c_str()));
    SendMessageW(box, LB_SETCURSEL, static_cast<WPARAM>(editedIndex_), 0);
    form_.Unchanged = true;
    listUnchanged_[editedList_] = false;
}

// The template file written; a failed write is told and the list stays changed.
bool DrumEditorDialog::SaveTemplates() {
    const tessaly::DaDurStatus saved = lists_[1].SaveDrum(TemplateFile());
    if (!saved.ok) {
        Ask(Wide(saved.reason), MB_OK | MB_ICONINFORMATION);
        return false;
    }
    listUnchanged_[1] = true;
    return true;
}

// A sound choice heard once: its drum key at full volume, no note-off.
void DrumEditorDialog::Preview(int sound) {
    if (sound >= 0) Player().PlayaOneDrumNote(static_cast<int16_t>(sound + 13), 127);
}

tessaly::PlayNote& DrumEditorDialog::Player() {
    if (!note_) {
        if (!ed_.Player) ed_.Player = std::make_unique<MusicPlayer>();
        ed_.Player->Windows.Shared.Target = reinterpret_cast<intptr_t>(ed_.Window);
        note_ = std::make_unique<tessaly::PlayNote>(ed_.Player->Windows.Shared);
        note_->SetInfoForPlay(reinterpret_cast<intptr_t>(ed_.Window), ed_.Data.PlayInfo);
    }
    return *note_;
}

// Patterns first to last of a list heard, at the first one's speed; a stored 0 plays at 120.
void DrumEditorDialog::Audition(int list, int first, int last) {
    tessaly::分析鼓点& patterns = lists_[list];
    if (first < 0 || last < first || last >= patterns.DrumCount()) return;
    if (patterns.DrumSpeed(first) == 0) patterns.DrumSpeed(first, 120);
    playing_ = true;
    Player().PlayingListDrum(patterns.DrumAddress(0), static_cast<int16_t>(first), static_cast<int16_t>(last),
                             patterns.DrumCount());
}

// The editing area heard through a pattern appended to the edited list, removed at the end.
void DrumEditorDialog::AuditionArea() {
    if (playing_ || pending_) return;
    tessaly::分析鼓点& patterns = lists_[editedList_];
    ReadArea();
    patterns.AddLastNullDrumData();
    pending_ = true;
    const int last = patterns.DrumCount() - 1;
    form_.Store(*patterns.DrumAddress(last));
    Audition(editedList_, last, last);
}

void DrumEditorDialog::ControlsEnabled(bool enabled) {
    ApplyArea(enabled && areaOn_);
    EnableWindow(tab_, enabled);
    if (enabled && pending_) {
        lists_[editedList_].DelLastDrumData();
        pending_ = false;
    }
    playing_ = !enabled;
}

void DrumEditorDialog::Progress(int32_t row) {
    if (row == -1)
        ControlsEnabled(false);
    else if (row == -2)
        ControlsEnabled(true);
    else if (row >= 0 && !pending_) {
        SendMessageW(List(g_currentList), LB_SETCURSEL, static_cast<WPARAM>(row), 0);
        ListClicked();
    }
}

void DrumEditorDialog::ListCommand(int id) {
    const int list = g_currentList;
    const int selected = Selected();
    tessaly::分析鼓点& patterns = lists_[list];
    switch (id) {
        case kMenuEdit: LoadPattern(); return;
        case kMenuCopy:
            if (const tessaly::XjDrumData* p = patterns.DrumAddress(selected)) buffer_ = *p, bufferFilled_ = true;
            return;
        case kMenuPaste:
            if (selected < 0 && list == 0) return;
            Refill(list, PasteDrum(patterns, std::max(selected, 0), buffer_, list == 0 ? kPasteOver : g_pasteMode));
            if (list == 0) AssignStarts();
            break;
        case kMenuDefault:
            if (Ask(L"确定要清空该鼓点，并还原成默认值？", MB_YESNO | MB_ICONINFORMATION) != IDYES) return;
            patterns.DefDrumData(selected);
            Refill(list, selected);
            break;
        case kMenuDelete:
            if (Ask(L"确定要删除该鼓点？删除后不可恢复。", MB_YESNO | MB_ICONINFORMATION) != IDYES) return;
            patterns.DelDrumData(selected);
            Refill(list, std::min(selected, patterns.DrumCount() - 1));
            break;
        case kMenuCoverAll:
            for (int n = 0; n < lists_[0].DrumCount(); ++n) {
                lists_[0].CoverDrumData(n, buffer_);
                lists_[0].HaveDrum(n, 1);
            }
            Refill(0, selected);
            AssignStarts();
            break;
        case kMenuSave: SaveTemplates(); return;
        case kMenuAudition: Audition(list, selected, selected); return;
        case kMenuPlayAll: Audition(list, selected, patterns.DrumCount() - 1); return;
        case kMenuStop:
            if (note_) note_->CloseListDrum();
            return;
        default: return;
    }
    listUnchanged_[list] = false;
}

void DrumEditorDialog::OpenListMenu(HWND box) {
    const int selected = Selected();
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
    const UINT idle = playing_ ? MF_GRAYED : MF_ENABLED;
    const UINT filled = bufferFilled_ && !playing_ ? MF_ENABLED : MF_GRAYED;
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
        add(kMenuStop, L"停止试听", playing_ ? MF_ENABLED : MF_GRAYED);
    } else {
        add(kMenuDelete, L"删除", idle);
        AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        add(kMenuAudition, L"试听当前", idle);
        AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        add(kMenuSave, L"保存到模板文件", idle);
    }
    const int id = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, dialog_, nullptr);
    owned.Reset();
    if (id) ListCommand(id);
}

void DrumEditorDialog::ListClicked() {
    const int selected = Selected();
    if (g_currentList == 0 && selected >= 0 && static_cast<size_t>(selected) < starts_.size()) {
        const int32_t start = starts_[static_cast<size_t>(selected)];
        ed_.Data.SelStart = start;
        ed_.Data.SelLength = 1;
        SendMessageW(ed_.Window, tessaly::WM_ShowPlayPos, static_cast<WPARAM>(start), 0);
    }
    ShowStatus(selected);
}

// The list not shown at opening is made, filled and hooked when first shown: the editor opens
// with one control and its names fewer.
void DrumEditorDialog::MakeList(int list) {
    if (List(list)) return;
    HWND box = MakeRow(ListId(list));
    // Above the tab strip it lies on, as the controls made with the dialog are.
    SetWindowPos(box, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    Refill(list, lists_[list].DrumCount() > 0 ? 0 : -1);
    SetWindowSubclass(box, ListProc, 1, reinterpret_cast<DWORD_PTR>(this));
    AddRowTip(ListId(list));
}

void DrumEditorDialog::ShowList(int list) {
    MakeList(list);
    g_currentList = list;
    ShowWindow(List(0), list == 0 ? SW_SHOW : SW_HIDE);
    ShowWindow(List(1), list == 1 ? SW_SHOW : SW_HIDE);
    SendMessageW(tab_, TCM_SETCURSEL, static_cast<WPARAM>(list), 0);
    ShowStatus(Selected());
}

LRESULT CALLBACK DrumEditorDialog::GridProc(HWND grid, UINT msg, WPARAM w, LPARAM l, UINT_PTR, DWORD_PTR data) {
    auto& s = *reinterpret_cast<DrumEditorDialog*>(data);
    if (msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN) {
        const int x = static_cast<short>(LOWORD(l)) * 15, y = static_cast<short>(HIWORD(l)) * 15;
        const int cell = CellAt(x, y);
        if (cell >= 0 && s.form_.Toggle(cell, x - CellLeft(cell))) InvalidateRect(grid, nullptr, TRUE);
        return 0;
    }
    return DefSubclassProc(grid, msg, w, l);
}

LRESULT CALLBACK DrumEditorDialog::ListProc(HWND box, UINT msg, WPARAM w, LPARAM l, UINT_PTR, DWORD_PTR data) {
    if (msg == WM_RBUTTONUP) {
        reinterpret_cast<DrumEditorDialog*>(data)->OpenListMenu(box);
        return 0;
    }
    return DefSubclassProc(box, msg, w, l);
}

void DrumEditorDialog::SetUpChannel(int ch) {
    Spin(Item(kVolumeSpin0 + ch), Item(kVolume0 + ch), 0, 127);
    win::SelectAllKey(Item(kVolume0 + ch));
    SendMessageW(Item(kPan0 + ch), TBM_SETRANGE, FALSE, MAKELPARAM(0, 127));
}

// What the table cannot say: the tab captions, the arrows' buddies and ranges, the status bar.
void DrumEditorDialog::SetUpControls() {
    HWND tab = Item(kTab);
    for (const wchar_t* caption : {L"小节鼓点", L"模板鼓点"}) {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<wchar_t*>(caption);
        SendMessageW(tab, TCM_INSERTITEMW, static_cast<WPARAM>(SendMessageW(tab, TCM_GETITEMCOUNT, 0, 0)),
                     reinterpret_cast<LPARAM>(&item));
    }
    SetWindowSubclass(Item(kGrid), GridProc, 1, reinterpret_cast<DWORD_PTR>(this));
    Spin(Item(kSpeedSpin), Item(kSpeed), kMinDrumSpeed, kMaxDrumSpeed);
    for (int id : {kSpeed, kName}) win::SelectAllKey(Item(id));
    SendMessageW(Item(kName), EM_LIMITTEXT, sizeof(tessaly::XjDrumData::DrumName), 0);
    SetUpTabAndStatus();
}

void DrumEditorDialog::OnInit() {
    SetUpControls();
    PictureRows();

    // Converted once for the eight lists.
    for (const std::string& name : ReadNameList(ProgramFileBytes(L"genmidi1.txt"), 75, 13))
        soundNames_.push_back(FromGbk(name));

    lists_[0].DrumArrData(ed_.PlaySettings.Drums);
    AssignStarts();
    if (!std::filesystem::exists(TemplateFile())) std::ofstream(TemplateFile(), std::ios::binary);
    auto templates = tessaly::ParseDrumRecords(ProgramFileBytes(L"DrumMod.dat"));
    templatesRead_ = templates.size();
    lists_[1].DrumArrData(std::move(templates));
    Refill(g_currentList, lists_[g_currentList].DrumCount() > 0 ? 0 : -1);
    ShowArea();
    ShowList(g_currentList);
    if (g_currentList == 0) ListClicked();
    // Hooked once filled: a hook on a control slows every message it is sent, each name added
    // included. The tips are added after this, for the same reason.
    SetWindowSubclass(List(g_currentList), ListProc, 1, reinterpret_cast<DWORD_PTR>(this));
    ShowWindow(dialog_, SW_SHOW);
    // Drawn in one pass over the controls, not one paint message at a time through the dialog's
    // loop: a third of the drawing time less here.
    RedrawWindow(dialog_, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

// Closing: the bar patterns back into the working copy; changed templates asked about first.
void DrumEditorDialog::Close() {
    // The audition ends first: its pending pattern goes before anything is copied.
    if (note_ && (playing_ || pending_)) note_->CloseListDrum();
    if (pending_) ControlsEnabled(true);
    if (!listUnchanged_[0]) {
        ed_.PlaySettings.Drums = lists_[0].DrumArrData();
        ed_.Data.ModifiedDrum = true;  // only ever set: an earlier unsaved change stays
    }
    if (!listUnchanged_[1]) {
        const int answer = Ask(L"是否将更改保存到模板文件？", MB_YESNOCANCEL | MB_ICONQUESTION);
        if (answer == IDCANCEL || (answer == IDYES && !SaveTemplates())) return;
    }
    End(IDOK);
}

// A name wider than the record holds is cut as it is typed, so what shows is what is stored.
void DrumEditorDialog::FitName() {
    const std::wstring typed = BoxText(kName);
    const size_t fit = DrumNameFit(std::u16string_view(reinterpret_cast<const char16_t*>(typed.data()), typed.size()));
    if (fit == typed.size()) return;
    HWND box = Item(kName);
    SetWindowTextW(box, typed.substr(0, fit).c_str());
    SendMessageW(box, EM_SETSEL, fit, fit);
}

void DrumEditorDialog::AreaEdited(int id, int code) {
    if (showing_) return;
    if (id == kName && code == EN_CHANGE) FitName();
    if (id >= kVolume0 && id < kVolume0 + 8 && code == EN_CHANGE) {
        const int ch = id - kVolume0;
        if (!form_.SetVolume(ch, tessaly::Val(Narrow(BoxText(id))))) {
            Ask(L"音量值在 0-127 之间!", MB_OK | MB_ICONINFORMATION);
            showing_ = true;
            SetDlgItemInt(dialog_, id, static_cast<UINT>(form_.Area.Volume[ch]), FALSE);
            showing_ = false;
        }
        return;
    }
    if (id == kSpeed) {
        if (code == EN_SETFOCUS) form_.HoldSpeed();
        // Only a move to another control of the form judges what was typed: a message box or
        // another program taking the focus leaves it be.
        const bool leaving = code == EN_KILLFOCUS && IsChild(dialog_, GetFocus());
        if (code != EN_CHANGE && !leaving) return;
        if (form_.TypeSpeed(tessaly::Val(Narrow(BoxText(id))), leaving) != DrumEditForm::Typed::Refused) return;
        // The box shows the kept speed before the message takes the focus, so that its leaving
        // is not refused again.
        showing_ = true;
        SetDlgItemInt(dialog_, id, static_cast<UINT>(form_.Area.Speed), FALSE);
        showing_ = false;
        Ask(Wide(kDrumSpeedRange), MB_OK | MB_ICONINFORMATION);
        SendMessageW(dialog_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(id)), TRUE);
        SendMessageW(Item(id), EM_SETSEL, 0, -1);
        return;
    }
    if (IsSoundList(id) && code == CBN_SELCHANGE) Preview(static_cast<int>(SendMessageW(Item(id), CB_GETCURSEL, 0, 0)));
    if (id == kMetre && code == CBN_SELCHANGE) {
        form_.ChooseMetre(static_cast<int32_t>(SendMessageW(Item(kMetre), CB_GETCURSEL, 0, 0)));
        ShowMetre();
    }
    if (code == EN_CHANGE || code == CBN_SELCHANGE || code == BN_CLICKED) form_.Edited();
}

void DrumEditorDialog::OnCommand(int id, int code) {
    switch (id) {
        case IDCANCEL: Close(); return;
        case kBarList:
        case kTemplateList:
            if (code == LBN_SELCHANGE) ListClicked();
            if (code == LBN_DBLCLK) LoadPattern();
            return;
        case kClear:
            if (code == BN_CLICKED) ClearArea();
            return;
        case kSave:
            if (code == BN_CLICKED) OverwriteSave();
            return;
        case kAudition:
            if (code == BN_CLICKED) AuditionArea();
            return;
        case kMirror:
            if (code != BN_CLICKED) return;
            g_mirror = !g_mirror;
            ReadArea();
            form_.Mirror();
            ShowArea();
            InvalidateRect(Item(kMirror), nullptr, TRUE);
            return;
        default: AreaEdited(id, code);
    }
}

INT_PTR DrumEditorDialog::OnOther(UINT msg, WPARAM, LPARAM lParam) {
    switch (msg) {
        case WM_HSCROLL:
            if (!showing_) form_.Edited();
            return TRUE;
        case WM_DRAWITEM: {
            const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (item.CtlID == kGrid)
                DrawGrid(form_.Area, item);
            else if (item.CtlID == kSoundFaces || item.CtlID == kMetreFace)
                DrawListFaces(form_.Area, soundNames_, item, Font());
            else if (item.CtlID == kChannelFaces || item.CtlID == kPanFaces)
                g_picture.Draw(item);
            else if (item.CtlID == kMirror)
                DrawMirror(item, g_mirror);
            return TRUE;
        }
        case WM_SYSCOLORCHANGE:
        case WM_SETTINGCHANGE:
        case WM_THEMECHANGED:
            // The picture no longer shows what the controls would: they are made now.
            g_picture.Forget();
            if (Item(kChannelFaces)) {
                MakeAreaControls();
                ShowArea();
            }
            return FALSE;
        case WM_NOTIFY: {
            const auto* n = reinterpret_cast<const NMHDR*>(lParam);
            if (n->idFrom == kTab && n->code == TCN_SELCHANGE)
                ShowList(static_cast<int>(SendMessageW(tab_, TCM_GETCURSEL, 0, 0)));
            return TRUE;
        }
        default: return FALSE;
    }
}

}  // namespace

void ShowDrumEditor(Editor& ed, HWND owner, const SetPlayInfoForm& settings) {
    // The mirror flag and its picture agree from the start.
    g_mirror = false;
    DrumEditorDialog dialog(ed, settings);
    ed.PlaySettings.DrumProgress = [&dialog](int32_t row) { dialog.Progress(row); };
    dialog.Run(owner);
    ed.PlaySettings.DrumProgress = nullptr;
}

}  // namespace notaline
