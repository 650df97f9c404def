// Times extracting the notes of a generated 200-page song and exporting it as a MIDI file against
// reading the same song from its DaDur file, in one run. Not a test: run it by hand from an
// optimised build.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>

#include "DaDurFile.h"
#include "FakeDaDurSystem.h"
#include "bench/BenchTiming.h"
#include "bench/SongPages.h"
#include "music/MidiExport.h"
#include "music/NoteExtraction.h"
#include "music/SetPlayInfoForm.h"
#include "records/Marks.h"
#include "text/Cp936.h"

namespace {

using namespace tessaly;

// A start bar line, then notes of every length and octave with dashes, dots, ties, triplets,
// grace notes and dynamics, a bar line every 8 characters. Four tracks sing the song.
JpData Generate(DaDurSystem& system, int pages) {
    JpData doc = bench::SongPages(system, pages, [](aWordInfo& w, int i) {
        w.WdAsc = static_cast<int16_t>(i % 13 == 5 ? '-' : i % 11 == 3 ? '0' : '1' + i % 7);
        w.Yc = static_cast<uint8_t>(i % 3);
        w.YG = static_cast<uint8_t>(i % 5 == 0 ? 1 : i % 7 == 0 ? 4 : 0);
        if (i % 8 == 0) {
            w.IsJpGcCtl = 2;
            w.WdAsc = i == 0 ? 88 : 91;  // the start position, then plain bar lines
        } else if (i % 17 == 0) {
            w.IsJpGcCtl = 2;
            w.WdAsc = 'D';
        }
        if (i % 10 == 1) w.ExtralWordInfo[0] = {marks::kMarkArcStart, 0, 1, {}};
        if (i % 10 == 2) w.ExtralWordInfo[0] = {marks::kMarkArcEnd, 0, 1, {}};
        if (i % 30 == 4) w.ExtralWordInfo[1] = {marks::kMarkTupletStart, 0, 0, {'3'}};
        if (i % 40 == 6) w.ExtralWordInfo[2] = {marks::kMarkGraceNote, 1, 1, {}};
        if (i % 25 == 7) w.ExtralWordInfo[3] = {marks::kMarkDynamicFirst + 1, 0, 0, {}};  // 弱
    });
    auto& play = doc.PlayInfo;
    play.Bpm = 96;
    play.JiePai = 3;
    play.TotalTrack = 4;
    play.MainTrack = 1;
    play.IsPlayDrum = kTrue;
    play.Track.assign(4, aTrackInfo{});
    for (auto& t : play.Track) {
        t.Volume = 100;
        t.SoundImage = 64;
        t.IsUser = kTrue;
        t.tPlayOrder[0] = {1, kTrue};
        t.tPlayOrder[1] = {1, kFalse};
    }
    doc.XjDrum.assign(64, XjDrumData{});
    for (auto& d : doc.XjDrum) {
        d.DrumTimeSignature = 3;
        d.DrumChannel = 0xC0;
        d.DrumRhythms[0] = 0x88;
        d.DrumRhythms[4] = 0x22;
        d.DrumSounds[0] = 22;
        d.DrumSounds[1] = 25;
    }
    play.XjDrumCount = static_cast<int16_t>(doc.XjDrum.size());
    return doc;
}

using bench::BestMs;

}  // namespace

int main() {
    FakeDaDurSystem system;
    system.fonts = {"tolvane", Utf16ToCp936(u"宋体").value()};
    const auto dir = std::filesystem::temp_directory_path() / "music_bench";
    std::filesystem::create_directories(dir);
    const auto song = dir / "200pages.DaDur";
    const auto mid = dir / "200pages.Mid";
    DaDurFile source(system);
    source.LetJpData(Generate(system, 200));
    if (!source.WriteRtfFile(song, 0).ok) return 1;

    const int runs = 5;
    notaline::EditorData data;
    const double read = BestMs(runs, [&] {
        DaDurFile reader(system);
        if (!reader.ReadRtfFile(0, song).ok) std::exit(1);
        notaline::LoadDocument(data, reader.Data());
    });
    size_t notes = 0;
    const double extract = BestMs(runs, [&] {
        const notaline::BarList bars = notaline::BuildXjInfo(data);
        notes = 0;
        for (int32_t t = 1; t <= data.PlayInfo.TotalTrack; ++t)
            notes += notaline::CollectTrackCodes(data, bars, t).size();
    });
    const double exportMs = BestMs(runs, [&] {
        if (!notaline::WriteMidFile(data, mid).ok) std::exit(1);
    });
    // What the play settings dialog does before it shows: its working copy, bar list and counts.
    const double settings = BestMs(runs, [&] {
        const notaline::SetPlayInfoForm form = notaline::SetPlayInfoForm::Load(data);
        if (form.CountTrackBars(form.Work.MainTrack) < 0) std::exit(1);
    });

    std::printf("song: %d characters, %zu timed notes over %d tracks, MIDI file %llu bytes\n", data.WordCount(), notes,
                data.PlayInfo.TotalTrack, static_cast<unsigned long long>(std::filesystem::file_size(mid)));
    std::printf("read from DaDur:        %8.2f ms\n", read);
    std::printf("extract (every track):  %8.2f ms  (%.2f x read)\n", extract, extract / read);
    std::printf("export as MIDI:         %8.2f ms  (%.2f x read)\n", exportMs, exportMs / read);
    std::printf("extract + export:       %8.2f ms  (%.2f x read)\n", extract + exportMs, (extract + exportMs) / read);
    std::printf("play settings loaded:   %8.2f ms\n", settings);
    std::filesystem::remove_all(dir);
    return extract + exportMs <= read ? 0 : 2;
}
