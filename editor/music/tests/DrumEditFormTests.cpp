#include <gtest/gtest.h>

#include "MusicFixture.h"
#include "music/DrumEditForm.h"

namespace notaline {
namespace {

TEST(DrumEditForm, APressTogglesTheStepUnderItAndNothingElse) {
    struct Row {
        int32_t cell, x;
        bool hit;
        int32_t ch, step;
    };
    const Row rows[] = {{21, 240, true, 2, 22}, {21, 359, true, 2, 22}, {0, 0, true, 0, 0},  {63, 479, true, 7, 31},
                        {21, 480, false, 0, 0}, {64, 0, false, 0, 0},   {5, -1, false, 0, 0}};
    for (const Row& r : rows) {
        DrumEditForm form;
        EXPECT_EQ(form.Toggle(r.cell, r.x), r.hit) << r.cell << " " << r.x;
        EXPECT_EQ(form.Unchanged, !r.hit);
        int on = 0;
        for (int ch = 0; ch < 8; ++ch)
            for (int step = 0; step < 32; ++step) on += form.Step(ch, step);
        EXPECT_EQ(on, r.hit ? 1 : 0);
        if (r.hit) {
            EXPECT_TRUE(form.Step(r.ch, r.step));
        }
    }
    DrumEditForm form;
    form.Toggle(21, 250);
    form.Toggle(21, 300);
    EXPECT_EQ(form.Area.Cells[21], "----");
}

// The grid's cells in rows of eight, with gaps between the columns and the rows.
TEST(DrumEditForm, APointFindsTheCellItFallsInAndNoneBetweenThem) {
    struct Row {
        int32_t x, y, cell;
    };
    const Row rows[] = {{360, 240, 0},    {839, 479, 0},    {840, 240, -1},   {959, 300, -1}, {960, 300, 1},
                        {4575, 3045, 63}, {5054, 3284, 63}, {5055, 3100, -1}, {400, 480, -1}, {400, 645, 8},
                        {2200, 1500, 27}, {359, 300, -1},   {400, 239, -1},   {-1, -1, -1}};
    for (const Row& r : rows) EXPECT_EQ(CellAt(r.x, r.y), r.cell) << r.x << "," << r.y;
}

TEST(DrumEditForm, MetresSetStepsAndTheirMarker) {
    struct Row {
        int32_t metre, steps, markerX;
    };
    // 3/8 in the middle of cell 1, 12/8 at the end of cell 5, 4/4 at the end of cell 3.
    const Row rows[] = {{5, 6, 960 + 240}, {9, 24, 3375 + 480}, {3, 16, 2175 + 480}, {0, 4, 360 + 480}};
    for (const Row& r : rows) {
        DrumEditForm form;
        form.ChooseMetre(r.metre);
        EXPECT_EQ(form.StepsPerBar, r.steps);
        EXPECT_EQ(MarkerX(r.metre), r.markerX);
    }
    DrumEditForm form;
    form.ChooseMetre(2);
    form.ChooseMetre(-1);  // none chosen: as it was
    EXPECT_EQ(form.StepsPerBar, 12);
}

TEST(DrumEditForm, StoringKeepsOnlyTheBarsStepsAndFieldsThatFit) {
    tessaly::XjDrumData record{};
    record.DrumTimeSignature = 2;  // 3/4: 12 steps
    record.DrumSpeed = 0;
    record.HaveDrum = 1;  // in use: shown as stored
    DrumEditForm form;
    form.Load(record, 0);
    EXPECT_EQ(record.DrumSpeed, 120);
    EXPECT_EQ(form.Area.Speed, 120);
    form.Toggle(0, 0);        // step 0
    form.Toggle(3, 2 * 120);  // step 14, past the bar
    form.Area.Name.clear();
    form.Store(record);
    tessaly::分析鼓点 view;
    view.ViewRecords(&record, 1);
    EXPECT_TRUE(view.DrumRhythms(0, 0, 0));
    EXPECT_FALSE(view.DrumRhythms(0, 14, 0));
    EXPECT_EQ(view.DrumName(0), "\xCE\xB4\xC3\xFC\xC3\xFB");

    // Stored values the controls cannot hold are shown clamped; a metre past the list stays.
    record.DrumSpeed = 10;
    record.DrumVolume[1] = 200;
    record.DrumSounds[2] = 90;
    record.DrumTimeSignature = 10;
    form.Load(record, 0);
    EXPECT_EQ(form.Area.Speed, 30);
    EXPECT_EQ(form.Area.Volume[1], 127);
    EXPECT_EQ(form.Area.Sound[2], 74);
    EXPECT_EQ(form.Area.Metre, -1);
    EXPECT_TRUE(form.Unchanged);
    form.Store(record);
    EXPECT_EQ(record.DrumTimeSignature, 10);

    // Out of range typing keeps what was there.
    EXPECT_FALSE(form.SetVolume(0, 128));
    EXPECT_FALSE(form.SetVolume(0, -1));
    EXPECT_EQ(form.Area.Volume[0], record.DrumVolume[0]);
    EXPECT_FALSE(form.SetSpeed(256));
    EXPECT_FALSE(form.SetSpeed(29));
    EXPECT_TRUE(form.SetSpeed(255));
    EXPECT_FALSE(form.Unchanged);
}

TEST(DrumEditForm, PatternsStartAtTheBarsTheMainTrackPlays) {
    EditorData data;
    test::SetSong(data, "9[12|34|56:71|2]3");
    data.PlayInfo.Track[0].tPlayOrder[0] = {2, tessaly::kFalse};  // silent entries count
    data.PlayInfo.Track[0].tPlayOrder[1] = {1, tessaly::kTrue};
    const BarList bars = BuildXjInfo(data);
    EXPECT_EQ(BarStartPositions(data.PlayInfo, bars, 10), (std::vector<int32_t>{10, 13, 1, 4, 7}));
    EXPECT_EQ(BarStartPositions(data.PlayInfo, bars, 3), (std::vector<int32_t>{10, 13, 1}));

    // Past what a 16-bit start holds, positions stay whole: bar n of "[1234|1234|..." starts at its bar line, 5n.
    std::string song = "[";
    for (int i = 0; i < 7000; ++i) song += "1234|";
    test::SetSong(data, song);
    const auto starts = BarStartPositions(data.PlayInfo, BuildXjInfo(data), 7000);
    ASSERT_EQ(starts.size(), 7000u);
    EXPECT_EQ(starts.back(), 5 * 6999);
}

TEST(DrumEditForm, ClickPositionsChooseThePasteAndItsSelection) {
    struct Click {
        int32_t y, position, mode;
    };
    // Item 2 of a list scrolled by one, 16 pixels high items: it spans 16 to 32.
    const Click clicks[] = {{-1, 3, kPasteNone}, {101, 3, kPasteNone}, {100, 2, kPasteBelow}, {15, 1, kPasteAbove},
                            {16, 0, kPasteOver}, {32, 0, kPasteOver},  {33, 2, kPasteBelow}};
    for (const Click& c : clicks) {
        EXPECT_EQ(GetClickPosition(c.y, 100, 16, 1, 2), c.position) << c.y;
        EXPECT_EQ(PasteModeOf(c.position, kPasteNone), c.mode) << c.y;
    }
    struct Paste {
        int32_t mode, selected;
        std::vector<int> order;  // DrumVer of the records afterwards
    };
    const Paste pastes[] = {{kPasteAbove, 1, {0, 9, 1, 2}},
                            {kPasteOver, 1, {0, 9, 2}},
                            {kPasteBelow, 2, {0, 1, 9, 2}},
                            {kPasteNone, 1, {0, 1, 2}}};
    for (const Paste& p : pastes) {
        tessaly::分析鼓点 list;
        std::vector<tessaly::XjDrumData> records(3);
        for (int i = 0; i < 3; ++i) records[i].DrumVer = static_cast<uint8_t>(i);
        list.DrumArrData(records);
        tessaly::XjDrumData buffer{};
        buffer.DrumVer = 9;
        EXPECT_EQ(PasteDrum(list, 1, buffer, p.mode), p.selected) << p.mode;
        std::vector<int> order;
        for (int i = 0; i < list.DrumCount(); ++i) order.push_back(list.DrumVer(i));
        EXPECT_EQ(order, p.order) << p.mode;
    }
    tessaly::分析鼓点 empty;
    EXPECT_EQ(PasteDrum(empty, 0, tessaly::XjDrumData{}, kPasteBelow), 0);
    EXPECT_EQ(empty.DrumCount(), 1);
}

}  // namespace
}  // namespace notaline

