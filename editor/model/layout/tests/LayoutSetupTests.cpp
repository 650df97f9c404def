#include <gtest/gtest.h>

#include "DocumentBuilder.h"
#include "FakeLayout.h"
#include "FakeServices.h"
#include "LayoutFixture.h"
#include "model/document/MarkCodes.h"
#include "model/document/MarkSlots.h"
#include "model/document/Tables.h"
#include "model/document/mGeneral.h"
#include "model/layout/LayoutSetup.h"
#include "model/layout/LineBreaker.h"
#include "model/layout/LoadJpFile.h"
#include "model/layout/ParagraphEnds.h"

namespace notaline::test {
namespace {

class LayoutSetup : public ::testing::Test {
protected:
    EditorData data;
    RecordingView view;
    FakeTextMeasurer measurer;
    FakeDocumentSource files;

    void SetUp() override { data.Measurer = measurer; }

    // A document of notes in the notation font with a paragraph end, on A4 with margins.
    static tessaly::JpData Document(std::string_view pattern, uint8_t paper = pA4, uint8_t fx = 0) {
        EditorData scratch;
        SetWords(scratch, pattern);
        tessaly::JpData doc = DocumentOf(scratch);
        doc.FontTbl = {{"Tolvane", 2, 15, 3}, {"\xCB\xCE\xCC\xE5", 134, 15, 3}};
        doc.FileInfo.BaseFontTblIndex = 0;
        doc.PageInfo.nScale = 1;
        doc.PageInfo.PaperType = paper;
        doc.PageInfo.PageFX = fx;
        doc.PageInfo.PageMarginRect = {245, 200, 0, 0};
        for (auto& w : doc.WordInfo) w.SelSize = 12;
        return doc;
    }
};

TEST_F(LayoutSetup, PaperSizesInPixels) {
    struct Case {
        uint8_t paper, fx;
        int32_t zoom;
        int32_t width, height;
    };
    const Case cases[] = {
        {pA4, 0, 100, 794, 1123},  {pA4, 1, 100, 1123, 794},    {pA3, 1, 150, 2381, 1684},
        {pA3, 0, 100, 1123, 1587}, {pCustom, 0, 100, 378, 189}, {pCustom, 1, 100, 189, 378},
    };
    for (const auto& c : cases) {
        tessaly::JpData doc = Document("1|", c.paper, c.fx);
        doc.PageInfo.PageSize = {100, 50};
        LoadDocument(data, doc);
        view.ZoomPercent = c.zoom;
        InitFormat(data, view);
        EXPECT_EQ(data.PageWidthPx, c.width) << int(c.paper) << " " << int(c.fx);
        EXPECT_EQ(data.PageHeightPx, c.height) << int(c.paper) << " " << int(c.fx);
    }

    // An unknown paper type or orientation keeps the page as it was.
    data.AboutPageInfo.PaperType = 5;
    CalcPageSize(data, 5);
    EXPECT_EQ(data.PageWidthPx, 189);
    data.AboutPageInfo.PageFX = 2;
    CalcPageSize(data, pA4);
    EXPECT_EQ(data.PageWidthPx, 189);
}

TEST_F(LayoutSetup, TheWritableAreaMirrorsTheLeftAndTopMargins) {
    LoadDocument(data, Document("1|"));
    InitFormat(data, view);
    EXPECT_EQ(data.WriteLeft, 93);
    EXPECT_EQ(data.WriteTop, 76);
    EXPECT_EQ(data.WriteRight, 701);
    EXPECT_EQ(data.WriteBottom, 1047);
    EXPECT_FLOAT_EQ(data.WriteWidth, 608);
    EXPECT_FLOAT_EQ(data.WriteHeight, 971);
}

TEST_F(LayoutSetup, InitFormatSetsUpTheScreenViewAndPageGrid) {
    tessaly::JpData doc = Document("12|");
    doc.PageInfo.nScale = 1.25f;
    LoadDocument(data, doc);
    data.AreaPairNumber = 7;
    view.ZoomPercent = 150;
    view.Dpi = 144;
    InitFormat(data, view);
    EXPECT_EQ(data.AreaPairNumber, 7);  // the pair numbers never count back
    EXPECT_EQ(data.NotationFontName, "Tolvane");
    EXPECT_DOUBLE_EQ(data.WindowsZoom, 1.5);
    EXPECT_EQ(data.ScreenDpi, 144);
    EXPECT_FLOAT_EQ(data.PxPerTenthMm, 144.0f / 254);
    EXPECT_EQ(view.Calls,
              (std::vector<std::string>{"NewMeasureDC", "ResetPageBuffers", "InitPageBuffers", "InitPageScrollInfo"}));
    // 1191 x 1684 pixels at scale 1.25.
    EXPECT_EQ(view.ScrollInfo.back(), (std::vector<int32_t>{1489, 2105, 1, 1}));
    EXPECT_EQ(data.LineCount(), 1);
    EXPECT_EQ(data.PartCount(), 1);

    view.Calls.clear();
    ReInitFormat(data, view);
    EXPECT_EQ(view.Calls.back(), "ResetView");
}

TEST_F(LayoutSetup, MeasuringEveryCharacter) {
    LoadDocument(data, Document("1 2|"));
    SetMark(data, 2, 0, kMarkGraceNote, 1, 1);
    data.WordInfo[2].EditFont([](tessaly::mLogFont& f) { f.lfHeight = -10; });
    InitFormat(data, view);
    // Sizes in points become logical heights; a grace note keeps its own and is measured by GDI.
    EXPECT_EQ(data.WordInfo[0].nLogFont().lfHeight, -16);
    EXPECT_FLOAT_EQ(data.WordInfo[0].WdSize.cx, 6);
    EXPECT_FLOAT_EQ(data.WordInfo[1].WdSize.cx, 6);  // a space measures as "2"
    EXPECT_EQ(data.WordInfo[2].nLogFont().lfHeight, -10);
    EXPECT_FLOAT_EQ(data.WordInfo[2].WdSize.cx, 5);
    ASSERT_EQ(measurer.GdiCalls.size(), 1u);
    EXPECT_EQ(measurer.GdipCalls.size(), 3u);
}

// What painting reads is ready once loaded: the mark-text face, fitted run counts and hairpins,
// and the key, tempo and metre the marks spell; an edit laid out reads them again.
TEST_F(LayoutSetup, LoadingPreparesWhatPaintingReads) {
    auto doc = Document("11234567|");
    doc.FontTbl.resize(1);
    doc.FileInfo.FontTblCount = 1;
    const auto mark = [&](int32_t word, int32_t code, int32_t val2 = 0) {
        auto& slot = doc.WordInfo[static_cast<size_t>(word)].ExtralWordInfo[0];
        slot.IndexType = static_cast<int16_t>(code);
        slot.ExtralWordVal2 = val2;
    };
    mark(0, kMarkTrill, -2);
    mark(1, kMarkCrescendo, 50);
    mark(2, kMarkKeySetting);
    mark(3, kMarkEquals);
    mark(4, kMarkKeyC + 2);  // 1=E
    mark(5, kMarkTimeSignature);
    doc.WordInfo[5].ExtralWordInfo[0].ExtralWordVal1 = 3;
    doc.WordInfo[5].ExtralWordInfo[0].ExtralWordVal2 = 4;
    doc.PlayInfo.Track.resize(1);
    doc.PlayInfo.TotalTrack = 1;
    doc.PlayInfo.MainTrack = 1;
    files.Files[u"marks.dadur"] = doc;

    LoadJpFile(data, files, view, view, 0, u"marks.dadur");
    ASSERT_EQ(2u, data.FontTbl.size());
    EXPECT_EQ(kSongTiFace, data.FontTbl[1].FontName);
    EXPECT_EQ(kGb2312Charset, data.FontTbl[1].fcharset);
    EXPECT_EQ(1, data.WordInfo[0].ExtralWordInfo[0].ExtralWordVal2);
    EXPECT_EQ(7, data.WordInfo[1].ExtralWordInfo[0].ExtralWordVal2);  // to the paragraph end
    EXPECT_EQ(4, data.PlayInfo.Track[0].Yd);
    EXPECT_EQ(2, data.PlayInfo.JiePai);

    data.WordInfo[4].EditMark(0, [](tessaly::aExtralWordInfo& s) { s.IndexType = kMarkKeyC; });  // 1=C
    SetInputDat(data, 4, 1, 1);
    LayOutEdit(data, view);
    EXPECT_EQ(0, data.PlayInfo.Track[0].Yd);
}

// A document laid out in full on loading: its first edit, at a paragraph's start, inside it or
// over its end, is laid out from its paragraph as a full layout lays it out.
TEST_F(LayoutSetup, TheFirstEditAfterLoadingIsLaidOutAsAFullLayout) {
    for (const auto& [at, del] : {std::pair{0, 0}, {151, 0}, {200, 0}, {149, 2}}) {
        const std::string notes(150, '5');
        files.Files[u"long.dadur"] = Document(notes + "|" + notes + notes + "|" + notes + "|");
        LoadJpFile(data, files, view, view, 0, u"long.dadur");
        ASSERT_GT(data.LineCount(), 6);
        SetInputDat(data, at, del, 1, true);
        data.WordInfo.erase(data.WordInfo.begin() + at, data.WordInfo.begin() + at + del);
        data.WordInfo.insert(data.WordInfo.begin() + at, data.WordInfo[static_cast<size_t>(at)]);
        data.AboutFileInfo.WordCount += 1 - del;
        LayOutEdit(data, view);
        EXPECT_EQ(LayoutDifference(data, FullLayoutOf(data)), "") << at << " " << del;
    }
}

TEST_F(LayoutSetup, LoadingPicksTheReaderByTheFilesEnding) {
    files.Files[u"a.ZoRiv"] = Document("1|");
    files.Files[u"b.DADUR"] = Document("12|");
    files.Files[u""] = Document("123|");

    LoadJpFile(data, files, view, view, 0, u"a.ZoRiv");
    EXPECT_EQ(files.Calls.back(), "doc");
    EXPECT_EQ(data.WordCount(), 2);
    LoadJpFile(data, files, view, view, 0, u"b.DADUR");
    EXPECT_EQ(files.Calls.back(), "rtf");
    EXPECT_EQ(data.WordCount(), 3);
    LoadJpFile(data, files, view, view, 0, u"");
    EXPECT_EQ(files.Calls.back(), "rtf");
    EXPECT_EQ(data.WordCount(), 4);
    EXPECT_TRUE(data.DocLoaded);
    EXPECT_EQ(view.Calls.back(), "ClearModified");
    EXPECT_EQ(data.PageCount(), 1);
}

TEST_F(LayoutSetup, AnotherEndingReadsNothingButLaysOutAgain) {
    files.Files[u"a.zoriv"] = Document("12|");
    LoadJpFile(data, files, view, view, 0, u"a.zoriv");
    data.AboutPageInfo.PaperType = pA3;
    view.Calls.clear();
    LoadJpFile(data, files, view, view, 0, u"notes.txt");
    EXPECT_EQ(files.Calls.size(), 1u);
    EXPECT_EQ(data.WordCount(), 3);
    EXPECT_EQ(data.PageHeightPx, 1587);
    EXPECT_EQ(view.Calls.back(), "ClearModified");
    EXPECT_TRUE(data.DocLoaded);
}

TEST_F(LayoutSetup, AFailedReadKeepsTheDocumentShown) {
    files.Files[u"good.dadur"] = Document("12|");
    LoadJpFile(data, files, view, view, 0, u"good.dadur");
    data.WordInfo[0].WdSpace = 3;  // an edit not yet saved
    const auto lines = data.LineInfo;
    view.Calls.clear();

    LoadJpFile(data, files, view, view, 0, u"missing.dadur");
    EXPECT_TRUE(data.DocLoaded);
    EXPECT_EQ(data.WordCount(), 3);
    EXPECT_FLOAT_EQ(data.WordInfo[0].WdSpace, 3);
    EXPECT_EQ(data.LineCount(), static_cast<int32_t>(lines.size()));
    EXPECT_EQ(view.Calls, (std::vector<std::string>{"LoadFailed"}));  // still modified, not redrawn
    EXPECT_EQ(view.Failures.back(), "not found");
}

TEST_F(LayoutSetup, AFileThatEndsEarlyIsShownWithItsMessage) {
    struct CutSource : FakeDocumentSource {
        DocumentRead ReadRtfFile(intptr_t, std::u16string_view) override {
            DocumentRead r{true, "文件提前结束，文档可能不完整: cut.dadur", Document("12|3")};
            return r;
        }
    } cut;
    LoadJpFile(data, cut, view, view, 0, u"cut.dadur");
    EXPECT_TRUE(data.DocLoaded);
    EXPECT_EQ(data.WordCount(), 5);  // the final paragraph end added
    EXPECT_EQ(view.Messages, (std::vector<std::string>{"文件提前结束，文档可能不完整: cut.dadur"}));
    EXPECT_EQ(view.Calls.back(), "ClearModified");
}

TEST_F(LayoutSetup, AFailedFirstReadShowsAnEmptyDocument) {
    LoadJpFile(data, files, view, view, 0, u"missing.zoriv");
    EXPECT_TRUE(data.DocLoaded);
    ASSERT_EQ(data.WordCount(), 1);
    EXPECT_TRUE(IsParaEnd(data, 0));
    EXPECT_EQ(data.LineCount(), 1);
    EXPECT_EQ(data.PageCount(), 1);
    EXPECT_EQ(view.Calls.front(), "LoadFailed");
}

TEST_F(LayoutSetup, ADocumentGetsItsFinalParagraphEnd) {
    tessaly::JpData doc = Document("12|34");
    doc.WordInfo[4].nLogFont.lfWeight = 700;
    doc.WordInfo[4].cf = 2;
    files.Files[u"open.dadur"] = doc;
    LoadJpFile(data, files, view, view, 0, u"open.dadur");
    ASSERT_EQ(data.WordCount(), 6);
    ASSERT_EQ(data.WordInfo.size(), 7u);  // with the spare record
    const auto& end = data.WordInfo[5];
    EXPECT_TRUE(IsParaEnd(data, 5));
    EXPECT_EQ(end.WdAsc, 45);
    EXPECT_EQ(end.cf, 2);
    EXPECT_EQ(end.nLogFont().lfWeight, 400);
    const auto part = GetPartInfoFromCtlWord(data, 5);
    ASSERT_TRUE(part.has_value());
    EXPECT_EQ(part->SpacingBefore, 20);
    EXPECT_EQ(part->SpacingAfter, 20);
    EXPECT_TRUE(HasExtralType(data, 5, kMarkParagraphSpare));
    ASSERT_EQ(data.LineCount(), 2);
    EXPECT_EQ(data.LineInfo[1].Start, 3);
    EXPECT_EQ(data.LineInfo[1].Length, 3);

    files.Files[u"empty.zoriv"] = Document("");
    LoadJpFile(data, files, view, view, 0, u"empty.zoriv");
    ASSERT_EQ(data.WordCount(), 1);
    EXPECT_EQ(data.WordInfo[0].SelSize, 12);
    EXPECT_EQ(data.LineCount(), 1);
}

}  // namespace
}  // namespace notaline::test
