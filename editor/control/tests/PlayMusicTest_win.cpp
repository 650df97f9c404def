// The editor plays its document through a recording output: the playing note moves through the
// editor and the host hears of the start and the stop.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <vector>

#include "HostedControlTest_win.h"
#include "MusicFixture.h"
#include "ScreenTestSupport_win.h"
#include "com/Bstr.h"
#include "com/Container.h"
#include "control/Handlers_win.h"
#include "control/MusicPlayer_win.h"
#include "control/ZEVudu_win.h"
#include "model/layout/LoadJpFile.h"
#include "records/Numbers.h"

namespace notaline {
namespace {

using test::PumpUntil;
using test::SongSource;

std::vector<int32_t> gHostStates;
std::vector<int32_t> gShown;
WNDPROC gEditorProc = nullptr;

LRESULT CALLBACK HostProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == tessaly::EM_PlayInfo) gHostStates.push_back(static_cast<int32_t>(wp));
    return DefWindowProcW(w, m, wp, lp);
}

LRESULT CALLBACK EditorSpy(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == tessaly::WM_ShowPlayPos) gShown.push_back(static_cast<int32_t>(wp));
    return CallWindowProcW(gEditorProc, w, m, wp, lp);
}

struct PlayMusicTest : test::HostedControlTest {
    PlayMusicTest() { hostProc = HostProc; }
    void SetUp() override {
        HostedControlTest::SetUp();
        control = &Host();
        ed = control->Running();
        ASSERT_TRUE(ed);
        gHostStates.clear();
        gShown.clear();
        gEditorProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(ed->Window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(EditorSpy)));
    }
    void TearDown() override {
        if (ed) SetWindowLongPtrW(ed->Window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(gEditorProc));
        HostedControlTest::TearDown();
    }
    // A fast song, laid out in the editor, played on the recording output.
    void LoadSong(std::string_view pattern, int tracks) {
        tessaly::JpData doc = test::SongDocument(pattern, tracks);
        doc.PlayInfo.Bpm = 960;
        SongSource source(std::move(doc));
        LoadJpFile(ed->Data, source, *ed->Renderer, *ed, reinterpret_cast<intptr_t>(parent), u"song.DaDur");
        UseRecordingOutput();
    }
    void UseRecordingOutput() {
        ed->Player = std::make_unique<MusicPlayer>();
        out.Open();
        ed->Player->Windows.Shared.Out = &out;
    }
    std::set<std::pair<int, int>> Sounding() const {
        std::set<std::pair<int, int>> on;
        for (uint32_t m : out.Messages) {
            const int status = static_cast<int>(m & 0xF0), key = static_cast<int>(m >> 8 & 0xFF);
            if (status == 0x90 && (m >> 16 & 0xFF) > 0)
                on.insert({static_cast<int>(m & 15), key});
            else if (status == 0x80 || status == 0x90)
                on.erase({static_cast<int>(m & 15), key});
        }
        return on;
    }

    ZEVudu* control = nullptr;
    Editor* ed = nullptr;
    tessaly::RecordingMidiOut out;
};

TEST_F(PlayMusicTest, TheBuiltInDocumentHasNoNotesSoNothingStartsAndTheUserIsTold) {
    UseRecordingOutput();
    wchar_t told[512]{};
    MultiByteToWideChar(CP_UTF8, 0, kNothingToSoundText, -1, told, 512);
    EXPECT_EQ(test::BoxesOf([&] { BeginPlayMusic(*ed); }), (std::vector<std::wstring>{told}));
    EXPECT_FALSE(IsPlayingMusic(*ed));
    EXPECT_TRUE(gHostStates.empty());
    EXPECT_TRUE(out.Messages.empty());
}

// A block the singing order leaves out is named in the export's report and before playing.
TEST_F(PlayMusicTest, MusicTheSingingOrderLeavesOutIsNamedWhenExportingAndPlaying) {
    LoadSong("[1234:5671]", 1);
    const std::wstring mid = std::filesystem::temp_directory_path() / L"left-out.mid";
    com::Bstr name(mid.c_str());
    const auto boxes = test::BoxesOf([&] { control->SaveMidFile(name.Ref()), BeginPlayMusic(*ed); });
    const std::wstring blocks = L"演唱块 2 有音符，但演唱顺序里没有它们，";
    ASSERT_EQ(2u, boxes.size());
    EXPECT_EQ(0u,
              boxes[0].find(L"保存成功！\n" + blocks + L"没有导出。演唱顺序在“演唱设置 → 主音轨 → 演唱顺序”中设置"));
    EXPECT_EQ(0u, boxes[1].find(blocks + L"不会演奏。")) << boxes[1];
    EXPECT_TRUE(std::filesystem::remove(mid));
    EXPECT_TRUE(PumpUntil([] { return gHostStates.size() >= 2; }));
}

TEST_F(PlayMusicTest, ThePlayingNoteMovesThroughTheEditorToTheEnd) {
    LoadSong("[1234|5-65|1---]", 2);
    const int32_t selStart = ed->Data.SelStart;
    std::vector<int32_t> expected;
    for (const auto& c : CollectTrackCodes(ed->Data, BuildXjInfo(ed->Data), 1))
        if (c.DelayTimer != 0 && !tessaly::IsTrue(c.Null)) expected.push_back(c.SelStart);
    ASSERT_FALSE(expected.empty());
    expected.push_back(-1);

    BeginPlayMusic(*ed);
    EXPECT_TRUE(IsPlayingMusic(*ed));
    ASSERT_TRUE(PumpUntil([] { return gHostStates.size() >= 2; }));
    EXPECT_EQ(gHostStates, (std::vector<int32_t>{0, 1}));
    EXPECT_EQ(gShown, expected);
    EXPECT_FALSE(IsPlayingMusic(*ed));
    EXPECT_EQ(selStart, ed->Data.SelStart);
    EXPECT_TRUE(Sounding().empty());
    // The player stopped inside its tick goes when the message posted for it arrives.
    EXPECT_TRUE(PumpUntil([&] { return ed->Player->Music.StoppedCount() == 0; }));
}

TEST_F(PlayMusicTest, StoppedMidwayTheHostHearsOnceAndNothingHangs) {
    LoadSong("[1234|5-65|1---|1234|5-65|1---]", 1);
    BeginPlayMusic(*ed);
    ASSERT_TRUE(PumpUntil([] { return gShown.size() >= 3; }));
    SetPlayPause(*ed, true);
    EXPECT_TRUE(Sounding().empty());
    SetPlayPause(*ed, false);
    StopPlayMusic(*ed);
    EXPECT_FALSE(IsPlayingMusic(*ed));
    EXPECT_EQ(gHostStates, (std::vector<int32_t>{0, 1}));
    EXPECT_TRUE(Sounding().empty());
}

}  // namespace
}  // namespace notaline
