// What a writer writes, its reader reads back: every document the tests have, opened and saved in
// either format and across them, gives the same bytes again and the same characters.
#include <gtest/gtest.h>

#include <cstring>
#include <optional>

#include "DaDurWriter.h"
#include "FileTestUtil.h"
#include "ZoRivFormat.h"

namespace tessaly {
namespace {

// The characters as a song: codes, sizes and marks, pair numbers apart (the writer renumbers them).
std::string Song(const JpData& d) {
    std::string song;
    const auto put = [&](const void* p, size_t n) { song.append(static_cast<const char*>(p), n); };
    for (const aWordInfo& w : d.WordInfo) {
        put(&w.WdAsc, 2), put(&w.nLogFont.lfHeight, 4);
        for (const aExtralWordInfo& x : w.ExtralWordInfo) put(&x, 8), put(x.ExtralWordVal3, 16);
    }
    return song;
}

TEST(RoundTrip, EveryTestDocumentSavesAsItReadsInEitherFormatAndAcross) {
    FakeDaDurSystem system;
    system.zoom = 1.25;
    const auto dadur = [&](const JpData& d) { return DaDurWriter(system, system.zoom).Write(d, 0); };
    const auto zoriv = [&](const JpData& d, std::vector<uint8_t> b = {}) {
        return FormatZoRiv(d, system.zoom, b, nullptr).Ok() ? b : std::vector<uint8_t>{};
    };
    const auto fromDaDur = [&](std::string_view text, JpData d = {}) {
        return DaDurReader(system, system.zoom).Read(SplitDaDurLines(text), 0, d).ok ? std::optional(d) : std::nullopt;
    };
    const auto fromZoRiv = [&](std::span<const uint8_t> b, JpData d = {}) {
        return ParseZoRiv(b, system.zoom, d, nullptr).Ok() ? d : JpData{};
    };
    const std::filesystem::path data = JP_TOOLS_TEST_DATA;
    int documents = 0;
    for (const auto& folder : {data, data / "../../fuzz/dadur_reader", data / "../../fuzz/zoriv_reader"})
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            SCOPED_TRACE(entry.path().filename().string());
            const std::string bytes = test::Slurp(entry.path());
            const bool isZoRiv = entry.path().extension() == ".ZoRiv";
            const JpData read = isZoRiv ? fromZoRiv({reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()})
                                        : fromDaDur(bytes).value_or(JpData{});
            // ZoRiv → DaDur, and on as a DaDur file; a file without patterns opens with none.
            const std::optional<JpData> opened = isZoRiv ? fromDaDur(dadur(read)) : fromDaDur(bytes);
            if (!opened) {
                EXPECT_EQ(entry.path().filename(), "malformed.DaDur");
                continue;
            }
            const JpData& doc = *opened;
            const JpData& saving = isZoRiv ? read : doc;
            EXPECT_EQ(zoriv(saving), zoriv(fromZoRiv(zoriv(saving))));
            EXPECT_TRUE(isZoRiv || doc.XjDrum.empty() == (bytes.find("\\drumdata") == std::string::npos));
            ++documents;
            const std::string saved = dadur(doc);
            EXPECT_EQ(saved, dadur(*fromDaDur(saved)));
            // DaDur → ZoRiv → DaDur: ZoRiv keeps as many patterns as the play settings count, and
            // writes a default font outside the table as entry 0.
            JpData asZoRiv = doc;
            asZoRiv.XjDrum.resize(static_cast<size_t>(std::max<int16_t>(doc.PlayInfo.XjDrumCount, 0)));
            if (static_cast<size_t>(doc.FileInfo.deffFont) >= doc.FontTbl.size()) asZoRiv.FileInfo.deffFont = 0;
            const JpData back = fromZoRiv(zoriv(doc));
            EXPECT_EQ(dadur(asZoRiv), dadur(back));
            EXPECT_EQ(Song(doc), Song(*fromDaDur(saved)));
            EXPECT_EQ(Song(doc), Song(back));
        }
    EXPECT_GE(documents, 8);
}

}  // namespace
}  // namespace tessaly
