#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <random>
#include <sstream>

#include "FileAccess.h"
#include "MidiBytes.h"
#include "MusicFixture.h"
#include "music/MidiExport.h"

namespace notaline {
namespace {

// Random songs of every kind of character the walk knows, marks with values in and out of range,
// and play settings in and out of range: nothing crashes and the results keep their bounds.
class RandomSong {
public:
    explicit RandomSong(uint32_t seed) : rng_(seed) {}

    int Pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }

    EditorData Make() {
        tessaly::JpData doc;
        const int n = Pick(0, 120);
        for (int i = 0; i < n; ++i) {
            tessaly::aWordInfo w;
            const int kind = Pick(0, 9);
            if (kind < 5) {
                w.IsJpGcCtl = 1;
                w.WdAsc = static_cast<int16_t>("01234567-"[Pick(0, 8)]);
            } else if (kind < 8) {
                w.IsJpGcCtl = 2;
                w.WdAsc = static_cast<int16_t>(Pick(0, 3) == 0 ? 'D' : Pick(86, 96));
            } else {
                w.IsJpGcCtl = static_cast<uint8_t>(Pick(0, 3));
                w.WdAsc = static_cast<int16_t>(Pick(-200, 200));
            }
            w.Yc = static_cast<uint8_t>(Pick(0, 5));
            w.YG = static_cast<uint8_t>(Pick(0, 9));
            for (int s = 0; s < 8; ++s) {
                if (Pick(0, 5) != 0) continue;
                static constexpr int kCodes[] = {9,  10, 11, 12, 13, 14, 15, 24, 25, 26, 27, 28,  29,  30,  31,
                                                 32, 38, 38, 72, 73, 74, 74, 81, 82, 89, 91, 121, 122, 146, 153};
                auto& slot = w.ExtralWordInfo[s];
                slot.IndexType = kCodes[Pick(0, std::size(kCodes) - 1)];
                slot.ExtralWordVal1 = Pick(-2, 8);
                slot.ExtralWordVal2 = Pick(-1, 4);
                const std::string text = std::to_string(Pick(-3, 40000)) + (Pick(0, 1) ? "x" : "");
                std::copy_n(text.begin(), std::min<size_t>(text.size(), 16), slot.ExtralWordVal3);
            }
            doc.WordInfo.push_back(w);
        }
        auto& play = doc.PlayInfo;
        play.Track.resize(static_cast<size_t>(Pick(0, 24)));
        play.TotalTrack = static_cast<uint8_t>(Pick(0, 26));
        play.MainTrack = static_cast<uint8_t>(Pick(0, 26));
        play.Bpm = static_cast<int16_t>(Pick(-10, 9000));
        play.JiePai = static_cast<uint8_t>(Pick(0, 11));
        play.IsPlayDrum = Pick(0, 1) ? tessaly::kTrue : tessaly::kFalse;
        for (auto& t : play.Track) {
            t.Volume = static_cast<uint8_t>(Pick(0, 255));
            t.SoundImage = static_cast<uint8_t>(Pick(0, 255));
            t.ComSounds = static_cast<uint8_t>(Pick(0, 255));
            t.Yd = static_cast<uint8_t>(Pick(0, 20));
            t.IsUser = Pick(0, 3) ? tessaly::kTrue : tessaly::kFalse;
            t.DelayTimer = static_cast<int16_t>(Pick(-5, 64));
            for (auto& e : t.tPlayOrder)
                if (Pick(0, 4) == 0)
                    e = {static_cast<uint8_t>(Pick(0, 6)), Pick(0, 1) ? tessaly::kTrue : tessaly::kFalse};
        }
        doc.XjDrum.resize(static_cast<size_t>(Pick(0, 4)));
        for (auto& d : doc.XjDrum) {
            auto* bytes = reinterpret_cast<uint8_t*>(&d);
            for (size_t b = 0; b < sizeof d; ++b) bytes[b] = static_cast<uint8_t>(Pick(0, 255));
        }
        EditorData data;
        LoadDocument(data, std::move(doc));
        return data;
    }

private:
    std::mt19937 rng_;
};

using test::ReadVlq;

// Walks a whole file: chunk lengths, statuses, data bytes below 128, every track ended.
void CheckMidiFile(const std::string& f) {
    ASSERT_GE(f.size(), 14u);
    ASSERT_EQ(f.substr(0, 4), "MThd");
    const int declared = (uint8_t(f[10]) << 8) | uint8_t(f[11]);
    size_t at = 14;
    int tracks = 0;
    while (at < f.size()) {
        ASSERT_EQ(f.substr(at, 4), "MTrk");
        const size_t end = at + 8 + test::ChunkLength(f, at);
        ASSERT_LE(end, f.size());
        at += 8;
        bool ended = false;
        while (at < end) {
            ASSERT_FALSE(ended) << "events after the end of track";
            ReadVlq(f, at, end);
            const auto status = static_cast<uint8_t>(f[at++]);
            if (status == 0xFF) {
                const auto type = static_cast<uint8_t>(f[at++]);
                at += ReadVlq(f, at, end);
                ended = type == 0x2F;
            } else {
                ASSERT_TRUE(status >= 0x80 && (status >> 4) != 0xF) << int(status);
                const int dataBytes = (status >> 4) == 0xC ? 1 : 2;
                for (int k = 0; k < dataBytes; ++k) ASSERT_LT(uint8_t(f[at++]), 128);
            }
        }
        ASSERT_EQ(at, end);
        ASSERT_TRUE(ended);
        ++tracks;
    }
    EXPECT_EQ(tracks, declared);
}

TEST(MusicRandom, ExtractionAndExportKeepTheirBounds) {
    // Unique per run: several builds' tests may run at once on one machine.
    const auto path =
        std::filesystem::temp_directory_path() / ("music_random_" + std::to_string(tessaly::TemporarySeed()) + ".Mid");
    const std::vector<int> levels = {0, 50, 65, 70, 75, 80, 110, 120, 127};
    int written = 0;
    for (uint32_t seed = 1; seed <= 400; ++seed) {
        SCOPED_TRACE(seed);
        RandomSong random(seed);
        const EditorData data = random.Make();
        const BarList bars = BuildXjInfo(data);
        for (int32_t t = 0; t <= static_cast<int32_t>(data.PlayInfo.Track.size()) + 1; ++t) {
            for (const auto& e : CollectTrackCodes(data, bars, t)) {
                ASSERT_TRUE(std::isfinite(e.DelayTimer) && e.DelayTimer >= 0);
                ASSERT_TRUE(e.Audio >= 0 && e.Audio <= 127);
                ASSERT_NE(std::find(levels.begin(), levels.end(), e.Volume), levels.end());
                ASSERT_TRUE(data.IsWord(e.SelStart));
            }
            for (const auto& e : BuildTrackMidEvents(data, bars, t)) {
                ASSERT_TRUE(std::isfinite(e.DeltaTime) && e.DeltaTime >= 0);
                ASSERT_TRUE(e.EventType == 8 || e.EventType == 9 || e.EventType == 11);
                if (e.EventType != 11) {
                    ASSERT_LE(e.cc, 127);
                }
                if (e.EventType == 9) {
                    ASSERT_TRUE(e.vv == 0 || e.vv == data.PlayInfo.Track[size_t(t) - 1].Volume);
                }
            }
        }
        std::filesystem::remove(path);
        const auto status = WriteMidFile(data, path);
        if (!status.ok) {
            EXPECT_FALSE(std::filesystem::exists(path));
            continue;
        }
        std::ifstream in(path, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        CheckMidiFile(s.str());
        ++written;
    }
    EXPECT_GT(written, 100);
    std::filesystem::remove(path);
}

}  // namespace
}  // namespace notaline
