// The play settings dialog: a tab per track between the basic and the MIDI text tabs, over one
// working copy; the bar list beside the singing order is the outside Selmoda control.
#include "control/SetPlayInfoDialog_win.h"

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "api/ISelmoda.h"
#include "com/Container.h"
#include "com/Create.h"
#include "com/Module.h"
#include "control/DialogTexts_win.h"
#include "control/DrumEditorDialog_win.h"
#include "control/Editor_win.h"
#include "control/Handlers_win.h"
#include "control/TabbedDialog_win.h"
#include "records/Dialogs.h"
#include "records/Numbers.h"
#include "text/Cp936.h"
#include "win/DialogKit_win.h"
#include "win/GdiHandles.h"

namespace notaline {
namespace {

using namespace play_settings;
using namespace dialog_texts;

enum Page { kAll, kBasic, kTrack, kMid };

struct Control {
    Page On;
    const wchar_t* Class;
    int Id;  // 0: a label or frame
    const wchar_t* Text;
    RECT Box;  // left, top, width, height in pixels
};

const wchar_t kEdit[] = L"EDIT", kStatic[] = L"STATIC", kButton[] = L"BUTTON", kCombo[] = L"COMBOBOX",
              kGroup[] = L"GROUP", kCheck[] = L"CHECK";

// The singing order's hint, its example between the two halves of the caption; laid out by measure,
// as no run of blanks leaves the example room in every font.
const wchar_t* const kHint[] = {L"演唱顺序形如：", L"1,2.3，", L"逗号表示发音，点表示"};

const Control kControls[] = {
    {kBasic, kGroup, 0, L"基本设置", {20, 40, 480, 312}},
    {kBasic, kStatic, 0, L"音轨总数：", {36, 68, 170, 20}},
    {kBasic, kCombo, kTotalTrackCombo, L"", {210, 64, 80, 300}},
    {kBasic, kStatic, 0, L"主音轨：", {36, 100, 170, 20}},
    {kBasic, kCombo, kMainTrackCob, L"", {210, 96, 80, 300}},
    {kBasic, kStatic, 0, L"演唱速度Bpm（拍/分钟）：", {36, 132, 170, 20}},
    {kBasic, kEdit, kText4, L"", {210, 128, 80, 22}},
    {kBasic, kStatic, 0, L"节拍：", {36, 164, 170, 20}},
    {kBasic, kCombo, kCombo节拍, L"", {210, 160, 80, 300}},
    {kBasic, kCheck, kCheck3, L"使用鼓点（鼓点音轨不计入“音轨总数”）", {36, 194, 440, 22}},
    {kBasic, kGroup, 0, L"主音轨及小节鼓点", {36, 224, 448, 112}},
    {kBasic, kStatic, kDrumVolumeLabel, L"鼓点音量（0-127）：", {52, 256, 150, 20}},
    {kBasic, kEdit, kDrumVolumeTxt, L"", {206, 252, 80, 22}},
    {kBasic, kStatic, kDrumCountLabel, L"鼓点数量：", {52, 292, 150, 20}},
    {kBasic, kEdit, kDrumCountTxt, L"", {206, 288, 80, 22}},
    {kBasic, kButton, kCmdDrumEdit, L"编辑>>", {300, 287, 80, 24}},

    {kTrack, kGroup, 0, L"轨道设置", {20, 40, 480, 312}},
    {kTrack, kCheck, kCheck1, L"音轨有效", {36, 64, 120, 22}},
    {kTrack, kStatic, 0, L"轨道乐器：", {176, 68, 80, 20}},
    {kTrack, kCombo, kComboSound, L"", {256, 64, 228, 300}},
    {kTrack, kStatic, 0, L"音量：", {36, 100, 48, 20}},
    {kTrack, kEdit, kText音量, L"", {84, 96, 50, 22}},
    {kTrack, kStatic, 0, L"(0-127)", {138, 100, 60, 20}},
    {kTrack, kStatic, 0, L"声像：", {208, 100, 48, 20}},
    {kTrack, kEdit, kText声像, L"", {256, 96, 50, 22}},
    {kTrack, kStatic, 0, L"(0-127)", {310, 100, 60, 20}},
    {kTrack, kStatic, 0, L"音调：", {36, 132, 48, 20}},
    {kTrack, kCombo, kCom音调, L"", {84, 128, 114, 300}},
    {kTrack, kStatic, 0, L"开始延迟(32分音符个数)：", {208, 132, 190, 20}},
    {kTrack, kEdit, kText2, L"", {404, 128, 80, 22}},
    {kTrack, kStatic, 0, kHint[0], {36, 162, 0, 18}},
    {kTrack, kStatic, 0, kHint[1], {36, 162, 0, 18}},
    {kTrack, kStatic, 0, kHint[2], {36, 162, 0, 18}},
    {kTrack, kStatic, 0, L"不发音，数字表示演唱块。", {36, 180, 448, 18}},
    {kTrack, kEdit, kPlayOrderText, L"", {36, 200, 448, 22}},
    {kTrack, kGroup, 0, L"演唱块（红色数字）/演唱顺序", {36, 228, 448, 116}},
    {kTrack, kStatic, kShowXjxWin1, L"", {44, 246, 432, 90}},

    {kMid, kGroup, 0, L"MID文本信息", {20, 40, 480, 312}},
    {kMid, kStatic, 0, L"歌曲标题:", {36, 72, 80, 20}},
    {kMid, kEdit, kText1, L"", {120, 68, 364, 22}},
    {kMid, kStatic, 0, L"版权信息:", {36, 106, 80, 20}},
    {kMid, kEdit, kText3, L"", {120, 102, 364, 22}},
    {kMid, kStatic, 0, L"备注:", {36, 140, 80, 20}},
    {kMid, kEdit, kText5, L"", {120, 136, 364, 22}},

    {kAll, kButton, IDOK, L"确定(&O)", {332, 364, 80, 26}},
    {kAll, kButton, IDCANCEL, L"取消(&C)", {420, 364, 80, 26}},
};
constexpr SIZE kClient = {520, 422};
constexpr RECT kTabBox = {8, 8, 504, 352};  // left, top, width, height

const wchar_t* const kKeys[] = {L"1 = C",      L"1 = #C", L"1 = D",  L"1 = bE(#D)", L"1 = E",
                                L"1 = F",      L"1 = #F", L"1 = G",  L"1 = bA(#G)", L"1 = A",
                                L"1 = bB(#A)", L"1 = B",  L"1 = bD", L"1 = bG",     L"1 = bC"};
const wchar_t* const kMetres[] = {L"1/4", L"2/4", L"3/4", L"4/4", L"5/4", L"3/8", L"6/8", L"7/8", L"9/8", L"12/8"};
const int kDrumControls[] = {kDrumVolumeLabel, kDrumVolumeTxt, kDrumCountLabel, kDrumCountTxt, kCmdDrumEdit};

constexpr wchar_t kSuggest[] = L"建议首先设置主音轨“演唱顺序”";

int RowId(const Control& c) {
    return c.Id ? c.Id : 1000 + static_cast<int>(&c - kControls);
}

bool OnPage(int id) {
    for (const Control& c : kControls)
        if (RowId(c) == id) return c.On != kAll;
    return false;
}

// The kit's rows: the tab strip, the table (labels and frames numbered from 1000 by their place in
// it), the status bar.
std::span<const win::DialogControl> Rows() {
    static const std::vector<win::DialogControl> rows = [] {
        std::vector<win::DialogControl> all{
            {WC_TABCONTROLW, kTab, L"", nullptr, kTabBox, WS_CLIPSIBLINGS | WS_TABSTOP}};
        for (const Control& c : kControls) {
            win::DialogControl row{c.Class, RowId(c), c.Text, nullptr, c.Box, 0};
            if (c.Class == kGroup)
                row.Class = kButton, row.Style = BS_GROUPBOX;
            else if (c.Class == kCheck)
                row.Class = kButton, row.Style = BS_AUTOCHECKBOX | WS_TABSTOP;
            else if (c.Class == kCombo)
                row.Style = CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;
            else if (c.Class == kEdit)
                row.Style = ES_AUTOHSCROLL | WS_TABSTOP | (c.Id == kDrumCountTxt ? ES_READONLY : 0),
                row.ExStyle = WS_EX_CLIENTEDGE;
            else if (c.Class == kButton)
                row.Style = WS_TABSTOP | (c.Id == IDOK ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
            if (c.Id == kText2) row.Tip = L"轨道延迟发音，通常设置为0。";
            all.push_back(row);
        }
        all.push_back({STATUSCLASSNAMEW, kStatus, L"", nullptr, {0, 0, 0, 0}, 0});
        return all;
    }();
    return rows;
}

class SetPlayInfoDialog final : public TabbedDialog {
public:
    explicit SetPlayInfoDialog(Editor& ed)
        : TabbedDialog(ed, L"参数设置...", Rows(), kClient, kTab, kStatus), form_(SetPlayInfoForm::Load(ed.Data)) {
        CrispFont = true;
    }

private:
    void OnInit() override;
    void OnCommand(int id, int code) override;
    INT_PTR OnOther(UINT msg, WPARAM, LPARAM lParam) override;
    // A page's rows show when it is entered.
    bool Hidden(const win::DialogControl& c) const override { return OnPage(c.Id); }

    static LRESULT CALLBACK BoxProc(HWND box, UINT msg, WPARAM w, LPARAM l, UINT_PTR id, DWORD_PTR data);
    int ComboIndex(int id) const { return static_cast<int>(SendMessageW(Item(id), CB_GETCURSEL, 0, 0)); }
    void SetComboIndex(int id, int index) const { SendMessageW(Item(id), CB_SETCURSEL, static_cast<WPARAM>(index), 0); }
    void FillCombo(int id, int from, int to) const;
    int TrackCount() const { return static_cast<int>(form_.Work.Track.size()); }
    void CaptionTabs();
    Page PageOf(int tab) const { return tab == 0 ? kBasic : tab <= TrackCount() ? kTrack : kMid; }
    void ShowPage(int tab);
    void ShowDrumCount() { SetBoxText(kDrumCountTxt, std::to_wstring(form_.CountTrackBars(form_.Work.MainTrack))); }
    void EnableDrums(bool on) const {
        for (int id : kDrumControls) EnableWindow(Item(id), on);
    }
    void ShowTrackSettings(int t);
    TrackFields ReadTrack() const;
    BasicFields ReadBasic() const;
    void Tell(const std::wstring& text, const wchar_t* title, UINT icon) const { Ask(text, MB_OK | icon, title); }
    void RefuseOn(PlayProblem p, int tab);
    bool LeaveTab();
    void EnterTab(int tab);
    void TotalTrackChosen();
    void MainTrackChosen();
    void LayOutHint();
    void LoadSoundList();
    void HostBarList();
    void SetUpControls();
    void EditDrums();
    std::optional<std::string> Gbk(int id) const;
    void Ok();

    SetPlayInfoForm form_;
    com::Ptr<com::ControlSite> barSite_{};
    int shown_ = -1;  // the tab shown
};

void SetPlayInfoDialog::FillCombo(int id, int from, int to) const {
    HWND h = Item(id);
    SendMessageW(h, CB_RESETCONTENT, 0, 0);
    for (int i = from; i <= to; ++i)
        SendMessageW(h, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(std::to_wstring(i).c_str()));
}

// Tabs: 0 basic, 1 to n the tracks, n + 1 the MIDI texts.
void SetPlayInfoDialog::CaptionTabs() {
    const int n = TrackCount();
    for (int t = 0; t <= n + 1; ++t) {
        std::wstring caption = t == 0                      ? L"基本选项"
                               : t == n + 1                ? L"Mid信息"
                               : t == form_.Work.MainTrack ? L"主音轨"
                                                           : L"音轨" + std::to_wstring(t);
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = caption.data();
        if (SendMessageW(tab_, TCM_SETITEMW, static_cast<WPARAM>(t), reinterpret_cast<LPARAM>(&item)) == FALSE)
            SendMessageW(tab_, TCM_INSERTITEMW, static_cast<WPARAM>(t), reinterpret_cast<LPARAM>(&item));
    }
    while (SendMessageW(tab_, TCM_GETITEMCOUNT, 0, 0) > n + 2)
        SendMessageW(tab_, TCM_DELETEITEM, static_cast<WPARAM>(n + 2), 0);
}

void SetPlayInfoDialog::ShowPage(int tab) {
    const Page page = PageOf(tab);
    for (const Control& c : kControls) {
        if (c.On == kAll) continue;
        // The bar list's place holder stays hidden under the hosted list: shown, it paints over it.
        const bool placeHolder = c.Id == kShowXjxWin1 && barSite_;
        ShowWindow(Item(RowId(c)), c.On == page && !placeHolder ? SW_SHOW : SW_HIDE);
    }
    if (barSite_) ShowWindow(barSite_->ControlWindow(), page == kTrack ? SW_SHOW : SW_HIDE);
    SendMessageW(tab_, TCM_SETCURSEL, static_cast<WPARAM>(tab), 0);
    shown_ = tab;
}

void SetPlayInfoDialog::ShowTrackSettings(int t) {
    const tessaly::aTrackInfo& track = form_.Work.Track[static_cast<size_t>(t - 1)];
    SetBoxText(kPlayOrderText, Wide(form_.PlayOrderText(t)));
    if (barSite_) SetFocus(barSite_->ControlWindow());
    SetBoxText(kText音量, std::to_wstring(track.Volume));
    SetComboIndex(kComboSound, track.ComSounds);
    SetBoxText(kText声像, std::to_wstring(track.SoundImage));
    SetComboIndex(kCom音调, track.Yd);
    SetBoxText(kText2, std::to_wstring(track.DelayTimer));
    Check(kCheck1, tessaly::IsTrue(track.IsUser));
}

TrackFields SetPlayInfoDialog::ReadTrack() const {
    return {Narrow(BoxText(kPlayOrderText)),
            Narrow(BoxText(kText音量)),
            Narrow(BoxText(kText声像)),
            Narrow(BoxText(kText2)),
            ComboIndex(kComboSound),
            ComboIndex(kCom音调),
            IsDlgButtonChecked(dialog_, kCheck1) == BST_CHECKED};
}

BasicFields SetPlayInfoDialog::ReadBasic() const {
    return {static_cast<int32_t>(tessaly::Val(Narrow(BoxText(kTotalTrackCombo)))),
            static_cast<int32_t>(tessaly::Val(Narrow(BoxText(kMainTrackCob)))),
            Narrow(BoxText(kText4)),
            ComboIndex(kCombo节拍),
            IsDlgButtonChecked(dialog_, kCheck3) == BST_CHECKED,
            Narrow(BoxText(kDrumVolumeTxt))};
}

int BoxOf(PlayProblem p) {
    switch (p) {
        case PlayProblem::Order: return kPlayOrderText;
        case PlayProblem::TrackVolume: return kText音量;
        case PlayProblem::TrackPan: return kText声像;
        case PlayProblem::Delay: return kText2;
        case PlayProblem::Tracks: return kMainTrackCob;
        case PlayProblem::TempoZero:
        case PlayProblem::TempoNotNumber:
        case PlayProblem::TempoRange: return kText4;
        case PlayProblem::DrumVolume: return kDrumVolumeTxt;
        case PlayProblem::None: break;
    }
    return 0;
}

// The refusal told, on the tab that holds the box, the box selected.
void SetPlayInfoDialog::RefuseOn(PlayProblem p, int tab) {
    ShowPage(tab);
    const PlayProblemText t = TextOf(p);
    if (!t.Text)
        MessageBeep(MB_OK);
    else
        Tell(Wide(t.Text), t.Title ? Wide(t.Title).c_str() : tessaly::kProgramTitle,
             t.Kind == PlayProblemText::Warning       ? MB_ICONWARNING
             : t.Kind == PlayProblemText::Information ? MB_ICONINFORMATION
                                                      : 0);
    HWND box = Item(BoxOf(p));
    SendMessageW(dialog_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(box), TRUE);
    SendMessageW(box, EM_SETSEL, 0, -1);
}

// Leaving a tab: the track's boxes stored, the tempo checked; false keeps the tab.
bool SetPlayInfoDialog::LeaveTab() {
    if (shown_ >= 1 && shown_ <= TrackCount()) {
        const PlayProblem p = form_.CheckTrackInfo(shown_, ReadTrack());
        if (p != PlayProblem::None) return RefuseOn(p, shown_), false;
    }
    if (shown_ == 0) {
        const PlayProblem p = SetPlayInfoForm::CheckBpm(Narrow(BoxText(kText4)));
        if (p != PlayProblem::None) return RefuseOn(p, 0), false;
    }
    return true;
}

void SetPlayInfoDialog::EnterTab(int tab) {
    ShowPage(tab);
    if (tab == 0) {
        SetStatus(kSuggest);
        ShowDrumCount();
    } else if (tab <= TrackCount()) {
        form_.CurrentTrack = tab;
        ShowTrackSettings(tab);
        SetStatus(L"当前音轨" + std::to_wstring(tab) + L"，对应的“小节数量”为：" +
                  std::to_wstring(form_.CountTrackBars(tab)));
    }
}

void SetPlayInfoDialog::TotalTrackChosen() {
    const int n = ComboIndex(kTotalTrackCombo) + 1;
    if (n < 1) return;
    form_.SetTotalTrack(n);
    if (form_.CurrentTrack > n) form_.CurrentTrack = 0;  // its tab is gone
    FillCombo(kMainTrackCob, 1, n);
    SetComboIndex(kMainTrackCob, form_.Work.MainTrack - 1);
    CaptionTabs();
}

void SetPlayInfoDialog::MainTrackChosen() {
    const int index = ComboIndex(kMainTrackCob);
    if (index < 0) return;
    form_.Work.MainTrack = static_cast<uint8_t>(index + 1);
    CaptionTabs();
    ShowDrumCount();
}

// The hint's parts in a row, each as wide as its text, a blank apart.
void SetPlayInfoDialog::LayOutHint() {
    const win::WindowDc dc(dialog_);
    const win::SelectScope font(dc.Get(), Font());
    SIZE blank{};
    GetTextExtentPoint32W(dc.Get(), L" ", 1, &blank);
    int x = -1;
    for (const wchar_t* part : kHint) {
        const auto c =
            std::find_if(std::begin(kControls), std::end(kControls), [&](const Control& c) { return c.Text == part; });
        if (x < 0) x = c->Box.left;
        SIZE size{};
        GetTextExtentPoint32W(dc.Get(), part, static_cast<int>(wcslen(part)), &size);
        SetWindowPos(Item(RowId(*c)), nullptr, x, c->Box.top, size.cx + 1, c->Box.bottom,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        x += size.cx + 1 + blank.cx;
    }
}

void SetPlayInfoDialog::LoadSoundList() {
    HWND combo = Item(kComboSound);
    for (const std::string& name : ReadNameList(ProgramFileBytes(L"genmidi.txt"), 128, 0))
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(FromGbk(name).c_str()));
}

// The bar list from the program's folder; without Selmoda.dll the frame stays empty.
void SetPlayInfoDialog::HostBarList() {
    HWND frame = Item(kShowXjxWin1);
    RECT r{};
    GetWindowRect(frame, &r);
    MapWindowPoints(nullptr, dialog_, reinterpret_cast<POINT*>(&r), 2);
    auto control = com::CreateFromDll<IUnknown>(L"Selmoda.dll", CLSID_Selmoda);
    if (!control || FAILED(com::ControlSite::Host(control.Get(), dialog_, r, nullptr, true, barSite_))) return;
    ShowWindow(frame, SW_HIDE);
    const BarList& bars = form_.Bars;
    const LONG upper = std::min<LONG>(bars.XjCount, static_cast<LONG>(bars.Bars.size())) - 1;
    if (auto list = barSite_->As<ISelmoda>()) list->ShowBars(reinterpret_cast<LONG_PTR>(bars.Bars.data()), upper);
}

LRESULT CALLBACK SetPlayInfoDialog::BoxProc(HWND box, UINT msg, WPARAM w, LPARAM l, UINT_PTR id, DWORD_PTR data) {
    auto& s = *reinterpret_cast<SetPlayInfoDialog*>(data);
    if (id == kPlayOrderText) {
        if (msg == WM_CHAR && !(w >= L'0' && w <= L'9') && w != L',' && w != L'.' && w != VK_BACK) {
            MessageBeep(MB_OK);
            return 0;
        }
        if (msg == WM_KEYUP && s.form_.CurrentTrack > 0) {
            const int t = s.form_.CurrentTrack;
            if (s.form_.ParsePlayOrder(t, Narrow(s.BoxText(kPlayOrderText)))) {
                s.SetStatus(L"当前音轨" + std::to_wstring(t) + L"，对应小节数为：" +
                            std::to_wstring(s.form_.CountTrackBars(t)));
                s.ShowDrumCount();
            }
        }
    } else if (id == kDrumCountTxt) {
        if (msg == WM_KEYDOWN) s.SetStatus(L"“鼓点数量”由主音轨“演唱顺序”决定，用户不可直接设置");
        if (msg == WM_KEYUP) s.SetStatus(kSuggest);
        if (msg == WM_CHAR) return 0;
    }
    return DefSubclassProc(box, msg, w, l);
}

// What the table cannot say: the boxes' own keys, the tab strip below its pages, the status bar.
void SetPlayInfoDialog::SetUpControls() {
    for (int id : {kPlayOrderText, kDrumCountTxt})
        SetWindowSubclass(Item(id), BoxProc, static_cast<UINT_PTR>(id), reinterpret_cast<DWORD_PTR>(this));
    SetUpTabAndStatus();
}

void SetPlayInfoDialog::OnInit() {
    SetUpControls();
    LayOutHint();

    FillCombo(kTotalTrackCombo, 1, kMaxTracks);
    for (const wchar_t* k : kKeys) SendMessageW(Item(kCom音调), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(k));
    for (const wchar_t* m : kMetres) SendMessageW(Item(kCombo节拍), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(m));
    LoadSoundList();
    HostBarList();

    const tessaly::aMidTxtInfo& texts = ed_.PlaySettings.Texts;
    SetBoxText(kText1, FromGbk(texts.歌曲标题));
    SetBoxText(kText3, FromGbk(texts.歌曲版权));
    SetBoxText(kText5, FromGbk(texts.歌曲备注));
    form_.CurrentTrack = 0;
    SetComboIndex(kTotalTrackCombo, form_.Work.TotalTrack - 1);
    TotalTrackChosen();
    const tessaly::aPlayInfo& w = form_.Work;
    Check(kCheck3, tessaly::IsTrue(w.IsPlayDrum));
    SetBoxText(kText4, std::to_wstring(w.Bpm));
    SetComboIndex(kCombo节拍, w.JiePai);
    SetBoxText(kDrumVolumeTxt, std::to_wstring(w.DrumVolume));
    EnableDrums(tessaly::IsTrue(w.IsPlayDrum));
    EnterTab(0);

    // Shown now: a modal loop shows it only once its queue runs empty.
    ShowWindow(dialog_, SW_SHOW);
}

// The drum button: the working patterns made, this dialog hidden while the drum editor runs.
// The editor is owned by this dialog: closing it enables this one, and the main window stays
// disabled under it.
void SetPlayInfoDialog::EditDrums() {
    const int32_t n = static_cast<int32_t>(tessaly::Val(Narrow(BoxText(kDrumCountTxt))));
    if (!form_.PrepareDrums(ed_.Data, ed_.PlaySettings, n)) {
        Tell(L"“鼓点数量”由主音轨的演唱顺序决定，不能为零！", tessaly::kProgramTitle, MB_ICONINFORMATION);
        return;
    }
    ShowWindow(dialog_, SW_HIDE);
    ShowDrumEditor(ed_, dialog_, form_);
    ShowWindow(dialog_, SW_SHOW);
}

std::optional<std::string> SetPlayInfoDialog::Gbk(int id) const {
    const std::wstring text = BoxText(id);
    return tessaly::Utf16ToCp936(std::u16string(text.begin(), text.end()));
}

void SetPlayInfoDialog::Ok() {
    const int track = form_.CurrentTrack;
    if (track > 0) {
        const PlayProblem p = form_.CheckTrackInfo(track, ReadTrack());
        if (p != PlayProblem::None) return RefuseOn(p, track);
    }
    const PlayProblem p = form_.CheckPlayInfo(ReadBasic());
    if (p != PlayProblem::None) return RefuseOn(p, 0);
    tessaly::aMidTxtInfo texts;
    for (auto [id, field] : {std::pair{kText1, &tessaly::aMidTxtInfo::歌曲标题},
                             {kText3, &tessaly::aMidTxtInfo::歌曲版权},
                             {kText5, &tessaly::aMidTxtInfo::歌曲备注}}) {
        const auto bytes = Gbk(id);
        if (!bytes) {
            ShowPage(TrackCount() + 1);
            Tell(L"文字含有不能保存的字符。", tessaly::kProgramTitle, MB_ICONINFORMATION);
            SendMessageW(dialog_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(id)), TRUE);
            return;
        }
        texts.*field = *bytes;
    }
    form_.Apply(ed_.Data, ed_.PlaySettings, texts);
    End(IDOK);
}

void SetPlayInfoDialog::OnCommand(int id, int code) {
    switch (id) {
        case IDOK: Ok(); break;
        case IDCANCEL:
            SetPlayInfoForm::Cancel(ed_.PlaySettings);
            End(IDCANCEL);
            break;
        case kTotalTrackCombo:
            if (code == CBN_SELCHANGE) TotalTrackChosen();
            break;
        case kMainTrackCob:
            if (code == CBN_SELCHANGE) MainTrackChosen();
            break;
        case kCheck3:
            if (code == BN_CLICKED) {
                const bool on = IsDlgButtonChecked(dialog_, kCheck3) == BST_CHECKED;
                form_.Work.IsPlayDrum = tessaly::ToFlag(on);
                EnableDrums(on);
            }
            break;
        case kCmdDrumEdit:
            if (code == BN_CLICKED) EditDrums();
            break;
        default: break;
    }
}

INT_PTR SetPlayInfoDialog::OnOther(UINT msg, WPARAM, LPARAM lParam) {
    switch (msg) {
        case WM_NOTIFY: {
            const auto* n = reinterpret_cast<const NMHDR*>(lParam);
            if (n->idFrom != kTab) return FALSE;
            if (n->code == TCN_SELCHANGING) {
                SetWindowLongPtrW(dialog_, DWLP_MSGRESULT, LeaveTab() ? FALSE : TRUE);
                return TRUE;
            }
            if (n->code == TCN_SELCHANGE) EnterTab(static_cast<int>(SendMessageW(tab_, TCM_GETCURSEL, 0, 0)));
            return TRUE;
        }
        case WM_DESTROY:
            if (barSite_) barSite_->Close();
            return FALSE;
        default: return FALSE;
    }
}

}  // namespace

void ShowSetPlayInfo(Editor& ed) {
    const INT_PTR answer = SetPlayInfoDialog(ed).Run(ed.Window);
    if (answer == IDOK) ApplyPlayTimeSignature(ed);
}

void EditDrum(Editor& ed) {
    SetPlayInfoForm form = SetPlayInfoForm::Load(ed.Data);
    if (!form.PrepareDrums(ed.Data, ed.PlaySettings, form.CountTrackBars(form.Work.MainTrack))) {
        MessageBoxW(ed.Window, L"“鼓点数量”由主音轨的演唱顺序决定，不能为零！", tessaly::kProgramTitle,
                    MB_OK | MB_ICONINFORMATION);
        return;
    }
    ShowDrumEditor(ed, ed.Window, form);
    // The play settings come back as after the drum button.
    ShowSetPlayInfo(ed);
}

}  // namespace notaline
