// The drum pattern editor opened by EditDrum and driven as a user would, from another thread.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "DrumPatterns.h"
#include "ScreenTestSupport_win.h"
#include "SetPlayInfoTest_win.h"
#include "music/DrumEditForm.h"
#include "outside/tests/OutsideTestSupport_win.h"

namespace notaline::test {
namespace {

using namespace play_settings;

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
        // The loaded pattern may still be drawing: the picture before the click is one that holds.
        Driver::Until([&] {
            auto now = outside::test::Capture(grid, w, h, png.c_str());
            const bool held = now == before;
            before = std::move(now);
            return held;
        });
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
            // Taken once the opening has painted: no window of it left to paint and two captures in
            // a row alike (a loaded machine may still be drawing the rows when the driver first looks).
            const std::wstring pictured = com::ProgramFolder() + L"drum_editor_pictured.png";
            std::vector<uint32_t> before;
            Driver::Until([&] {
                bool painting = GetUpdateRect(editor, nullptr, FALSE);
                EnumChildWindows(
                    editor,
                    [](HWND child, LPARAM any) {
                        *reinterpret_cast<bool*>(any) |= GetUpdateRect(child, nullptr, FALSE) != FALSE;
                        return TRUE;
                    },
                    reinterpret_cast<LPARAM>(&painting));
                o.pixels = outside::test::Capture(editor, w, h, pictured.c_str());
                return std::exchange(before, o.pixels) == o.pixels && !painting;
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

}  // namespace
}  // namespace notaline::test
