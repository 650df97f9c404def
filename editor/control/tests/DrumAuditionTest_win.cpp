// The drum editor's auditions on simulated time.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include "SetPlayInfoTest_win.h"
#include "tools/tests/FakePlayTimer.h"

namespace notaline::test {
namespace {

using namespace play_settings;

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
}  // namespace notaline::test