namespace notaline {
namespace {

// The record holds 32 name bytes in code page 936: one a letter, two a Chinese character, and a
// character is never split.
TEST(DrumEditForm, ATypedNameFitsTheRecordsNameBytes) {
    const struct {
        std::u16string typed;
        size_t fit;
    } rows[] = {
        {u"", 0},
        {u"Rock", 4},
        {std::u16string(32, u'x'), 32},
        {std::u16string(200, u'x'), 32},
        {std::u16string(20, u'鼓'), 16},
        {u"a" + std::u16string(20, u'鼓'), 16},
        {std::u16string(31, u'x') + u"鼓", 31},
        {u"\U0001D11E" + std::u16string(40, u'x'), 30},
    };
    for (const auto& row : rows) EXPECT_EQ(DrumNameFit(row.typed), row.fit) << row.typed.size();
}

// The editor opens with the load's values and the clear command sets its own, over a loaded
// pattern; a new form is the opening one.
TEST(DrumEditForm, OpeningAndClearingSetTheirOwnVolumesSpeedAndSounds) {
    struct Row {
        void (DrumEditForm::*step)();
        int32_t volume, speed;
    };
    const Row rows[] = {{&DrumEditForm::Open, 100, 80}, {&DrumEditForm::Clear, 75, 75}};
    for (const Row& r : rows) {
        tessaly::XjDrumData record{};
        std::fill(std::begin(record.DrumVolume), std::end(record.DrumVolume), uint8_t{5});
        std::fill(std::begin(record.DrumSounds), std::end(record.DrumSounds), uint8_t{3});
        record.DrumSpeed = 200;
        DrumEditForm form;
        form.Load(record, 0);
        form.Toggle(0, 0);
        (form.*r.step)();
        for (int ch = 0; ch < 8; ++ch) {
            EXPECT_EQ(form.Area.Volume[ch], r.volume) << ch;
            EXPECT_EQ(form.Area.Sound[ch], kDefaultDrumSound) << ch;
        }
        EXPECT_EQ(form.Area.Speed, r.speed);
        EXPECT_EQ(form.Area.Cells[0], "----");
        EXPECT_TRUE(form.Unchanged);
    }
    const DrumEditForm fresh;
    EXPECT_EQ(fresh.Area.Volume, (std::array<int32_t, 8>{100, 100, 100, 100, 100, 100, 100, 100}));
    EXPECT_EQ(fresh.Area.Speed, 80);
}

// One preview for the eight choices a load or the clear command sets: the first that changed.
TEST(DrumEditForm, ALoadOrAClearPreviewsTheFirstChangedSoundAlone) {
    using Sounds = std::array<int32_t, 8>;
    struct Row {
        Sounds before, after;
        int32_t heard;
    };
    const Sounds defaults{22, 22, 22, 22, 22, 22, 22, 22};
    const Row rows[] = {{defaults, {0, 0, 0, 0, 0, 0, 0, 0}, 0},          {defaults, {22, 22, 5, 22, 9, 22, 22, 22}, 5},
                        {{0, 1, 2, 3, 4, 5, 6, 7}, defaults, 22},         {{22, 0, 0, 0, 0, 0, 0, 0}, defaults, 22},
                        {defaults, {22, 22, 22, 22, 22, 22, 22, 74}, 74}, {defaults, defaults, -1}};
    for (const Row& r : rows) EXPECT_EQ(ChangedSound(r.before, r.after), r.heard) << r.heard;
}

// A speed is typed a digit at a time: 300 passes 3 and 30. Too high is refused at once, too low
// once the box is left, and either brings back the speed held when the box took the focus.
TEST(DrumEditForm, ATypedSpeedOutsideItsRangeIsRefusedAndTheHeldSpeedComesBack) {
    using T = DrumEditForm::Typed;
    struct Row {
        std::vector<double> typed;  // the box's value after each key; the last is judged on leaving
        T last;
        int32_t speed;
    };
    const Row rows[] = {{{3, 30, 300}, T::Refused, 80}, {{2, 25, 256}, T::Refused, 80}, {{0}, T::Refused, 80},
                        {{5}, T::Refused, 80},          {{1, 12, 120}, T::Taken, 120},  {{2, 25, 255}, T::Taken, 255},
                        {{3, 30}, T::Taken, 30}};
    for (const Row& r : rows) {
        DrumEditForm form;
        form.HoldSpeed();
        T got = T::Taken;
        for (size_t i = 0; i < r.typed.size() && got != T::Refused; ++i)
            got = form.TypeSpeed(r.typed[i], i + 1 == r.typed.size());
        EXPECT_EQ(got, r.last) << r.typed.back();
        EXPECT_EQ(form.Area.Speed, r.speed) << r.typed.back();
    }
    DrumEditForm form;
    EXPECT_EQ(form.TypeSpeed(5, false), DrumEditForm::Typed::Pending);
    EXPECT_EQ(form.Area.Speed, 80);
}

// A bar pattern nobody filled can sound nothing: it shows what the editor opens with in the song's
// metre, with its name and speed, and stays as it was; one that can sound shows as stored.
TEST(DrumEditForm, AnUnusedPatternShowsTheOpeningValuesInTheSongsMetre) {
    tessaly::XjDrumData unused{};
    unused.BeginSelStart[0] = 7;
    DrumEditForm form;
    form.Toggle(0, 0);
    form.Load(unused, 3);
    for (int ch = 0; ch < 8; ++ch) {
        EXPECT_EQ(form.Area.Volume[ch], 100) << ch;
        EXPECT_EQ(form.Area.Sound[ch], kDefaultDrumSound) << ch;
        EXPECT_EQ(form.Area.Pan[ch], 64) << ch;
        EXPECT_FALSE(form.Area.Channel[ch]) << ch;
    }
    EXPECT_EQ(form.Area.Speed, 80);
    EXPECT_EQ(form.Area.Metre, 3);
    EXPECT_EQ(form.StepsPerBar, 16);
    EXPECT_EQ(form.Area.BeginSelStart, 7);
    EXPECT_EQ(form.Area.Cells[0], "----");
    EXPECT_FALSE(form.Area.HaveDrum);
    EXPECT_TRUE(form.Unchanged);
    EXPECT_EQ(unused.DrumSpeed, 0);

    unused.DrumSpeed = 100;  // the built-in document's pattern: a name and a speed
    unused.DrumName[0] = 'A';
    form.Load(unused, 3);
    EXPECT_EQ(form.Area.Speed, 100);
    EXPECT_EQ(form.Area.Name, "A");
    EXPECT_EQ(form.Area.Volume[7], 100);

    for (auto mark : {&tessaly::XjDrumData::HaveDrum, &tessaly::XjDrumData::DrumChannel}) {
        tessaly::XjDrumData used{};
        used.*mark = 1;
        form.Load(used, 3);
        EXPECT_EQ(form.Area.Volume[0], 0);
        EXPECT_EQ(form.Area.Metre, 0);
        EXPECT_EQ(form.Area.Speed, 120);
    }
    tessaly::XjDrumData stepped{};
    stepped.DrumRhythms[5] = 1;
    form.Load(stepped, 3);
    EXPECT_EQ(form.Area.Pan[0], 0);
}
}  // namespace
}  // namespace notaline
