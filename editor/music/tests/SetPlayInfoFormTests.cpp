#include <gtest/gtest.h>

#include "MusicFixture.h"
#include "music/SetPlayInfoForm.h"

namespace notaline {
namespace {

using tessaly::kTrue;

struct Loaded {
    EditorData data;
    SetPlayInfoForm form;
    explicit Loaded(int tracks = 2) {
        test::SetSong(data, "9[12|34|56:71|2]3", tracks);  // blocks 1 (3 bars) and 2 (2 bars)
        form = SetPlayInfoForm::Load(data);
    }
};

TEST(SetPlayInfoForm, SingingOrderIsParsedOrRefusedWhole) {
    struct Row {
        std::string text;
        bool ok;
        std::vector<std::pair<int, bool>> entries;
        int bars;  // CountTrackBars afterwards
    };
    const std::string longest = [] {
        std::string s;
        for (int i = 0; i < kOrderEntries; ++i) s += "2.";
        return s;
    }();
    const std::vector<Row> rows = {
        {"1,2.3,", true, {{1, true}, {2, false}, {3, true}}, 5},
        {"1,2", true, {{1, true}}, 3},
        {"1,2.1,", true, {{1, true}, {2, false}, {1, true}}, 8},
        {"255.", true, {{255, false}}, 0},
        {"", true, {}, 0},
        {",,", false, {}, 0},
        {"..", false, {}, 0},
        {".,", false, {}, 0},
        {",.", false, {}, 0},
        {",1,", false, {}, 0},
        {"0,", false, {}, 0},
        {"256,", false, {}, 0},
        {"99999999999,", false, {}, 0},
        {longest + "1,", false, {}, 0},
    };
    for (const Row& row : rows) {
        Loaded l;
        ASSERT_TRUE(l.form.ParsePlayOrder(1, "2,"));
        EXPECT_EQ(row.ok, l.form.ParsePlayOrder(1, row.text)) << row.text;
        const auto& order = l.form.Work.Track[0].tPlayOrder;
        if (!row.ok) {  // as it was
            EXPECT_EQ(order[0].BlockIndex, 2) << row.text;
            EXPECT_EQ(order[1].BlockIndex, 0) << row.text;
            continue;
        }
        for (size_t e = 0; e < kOrderEntries; ++e) {
            const auto want = e < row.entries.size() ? row.entries[e] : std::pair<int, bool>{0, false};
            EXPECT_EQ(order[e].BlockIndex, want.first) << row.text << " " << e;
            EXPECT_EQ(order[e].IsPlay != 0, want.second) << row.text << " " << e;
        }
        EXPECT_EQ(l.form.CountTrackBars(1), row.bars) << row.text;
        EXPECT_EQ(l.form.PlayOrderText(1), row.text.substr(0, row.text.find_last_of(",.") + 1));
    }
    Loaded l;
    EXPECT_TRUE(l.form.ParsePlayOrder(2, longest));
    EXPECT_EQ(l.form.CountTrackBars(2), 2 * kOrderEntries);
    EXPECT_FALSE(l.form.ParsePlayOrder(3, "1,"));  // no such track
}

TEST(SetPlayInfoForm, ChecksRefuseWhatDoesNotFitItsField) {
    struct Row {
        TrackFields track;
        BasicFields basic;
        PlayProblem trackProblem, basicProblem;
    };
    const TrackFields t{"1,", "100", "64", "0", 5, 3, true};
    const BasicFields b{2, 1, "120", 3, true, "100"};
    auto with = [](auto base, auto change) {
        change(base);
        return base;
    };
    const std::vector<Row> rows = {
        {t, b, PlayProblem::None, PlayProblem::None},
        {with(t, [](auto& x) { x.Volume = "127"; }), b, PlayProblem::None, PlayProblem::None},
        {with(t, [](auto& x) { x.Volume = "127.4"; }), b, PlayProblem::TrackVolume, PlayProblem::None},
        {with(t, [](auto& x) { x.Volume = "-1"; }), b, PlayProblem::TrackVolume, PlayProblem::None},
        {with(t, [](auto& x) { x.Pan = "128"; }), b, PlayProblem::TrackPan, PlayProblem::None},
        {with(t, [](auto& x) { x.Order = ",1,"; }), b, PlayProblem::Order, PlayProblem::None},
        {with(t, [](auto& x) { x.Delay = "32768"; }), b, PlayProblem::Delay, PlayProblem::None},
        {with(t, [](auto& x) { x.Delay = "-1"; }), b, PlayProblem::Delay, PlayProblem::None},
        {t, with(b, [](auto& x) { x.MainTrack = 3; }), PlayProblem::None, PlayProblem::Tracks},
        {t, with(b, [](auto& x) { x.Bpm = "abc"; }), PlayProblem::None, PlayProblem::TempoNotNumber},
        {t, with(b, [](auto& x) { x.Bpm = "12abc"; }), PlayProblem::None, PlayProblem::TempoNotNumber},
        {t, with(b, [](auto& x) { x.Bpm = ""; }), PlayProblem::None, PlayProblem::TempoNotNumber},
        {t, with(b, [](auto& x) { x.Bpm = "0"; }), PlayProblem::None, PlayProblem::TempoZero},
        {t, with(b, [](auto& x) { x.Bpm = " 96.5 "; }), PlayProblem::None, PlayProblem::None},
        {t, with(b, [](auto& x) { x.Bpm = "3"; }), PlayProblem::None, PlayProblem::TempoRange},
        {t, with(b, [](auto& x) { x.Bpm = "1000"; }), PlayProblem::None, PlayProblem::TempoRange},
        {t, with(b, [](auto& x) { x.Bpm = "-120"; }), PlayProblem::None, PlayProblem::TempoRange},
        {t, with(b, [](auto& x) { x.DrumVolume = "128"; }), PlayProblem::None, PlayProblem::DrumVolume},
        {t, with(b, [](auto& x) { x.DrumVolume = "-1"; }), PlayProblem::None, PlayProblem::DrumVolume},
    };
    for (size_t i = 0; i < rows.size(); ++i) {
        Loaded l;
        EXPECT_EQ(l.form.CheckTrackInfo(1, rows[i].track), rows[i].trackProblem) << i;
        EXPECT_EQ(l.form.CheckPlayInfo(rows[i].basic), rows[i].basicProblem) << i;
        if (rows[i].basicProblem != PlayProblem::None || rows[i].trackProblem != PlayProblem::None) continue;
        const auto& track = l.form.Work.Track[0];
        EXPECT_EQ(track.Volume, std::stoi(rows[i].track.Volume));
        EXPECT_EQ(track.ComSounds, 5);
        EXPECT_EQ(track.Yd, 3);
        EXPECT_EQ(l.form.Work.XjDrumCount, 3);  // the main track's bars
    }
    // A half goes to the even number.
    Loaded l;
    EXPECT_EQ(l.form.CheckPlayInfo(with(b, [](auto& x) { x.Bpm = "120.5"; })), PlayProblem::None);
    EXPECT_EQ(l.form.Work.Bpm, 120);
}

TEST(SetPlayInfoForm, MoreTracksKeepTheFirstOnes) {
    Loaded l;
    l.form.Work.Track[1].Volume = 77;
    l.form.SetTotalTrack(4);
    ASSERT_EQ(l.form.Work.Track.size(), 4u);
    EXPECT_EQ(l.form.Work.Track[0].tPlayOrder[0].BlockIndex, 1);
    EXPECT_EQ(l.form.Work.Track[1].Volume, 77);
    EXPECT_EQ(l.form.Work.Track[3].Volume, 0);
    EXPECT_EQ(l.form.Work.Track[3].tPlayOrder[0].BlockIndex, 0);
}

TEST(SetPlayInfoForm, OkOnlyEverSetsTheChangeFlagAndKeepsDrumCountAndPatternsInStep) {
    Loaded l;
    PlaySettingsModule module;
    l.data.XjDrum.resize(5);
    l.data.XjDrum[0].DrumVer = 9;
    tessaly::aMidTxtInfo texts;
    const BasicFields same{2, 1, "120", 3, false, "0"};  // as the song holds them
    ASSERT_EQ(l.form.CheckPlayInfo(same), PlayProblem::None);
    l.form.Apply(l.data, module, texts);
    EXPECT_FALSE(l.data.ModifiedPlay);
    // The main track plays 3 bars, yet no pattern is cut: an order put back finds its patterns.
    EXPECT_EQ(l.data.XjDrum.size(), 5u);
    EXPECT_EQ(l.data.PlayInfo.XjDrumCount, 5);
    EXPECT_EQ(l.data.XjDrum[0].DrumVer, 9);

    // A title changes the settings; a second OK without change leaves the flag set.
    texts.歌曲标题 = "\xC3\xB5";
    l.form.Apply(l.data, module, texts);
    EXPECT_TRUE(l.data.ModifiedPlay);
    l.form = SetPlayInfoForm::Load(l.data);
    ASSERT_EQ(l.form.CheckPlayInfo(same), PlayProblem::None);
    EXPECT_FALSE(l.form.PlayInfoChanged(l.data, module, texts));
    l.form.Apply(l.data, module, texts);
    EXPECT_TRUE(l.data.ModifiedPlay);

    // Drum edits cancelled are not applied by the next OK.
    EXPECT_FALSE(l.form.PrepareDrums(l.data, module, 0));
    ASSERT_TRUE(l.form.PrepareDrums(l.data, module, 4));
    ASSERT_EQ(module.Drums.size(), 4u);
    EXPECT_EQ(module.Drums[0].DrumVer, 9);
    module.Drums[0].DrumVer = 1;
    SetPlayInfoForm::Cancel(module);
    l.form = SetPlayInfoForm::Load(l.data);
    ASSERT_EQ(l.form.CheckPlayInfo(same), PlayProblem::None);
    l.form.Apply(l.data, module, texts);
    EXPECT_EQ(l.data.XjDrum[0].DrumVer, 9);

    // Edits kept by OK over the bars edited; the patterns past them stay.
    l.data.XjDrum[4].DrumVer = 7;
    ASSERT_TRUE(l.form.PrepareDrums(l.data, module, 3));
    module.Drums[2].DrumVer = 4;
    l.form.Apply(l.data, module, texts);
    ASSERT_EQ(l.data.XjDrum.size(), 5u);
    EXPECT_EQ(l.data.XjDrum[2].DrumVer, 4);
    EXPECT_EQ(l.data.XjDrum[4].DrumVer, 7);
    EXPECT_TRUE(module.Drums.empty());

    // Fewer patterns than bars: padded with silent ones, the count in step.
    l.data.XjDrum.resize(1);
    l.form = SetPlayInfoForm::Load(l.data);
    ASSERT_EQ(l.form.CheckPlayInfo(same), PlayProblem::None);
    l.form.Apply(l.data, module, texts);
    ASSERT_EQ(l.data.XjDrum.size(), 3u);
    EXPECT_EQ(l.data.PlayInfo.XjDrumCount, 3);
    EXPECT_EQ(l.data.XjDrum[0].DrumVer, 9);
    EXPECT_EQ(l.data.XjDrum[2].DrumVer, 0);
}

TEST(SetPlayInfoForm, NameListsTakeTheTextAfterTheSlashAndNumberMissingLines) {
    const auto names = ReadNameList("0/Piano\r\n1/a/b\nplain\n", 5, 13);
    EXPECT_EQ(names, (std::vector<std::string>{"Piano", "a/b", "plain", "16", "17"}));
    EXPECT_EQ(ReadNameList("", 2, 0), (std::vector<std::string>{"0", "1"}));
}

}  // namespace
}  // namespace notaline
