// The document's playback driven as the editor drives it: the end report stops it at once.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <set>

#include "DaDurFile.h"
#include "DocumentBuilder.h"
#include "DrumPatterns.h"
#include "FakeDaDurSystem.h"
#include "FakePlayTimer.h"
#include "MusicFixture.h"
#include "model/document/MarkCodes.h"
#include "music/MidiExport.h"
#include "music/MusicNoteGet.h"
#include "records/Messages.h"
#include "records/Numbers.h"

namespace notaline {
namespace {

struct Session {
    tessaly::test::FakePlayClock clock;
    tessaly::RecordingMidiOut out;
    tessaly::PlayMidi shared;
    MusicNoteGet music{shared};
    EditorData data;
    std::vector<int32_t> host;       // EM_PlayInfo states
    std::vector<int32_t> positions;  // WM_ShowPlayPos reports
    std::vector<std::string> warnings;
    std::function<void(int32_t)> onPosition;
    std::vector<std::function<void()>> posted;  // messages posted to the editor's window

    Session() {
        shared.Out = &out;
        shared.Clock = &clock;
        shared.MakeTimer = clock.Maker();
        // Pumped inside a tick, posted messages run, those they post included.
        shared.DoEvents = [this] {
            clock.Advance(2);
            Pump();
        };
        music.PostRelease = [this] { posted.push_back([this] { music.ReleaseStopped(); }); };
        shared.WarnNoMidi = [this] { warnings.push_back("no output"); };
        // As the editor's window handles the reports.
        shared.Notify = [this](uint32_t m, int32_t w) {
            if (m != tessaly::WM_ShowPlayPos) return;
            positions.push_back(w);
            if (onPosition) onPosition(w);
            if (w == -1) music.StopPlayMusic();
        };
        music.TellHost = [this](int32_t s) { host.push_back(s); };
        music.Warn = [this](std::string_view t) { warnings.emplace_back(t); };
    }
    void Pump() {
        while (!posted.empty()) {
            const auto message = posted.front();
            posted.erase(posted.begin());
            message();
        }
    }
    void Play() {
        music.BeginPlayMusic(data, 0);
        clock.Run();
        Pump();
    }
};

int Status(uint32_t m) {
    return static_cast<int>(m & 0xF0);
}
int Channel(uint32_t m) {
    return static_cast<int>(m & 15);
}
int Key(uint32_t m) {
    return static_cast<int>(m >> 8 & 0xFF);
}
int Velocity(uint32_t m) {
    return static_cast<int>(m >> 16 & 0xFF);
}

std::set<std::pair<int, int>> Sounding(const std::vector<uint32_t>& messages) {
    std::set<std::pair<int, int>> on;
    for (uint32_t m : messages) {
        if (Status(m) == 0x90 && Velocity(m) > 0)
            on.insert({Channel(m), Key(m)});
        else if (Status(m) == 0x80 || Status(m) == 0x90)
            on.erase({Channel(m), Key(m)});
    }
    return on;
}

std::vector<int> SoundedKeys(const std::vector<uint32_t>& messages, int channel) {
    std::vector<int> keys;
    for (uint32_t m : messages)
        if (Status(m) == 0x90 && Velocity(m) > 0 && Channel(m) == channel) keys.push_back(Key(m));
    return keys;
}

TEST(MusicNoteGet, OnlyTracksWithNotesAreHandedOverAndTheSongEndsOnce) {
    Session e;
    test::SetSong(e.data, "[1234|5-65|1---]", 2);
    e.data.PlayInfo.Track[0].tPlayOrder[0] = {};
    e.Play();
    // Track 2 alone, on the first channel, as the export gives the first sounding track.
    EXPECT_EQ(SoundedKeys(e.out.Messages, 0), (std::vector<int>{60, 62, 64, 65, 67, 69, 67, 60}));
    EXPECT_TRUE(SoundedKeys(e.out.Messages, 1).empty());
    EXPECT_EQ(e.host, (std::vector<int32_t>{0, 1}));
    EXPECT_FALSE(e.music.IsPlayingMusic());
    EXPECT_TRUE(Sounding(e.out.Messages).empty());
    EXPECT_TRUE(e.clock.Timers().empty());
}

TEST(MusicNoteGet, NothingToPlayTellsTheHostNothing) {
    Session e;
    test::SetSong(e.data, "[1234|5-65|1---]", 2);
    for (auto& t : e.data.PlayInfo.Track) t.IsUser = tessaly::kFalse;
    e.Play();
    EXPECT_TRUE(e.host.empty());
    EXPECT_TRUE(e.out.Messages.empty());
    EXPECT_FALSE(e.music.IsPlayingMusic());
    // The member's stop still reports, each time.
    e.music.StopPlayMusic();
    e.music.StopPlayMusic();
    EXPECT_EQ(e.host, (std::vector<int32_t>{1, 1}));
}

// A song in which no note would sound is neither played nor exported; both name the remedy.
TEST(MusicNoteGet, ASongWithNothingToSoundIsSaidSoInsteadOfPlayedOrExported) {
    const struct {
        const char* song;
        bool silentEntry, unusedTrack, sounds;
        const char* reason = kNothingToSoundText;
    } rows[] = {
        {"|1234|5-65|1---|", false, false, false},  // plain bar lines only: block 0
        {"[1234|5-65|1---|", false, false, true},
        {"12345", false, false, true},         // no bar line: the whole song is one bar
        {"[0000|0---|", false, false, false},  // rests only
        {"[1234|5-65|", true, false, false, kNoBlockToSingText},
        {"[1234|5-65|", false, true, false, kNoBlockToSingText},
        {"12|[34|", false, false, true},  // music after the special bar line sounds
    };
    // Named afresh each run: test runs of other checkouts share the temporary folder.
    const auto path = std::filesystem::temp_directory_path() / (std::to_string(std::random_device{}()) + "_silent.Mid");
    for (const auto& r : rows) {
        SCOPED_TRACE(r.song);
        Session e;
        test::SetSong(e.data, r.song);
        if (r.silentEntry) e.data.PlayInfo.Track[0].tPlayOrder[0].IsPlay = tessaly::kFalse;
        if (r.unusedTrack) e.data.PlayInfo.Track[0].IsUser = tessaly::kFalse;
        EXPECT_EQ(r.sounds, AnyNoteSounds(e.data, BuildXjInfo(e.data)));
        std::filesystem::remove(path);
        const tessaly::DaDurStatus exported = WriteMidFile(e.data, path);
        EXPECT_EQ(r.sounds, exported.ok);
        EXPECT_EQ(r.sounds, std::filesystem::exists(path));
        e.Play();
        EXPECT_EQ(r.sounds, !SoundedKeys(e.out.Messages, 0).empty());
        EXPECT_EQ(r.sounds, !e.host.empty());
        if (r.sounds) continue;
        EXPECT_EQ(exported.reason, r.reason);
        EXPECT_EQ(e.warnings, (std::vector<std::string>{r.reason}));
    }
    // A drum pattern sounds in the file by itself.
    EditorData drums;
    test::SetSong(drums, "|1234|");
    drums.PlayInfo.IsPlayDrum = tessaly::kTrue;
    drums.XjDrum.resize(1);
    drums.XjDrum[0].DrumChannel = 0x80;
    drums.XjDrum[0].DrumSounds[0] = 22;
    drums.XjDrum[0].DrumRhythms[0] = 0x88;
    EXPECT_TRUE(WriteMidFile(drums, path).ok);
    std::filesystem::remove(path);
}

// What the export's box (or its refusal) and playback say about the music they leave out, and the
// notes each gives: '[' the start position, ']' the final bar line; the order names blocks, 0 silent.
TEST(MusicNoteGet, ExportAndPlaybackSayWhatTheyLeaveOut) {
    const std::string after = "最后一条小节线之后的音乐没有导出：请在歌曲末尾加上小节线。";
    const std::string order = kNoBlockToSingText;
    const struct {
        const char* song;
        std::vector<tessaly::aPlayBlock> order;
        size_t notes;  // exported and played; 0: refused
        std::string told;
    } rows[] = {
        {"[1234|5671", {{1, -1}}, 4, after},         {"[1234]33", {{1, -1}}, 4, after},
        {"[1234|5671|", {{1, -1}}, 8, ""},           {"[1234|", {{5, -1}}, 0, order},
        {"[1234|", {{1, 0}, {1, 0}}, 0, order},      {"[1234|", {}, 0, order},
        {"[1234|5671", {{3, -1}}, 0, order + after}, {"|12|56", {{1, -1}}, 0, kNothingToSoundText + after},
    };
    const auto path = std::filesystem::temp_directory_path() / (std::to_string(std::random_device{}()) + "_left.Mid");
    for (const auto& r : rows) {
        SCOPED_TRACE(r.song);
        Session e;
        test::SetSong(e.data, r.song);
        auto& order = e.data.PlayInfo.Track[0].tPlayOrder;
        std::fill(std::begin(order), std::end(order), tessaly::aPlayBlock{});
        std::copy(r.order.begin(), r.order.end(), order);
        std::filesystem::remove(path);
        const tessaly::DaDurStatus exported = WriteMidFile(e.data, path);
        EXPECT_EQ(r.notes > 0, exported.ok);
        EXPECT_EQ(r.told, r.notes ? LeftOutNotice(e.data, BuildXjInfo(e.data), kLeftOutOfFile) : exported.reason);
        e.Play();
        EXPECT_EQ(r.notes, SoundedKeys(e.out.Messages, 0).size());
        // Playback says the same of what it leaves out.
        std::string played = r.told;
        if (const size_t at = played.find("没有导出"); at != std::string::npos) played.replace(at, 12, "不会演奏");
        EXPECT_EQ(played.empty() ? std::vector<std::string>{} : std::vector<std::string>{played}, e.warnings);
    }
    std::filesystem::remove(path);
}

TEST(MusicNoteGet, RefusedPlaybackSaysWhyOnceAndLeavesTheHostFree) {
    {
        Session e;
        e.out.OpenResult = 2;
        test::SetSong(e.data, "[1234|1---]");
        e.Play();
        EXPECT_EQ(e.warnings, (std::vector<std::string>{"no output"}));
        EXPECT_TRUE(e.host.empty());
        EXPECT_FALSE(e.music.IsPlayingMusic());
        EXPECT_TRUE(e.clock.Timers().empty());
    }
    {
        Session e;
        test::SetSong(e.data, "[1234|1---]");
        e.data.PlayInfo.Bpm = 0;
        e.Play();
        ASSERT_EQ(e.warnings.size(), 1u);
        EXPECT_TRUE(e.host.empty());
        EXPECT_FALSE(e.music.IsPlayingMusic());
    }
    {
        // Sixteen sounding tracks do not fit beside the drum channel, as in the export.
        Session e;
        test::SetSong(e.data, "[1234|1---]", 16);
        e.Play();
        ASSERT_EQ(e.warnings.size(), 1u);
        EXPECT_TRUE(e.host.empty());
        EXPECT_TRUE(Sounding(e.out.Messages).empty());
    }
}

TEST(MusicNoteGet, GroupsReachingPastTheTrackEndsPlayToTheEnd) {
    Session e;
    test::SetSong(e.data, "[1234|5-65|");
    test::SetMark(e.data, 9, 0, kMarkTupletStart);
    test::SetText(e.data, 9, 0, "5");
    test::SetMark(e.data, 1, 1, kMarkGraceNote, 6, 2);
    test::SetMark(e.data, 9, 1, kMarkGraceNote, 3, 1);
    e.Play();
    EXPECT_EQ(SoundedKeys(e.out.Messages, 0), (std::vector<int>{60, 62, 64, 65, 67, 69, 67}));
    EXPECT_EQ(e.host, (std::vector<int32_t>{0, 1}));
    EXPECT_TRUE(e.warnings.empty());
}

TEST(MusicNoteGet, StoppedInsideATickEverythingIsSilentAndTheHostHearsOnce) {
    Session e;
    test::SetSong(e.data, "[1234|5-65|1---]", 2);
    e.data.PlayInfo.IsPlayDrum = tessaly::kTrue;
    e.data.PlayInfo.DrumVolume = 100;
    tessaly::分析鼓点 patterns;
    patterns.DrumCount(3);
    for (int i = 0; i < 3; ++i) patterns.DefDrumData(i);
    e.data.XjDrum = patterns.DrumArrData();
    e.data.XjDrum.resize(3);
    e.onPosition = [&e](int32_t w) {
        if (w == 4) e.music.StopPlayMusic();
    };
    e.Play();
    EXPECT_EQ(e.host, (std::vector<int32_t>{0, 1}));
    // The stop's own end report reaches the window and stops nothing more.
    EXPECT_EQ(std::vector<int32_t>(e.positions.end() - 2, e.positions.end()), (std::vector<int32_t>{4, -1}));
    EXPECT_FALSE(SoundedKeys(e.out.Messages, tessaly::kPlayDrumChannel).empty());
    EXPECT_TRUE(Sounding(e.out.Messages).empty());
    EXPECT_TRUE(e.clock.Timers().empty());
    // Played again from the start, then paused: silent, and still playing until stopped.
    e.onPosition = nullptr;
    e.music.BeginPlayMusic(e.data, 0);
    e.clock.Run(e.clock.Milliseconds() + 700);
    e.music.SetPlayPause(true);
    EXPECT_TRUE(Sounding(e.out.Messages).empty());
    EXPECT_EQ(e.clock.Run(e.clock.Milliseconds() + 10'000), 0);
    EXPECT_TRUE(e.music.IsPlayingMusic());
    e.music.SetPlayPause(false);
    e.clock.Run();
    EXPECT_EQ(e.host, (std::vector<int32_t>{0, 1, 0, 1}));
    EXPECT_TRUE(Sounding(e.out.Messages).empty());
    // Started again while playing: the running playback stops first, and says so.
    e.music.BeginPlayMusic(e.data, 0);
    e.clock.Run(e.clock.Milliseconds() + 700);
    e.music.BeginPlayMusic(e.data, 0);
    e.clock.Run();
    EXPECT_EQ(e.host, (std::vector<int32_t>{0, 1, 0, 1, 0, 1, 0, 1}));
    EXPECT_TRUE(Sounding(e.out.Messages).empty());
}

// Stopped by its end report or by the user from a message pumped inside a tick, the player stays
// until the posted release after that tick: a release pumped inside the tick leaves it alone.
TEST(MusicNoteGet, AStopInsideATickReleasesThePlayerFromAMessageAfterIt) {
    for (bool byUser : {false, true}) {
        SCOPED_TRACE(byUser);
        Session e;
        test::SetSong(e.data, "[1234|5-65|1---]", 2);
        e.onPosition = [&e, byUser](int32_t w) {
            if (byUser && w == 2) e.posted.push_back([&e] { e.music.StopPlayMusic(); });
        };
        e.music.BeginPlayMusic(e.data, 0);
        e.clock.Run();
        EXPECT_EQ(e.host, (std::vector<int32_t>{0, 1}));
        EXPECT_EQ(e.music.StoppedCount(), 1u);
        ASSERT_EQ(e.posted.size(), 1u);  // asked once, after the tick
        e.Pump();
        EXPECT_EQ(e.music.StoppedCount(), 0u);
        EXPECT_TRUE(e.clock.Timers().empty());
        EXPECT_TRUE(Sounding(e.out.Messages).empty());
        // The output closed at the stop is the next playback's, opened again.
        e.Play();
        EXPECT_EQ(e.host, (std::vector<int32_t>{0, 1, 0, 1}));
        EXPECT_EQ(e.out.Opens, 2);
    }
}

TEST(MusicNoteGet, TheDefaultDocumentPlaysWhatTheExtractionFinds) {
    Session e;
    tessaly::FakeDaDurSystem system;
    tessaly::DaDurFile file(system);
    ASSERT_TRUE(file.ReadRtfFile(0, {}).ok);
    LoadDocument(e.data, file.TakeJpData());
    const BarList bars = BuildXjInfo(e.data);
    std::vector<int> keys;
    std::vector<int32_t> shown;
    for (int32_t t = 1; t <= e.data.PlayInfo.TotalTrack; ++t)
        for (const auto& c : CollectTrackCodes(e.data, bars, t)) {
            if (c.DelayTimer == 0 || tessaly::IsTrue(c.Null)) continue;
            if (c.Volume > 0) keys.push_back(c.Audio);
            if (t == e.data.PlayInfo.MainTrack) shown.push_back(c.SelStart);
        }
    e.Play();
    // The built-in document holds a title and no notes: nothing sounds and the host stays free.
    EXPECT_EQ(SoundedKeys(e.out.Messages, 0), keys);
    EXPECT_EQ(e.host.empty(), keys.empty());
    if (!shown.empty()) shown.push_back(-1);
    EXPECT_EQ(e.positions, shown);
}

}  // namespace
}  // namespace notaline
