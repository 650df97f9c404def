// Every writer's output reads back to the records it was written from: each document the tests
// have, through each format and across them, saves the same bytes the second time.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "DaDurTestUtil.h"
#include "DaDurWriter.h"
#include "DefaultDocument.h"
#include "ZoRivFormat.h"

namespace tessaly {
namespace {

using test::Gbk;

struct Formats {
    FakeDaDurSystem system;

    std::string DaDur(const JpData& doc) { return DaDurWriter(system, system.zoom).Write(doc, 0); }
    std::vector<uint8_t> ZoRiv(const JpData& doc) {
        std::vector<uint8_t> bytes;
        EXPECT_TRUE(FormatZoRiv(doc, system.zoom, bytes, nullptr).Ok());
        return bytes;
    }
    JpData FromDaDur(std::string_view text) {
        JpData doc;
        const DaDurStatus status = DaDurReader(system, system.zoom).Read(SplitDaDurLines(text), 0, doc);
        EXPECT_TRUE(status.ok) << status.reason << ": " << status.detail;
        return doc;
    }
    JpData FromZoRiv(const std::vector<uint8_t>& bytes) {
        JpData doc;
        const ZoRivStatus status = ParseZoRiv(bytes, system.zoom, doc, nullptr);
        EXPECT_TRUE(status.Ok()) << status.reason;
        return doc;
    }
};

std::string Slurp(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

struct Document {
    std::string name;
    JpData doc;
};

aWordInfo Word(int16_t code, uint8_t kind, int32_t height) {
    aWordInfo w;
    w.WdAsc = code;
    w.IsJpGcCtl = kind;
    w.cf = 1;
    w.nLogFont.lfHeight = height;
    w.nLogFont.lfWeight = 400;
    w.nLogFont.FontTblIndex = kind == 0 ? 1 : 0;
    return w;
}

// What the tests make rather than read: the texts that end inside a character, a paragraph end
// of its own size, face names with capitals.
JpData Made() {
    JpData d;
    d.FileInfo.DaDurVer = 2;
    d.FontTbl = {{"tolvane", 2, 14, 4}, {"AR PL UMing CN", 134, 14, 2}};
    d.ColorTbl = {0xFFFFFFFFu, 0xFF000000u, 0u};
    d.PlayInfo.TotalTrack = 1;
    d.PlayInfo.MainTrack = 1;
    d.PlayInfo.Track.resize(1);
    aWordInfo mark = Word('1', 1, -16);
    mark.ExtralWordInfo[0].IndexType = 37;
    FillTextField(mark.ExtralWordInfo[0].ExtralWordVal3, Gbk(u8"1声部渐强到最后一小节"));
    mark.ExtralWordInfo[1].IndexType = 89;  // a stored field cut inside a character
    std::memcpy(mark.ExtralWordInfo[1].ExtralWordVal3, "1\xC9\xF9\xB2\xBF\xBD\xA5\xC7\xBF\xB5\xBD\xD7\xEE\xBA\xF3\xD2",
                16);
    aWordInfo end = Word('-', 3, -22);
    end.ExtralWordInfo[0] = {155, 0, 0, {}};
    d.WordInfo = {mark,
                  Word('2', 1, -16),
                  Word(0xCB, 0, -16),
                  Word('1', 0, -16),
                  Word(0xCB, 0, -16),
                  Word('A', 0, -16),
                  Word(0xCB, 0, -16),
                  end};
    d.FileInfo.WordCount = static_cast<int32_t>(d.WordInfo.size());
    d.FileInfo.FontTblCount = 2;
    d.FileInfo.ColorTblCount = 3;
    return d;
}

std::vector<Document> EveryDocument(Formats& f) {
    std::vector<Document> docs;
    std::string lines;
    for (const std::string& line : DefaultDocumentLines()) lines += line + "\r\n";
    docs.push_back({"default document", f.FromDaDur(lines)});
    docs.push_back({"made", Made()});
    const std::filesystem::path data = JP_TOOLS_TEST_DATA;
    for (const auto& folder : {data, data / "../../fuzz/dadur_reader", data / "../../fuzz/zoriv_reader"}) {
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            const std::string bytes = Slurp(entry.path());
            const std::string name = entry.path().filename().string();
            JpData doc;
            if (entry.path().extension() == ".ZoRiv") {
                if (!ParseZoRiv({reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()}, f.system.zoom, doc,
                                nullptr)
                         .Ok())
                    continue;
            } else if (!DaDurReader(f.system, f.system.zoom).Read(SplitDaDurLines(bytes), 0, doc).ok) {
                continue;  // the seeds of malformed files
            }
            docs.push_back({name, std::move(doc)});
        }
    }
    return docs;
}

// ZoRiv holds as many drum patterns as the play settings count, and writes a default font that
// names no entry of the table as entry 0.
JpData AsZoRivHolds(JpData doc) {
    doc.XjDrum.resize(static_cast<size_t>(std::max<int16_t>(doc.PlayInfo.XjDrumCount, 0)));
    if (doc.FileInfo.deffFont < 0 || static_cast<size_t>(doc.FileInfo.deffFont) >= doc.FontTbl.size())
        doc.FileInfo.deffFont = 0;
    return doc;
}

size_t FirstDifference(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
    return std::mismatch(a.begin(), a.end(), b.begin(), b.end()).first - a.begin();
}

TEST(RoundTrip, EveryDocumentSavesTheSameBytesTheSecondTimeInEitherFormatAndAcrossThem) {
    for (double zoom : {1.0, 1.25}) {
        Formats f;
        f.system.zoom = zoom;
        const auto docs = EveryDocument(f);
        ASSERT_GE(docs.size(), 7u);
        for (const Document& d : docs) {
            SCOPED_TRACE(d.name + " at zoom " + std::to_string(zoom));
            // Once read, as a file opened and saved again.
            const JpData fromDaDur = f.FromDaDur(f.DaDur(d.doc));
            const std::string dadur = f.DaDur(fromDaDur);
            EXPECT_EQ(dadur, f.DaDur(f.FromDaDur(dadur)));
            const JpData fromZoRiv = f.FromZoRiv(f.ZoRiv(d.doc));
            const std::vector<uint8_t> zoriv = f.ZoRiv(fromZoRiv);
            const std::vector<uint8_t> again = f.ZoRiv(f.FromZoRiv(zoriv));
            EXPECT_EQ(zoriv.size(), again.size());
            EXPECT_EQ(FirstDifference(zoriv, again), zoriv.size());
            // DaDur → ZoRiv → DaDur, and ZoRiv → DaDur → ZoRiv as far as DaDur holds the song.
            EXPECT_EQ(f.DaDur(AsZoRivHolds(fromDaDur)), f.DaDur(f.FromZoRiv(f.ZoRiv(fromDaDur))));
            const JpData throughDaDur = f.FromDaDur(f.DaDur(fromZoRiv));
            EXPECT_EQ(f.DaDur(throughDaDur), f.DaDur(f.FromDaDur(f.DaDur(f.FromZoRiv(f.ZoRiv(throughDaDur))))));
            EXPECT_EQ(FirstDifference(f.ZoRiv(throughDaDur), f.ZoRiv(f.FromZoRiv(f.ZoRiv(throughDaDur)))),
                      f.ZoRiv(throughDaDur).size());
        }
    }
}

TEST(RoundTrip, WhatTheFormatsHoldComesBackAsWritten) {
    Formats f;
    const JpData made = Made();
    const JpData dadur = f.FromDaDur(f.DaDur(made));
    const JpData zoriv = f.FromZoRiv(f.ZoRiv(made));
    for (const JpData* back : {&dadur, &zoriv}) {
        ASSERT_EQ(back->WordInfo.size(), made.WordInfo.size());
        for (size_t i = 0; i < made.WordInfo.size(); ++i) {
            EXPECT_EQ(back->WordInfo[i].WdAsc, made.WordInfo[i].WdAsc) << i;
            EXPECT_EQ(back->WordInfo[i].nLogFont.lfHeight, made.WordInfo[i].nLogFont.lfHeight) << i;
        }
        for (int slot : {0, 1})
            EXPECT_EQ(0, std::memcmp(back->WordInfo[0].ExtralWordInfo[slot].ExtralWordVal3,
                                     made.WordInfo[0].ExtralWordInfo[slot].ExtralWordVal3, 16))
                << slot;
        EXPECT_TRUE(back->XjDrum.empty());  // none in the song, none added
    }
    EXPECT_EQ("AR PL UMing CN", zoriv.FontTbl[1].FontName);
    EXPECT_EQ("ar pl uming cn", dadur.FontTbl[1].FontName);  // DaDur stores face names in lower case
}

}  // namespace
}  // namespace tessaly
