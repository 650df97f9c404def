// The play settings dialog driven as a user would, from another thread, while the member that
// opened it waits.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <thread>

#include "DrumPatterns.h"
#include "HostedControlTest_win.h"
#include "MusicFixture.h"
#include "ScreenTestSupport_win.h"
#include "com/Create.h"
#include "com/Variant.h"
#include "control/DialogTexts_win.h"
#include "control/DrumEditorDialog_win.h"
#include "control/Editor_win.h"
#include "control/MusicPlayer_win.h"
#include "control/SetPlayInfoDialog_win.h"
#include "model/layout/LoadJpFile.h"
#include "music/DrumEditForm.h"
#include "outside/tests/OutsideTestSupport_win.h"
#include "text/Cp936.h"
#include "tools/tests/DialogCloser_win.h"
#include "tools/tests/FakePlayTimer.h"
#include "win/GdiHandles.h"

namespace notaline {
namespace {

using namespace play_settings;
using test::SongSource;

// Runs `script` on its own thread against the dialogs of this thread; every wait is bounded and
// the settings dialog is closed at the end whatever happened, so the member call returns.
class Driver {
public:
    explicit Driver(std::function<void(Driver&)> script) : ui_(GetCurrentThreadId()) {
        worker_ = std::thread([this, script] {
            script(*this);
            if (HWND d = Find(L"参数设置...", false)) PostMessageW(d, WM_CLOSE, 0, 0);
        });
    }
    ~Driver() { worker_.join(); }

