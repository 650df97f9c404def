// The play settings dialog driven as a user would, from another thread, while the member that
// opened it waits.
#include "SetPlayInfoTest_win.h"

#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "ScreenTestSupport_win.h"
#include "outside/tests/OutsideTestSupport_win.h"
#include "win/GdiHandles.h"

namespace notaline::test {
namespace {

using namespace play_settings;

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
}  // namespace notaline::test
