#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <thread>

#include "DocumentBuilder.h"
#include "FakeServices.h"
#include "model/document/mGeneral.h"

namespace notaline {
namespace {

using test::SetLines;
using test::SetWords;

void ExpectInputDat(const EditorData& d, int32_t line1, int32_t line2, int32_t word1, int32_t word2) {
    EXPECT_EQ(line1, d.InputDat.iLine1);
    EXPECT_EQ(line2, d.InputDat.iLine2);
    EXPECT_EQ(word1, d.InputDat.iWord1);
    EXPECT_EQ(word2, d.InputDat.iWord2);
}

// Three paragraphs: 0-4 (end 4) on lines 0 and 1, 5-7 (end 7) on line 2, 8-12 (end 12) on lines 3, 4.
EditorData ThreeParagraphs() {
    EditorData d;
    SetWords(d, "1234|56|7890|");
    SetLines(d, {3, 2, 3, 3, 2});
    return d;
}

TEST(SetInputDat, CoversTheTouchedParagraphs) {
    EditorData d = ThreeParagraphs();
    SetInputDat(d, 0, 0, 1);  // typing at the very start
    ExpectInputDat(d, 0, 1, 0, 4);
    EXPECT_EQ(1, d.InputDat.iAddLength);
    EXPECT_EQ(0, d.InputDat.iDelLength);

    SetInputDat(d, 6, 1, 1);  // a change in place inside the second paragraph
    ExpectInputDat(d, 2, 2, 5, 7);
    EXPECT_EQ(1, d.InputDat.iAddLength);
    EXPECT_EQ(1, d.InputDat.iDelLength);

    SetInputDat(d, 3, 4, 0);  // deleting across a paragraph end
    ExpectInputDat(d, 0, 2, 0, 7);

    SetInputDat(d, 0, d.WordCount() - 1, d.WordCount() - 1);  // the whole document
    ExpectInputDat(d, 0, 4, 0, 12);
}

TEST(SetInputDat, RangesEndingOnAParagraphEnd) {
    EditorData d = ThreeParagraphs();
    // The range stops just before the paragraph end: that end closes it.
    SetInputDat(d, 5, 2, 2);
    ExpectInputDat(d, 2, 2, 5, 7);
    SetInputDat(d, 7, 0, 1);  // typing in front of the paragraph end
    ExpectInputDat(d, 2, 2, 5, 7);
    // The range's last character is the paragraph end: the next paragraph is taken in too.
    SetInputDat(d, 5, 3, 3);
    ExpectInputDat(d, 2, 4, 5, 12);
    // Right after a paragraph end the range starts a new paragraph.
    SetInputDat(d, 8, 0, 1);
    ExpectInputDat(d, 3, 4, 8, 12);
}

TEST(SetInputDat, DocumentWithoutAClosingParagraphEnd) {
    EditorData d;
    SetWords(d, "12|345");
    SetLines(d, {3, 3});
    SetInputDat(d, 4, 0, 1);
    ExpectInputDat(d, 1, 1, 3, 5);  // the search runs out at the last character
    EXPECT_EQ(0, FindParaStartWord(d, 2));
    EXPECT_EQ(3, FindParaStartWord(d, 3));
    EXPECT_EQ(0, FindParaStartLine(d, -4));
}

TEST(Lookups, LinesAndPagesOfCharacters) {
    EditorData d = ThreeParagraphs();
    EXPECT_EQ(0, GetLineOfWord(d, 2));
    EXPECT_EQ(1, GetLineOfWord(d, 3));
    EXPECT_EQ(4, GetLineOfWord(d, 12));
    EXPECT_EQ(0, GetLineOfWord(d, 13));  // past the last line
    EXPECT_EQ(0, GetLineOfWord(d, -1));

    d.PageInfo = {{0, 2, 0, 5}, {2, 3, 5, 8}};
    EXPECT_EQ(0, GetPageOfWord(d, 4));
    EXPECT_EQ(1, GetPageOfWord(d, 5));
    EXPECT_EQ(1, GetPageOfWord(d, 12));
    EXPECT_EQ(0, GetPageOfWord(d, 13));

    // An empty first page (a first line too tall for it) holds nothing.
    d.PageInfo = {{0, 0, 0, 0}, {0, 5, 0, 13}};
    EXPECT_EQ(1, GetPageOfWord(d, 0));
    // Lines out of order (a table being rebuilt) are searched from the start, first match wins.
    SetLines(d, {5, 3});
    d.LineInfo.push_back({2, 4});
    EXPECT_EQ(0, GetLineOfWord(d, 3));
    EXPECT_EQ(1, GetLineOfWord(d, 6));
}

TEST(Lookups, CaretLandsOnTheFirstCentreAtOrAfterX) {
    EditorData d;
    SetWords(d, "1234|");
    SetLines(d, {5});
    const float lefts[] = {10, 30, 50, 70, 90};
    for (int i = 0; i < 5; ++i) {
        d.WordInfo[static_cast<size_t>(i)].Left = lefts[i];
        d.WordInfo[static_cast<size_t>(i)].Right = lefts[i] + 15;  // centres 17.5 -> 17, 37, 57, 77, 97
    }
    EXPECT_EQ(0, GetWordIndexAtX(d, 0, 5));
    EXPECT_EQ(0, GetWordIndexAtX(d, 0, 16));
    EXPECT_EQ(1, GetWordIndexAtX(d, 0, 17));  // on a centre: the next character
    EXPECT_EQ(1, GetWordIndexAtX(d, 0, 30));
    EXPECT_EQ(3, GetWordIndexAtX(d, 0, 60));
    EXPECT_EQ(4, GetWordIndexAtX(d, 0, 97));
    EXPECT_EQ(4, GetWordIndexAtX(d, 0, 500));

    SetLines(d, {1, 4});
    EXPECT_EQ(0, GetWordIndexAtX(d, 0, 500));  // a line of one character
    EXPECT_EQ(1, GetWordIndexAtX(d, 1, 0));
    EXPECT_EQ(0, GetWordIndexAtX(d, 7, 0));  // no such line
}

TEST(Lookups, KeyAndButtonStates) {
    EditorData d;
    EXPECT_EQ(0, GetShiftState(d));  // no window system: nothing held
    test::FakeSystem sys;
    d.System = sys;
    sys.Down = {0x10, 0x11};
    EXPECT_EQ(3, GetShiftState(d));
    sys.Down = {0x12};
    EXPECT_EQ(4, GetShiftState(d));
    EXPECT_TRUE(IsKeyDown(d, 0x12));
    sys.Down = {0x01, 0x04};
    EXPECT_EQ(5, GetMouseButtons(d));
    EXPECT_EQ(0, GetShiftState(d));
}

TEST(Lookups, MulDivRoundsHalvesAwayFromZero) {
    EXPECT_EQ(16, MulDiv(12, 96, 72));
    EXPECT_EQ(2, MulDiv(3, 1, 2));
    EXPECT_EQ(-2, MulDiv(-3, 1, 2));
    EXPECT_EQ(-2, MulDiv(3, 1, -2));
    EXPECT_EQ(1, MulDiv(4, 1, 3));
    EXPECT_EQ(-1, MulDiv(5, 5, 0));
    EXPECT_EQ(-1, MulDiv(INT32_MAX, 4, 2));
    EXPECT_EQ(INT32_MAX, MulDiv(INT32_MAX, 3, 3));
}

TEST(Lookups, DurationsGoOnNotesAndSomeSymbolsOnly) {
    EditorData d;
    SetWords(d, "1a|");
    auto& w = d.WordInfo;
    EXPECT_TRUE(CanSetYcOnWord(d, 2));  // kind 3: not a notation or lyric character
    w[0].IsJpGcCtl = 0;
    EXPECT_TRUE(CanSetYcOnWord(d, 0));
    for (int16_t code : {40, 41, 42, 44, 48, 58, 66, 68, 71, 72, 97, 102, 120, -23640, -23639}) {
        w[1].WdAsc = code;
        for (uint8_t kind : {1, 2}) {
            w[1].IsJpGcCtl = kind;
            EXPECT_TRUE(CanSetYcOnWord(d, 1)) << code;
        }
    }
    for (int16_t code : {39, 45, 47, 59, 65, 67, 70, 73, 96, 103, 119, 121, -13362}) {
        w[1].WdAsc = code;
        EXPECT_FALSE(CanSetYcOnWord(d, 1)) << code;
    }
    EXPECT_FALSE(CanSetYcOnWord(d, 3));  // the spare record is no character
}

TEST(Lookups, FileExistsForNormalFilesOnly) {
    const auto dir = std::filesystem::temp_directory_path() / "model_document_tests_fe";
    std::filesystem::create_directories(dir);
    const auto file = dir / "a.dadur";
    std::ofstream(file) << "x";
    EXPECT_TRUE(FileExists(file.u16string()));
    EXPECT_FALSE(FileExists(dir.u16string()));
    EXPECT_FALSE(FileExists((dir / "missing.dadur").u16string()));
    EXPECT_FALSE(FileExists(u""));
    std::filesystem::remove_all(dir);
}

TEST(EditorDataTest, OneSetPerThread) {
    EditorData* here = &ThreadEditorData();
    EXPECT_EQ(here, &ThreadEditorData());
    EditorData* there = nullptr;
    std::thread([&] { there = &ThreadEditorData(); }).join();
    EXPECT_NE(here, there);
}

TEST(EditorDataTest, DocumentsComeAndGoWithTheSpareRecord) {
    EditorData d;
    EXPECT_EQ(0, d.WordCount());
    EXPECT_EQ(1u, d.WordInfo.size());  // an empty document still has its spare record
    tessaly::JpData doc;
    doc.FileInfo.WordCount = 99;  // the arrays decide
    doc.FontTbl.resize(2);
    doc.ColorTbl = {1, 2, 3};
    doc.WordInfo.resize(4);
    doc.HwWordInfo.resize(1);
    LoadDocument(d, doc);
    EXPECT_EQ(4, d.WordCount());
    EXPECT_EQ(5u, d.WordInfo.size());
    EXPECT_EQ(2, d.AboutFileInfo.FontTblCount);
    EXPECT_EQ(3, d.AboutFileInfo.ColorTblCount);
    EXPECT_EQ(1, d.AboutFileInfo.HwWordCount);
    EXPECT_TRUE(d.IsWord(3));
    EXPECT_FALSE(d.IsWord(4));
    const auto out = DocumentOf(d);
    EXPECT_EQ(4u, out.WordInfo.size());
    EXPECT_EQ(4, out.FileInfo.WordCount);
    EXPECT_EQ(doc.ColorTbl, out.ColorTbl);
}

}  // namespace
}  // namespace notaline