    // A shown dialog box of the UI thread with this title.
    HWND Find(const wchar_t* title, bool wait = true) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(wait ? 10 : 0);
        do {
            struct Search {
                const wchar_t* title;
                HWND found;
            } s{title, nullptr};
            EnumThreadWindows(
                ui_,
                [](HWND w, LPARAM p) -> BOOL {
                    auto& s = *reinterpret_cast<Search*>(p);
                    wchar_t cls[16]{}, text[64]{};
                    GetClassNameW(w, cls, 16);
                    InternalGetWindowText(w, text, 64);  // sends nothing: the UI thread may be waiting
                    if (IsWindowVisible(w) && std::wstring(cls) == L"#32770" && std::wstring(text) == s.title)
                        return s.found = w, FALSE;
                    return TRUE;
                },
                reinterpret_cast<LPARAM>(&s));
            if (s.found) return s.found;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        } while (std::chrono::steady_clock::now() < deadline);
        return nullptr;
    }
    // The message box titled so answered with `button`; its text, or "" when none came.
    std::wstring Answer(const wchar_t* title, int button = IDOK) {
        HWND box = Find(title);
        if (!box) return L"";
        wchar_t text[256]{};
        GetDlgItemTextW(box, 0xFFFF, text, 256);
        Press(box, button);
        while (IsWindow(box)) std::this_thread::sleep_for(std::chrono::milliseconds(10));
        return text;
    }
    bool Open() { return (dialog = Find(L"参数设置...")) != nullptr; }
    HWND Item(int id) const { return GetDlgItem(dialog, id); }
    std::wstring Text(int id) const {
        wchar_t text[256]{};
        GetWindowTextW(Item(id), text, 256);
        return text;
    }
    void SetText(int id, const wchar_t* text) const {
        SendMessageW(Item(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
    }
    void Type(int id, std::wstring_view keys) const {
        for (wchar_t c : keys) PostMessageW(Item(id), WM_CHAR, c, 1);
    }
    // The tab strip clicked: the dialog may refuse to leave its tab.
    void Tab(int index) const {
        RECT r{};
        SendMessageW(Item(kTab), TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
        const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        PostMessageW(Item(kTab), WM_LBUTTONDOWN, MK_LBUTTON, at);
        PostMessageW(Item(kTab), WM_LBUTTONUP, 0, at);
    }
    int CurrentTab() const { return static_cast<int>(SendMessageW(Item(kTab), TCM_GETCURSEL, 0, 0)); }
    std::wstring TabCaption(int index) const {
        wchar_t text[32]{};
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = 32;
        SendMessageW(Item(kTab), TCM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
        return text;
    }
    static void Press(HWND d, int id) {
        PostMessageW(d, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(d, id)));
    }
    template <class Condition>
    static bool Until(Condition done) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!done()) {
            if (std::chrono::steady_clock::now() > deadline) return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return true;
    }

    HWND dialog = nullptr;

private:
    DWORD ui_;
    std::thread worker_;
};

struct SetPlayInfoTest : test::HostedControlTest {
    void SetUp() override {
        HostedControlTest::SetUp();
        control = &Host();
        ed = control->Running();
        ASSERT_TRUE(ed);
        SongSource source(test::SongDocument("9[12|34|56:71|2]3"));  // blocks 1 and 2
        LoadJpFile(ed->Data, source, *ed->Renderer, *ed, reinterpret_cast<intptr_t>(parent), u"song.DaDur");
        ed->Commands->Undo.Modified(false);
        // Loading a pattern previews a sound: heard here without a MIDI device.
        ed->Player = std::make_unique<MusicPlayer>();
        midi.Open();
        ed->Player->Windows.Shared.Out = &midi;
    }
    // The member by name, as a script calls it; returns when the dialog has closed.
    HRESULT Call(const wchar_t* name, std::vector<VARIANT> args = {}) {
        auto* d = static_cast<IDispatch*>(static_cast<IZEVudu*>(control));
        DISPID id = 0;
        LPOLESTR n = const_cast<LPOLESTR>(name);
        if (HRESULT hr = d->GetIDsOfNames(IID_NULL, &n, 1, LOCALE_USER_DEFAULT, &id); FAILED(hr)) return hr;
        DISPPARAMS p{args.data(), nullptr, static_cast<UINT>(args.size()), 0};
        return d->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &p, nullptr, nullptr, nullptr);
    }
    bool Modified() { return ed->Commands->Undo.Modified(); }
    // The document exported by the member SaveMidFile to a file of the program's folder; its bytes.
    std::string ExportMid(const wchar_t* file) {
        const std::wstring mid = com::ProgramFolder() + file;
        {
            DialogCloser box(IDOK);
            const com::Variant name(mid);
            EXPECT_EQ(S_OK, Call(L"SaveMidFile", {name.Raw()}));
        }
        std::ifstream in(std::filesystem::path(mid), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    ZEVudu* control = nullptr;
    Editor* ed = nullptr;
    tessaly::RecordingMidiOut midi;
};

// The singing order's first hint line as its visible labels read left to right; `crowded` counts
// the labels narrower than their text or running into the next.
std::wstring HintLine(HWND dialog, int& crowded) {
    std::vector<std::pair<RECT, std::wstring>> labels;
    for (HWND h = GetWindow(dialog, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) {
        wchar_t text[64]{};
        RECT r{};
        GetWindowRect(h, &r);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
        if (IsWindowVisible(h) && r.top == 162 && GetWindowTextW(h, text, 64)) labels.push_back({r, text});
    }
    std::sort(labels.begin(), labels.end(), [](auto& a, auto& b) { return a.first.left < b.first.left; });
    const win::WindowDc windowDc(dialog);
    const HDC dc = windowDc.Get();
    SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(GetDlgItem(dialog, IDOK), WM_GETFONT, 0, 0)));
    std::wstring line;
    for (size_t i = 0; i < labels.size(); ++i) {
        const auto& [r, text] = labels[i];
        SIZE ink{};
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &ink);
        crowded += r.right - r.left < ink.cx || (i + 1 < labels.size() && r.right > labels[i + 1].first.left);
        line += text;
    }
    return line;
}

// The darkest ink in each box's text area as the screen shows it, its red, green or blue whichever
// is lightest: 0 for black text, far above for grey.
std::vector<int> Darkest(HWND dialog, std::initializer_list<int> ids) {
    std::vector<int> inks;
    for (int id : ids) {
        HWND box = GetDlgItem(dialog, id);
        wchar_t cls[16]{};
        GetClassNameW(box, cls, 16);
        RECT r{};
        GetClientRect(box, &r);
        if (std::wstring(cls) == L"ComboBox") r.right -= GetSystemMetrics(SM_CXVSCROLL);  // its arrow
        InflateRect(&r, -3, -3);
        MapWindowPoints(box, nullptr, reinterpret_cast<POINT*>(&r), 2);
        const int w = r.right - r.left, h = r.bottom - r.top;
        int darkest = 255;
        for (uint32_t p : win::test::PixelsOf(win::test::CopyOf(win::ScreenDc().Get(), r).Get(), w, h))
            darkest = std::min(darkest, static_cast<int>(std::max({p & 0xFF, p >> 8 & 0xFF, p >> 16 & 0xFF})));
        inks.push_back(darkest);
    }
    return inks;
}

TEST_F(SetPlayInfoTest, TheTypedOrderAndTitleAreKeptByOkAndExported) {
    std::wstring hint;
    int crowded = -1;
    std::vector<std::wstring> tabs;
    std::wstring order;
    std::vector<int> trackInks, basicInks;
    {
        Driver d([&](Driver& d) {
            if (!d.Open()) return;
            for (int i = 0; i < 3; ++i) tabs.push_back(d.TabCaption(i));
            d.Tab(1);
            Driver::Until([&] { return d.Text(kPlayOrderText) == L"1,"; });
            crowded = 0;
            hint = HintLine(d.dialog, crowded);
            d.SetText(kPlayOrderText, L"");
            d.Type(kPlayOrderText, L"1,2x,");  // x is refused
            Driver::Until([&] { return d.Text(kPlayOrderText) == L"1,2,"; });
            order = d.Text(kPlayOrderText);
            RedrawWindow(d.dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
            RECT r{};
            GetWindowRect(d.dialog, &r);
            test::SaveScreenPng(r, (com::ProgramFolder() + L"set_play_info.png").c_str());
            trackInks = Darkest(d.dialog, {kText音量, kText声像, kText2, kPlayOrderText, kComboSound, kCom音调});
            d.Tab(0);
            Driver::Until([&] { return d.CurrentTab() == 0; });
            RedrawWindow(d.dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
            test::SaveScreenPng(r, (com::ProgramFolder() + L"set_play_info_basic.png").c_str());
            basicInks = Darkest(d.dialog, {kTotalTrackCombo, kMainTrackCob, kText4, kCombo节拍});
            d.Tab(2);
            Driver::Until([&] { return d.CurrentTab() == 2; });
            d.SetText(kText1, L"茉莉花");
            Driver::Press(d.dialog, IDOK);
        });
        EXPECT_EQ(S_OK, Call(L"设置演唱参数"));
    }
    EXPECT_EQ(tabs, (std::vector<std::wstring>{L"基本选项", L"主音轨", L"Mid信息"}));
    EXPECT_EQ(order, L"1,2,");
    EXPECT_EQ(hint, L"演唱顺序形如：1,2.3，逗号表示发音，点表示");
    EXPECT_EQ(crowded, 0);
    // The values of enabled boxes are black, not the grey of disabled ones.
    for (int ink : trackInks) EXPECT_LT(ink, 0x40);
    for (int ink : basicInks) EXPECT_LT(ink, 0x40);
    EXPECT_EQ(trackInks.size() + basicInks.size(), 10u);
    const auto& entries = ed->Data.PlayInfo.Track[0].tPlayOrder;
    EXPECT_EQ(entries[0].BlockIndex, 1);
    EXPECT_EQ(entries[1].BlockIndex, 2);
    EXPECT_TRUE(entries[1].IsPlay);
    EXPECT_TRUE(Modified());

    // OK again without a change keeps the unsaved change.
    {
        Driver d([](Driver& d) {
            if (d.Open()) Driver::Press(d.dialog, IDOK);
        });
        EXPECT_EQ(S_OK, Call(L"设置演唱参数"));
    }
    EXPECT_TRUE(Modified());

    // The title goes first into the global track, in code page 936.
    const std::string bytes = ExportMid(L"set_play_info.mid");
    const size_t track = bytes.find("MTrk");
    ASSERT_NE(track, std::string::npos);
    EXPECT_EQ(bytes.substr(track + 9, 9), std::string("\xFF\x03\x06\xDC\xD4\xC0\xF2\xBB\xA8", 9));
}

TEST_F(SetPlayInfoTest, ABadBoxKeepsItsTabAndCancelAlwaysClosesWithoutKeepingDrumEdits) {
    ed->Data.PlayInfo.IsPlayDrum = tessaly::kTrue;
    const tessaly::aPlayInfo before = ed->Data.PlayInfo;
    std::vector<std::wstring> said;
    std::vector<int> tabs;
    bool drumsPrepared = false;
    bool barListShown = true;
    {
        Driver d([&](Driver& d) {
            if (!d.Open()) return;
            barListShown = !std::filesystem::exists(com::ProgramFolder() + L"Selmoda.dll") ||
                           !IsWindowVisible(d.Item(kShowXjxWin1));
            d.Tab(1);
            Driver::Until([&] { return d.CurrentTab() == 1; });
            d.SetText(kText音量, L"127.4");
            d.Tab(0);
            said.push_back(d.Answer(L"Tavolin"));
            tabs.push_back(d.CurrentTab());
            d.SetText(kText音量, L"127");
            d.SetText(kText4, L"3");
            Driver::Press(d.dialog, IDOK);
            said.push_back(d.Answer(L"输入错误"));
            tabs.push_back(d.CurrentTab());
            Driver::Press(d.dialog, kCmdDrumEdit);
            // The drum editor over the working patterns, closed unchanged: the settings come back.
            if (HWND drums = d.Find(L"鼓点编辑...")) {
                drumsPrepared = !ed->PlaySettings.Drums.empty();
                PostMessageW(drums, WM_CLOSE, 0, 0);
            }
            if (d.Open()) Driver::Press(d.dialog, IDCANCEL);
        });
        EXPECT_EQ(S_OK, Call(L"设置演唱参数"));
    }
    ASSERT_EQ(said.size(), 2u);
    EXPECT_EQ(said[0], L"轨道音量设置不对！");
    EXPECT_EQ(said[1], L"演唱速度为4到999之间的数字!");
    EXPECT_EQ(tabs, (std::vector<int>{1, 0}));
    EXPECT_TRUE(drumsPrepared);
    EXPECT_TRUE(ed->PlaySettings.Drums.empty());
    EXPECT_TRUE(barListShown);
    EXPECT_EQ(ed->Data.PlayInfo.Track[0].Volume, before.Track[0].Volume);
    EXPECT_EQ(ed->Data.PlayInfo.Bpm, before.Bpm);
    EXPECT_FALSE(Modified());
}

}  // namespace
}  // namespace notaline

namespace notaline {
namespace {

TEST_F(SetPlayInfoTest, GridEditsOverwriteSavedReachTheDocumentThroughThePlaySettings) {
    ed->Data.PlayInfo.IsPlayDrum = tessaly::kTrue;
    int bars = 0;
    bool loaded = false;
    std::wstring asked;
    std::vector<int> inks;
    {
        Driver d([&](Driver& d) {
            HWND editor = d.Find(L"鼓点编辑...");
            if (!editor) return;
            auto item = [&](int id) { return GetDlgItem(editor, id); };
            bars = static_cast<int>(SendMessageW(item(drum_editor::kBarList), LB_GETCOUNT, 0, 0));
            PostMessageW(editor, WM_COMMAND, MAKEWPARAM(drum_editor::kBarList, LBN_DBLCLK),
                         reinterpret_cast<LPARAM>(item(drum_editor::kBarList)));
            loaded = Driver::Until([&] { return IsWindowEnabled(item(drum_editor::kGrid)) != FALSE; });
            // Cell 16 (channel 2, steps 0-3), 300 twips in: its third step; the channel on at 90.
            PostMessageW(item(drum_editor::kGrid), WM_LBUTTONDOWN, MK_LBUTTON,
                         MAKELPARAM((360 + 300) / 15, (1035 + 100) / 15));
            SendMessageW(item(drum_editor::kChannel0 + 2), BM_SETCHECK, BST_CHECKED, 0);
            SetDlgItemTextW(editor, drum_editor::kVolume0 + 2, L"90");
            RedrawWindow(editor, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
            RECT r{};
            GetWindowRect(editor, &r);
            test::SaveScreenPng(r, (com::ProgramFolder() + L"drum_editor.png").c_str());
            inks = Darkest(editor, {drum_editor::kVolume0, drum_editor::kVolume0 + 2, drum_editor::kVolume0 + 7,
                                    drum_editor::kSpeed, drum_editor::kSound0, drum_editor::kMetre});
            Driver::Press(editor, drum_editor::kSave);
            asked = d.Answer(L"Tavolin");
            PostMessageW(editor, WM_CLOSE, 0, 0);
            if (d.Open()) Driver::Press(d.dialog, IDOK);
        });
        EXPECT_EQ(S_OK, Call(L"EditDrum"));
    }
    EXPECT_EQ(bars, 3);
    EXPECT_TRUE(loaded);
    EXPECT_EQ(asked.rfind(L"确认覆盖保存: “", 0), 0u);
    EXPECT_EQ(inks.size(), 6u);
    for (int ink : inks) EXPECT_LT(ink, 0x40);
    ASSERT_EQ(ed->Data.XjDrum.size(), 3u);
    tessaly::分析鼓点 view;
    view.ViewRecords(ed->Data.XjDrum.data(), 3);
    for (int step = 0; step < 32; ++step)
        for (int ch = 0; ch < 8; ++ch)
            EXPECT_EQ(view.DrumRhythms(0, step, ch), ch == 2 && step == 2) << ch << " " << step;
    EXPECT_TRUE(Modified());

    // The exported drum track sounds it: the unused pattern took the opening's sound, key 35.
    EXPECT_NE(ExportMid(L"drum_grid.mid").find("\x99\x23\x5A"), std::string::npos);
}

}  // namespace
}  // namespace notaline

namespace notaline {
namespace {

TEST_F(SetPlayInfoTest, AChosenSoundAndTheEditingAreaAreHeardOnTheDrumChannel) {
    ed->Data.PlayInfo.IsPlayDrum = tessaly::kTrue;
    const auto& out = midi;
    bool ended = false;
    size_t patterns = 0;
    {
        Driver d([&](Driver& d) {
            HWND editor = d.Find(L"鼓点编辑...");
            if (!editor) return;
            auto item = [&](int id) { return GetDlgItem(editor, id); };
            auto command = [&](int id, int code) {
                PostMessageW(editor, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(item(id)));
            };
            command(drum_editor::kBarList, LBN_DBLCLK);
            Driver::Until([&] { return IsWindowEnabled(item(drum_editor::kGrid)) != FALSE; });
            SendMessageW(item(drum_editor::kSound0), CB_SETCURSEL, 22, 0);
            command(drum_editor::kSound0, CBN_SELCHANGE);
            SendMessageW(item(drum_editor::kChannel0), BM_SETCHECK, BST_CHECKED, 0);
            SetDlgItemTextW(editor, drum_editor::kVolume0, L"100");
            PostMessageW(item(drum_editor::kGrid), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(360 / 15 + 1, 240 / 15 + 1));
            command(drum_editor::kAudition, BN_CLICKED);
            Driver::Until([&] { return !IsWindowEnabled(item(drum_editor::kTab)); });
            ended = Driver::Until([&] { return IsWindowEnabled(item(drum_editor::kTab)) != FALSE; });
            Driver::Press(editor, drum_editor::kSave);  // the bar list changed: it goes back whole
            d.Answer(L"Tavolin");
            PostMessageW(editor, WM_CLOSE, 0, 0);
            if (!d.Open()) return;
            patterns = ed->PlaySettings.Drums.size();
            Driver::Press(d.dialog, IDCANCEL);
        });
        EXPECT_EQ(S_OK, Call(L"EditDrum"));
    }
    EXPECT_TRUE(ended);
    EXPECT_EQ(patterns, 3u);  // the pattern heard was not left in the list
    const auto has = [&](uint32_t m) {
        return std::find(out.Messages.begin(), out.Messages.end(), m) != out.Messages.end();
    };
    EXPECT_TRUE(has(0x99u | 35u << 8 | 127u << 16));  // the preview of entry 22
    EXPECT_TRUE(has(0x99u | 35u << 8 | 100u << 16));  // step 0 of channel 1 heard
}

}  // namespace
}  // namespace notaline

namespace notaline {
namespace {

TEST_F(SetPlayInfoTest, ClosingWithChangedTemplatesAsksAndCancelKeepsTheEditorOpen) {
    ed->Data.PlayInfo.IsPlayDrum = tessaly::kTrue;
    const std::filesystem::path file(com::ProgramFolder() + L"DrumMod.dat");
    const auto bytes = [&] {
        std::ifstream in(file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    const std::string before = bytes();
    std::wstring asked;
    bool stayed = false;
    {
        Driver d([&](Driver& d) {
            HWND editor = d.Find(L"鼓点编辑...");
            if (!editor) return;
            HWND tab = GetDlgItem(editor, drum_editor::kTab);
            RECT r{};
            SendMessageW(tab, TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&r));
            const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
            PostMessageW(tab, WM_LBUTTONDOWN, MK_LBUTTON, at);
            PostMessageW(tab, WM_LBUTTONUP, 0, at);
            // Made when its tab is first shown.
            HWND templates = nullptr;
            Driver::Until([&] { return IsWindowVisible(templates = GetDlgItem(editor, drum_editor::kTemplateList)); });
            PostMessageW(editor, WM_COMMAND, MAKEWPARAM(drum_editor::kTemplateList, LBN_DBLCLK),
                         reinterpret_cast<LPARAM>(templates));
            Driver::Until([&] { return IsWindowEnabled(GetDlgItem(editor, drum_editor::kSave)) != FALSE; });
            Driver::Press(editor, drum_editor::kSave);
            d.Answer(L"Tavolin");
            PostMessageW(editor, WM_CLOSE, 0, 0);
            asked = d.Answer(L"Tavolin", IDCANCEL);
            stayed = IsWindow(editor) && IsWindowVisible(editor);
            PostMessageW(editor, WM_CLOSE, 0, 0);
            d.Answer(L"Tavolin", IDNO);
            if (d.Open()) Driver::Press(d.dialog, IDCANCEL);
        });
        EXPECT_EQ(S_OK, Call(L"EditDrum"));
    }
    EXPECT_EQ(asked, L"是否将更改保存到模板文件？");
    EXPECT_TRUE(stayed);
    EXPECT_EQ(bytes(), before);  // answered No: the file as it was
}

}  // namespace
}  // namespace notaline

namespace notaline {
namespace {

// Right button released over a list at item `at`'s middle (the pointer put there first); the pop-up
// menu's item `choose` answered by its keys. The menu's captions, "" for a separator.
std::vector<std::wstring> ListMenu(HWND list, int at, const wchar_t* choose) {
    const int height = static_cast<int>(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
    const int top = static_cast<int>(SendMessageW(list, LB_GETTOPINDEX, 0, 0));
    const int y = (at - top) * height + height / 2;
    POINT p{10, y};
    ClientToScreen(list, &p);
    SetCursorPos(p.x, p.y);
    PostMessageW(list, WM_RBUTTONUP, 0, MAKELPARAM(10, y));
    HWND popup = nullptr;
    Driver::Until([&] {
        for (popup = nullptr; (popup = FindWindowExW(nullptr, popup, L"#32768", nullptr)) && !IsWindowVisible(popup);) {
        }
        return popup != nullptr;
    });
    std::vector<std::wstring> captions;
    HMENU menu = reinterpret_cast<HMENU>(SendMessageW(popup, MN_GETHMENU, 0, 0));
    int downs = 0;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t text[32]{};
        GetMenuStringW(menu, static_cast<UINT>(i), text, 32, MF_BYPOSITION);
        captions.push_back(text);
        if (*choose && captions.back() == choose)
            downs =
                static_cast<int>(std::count_if(captions.begin(), captions.end(), [](auto& c) { return !c.empty(); }));
    }
    for (int i = 0; i < downs; ++i) PostMessageW(popup, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageW(popup, WM_KEYDOWN, downs ? VK_RETURN : VK_ESCAPE, 0);
    Driver::Until([&] { return !IsWindowVisible(popup); });
    return captions;
}

std::vector<std::wstring> ListTexts(HWND list) {
    std::vector<std::wstring> texts;
    for (int i = 0; i < SendMessageW(list, LB_GETCOUNT, 0, 0); ++i) {
        texts.push_back(dialog_texts::ListItemText(list, i));
    }
    return texts;
}

// Templates named as given in the program's folder for one test; the file as it was afterwards.
struct TemplateFile {
    explicit TemplateFile(std::initializer_list<const char16_t*> names) {
        std::error_code e;
        std::filesystem::rename(path, kept, e);
        tessaly::分析鼓点 t;
        t.DrumCount(static_cast<int32_t>(names.size()));
        int i = 0;
        for (const char16_t* n : names) t.DefDrumData(i), t.DrumName(i++, *tessaly::Utf16ToCp936(n));
        if (names.size())
            t.SaveDrum(path);
        else
            std::filesystem::create_directory(path);  // no file can be written there
    }
    ~TemplateFile() {
        std::error_code e;
        std::filesystem::remove_all(path, e);
        std::filesystem::rename(kept, path, e);
    }
    std::filesystem::path path{com::ProgramFolder() + L"DrumMod.dat"}, kept{com::ProgramFolder() + L"DrumMod.kept"};
};

void ShowTab(HWND editor, int tab) {
    HWND tabs = GetDlgItem(editor, drum_editor::kTab);
    RECT r{};
    SendMessageW(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(tab), reinterpret_cast<LPARAM>(&r));
    const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    PostMessageW(tabs, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(tabs, WM_LBUTTONUP, 0, at);
    Driver::Until(
        [&] { return IsWindowVisible(GetDlgItem(editor, tab ? drum_editor::kTemplateList : drum_editor::kBarList)); });
}

// The editor opened by EditDrum on the tab given, `script` run on it, then closed without saving.
struct DrumEditorTest : SetPlayInfoTest {
    void Run(int tab, std::function<void(Driver&, HWND)> script) {
        Driver d([&](Driver& d) {
            HWND editor = d.Find(L"鼓点编辑...");
            if (!editor) return;
            ShowTab(editor, tab);
            script(d, editor);
            PostMessageW(editor, WM_CLOSE, 0, 0);
            Driver::Until([&] {
                if (HWND box = d.Find(L"Tavolin", false)) Driver::Press(box, IDNO);  // changed templates not saved
                return !IsWindow(editor);
            });
            if (d.Open()) Driver::Press(d.dialog, IDCANCEL);
        });
        EXPECT_EQ(S_OK, Call(L"EditDrum"));
    }
};

TEST_F(DrumEditorTest, TemplatePasteAboveOverAndBelowSelectsTheInsertedOrCoveredItem) {
    TemplateFile file{u"A", u"B", u"C"};
    struct Row {
        int selected, pointerAt;
        const wchar_t* caption;
        std::vector<std::wstring> after;
        int selectedAfter;
    };
    // B copied; the pointer above, on and below the selected item.
    const Row rows[] = {{2, 1, L"在上方插入", {L"A", L"B", L"B", L"C"}, 2},
                        {0, 0, L"覆盖", {L"B", L"B", L"B", L"C"}, 0},
                        {3, 4, L"在下方插入", {L"B", L"B", L"B", L"C", L"B"}, 4}};
    std::vector<std::wstring> barCaptions;
    Run(1, [&](Driver&, HWND editor) {
        HWND list = GetDlgItem(editor, drum_editor::kTemplateList);
        SendMessageW(list, LB_SETCURSEL, 1, 0);
        ListMenu(list, 1, L"复制");
        for (const Row& r : rows) {
            SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(r.selected), 0);
            const auto captions = ListMenu(list, r.pointerAt, r.caption);
            EXPECT_EQ(captions.at(3), r.caption) << r.selected;
            EXPECT_EQ(ListTexts(list), r.after) << r.selected;
            EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), r.selectedAfter) << r.selected;
        }
        ListMenu(list, 0, L"保存到模板文件");
    });
    std::vector<std::wstring> saved;  // read back as the list showed them
    tessaly::分析鼓点 read;
    read.DrumArrData(tessaly::ReadDrumFile(file.path));
    for (int i = 0; i < read.DrumCount(); ++i) saved.push_back(dialog_texts::FromGbk(read.DrumName(i)));
    Run(0, [&](Driver&, HWND editor) {
        HWND bars = GetDlgItem(editor, drum_editor::kBarList);
        SendMessageW(bars, LB_SETCURSEL, 1, 0);
        barCaptions = ListMenu(bars, 0, L"");  // above, yet the bar list is only overwritten
    });
    EXPECT_EQ(saved, rows[2].after);
    EXPECT_EQ(barCaptions, (std::vector<std::wstring>{L"编辑", L"", L"复制", L"覆盖", L"清空", L"", L"覆盖列表", L"",
                                                      L"试听当前", L"", L"试听列表", L"停止试听"}));
}

}  // namespace
}  // namespace notaline

namespace notaline {
namespace {

// The grid is one control: each cell's steps are drawn in the cell's rectangle and nowhere else
// (the metre's red marker aside), and a click changes the cell under it only.
TEST_F(DrumEditorTest, TheGridDrawsEachCellInItsRectangleAndAClickRedrawsTheCellUnderIt) {
    constexpr int kClicked = 27;
    int w = 0, h = 0;
    std::vector<uint32_t> before, after;
    Run(0, [&](Driver&, HWND editor) {
        RedrawWindow(editor, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        RECT r{};
        GetWindowRect(editor, &r);
        test::SaveScreenPng(r, (com::ProgramFolder() + L"drum_editor_opening.png").c_str());
        HWND grid = GetDlgItem(editor, drum_editor::kGrid);
        PostMessageW(editor, WM_COMMAND, MAKEWPARAM(drum_editor::kBarList, LBN_DBLCLK),
                     reinterpret_cast<LPARAM>(GetDlgItem(editor, drum_editor::kBarList)));
        Driver::Until([&] { return IsWindowEnabled(grid) != FALSE; });
        RedrawWindow(grid, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        const std::wstring png = com::ProgramFolder() + L"drum_grid.png";
        before = outside::test::Capture(grid, w, h, png.c_str());
        const int x = (CellLeft(kClicked) + 300) / 15, y = (CellTop(kClicked) + 100) / 15;
        PostMessageW(grid, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        Driver::Until([&] { return (after = outside::test::Capture(grid, w, h, png.c_str())) != before; });
    });
    // Cell k's rectangle in pixels, a pixel wider each way for the glyphs' edges.
    auto in = [](int k, int x, int y) {
        return x >= CellLeft(k) / 15 - 1 && x <= (CellLeft(k) + kCellTwips) / 15 && y >= CellTop(k) / 15 - 1 &&
               y <= (CellTop(k) + kCellHeightTwips) / 15;
    };
    ASSERT_EQ(before.size(), static_cast<size_t>(w) * h);
    ASSERT_EQ(after.size(), before.size());
    std::vector<int> ink(kDrumCells);
    int stray = 0, changedOutside = 0, changedInside = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const uint32_t p = before[static_cast<size_t>(y) * w + x];
            const bool red = (p >> 16) > 200 && ((p >> 8) & 0xFF) < 100 && (p & 0xFF) < 100;
            int cell = -1;
            for (int k = 0; k < kDrumCells && cell < 0; ++k) cell = in(k, x, y) ? k : -1;
            if (p != before[0] && !red) cell >= 0 ? ++ink[static_cast<size_t>(cell)] : ++stray;
            if (after[static_cast<size_t>(y) * w + x] != p) in(kClicked, x, y) ? ++changedInside : ++changedOutside;
        }
    EXPECT_EQ(std::count(ink.begin(), ink.end(), 0), 0);
    EXPECT_EQ(stray, 0);
    EXPECT_GT(changedInside, 0);
    EXPECT_EQ(changedOutside, 0);
}

// Every opening shows the channel rows as their controls draw them, pixel for pixel, pictured
// again after the system's colours change, and makes them when the area is first used or the
// colours change.
TEST_F(DrumEditorTest, TheChannelRowsLookTheSameAtEveryOpeningAndAreMadeWhenNeeded) {
    struct Opening {
        bool rowsAtOpening = false, facesAfter = true;
        std::vector<uint32_t> pixels;
    };
    std::vector<Opening> seen;
    const UINT change[] = {WM_SYSCOLORCHANGE, 0, LBN_DBLCLK, WM_SYSCOLORCHANGE};
    for (UINT then : change) {
        Run(0, [&](Driver&, HWND editor) {
            auto item = [&](int id) { return GetDlgItem(editor, id); };
            Opening o;
            o.rowsAtOpening = item(drum_editor::kChannel0) != nullptr;
            int w = 0, h = 0;
            // Taken once the opening has painted: two captures in a row alike (a loaded machine
            // may still be drawing the rows when the driver first looks).
            const std::wstring pictured = com::ProgramFolder() + L"drum_editor_pictured.png";
            std::vector<uint32_t> before;
            Driver::Until([&] {
                o.pixels = outside::test::Capture(editor, w, h, pictured.c_str());
                return std::exchange(before, o.pixels) == o.pixels;
            });
            if (then == LBN_DBLCLK)
                PostMessageW(editor, WM_COMMAND, MAKEWPARAM(drum_editor::kBarList, LBN_DBLCLK),
                             reinterpret_cast<LPARAM>(item(drum_editor::kBarList)));
            else if (then)
                PostMessageW(editor, then, 0, 0);
            if (then) Driver::Until([&] { return !item(drum_editor::kChannelFaces) && !item(drum_editor::kPanFaces); });
            o.facesAfter = item(drum_editor::kChannelFaces) || !item(drum_editor::kPan0 + 7);
            if (then == WM_SYSCOLORCHANGE) {
                // Made in place as they were drawn, sound lists included (the focus cues elsewhere
                // may change with the colours).
                auto area = [&](const std::vector<uint32_t>& px) {
                    std::vector<uint32_t> part;
                    for (int y = 60; y < 400; ++y)
                        part.insert(part.end(), px.begin() + y * w + 220, px.begin() + y * w + 560);
                    return part;
                };
                const std::wstring png = com::ProgramFolder() + L"drum_editor_made.png";
                EXPECT_TRUE(Driver::Until(
                    [&] { return area(outside::test::Capture(editor, w, h, png.c_str())) == area(o.pixels); }));
            }
            seen.push_back(std::move(o));
        });
    }
    ASSERT_EQ(seen.size(), 4u);
    for (size_t i = 0; i < seen.size(); ++i) {
        EXPECT_FALSE(seen[i].rowsAtOpening) << i;
        EXPECT_EQ(seen[i].pixels, seen[0].pixels) << i;
        EXPECT_EQ(seen[i].facesAfter, change[i] == 0) << i;  // the picture stays until the area is used
    }
}

TEST_F(DrumEditorTest, AFailedTemplateSaveSaysWhyAndKeepsTheTemplatesChanged) {
    TemplateFile file{};  // a folder where the file goes: nothing can be written there
    std::wstring asked, reason, askedAgain;
    bool stayed = false;
    Run(0, [&](Driver& d, HWND editor) {
        ListMenu(GetDlgItem(editor, drum_editor::kBarList), 0, L"复制");
        ShowTab(editor, 1);
        ListMenu(GetDlgItem(editor, drum_editor::kTemplateList), 0, L"在下方插入");
        PostMessageW(editor, WM_CLOSE, 0, 0);
        asked = d.Answer(L"Tavolin", IDYES);
        reason = d.Answer(L"Tavolin");
        stayed = IsWindow(editor) && IsWindowVisible(editor);
        PostMessageW(editor, WM_CLOSE, 0, 0);
        askedAgain = d.Answer(L"Tavolin", IDNO);
    });
    EXPECT_EQ(asked, L"是否将更改保存到模板文件？");
    EXPECT_FALSE(reason.empty());
    EXPECT_NE(reason, asked);
    EXPECT_TRUE(stayed);
    EXPECT_EQ(askedAgain, asked);
}

TEST_F(DrumEditorTest, OverwriteSaveNeedsALoadedPatternTipsAreThereAndTheMirrorStartsOffAtEachOpening) {
    std::vector<std::vector<uint32_t>> pictures;  // loaded, mirrored, loaded at the next opening
    bool saveLoaded = false, saveCleared = true, clearCleared = false;
    int enabledAtOpening = -1;  // editing-area controls enabled before a pattern is loaded
    int tipCount = 0;
    std::wstring volumeTip;
    for (int opening = 0; opening < 2; ++opening) {
        Run(0, [&](Driver& d, HWND editor) {
            auto item = [&](int id) { return GetDlgItem(editor, id); };
            auto picture = [&] {
                int w = 0, h = 0;
                RedrawWindow(item(drum_editor::kMirror), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
                return outside::test::Capture(item(drum_editor::kMirror), w, h,
                                              (com::ProgramFolder() + L"drum_mirror.png").c_str());
            };
            if (!opening) {
                enabledAtOpening = 0;
                for (int id = drum_editor::kName; id <= drum_editor::kLastAreaControl; ++id)
                    enabledAtOpening += IsWindowEnabled(item(id)) != FALSE;
            }
            PostMessageW(editor, WM_COMMAND, MAKEWPARAM(drum_editor::kBarList, LBN_DBLCLK),
                         reinterpret_cast<LPARAM>(item(drum_editor::kBarList)));
            saveLoaded = Driver::Until([&] { return IsWindowEnabled(item(drum_editor::kSave)) != FALSE; });
            pictures.push_back(picture());
            if (opening) return;
            HWND tips = nullptr;  // the editor's tip window, one tool per control that has a tip
            while ((tips = FindWindowExW(nullptr, tips, TOOLTIPS_CLASSW, nullptr)) &&
                   GetWindow(tips, GW_OWNER) != editor) {
            }
            wchar_t text[64]{};
            TTTOOLINFOW tool{};
            tool.cbSize = TTTOOLINFOW_V2_SIZE;
            tool.hwnd = editor;
            tool.uId = reinterpret_cast<UINT_PTR>(item(drum_editor::kVolume0 + 3));
            tool.lpszText = text;
            SendMessageW(tips, TTM_GETTEXTW, 64, reinterpret_cast<LPARAM>(&tool));
            // Each list has its tip once made: the one not shown at opening is made when first shown.
            tipCount = static_cast<int>(SendMessageW(tips, TTM_GETTOOLCOUNT, 0, 0)) -
                       (item(drum_editor::kBarList) != nullptr) - (item(drum_editor::kTemplateList) != nullptr);
            volumeTip = text;
            Driver::Press(editor, drum_editor::kMirror);
            Driver::Until([&] { return picture() != pictures[0]; });
            pictures.push_back(picture());
            Driver::Press(editor, drum_editor::kClear);
            d.Answer(L"Tavolin", IDYES);  // the mirrored pans are an edit
            saveCleared = !Driver::Until([&] { return !IsWindowEnabled(item(drum_editor::kSave)); });
            clearCleared = IsWindowEnabled(item(drum_editor::kClear));
        });
    }
    ASSERT_EQ(pictures.size(), 3u);
    EXPECT_NE(pictures[0], pictures[1]);
    EXPECT_EQ(pictures[2], pictures[0]);
    EXPECT_EQ(enabledAtOpening, 0);
    EXPECT_TRUE(saveLoaded);
    EXPECT_FALSE(saveCleared);
    EXPECT_TRUE(clearCleared);
    EXPECT_EQ(tipCount, 5 + 8 * 5);  // name, speed and its arrows, mirror, clear; each channel's five
    EXPECT_EQ(volumeTip, L"音量(0-127)");
}

// The drum player on simulated time: a message to the editor's window runs its due ticks on the
// user-interface thread; the audition's reports to that window are kept.
struct DrumAuditionTest : DrumEditorTest {
    static constexpr UINT kRunClock = WM_APP + 42;
    void SetUp() override {
        DrumEditorTest::SetUp();
        ed->Data.PlayInfo.IsPlayDrum = tessaly::kTrue;
        tessaly::分析鼓点 bars;
        bars.DrumCount(3);
        for (int i = 0; i < 3; ++i) bars.DefDrumData(i);  // 4/4 at 120, a beat on channel 0
        ed->Data.XjDrum = bars.DrumArrData();
        ed->Player = std::make_unique<MusicPlayer>();
        out.Open();
        auto& shared = ed->Player->Windows.Shared;
        shared.Out = &out;
        shared.Clock = &clock;
        shared.MakeTimer = clock.Maker();
        SetWindowSubclass(ed->Window, Spy, 1, reinterpret_cast<DWORD_PTR>(this));
    }
    void TearDown() override {
        RemoveWindowSubclass(ed->Window, Spy, 1);
        DrumEditorTest::TearDown();
    }
    static LRESULT CALLBACK Spy(HWND w, UINT m, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR self) {
        auto& t = *reinterpret_cast<DrumAuditionTest*>(self);
        if (m == kRunClock) return t.clock.Run();
        if (m == tessaly::EM_PlayDrumFrmInfo) t.reports.push_back(static_cast<int32_t>(wp));
        return DefSubclassProc(w, m, wp, lp);
    }
    // "试听列表" from bar `from`; when the audition has started, `then` and the clock run.
    void PlayList(int from, std::function<void(HWND)> then = nullptr) {
        Run(0, [&](Driver&, HWND editor) {
            HWND bars = GetDlgItem(editor, drum_editor::kBarList);
            SendMessageW(bars, LB_SETCURSEL, static_cast<WPARAM>(from), 0);
            ListMenu(bars, from, L"试听列表");
            Driver::Until([&] { return !IsWindowEnabled(GetDlgItem(editor, drum_editor::kTab)); });
            if (then) then(editor);
            SendMessageW(ed->Window, kRunClock, 0, 0);
            for (auto* timer : clock.Timers()) fired = timer->Fired.empty() ? fired : timer->Fired;
            selected = static_cast<int>(SendMessageW(bars, LB_GETCURSEL, 0, 0));
        });
    }

    tessaly::test::FakePlayClock clock;
    tessaly::RecordingMidiOut out;
    std::vector<int32_t> reports;
    std::vector<uint32_t> fired;
    int selected = -1;
};

TEST_F(DrumAuditionTest, TheListFromItsLastPatternPlaysOneBarOfSixteenStepsOf125Ms) {
    PlayList(2);
    EXPECT_EQ(reports, (std::vector<int32_t>{-1, -2}));  // no pattern follows the first
    EXPECT_EQ(selected, 2);
    ASSERT_EQ(fired.size(), 17u);  // sixteen steps, then the tick that ends the bar
    for (size_t i = 1; i < fired.size(); ++i) EXPECT_EQ(fired[i] - fired[i - 1], 125u) << i;
    EXPECT_EQ(std::count(out.Messages.begin(), out.Messages.end(), tessaly::MidiShortMessage(0x99, 35, 100)), 4);
}

TEST_F(DrumAuditionTest, ClosingDuringAListAuditionStopsItAndReleasesThePlayerOutsideItsTick) {
    // The close waits in the queue until the first tick lets messages run.
    PlayList(0, [](HWND editor) { PostMessageW(editor, WM_CLOSE, 0, 0); });
    EXPECT_EQ(reports, (std::vector<int32_t>{-1, -2}));
    EXPECT_TRUE(clock.Timers().empty());  // the player went with the editor
    EXPECT_FALSE(clock.ReleasedInHandler);
    EXPECT_EQ(std::count_if(out.Messages.begin(), out.Messages.end(),
                            [](uint32_t m) { return (m & 0xF0) == 0x90 && m >> 16; }),
              0);
}

TEST_F(DrumAuditionTest, ClosingDuringAnEditingAreaAuditionHandsBackNoHeardPattern) {
    size_t patterns = 0;
    Run(0, [&](Driver& d, HWND editor) {
        auto item = [&](int id) { return GetDlgItem(editor, id); };
        PostMessageW(editor, WM_COMMAND, MAKEWPARAM(drum_editor::kBarList, LBN_DBLCLK),
                     reinterpret_cast<LPARAM>(item(drum_editor::kBarList)));
        Driver::Until([&] { return IsWindowEnabled(item(drum_editor::kSave)) != FALSE; });
        Driver::Press(editor, drum_editor::kSave);
        d.Answer(L"Tavolin");  // the bar list changed: it goes back whole
        Driver::Press(editor, drum_editor::kAudition);
        Driver::Until([&] { return !IsWindowEnabled(item(drum_editor::kTab)); });
        PostMessageW(editor, WM_CLOSE, 0, 0);
        SendMessageW(ed->Window, kRunClock, 0, 0);
        if (d.Open()) patterns = ed->PlaySettings.Drums.size();
    });
    EXPECT_EQ(patterns, 3u);
    EXPECT_EQ(reports, (std::vector<int32_t>{-1, -2}));
    EXPECT_FALSE(clock.ReleasedInHandler);
}

}  // namespace
}  // namespace notaline

namespace notaline {
namespace {

// The editor opens showing the load's volumes and speed; loading a pattern or clearing the area
// previews one of the sounds it sets, none when it sets the ones shown.
// Bar 1's pattern holds a value of its own and every sound entry 0; bar 2's was never used and
// shows what the editor opens with, in the song's metre.
TEST_F(DrumEditorTest, ItOpensWithTheLoadsValuesAndALoadOrAClearPreviewsOneSound) {
    ed->Data.PlayInfo.IsPlayDrum = tessaly::kTrue;
    ed->Data.PlayInfo.JiePai = 2;  // 3/4
    ed->Data.XjDrum.assign(2, tessaly::XjDrumData{});
    ed->Data.XjDrum[0].HaveDrum = 1;
    const auto& out = midi;
    std::wstring speed, metre;
    std::vector<std::wstring> volumes, unusedVolumes;
    std::vector<int> unusedPans;
    std::vector<uint32_t> heard;  // the drum channel's note-ons after each step
    Run(0, [&](Driver&, HWND editor) {
        auto item = [&](int id) { return GetDlgItem(editor, id); };
        speed = dialog_texts::TextOf(editor, drum_editor::kSpeed);
        // The channel rows may be an earlier opening's picture: made now, as they would show.
        PostMessageW(editor, WM_SYSCOLORCHANGE, 0, 0);
        Driver::Until([&] { return item(drum_editor::kVolume0 + 7) && !item(drum_editor::kChannelFaces); });
        for (int ch = 0; ch < 8; ++ch) volumes.push_back(dialog_texts::TextOf(editor, drum_editor::kVolume0 + ch));
        auto step = [&](int id, int code) {
            const size_t before = out.Messages.size();
            SendMessageW(editor, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(item(id)));
            for (size_t i = before; i < out.Messages.size(); ++i)
                if ((out.Messages[i] & 0xFF) == 0x99) heard.push_back(out.Messages[i]);
            heard.push_back(0);
        };
        step(drum_editor::kBarList, LBN_DBLCLK);  // every sound entry 0
        step(drum_editor::kClear, BN_CLICKED);    // back to entry 22
        step(drum_editor::kClear, BN_CLICKED);    // nothing changes
        SendMessageW(item(drum_editor::kBarList), LB_SETCURSEL, 1, 0);
        step(drum_editor::kBarList, LBN_DBLCLK);  // the opening's sounds: none changes
        for (int ch = 0; ch < 8; ++ch) {
            unusedVolumes.push_back(dialog_texts::TextOf(editor, drum_editor::kVolume0 + ch));
            unusedPans.push_back(static_cast<int>(SendMessageW(item(drum_editor::kPan0 + ch), TBM_GETPOS, 0, 0)));
        }
        speed += L"," + dialog_texts::TextOf(editor, drum_editor::kSpeed);
        metre = dialog_texts::TextOf(editor, drum_editor::kMetre);
    });
    EXPECT_EQ(speed, L"80,80");
    EXPECT_EQ(volumes, std::vector<std::wstring>(8, L"100"));
    EXPECT_EQ(heard, (std::vector<uint32_t>{tessaly::MidiShortMessage(0x99, 13, 127), 0,
                                            tessaly::MidiShortMessage(0x99, 35, 127), 0, 0, 0}));
    EXPECT_EQ(unusedVolumes, std::vector<std::wstring>(8, L"100"));
    EXPECT_EQ(unusedPans, std::vector<int>(8, 64));
    EXPECT_EQ(metre, L"3/4");
}

// A speed is typed a key at a time: 300 and 256 are refused as they pass 255, and 5 once the box
// is left; each time the speed shown before comes back, selected. Ctrl+A selects a volume.
TEST_F(DrumEditorTest, TheSpeedBoxRefusesWhatTheRecordCannotHoldAndCtrlASelectsAVolume) {
    ed->Data.PlayInfo.IsPlayDrum = tessaly::kTrue;
    std::vector<std::wstring> told, shown;
    std::wstring volume;
    Run(0, [&](Driver& d, HWND editor) {
        auto item = [&](int id) { return GetDlgItem(editor, id); };
        PostMessageW(editor, WM_COMMAND, MAKEWPARAM(drum_editor::kBarList, LBN_DBLCLK),
                     reinterpret_cast<LPARAM>(item(drum_editor::kBarList)));
        Driver::Until([&] { return IsWindowEnabled(item(drum_editor::kSpeed)) != FALSE; });
        for (const wchar_t* typed : {L"300", L"256", L"5"}) {
            PostMessageW(editor, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(item(drum_editor::kSpeed)), TRUE);
            for (const wchar_t* c = typed; *c; ++c) PostMessageW(item(drum_editor::kSpeed), WM_CHAR, *c, 1);
            if (typed[1] == 0)
                PostMessageW(editor, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(item(drum_editor::kName)), TRUE);
            told.push_back(d.Answer(L"Tavolin"));
            GUITHREADINFO focus{};
            focus.cbSize = sizeof focus;
            DWORD from = 1, to = 0;
            Driver::Until([&] {
                SendMessageW(item(drum_editor::kSpeed), EM_GETSEL, reinterpret_cast<WPARAM>(&from),
                             reinterpret_cast<LPARAM>(&to));
                GetGUIThreadInfo(GetWindowThreadProcessId(editor, nullptr), &focus);
                return focus.hwndFocus == item(drum_editor::kSpeed) && to > from;
            });
            shown.push_back(dialog_texts::TextOf(editor, drum_editor::kSpeed) + L"/" + std::to_wstring(to - from));
        }
        HWND box = item(drum_editor::kVolume0 + 3);
        SendMessageW(box, EM_SETSEL, 3, 3);
        for (wchar_t c : std::wstring_view(L"\x01"
                                           L"90"))
            PostMessageW(box, WM_CHAR, c, 1);  // Ctrl+A, 90
        // Not selected, 1009 would be refused.
        Driver::Until([&] {
            volume = dialog_texts::TextOf(editor, drum_editor::kVolume0 + 3);
            return volume == L"90" || d.Find(L"Tavolin", false);
        });
        if (d.Find(L"Tavolin", false)) d.Answer(L"Tavolin");
    });
    EXPECT_EQ(volume, L"90");
    EXPECT_EQ(told, std::vector<std::wstring>(3, dialog_texts::Wide(kDrumSpeedRange)));
    EXPECT_EQ(shown, std::vector<std::wstring>(3, L"80/2"));
}

// A typed name survives the list being refilled, cut to the record's bytes; a name far longer than
// the list's text once was is saved over twice.
TEST_F(DrumEditorTest, ATypedNameIsStoredCutToTheRecordAndShownAsStored) {
    ed->Data.PlayInfo.IsPlayDrum = tessaly::kTrue;
    struct Row {
        std::wstring typed, shown;
    };
    const Row rows[] = {{L"Rock 1", L"Rock 1"},
                        {std::wstring(200, L'x'), std::wstring(32, L'x')},
                        {std::wstring(20, L'鼓'), std::wstring(16, L'鼓')},
                        {L"a" + std::wstring(20, L'鼓'), L"a" + std::wstring(15, L'鼓')}};
    for (const Row& row : rows) {
        std::wstring inBox, afterSave, afterRefill;
        Run(0, [&](Driver& d, HWND editor) {
            auto item = [&](int id) { return GetDlgItem(editor, id); };
            HWND bars = item(drum_editor::kBarList);
            SendMessageW(bars, LB_SETCURSEL, 0, 0);
            PostMessageW(editor, WM_COMMAND, MAKEWPARAM(drum_editor::kBarList, LBN_DBLCLK),
                         reinterpret_cast<LPARAM>(bars));
            Driver::Until([&] { return IsWindowEnabled(item(drum_editor::kSave)) != FALSE; });
            SendMessageW(item(drum_editor::kName), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
            for (wchar_t c : row.typed) SendMessageW(item(drum_editor::kName), WM_CHAR, c, 1);
            inBox = dialog_texts::TextOf(editor, drum_editor::kName);
            for (int time = 0; time < 2; ++time) {
                Driver::Press(editor, drum_editor::kSave);
                d.Answer(L"Tavolin");
            }
            afterSave = dialog_texts::ListItemText(bars, 0);
            // Copied and pasted over the next bar: the list is refilled from the records.
            ListMenu(bars, 0, L"复制");
            SendMessageW(bars, LB_SETCURSEL, 1, 0);
            ListMenu(bars, 1, L"覆盖");
            afterRefill = dialog_texts::ListItemText(bars, 0);
        });
        EXPECT_EQ(inBox, row.shown) << row.typed.size();
        EXPECT_EQ(afterSave, row.shown) << row.typed.size();
        EXPECT_EQ(afterRefill, row.shown) << row.typed.size();
    }
}

// The user's gestures on the song behind `dialog`: a click in the editor and a typed digit; returns
// when what they caused has run.
void ClickAndTypeOnTheSong(HWND song, HWND dialog) {
    RECT r{};
    GetWindowRect(song, &r);
    SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    INPUT input[4]{};
    input[0].type = input[1].type = INPUT_MOUSE;
    input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    input[2].type = input[3].type = INPUT_KEYBOARD;
    input[2].ki.wVk = input[3].ki.wVk = '5';
    input[3].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(4, input, sizeof(INPUT));
    // Round trips through both windows' queues.
    SendMessageW(song, WM_NULL, 0, 0);
    SendMessageW(dialog, WM_NULL, 0, 0);
}

// Without a MIDI output the first sound preview (the loaded pattern's) says so in a box owned by
// the drum editor; once it is closed, the editor is where input goes, and a click and a key on the
// main window edit nothing.
TEST_F(DrumEditorTest, TheNoMidiBoxBelongsToTheDrumEditorAndTheSongTakesNoInputBehindIt) {
    ed->Data.PlayInfo.IsPlayDrum = tessaly::kTrue;
    ed->Player.reset();  // the system's MIDI output, which Wine has not here
    ed->Data.XjDrum.assign(1, tessaly::XjDrumData{});
    ed->Data.XjDrum[0].HaveDrum = 1;  // a pattern of its own, every sound entry 0: heard at its load
    const auto before = ed->Data.WordInfo.size();
    HWND owner = nullptr, editorSeen = nullptr, active = nullptr;
    std::wstring said;
    Run(0, [&](Driver& d, HWND editor) {
        editorSeen = editor;
        auto item = [&](int id) { return GetDlgItem(editor, id); };
        PostMessageW(editor, WM_COMMAND, MAKEWPARAM(drum_editor::kBarList, LBN_DBLCLK),
                     reinterpret_cast<LPARAM>(item(drum_editor::kBarList)));
        if (HWND box = d.Find(L"Tavolin")) owner = GetWindow(box, GW_OWNER);
        said = d.Answer(L"Tavolin");
        Driver::Until([&] { return GetForegroundWindow() == editor; });
        active = GetForegroundWindow();
        ClickAndTypeOnTheSong(ed->Window, editor);
    });
    EXPECT_EQ(said, L"无法打开MIDI设备");
    EXPECT_EQ(owner, editorSeen);
    EXPECT_EQ(active, editorSeen);
    EXPECT_EQ(ed->Data.WordInfo.size(), before);
    EXPECT_FALSE(Modified());
}

// The drum editor opened by the play settings' button and closed: the settings come back, still
// modal, and the song behind them takes no click and no key.
TEST_F(SetPlayInfoTest, AfterTheDrumEditorClosesTheMainWindowStaysDisabledUnderThePlaySettings) {
    ed->Data.PlayInfo.IsPlayDrum = tessaly::kTrue;
    const auto before = ed->Data.WordInfo.size();
    HWND settings = nullptr, editorOwner = nullptr, active = nullptr;
    bool back = false, mainEnabled = true;
    {
        Driver d([&](Driver& d) {
            if (!d.Open()) return;
            settings = d.dialog;
            Driver::Press(d.dialog, kCmdDrumEdit);
            HWND drums = d.Find(L"鼓点编辑...");
            if (!drums) return;
            editorOwner = GetWindow(drums, GW_OWNER);
            PostMessageW(drums, WM_CLOSE, 0, 0);
            back = Driver::Until([&] { return !IsWindow(drums) && IsWindowVisible(d.dialog); });
            mainEnabled = IsWindowEnabled(parent) != FALSE;
            Driver::Until([&] { return GetForegroundWindow() == d.dialog; });
            active = GetForegroundWindow();
            ClickAndTypeOnTheSong(ed->Window, d.dialog);
            Driver::Press(d.dialog, IDCANCEL);
        });
        EXPECT_EQ(S_OK, Call(L"设置演唱参数"));
    }
    EXPECT_TRUE(back);
    EXPECT_EQ(editorOwner, settings);
    EXPECT_FALSE(mainEnabled);
    EXPECT_EQ(active, settings);
    EXPECT_EQ(ed->Data.WordInfo.size(), before);
    EXPECT_FALSE(Modified());
}

}  // namespace
}  // namespace notaline

namespace notaline {
namespace {

// Rows of the bar list that show their red block number, counted on the screen.
int RedRows(HWND list) {
    int w = 0, h = 0;
    const auto px = outside::test::Capture(list, w, h, (com::ProgramFolder() + L"set_play_info_bars.png").c_str());
    const int rowHeight = static_cast<int>(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
    const int rows = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
    int shown = 0;
    for (int row = 0; row < rows && rowHeight > 0 && (row + 1) * rowHeight <= h; ++row) {
        int red = 0;
        for (int i = row * rowHeight * w; i < (row + 1) * rowHeight * w; ++i)
            red += (px[i] >> 16) > 200 && (px[i] >> 16) - std::max((px[i] >> 8) & 0xFF, px[i] & 0xFF) > 80;
        shown += red > 0;
    }
    return shown;
}

TEST_F(SetPlayInfoTest, TheBarListPaintsEveryRowWhenItsTrackTabIsFirstShown) {
    if (!std::filesystem::exists(com::ProgramFolder() + L"Selmoda.dll")) GTEST_SKIP() << "no bar list";
    int rows = -1, painted = -1;
    {
        Driver d([&](Driver& d) {
            if (!d.Open()) return;
            d.Tab(1);
            HWND list = nullptr;  // Selmoda's own list box, inside its control window
            Driver::Until([&] {
                HWND control = FindWindowExW(d.dialog, nullptr, L"SelmodaBarList", nullptr);
                return control && IsWindowVisible(list = FindWindowExW(control, nullptr, L"LISTBOX", nullptr));
            });
            rows = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
            // The whole dialog drawn again, as when it is uncovered: its other controls do not
            // cover the list.
            RedrawWindow(d.dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
            Driver::Until([&] { return (painted = RedRows(list)) == rows; });
            Driver::Press(d.dialog, IDCANCEL);
        });
        EXPECT_EQ(S_OK, Call(L"设置演唱参数"));
    }
    EXPECT_GT(rows, 0);
    EXPECT_EQ(painted, rows);
}

}  // namespace
}  // namespace notaline
