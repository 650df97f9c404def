#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "model/document/MarkCodes.h"
#include "model/edit/ClipboardFormat.h"

namespace notaline {
namespace {

using tessaly::aWordInfo;

constexpr int32_t kArcStart = 72;
constexpr int32_t kSlideStart = 121;
constexpr int32_t kBigGlissandoStart = 144;
constexpr uint32_t kRed = 0xFF0000FFu;
constexpr uint32_t kBlue = 0xFFFF0000u;

// Characters from a pattern: digits notes, '|' a paragraph end, any other byte a lyric character;
// two faces and three colours in the tables.
EditorData Document(std::string_view pattern) {
    tessaly::JpData doc;
    doc.FontTbl = {{"tolvane", 2, 15, 3}, {"song", 134, 15, 3}};
    doc.ColorTbl = {0, kRed, kBlue};
    for (char c : pattern) {
        aWordInfo w;
        w.WdAsc = static_cast<int16_t>(static_cast<unsigned char>(c));
        w.IsJpGcCtl = c == '|' ? 3 : (c >= '0' && c <= '9') ? 1 : 0;
        w.nLogFont.FontTblIndex = w.IsJpGcCtl == 1 ? 0 : 1;
        w.nLogFont.lfHeight = -16;
        w.SelSize = 12;
        doc.WordInfo.push_back(w);
    }
    EditorData data;
    LoadDocument(data, std::move(doc));
    return data;
}

void Mark(EditorData& data, int32_t word, int32_t slot, int32_t code, int32_t v1, int32_t v2) {
    data.WordInfo[static_cast<size_t>(word)].EditMark(static_cast<size_t>(slot), [&](tessaly::aExtralWordInfo& s) {
        s.IndexType = code;
        s.ExtralWordVal1 = v1;
        s.ExtralWordVal2 = v2;
    });
}

int32_t Read32(const std::vector<uint8_t>& block, size_t at) {
    int32_t v = 0;
    std::memcpy(&v, block.data() + at, 4);
    return v;
}

// The block's record of character i, as a character.
aWordInfo RecordOf(const std::vector<uint8_t>& block, size_t i) {
    const size_t records = 12 + 4 * static_cast<size_t>(Read32(block, 0) + Read32(block, 4 + 4 * Read32(block, 0)));
    aWordInfo w;
    std::memcpy(&w, block.data() + records + i * kClipWordRecordSize, sizeof w);
    return w;
}

TEST(ClipboardFormat, CopyingKeepsWholePairsAndEmptiesEveryHalfOne) {
    EditorData data = Document("1234567|");
    Mark(data, 1, 0, kArcStart, 0, 4);  // an arc 1-5: only its start is copied below
    Mark(data, 5, 2, kArcStart + 1, 0, 4);
    Mark(data, 2, 1, kSlideStart, 0, 9);  // a slide 2-3, whole in the copy
    Mark(data, 3, 0, kSlideStart + 1, 0, 9);
    Mark(data, 3, 3, kBigGlissandoStart, 0, 9);  // a big glissando that ends outside
    Mark(data, 6, 0, kBigGlissandoStart + 1, 0, 9);
    Mark(data, 2, 4, 1, 0, 0);  // an unpaired mark stays

    const auto block = EncodeWordBlock(data, 1, 3);
    ASSERT_EQ(13u + 4 + 4 + 3 * 352, block.size());
    EXPECT_EQ(1, Read32(block, 0));
    EXPECT_EQ(0, Read32(block, 4));  // the colour value of index 0
    EXPECT_EQ(1, Read32(block, 8));
    EXPECT_EQ(3, Read32(block, 16));
    EXPECT_EQ(0, RecordOf(block, 0).ExtralWordInfo[0].IndexType);
    EXPECT_EQ(0, RecordOf(block, 0).ExtralWordInfo[0].ExtralWordVal2);
    EXPECT_EQ(kSlideStart, RecordOf(block, 1).ExtralWordInfo[1].IndexType);
    EXPECT_EQ(1, RecordOf(block, 1).ExtralWordInfo[4].IndexType);
    EXPECT_EQ(kSlideStart + 1, RecordOf(block, 2).ExtralWordInfo[0].IndexType);
    EXPECT_EQ(0, RecordOf(block, 2).ExtralWordInfo[3].IndexType);
    // The face name and character set follow each character.
    const size_t face = 20 + sizeof(aWordInfo);
    EXPECT_EQ("tolvane", std::string(reinterpret_cast<const char*>(block.data() + face)));
    EXPECT_EQ(2, block[face + kClipFaceNameSize]);
    // The document itself keeps both halves.
    EXPECT_EQ(kArcStart, data.WordInfo[1].ExtralWordInfo[0].IndexType);

    // An end copied without its start goes too.
    const auto tail = EncodeWordBlock(data, 4, 3);
    EXPECT_EQ(0, RecordOf(tail, 1).ExtralWordInfo[2].IndexType);
    EXPECT_EQ(0, RecordOf(tail, 2).ExtralWordInfo[0].IndexType);
}

TEST(ClipboardFormat, ColourRunsCountChangesAndMapOntoTheDocumentsTables) {
    EditorData from = Document("ab12|");
    from.FontTbl[0].FontName = "Tolvane";                                      // a face keeps its case
    for (int32_t i : {0, 1, 4}) from.WordInfo[static_cast<size_t>(i)].cf = 1;  // red, blue, red
    for (int32_t i : {2, 3}) from.WordInfo[static_cast<size_t>(i)].cf = 2;
    from.WordInfo[4].cf = 1;
    from.WordInfo[3].cb = -1;  // no background
    const auto block = EncodeWordBlock(from, 0, 5);
    ASSERT_EQ(3, Read32(block, 0));  // runs, not distinct colours
    EXPECT_EQ(static_cast<int32_t>(kRed), Read32(block, 4));
    EXPECT_EQ(static_cast<int32_t>(kBlue), Read32(block, 8));
    EXPECT_EQ(static_cast<int32_t>(kRed), Read32(block, 12));
    EXPECT_EQ(3, Read32(block, 16));  // background 0, none, 0

    // A document with blue only, and another face order: colours and faces are found or added.
    tessaly::JpData doc;
    doc.FontTbl = {{"song", 134, 15, 3}};
    doc.ColorTbl = {kBlue};
    doc.WordInfo.resize(1);
    EditorData to;
    LoadDocument(to, std::move(doc));
    std::vector<aWordInfo> words;
    ASSERT_TRUE(ParseWordBlock(to, block, words));
    ASSERT_EQ(5u, words.size());
    ASSERT_EQ((std::vector<uint32_t>{kBlue, kRed, 0}), to.ColorTbl);
    EXPECT_EQ(3, to.AboutFileInfo.ColorTblCount);
    const int16_t cf[] = {1, 1, 0, 0, 1};
    const int16_t cb[] = {2, 2, 2, -1, 2};
    for (size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(cf[i], words[i].cf) << i;
        EXPECT_EQ(cb[i], words[i].cb) << i;
        EXPECT_EQ(from.WordInfo[i].WdAsc, words[i].WdAsc) << i;
    }
    ASSERT_EQ(2u, to.FontTbl.size());
    EXPECT_EQ("Tolvane", to.FontTbl[1].FontName);
    EXPECT_EQ(0, words[0].nLogFont.FontTblIndex);  // "song"
    EXPECT_EQ(1, words[2].nLogFont.FontTblIndex);
}

TEST(ClipboardFormat, PastingTwiceGivesEveryPairANewNumber) {
    EditorData from = Document("123456|");
    // Two pairs whose old numbers are what the first renumbering hands out next.
    Mark(from, 0, 0, kArcStart, 0, 1);
    Mark(from, 2, 0, kArcStart + 1, 0, 1);
    Mark(from, 1, 0, kArcStart, 0, 2);
    Mark(from, 4, 1, kArcStart + 1, 0, 2);
    // One pair ends where the next of the same code and number starts.
    Mark(from, 4, 0, kSlideStart, 0, 7);
    Mark(from, 5, 0, kSlideStart + 1, 0, 7);
    Mark(from, 5, 1, kSlideStart, 0, 7);
    const auto block = EncodeWordBlock(from, 0, 6);

    EditorData to = Document("9|");
    Mark(to, 0, 0, kMarkTupletStart, 0, 3);
    to.AreaPairNumber = 3;
    std::vector<aWordInfo> first, second;
    ASSERT_TRUE(ParseWordBlock(to, block, first));
    ASSERT_TRUE(ParseWordBlock(to, block, second));
    // The slide starting on the last character has no end in the copy: gone.
    EXPECT_EQ(0, first[5].ExtralWordInfo[1].IndexType);
    EXPECT_EQ(kSlideStart + 1, first[5].ExtralWordInfo[0].IndexType);
    const auto pairOf = [](const std::vector<aWordInfo>& w, size_t word, int slot) {
        return w[word].ExtralWordInfo[slot].ExtralWordVal2;
    };
    // Numbered in the order of their starts, after the document's own.
    EXPECT_EQ(4, pairOf(first, 0, 0));
    EXPECT_EQ(4, pairOf(first, 2, 0));
    EXPECT_EQ(5, pairOf(first, 1, 0));
    EXPECT_EQ(5, pairOf(first, 4, 1));
    EXPECT_EQ(6, pairOf(first, 4, 0));
    EXPECT_EQ(6, pairOf(first, 5, 0));
    EXPECT_EQ(7, pairOf(second, 0, 0));
    EXPECT_EQ(7, pairOf(second, 2, 0));
    EXPECT_EQ(9, pairOf(second, 5, 0));
    EXPECT_EQ(9, to.AreaPairNumber);
}

TEST(ClipboardFormat, ABlockThatDoesNotHoldWhatItClaimsIsRefusedAndChangesNothing) {
    EditorData from = Document("12ab|");
    from.WordInfo[2].cf = 1;
    Mark(from, 0, 0, kArcStart, 0, 1);
    Mark(from, 1, 0, kArcStart + 1, 0, 1);
    const auto good = EncodeWordBlock(from, 0, 4);

    EditorData to = Document("9|");
    const auto before = [&] { return std::tuple(to.ColorTbl, to.FontTbl.size(), to.AreaPairNumber); };
    const auto original = before();
    const auto refused = [&](const std::vector<uint8_t>& block) {
        std::vector<aWordInfo> words(1);
        const bool ok = ParseWordBlock(to, block, words);
        return !ok && words.size() == 1 && before() == original;
    };

    std::vector<uint8_t> million(100, 0);
    const int32_t claims[] = {1, 0, 1, 0, 1'000'000};
    std::memcpy(million.data(), claims, sizeof claims);
    EXPECT_TRUE(refused(million));
    // Cut anywhere, the block is short.
    for (size_t n = 0; n + 352 < good.size(); n += 7) EXPECT_TRUE(refused({good.begin(), good.begin() + n})) << n;

    const auto changed = [&](size_t at, int32_t v) {
        auto b = good;
        std::memcpy(b.data() + at, &v, 4);
        return b;
    };
    ASSERT_EQ(3, Read32(good, 0));  // 0, 1, 0
    const size_t records = 12 + 4 * 3 + 4;
    const size_t second = records + kClipWordRecordSize;
    EXPECT_TRUE(refused(changed(0, -1)));
    EXPECT_TRUE(refused(changed(0, std::numeric_limits<int32_t>::max())));
    EXPECT_TRUE(refused(changed(records - 4, 0)));                 // no characters
    EXPECT_TRUE(refused(changed(0, 1)));                           // fewer runs than colour changes
    EXPECT_TRUE(refused(changed(second + 276, 2)));                // the second character's cf a run of its own
    EXPECT_TRUE(refused(changed(second + 52, 999)));               // no such mark
    EXPECT_TRUE(refused(changed(second + 284, 1 << 20)));          // a height no font has
    EXPECT_TRUE(refused(changed(second + 12, 0x7FC00000)));        // a size that is not a number
    EXPECT_TRUE(refused(changed(second + 312, 4)));                // no such kind
    EXPECT_TRUE(refused(changed(second, 300)));                    // a code no character has
    EXPECT_TRUE(refused(changed(second + sizeof(aWordInfo), 0)));  // no face

    std::vector<aWordInfo> words;
    ASSERT_TRUE(ParseWordBlock(to, good, words));
    EXPECT_EQ(4u, words.size());
}

// A copy longer than the runs it is made in: its block is made later from the characters as
// they were taken, whatever the document went through meanwhile, and the program's own paste of
// it gives what a paste of its block gives.
TEST(ClipboardFormat, ACopyIsMadeFromItsCharactersAsTakenAndPastesAsItsBlockWould) {
    std::string pattern;
    for (int i = 0; i < 100; ++i) pattern += "12ab3|";
    EditorData from = Document(pattern);
    for (size_t i = 200; i < 400; ++i) from.WordInfo[i].cf = static_cast<int16_t>(1 + i % 7 / 5);
    for (size_t i = 300; i < 320; ++i) from.WordInfo[i].cb = -1;
    Mark(from, 250, 0, kArcStart, 0, 1);  // a pair across two runs of records
    Mark(from, 262, 3, kArcStart + 1, 0, 1);
    Mark(from, 257, 1, kSlideStart, 0, 2);  // a start whose end lies after the copy
    Mark(from, 590, 0, kSlideStart + 1, 0, 2);
    const auto clip = TakeClipWords(from, 1, 580);
    const auto block = EncodeWordBlock(from, 1, 580);
    ASSERT_EQ(clip->BlockSize(), block.size());
    for (size_t i = 0; i < 580; ++i) {
        aWordInfo want = from.WordInfo[i + 1].Expand();
        if (i + 1 == 257) want.ExtralWordInfo[1] = {};
        const aWordInfo got = RecordOf(block, i);
        ASSERT_EQ(0, std::memcmp(&want, &got, sizeof want)) << i;
    }

    // The document changes after the copy: the block does not.
    from.WordInfo[100].WdAsc = '7';
    Mark(from, 262, 3, 0, 0, 0);
    from.WordInfo.Erase(10, 300);
    std::vector<uint8_t> later(clip->BlockSize());
    clip->WriteBlock(later.data());
    EXPECT_EQ(block, later);

    EditorData viaBlock = Document("9|"), viaCopy = Document("9|");
    std::vector<aWordInfo> fromBlock, fromCopy;
    tessaly::WordVector copySink(fromCopy);
    ASSERT_TRUE(ParseWordBlock(viaBlock, block, fromBlock));
    ASSERT_TRUE(PasteClipWords(viaCopy, *clip, copySink));
    ASSERT_EQ(fromBlock.size(), fromCopy.size());
    for (size_t i = 0; i < fromBlock.size(); ++i)
        ASSERT_EQ(0, std::memcmp(&fromBlock[i], &fromCopy[i], sizeof(aWordInfo))) << i;
    EXPECT_EQ(viaBlock.ColorTbl, viaCopy.ColorTbl);
    EXPECT_EQ(viaBlock.FontTbl.size(), viaCopy.FontTbl.size());
    EXPECT_EQ(viaBlock.AreaPairNumber, viaCopy.AreaPairNumber);
}

TEST(ClipboardFormat, AnItemGoesOutAndInWithItsColour) {
    EditorData from = Document("1|");
    tessaly::aHwWordInfo item{2, 3, 1, 10.5f, 20, 120, 30};
    const auto block = EncodeItemBlock(from, item);
    ASSERT_EQ(29u, block.size());
    EXPECT_EQ(static_cast<int32_t>(kRed), Read32(block, 0));

    tessaly::JpData doc;
    doc.ColorTbl = {kBlue};
    doc.FontTbl.resize(1);
    EditorData to;
    LoadDocument(to, std::move(doc));
    tessaly::aHwWordInfo back;
    ASSERT_TRUE(ParseItemBlock(to, block, back));
    EXPECT_EQ(1, back.cf);
    EXPECT_EQ(kRed, to.ColorTbl[1]);
    EXPECT_EQ(3, back.HwWordtype);
    EXPECT_EQ(10.5f, back.X);

    auto bad = block;
    bad[8] = 9;  // no such kind
    EXPECT_FALSE(ParseItemBlock(to, bad, back));
    bad = block;
    const float nan = std::nanf("");
    std::memcpy(bad.data() + 24, &nan, 4);
    EXPECT_FALSE(ParseItemBlock(to, bad, back));
    EXPECT_FALSE(ParseItemBlock(to, std::span(block).first(27), back));
    EXPECT_EQ(2u, to.ColorTbl.size());
}

TEST(ClipboardFormat, PlainTextKeepsNotesBarsMetresAndLineEnds) {
    EditorData data = Document("x 12[|?|");
    Mark(data, 1, 2, kMarkTimeSignature, 3, 4);
    data.WordInfo[0].IsJpGcCtl = 2;  // a symbol not kept
    data.WordInfo[1].IsJpGcCtl = 1;
    data.WordInfo[4].IsJpGcCtl = 1;  // a bar line
    data.WordInfo[6].WdAsc = static_cast<int16_t>(0xB8E8);
    EXPECT_EQ("3/412|\r\n\xB8\xE8\r\n", WordsToPlainText(data, 0, 8));
    data.WordInfo[1].EditMark(2, [&](tessaly::aExtralWordInfo& s) { s.IndexType = 0; });
    EXPECT_EQ(" 1", WordsToPlainText(data, 1, 2));
}

TEST(ClipboardFormat, PastedTextIsCutAtLineBreaksWithoutEmptyPieces) {
    const auto shape = [](std::string_view text) {
        std::string s;
        for (const auto& p : SplitPastedText(text)) {
            if (p.Break) {
                s += '/';
            } else {
                s += '[';
                s += p.Text;
                s += ']';
            }
        }
        return s;
    };
    EXPECT_EQ("[12]/[34]", shape("12\r\n34"));
    EXPECT_EQ("/[12]/", shape("\r\n12\r\n"));
    EXPECT_EQ("[a]//[b]", shape("a\r\n\r\nb"));
    EXPECT_EQ("[a]/[b]/[c]", shape("a\nb\rc"));
    EXPECT_EQ("", shape(""));
}

}  // namespace
}  // namespace notaline
