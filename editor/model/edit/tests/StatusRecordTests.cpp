#include <gtest/gtest.h>

#include <algorithm>

#include "KeyboardFixture.h"
#include "model/edit/StatusRecord.h"
#include "model/layout/Pagination.h"

namespace notaline {
namespace {

// "12a|[3|": notes 0, 1, 5; lyric 2; paragraph ends 3, 6; a bar symbol at 4.
class StatusRecord : public test::KeyboardTest {
protected:
    void SetUp() override {
        KeyboardTest::SetUp();
        Start("12a|[3|");
        W(4).IsJpGcCtl = 2;
        for (int32_t i = 0; i < data.WordCount(); ++i) {
            W(i).cf = static_cast<int16_t>(10 + i);
            W(i).cb = static_cast<int16_t>(20 + i);
            W(i).SelSize = static_cast<float>(30 + i);
            W(i).EditFont([&](tessaly::mLogFont& f) { f.FontTblIndex = 1; });
        }
    }
    static std::tuple<tessaly::InputState, int32_t, int32_t> S(const StatusSource& s) {
        return {s.State, s.FontFrom, s.ColoursFrom};
    }
};

TEST_F(StatusRecord, CaretDecidesFromTheCharactersAroundIt) {
    using T = std::tuple<tessaly::InputState, int32_t, int32_t>;
    EXPECT_EQ(S(DecideStatus(data, 2, 0)), T(tessaly::JpState, 1, 1));    // after a note
    EXPECT_EQ(S(DecideStatus(data, 3, 0)), T(tessaly::GcState, 2, 2));    // after a lyric
    EXPECT_EQ(S(DecideStatus(data, 4, 0)), T(tessaly::JpState, -1, -1));  // after an end, at a symbol
    EXPECT_EQ(S(DecideStatus(data, 5, 0)), T(tessaly::JpState, 1, 4));    // after a symbol: note's font, its colours
    EXPECT_EQ(S(DecideStatus(data, 0, 0)), T(tessaly::JpState, 0, 0));
    // A selection of paragraph ends decides as the caret before it; the first non-end otherwise.
    EXPECT_EQ(S(DecideStatus(data, 3, 1)), T(tessaly::GcState, 2, 2));
    EXPECT_EQ(S(DecideStatus(data, 6, -4)), T(tessaly::GcState, 2, 2));
    EXPECT_EQ(S(DecideStatus(data, 4, 2)), T(tessaly::JpState, 1, 1));
}

TEST_F(StatusRecord, EmptyDocumentReportsLyricsInTheDefaultFont) {
    Start("|");
    const StatusSource s = DecideStatus(data, 0, 0);
    EXPECT_EQ(s.State, tessaly::GcState);
    tessaly::aSendMsg msg;
    const StdFontInfo font = FillStatusAttributes(data, edit->Paragraphs, s, msg);
    EXPECT_EQ(font.FaceName, "\xCB\xCE\xCC\xE5");
    EXPECT_EQ(font.Size, 16);
    EXPECT_EQ(msg.SelFontSize, 16);
    EXPECT_EQ(msg.cInputState, tessaly::GcState);
    Start("");
    EXPECT_EQ(DecideStatus(data, 0, 0).FontFrom, -1);
}

TEST_F(StatusRecord, ByStateKeepsTheModeAndFindsItsCharacter) {
    using T = std::tuple<tessaly::InputState, int32_t, int32_t>;
    EXPECT_EQ(S(DecideStatusByState(data, 6, 0, tessaly::GcState)), T(tessaly::GcState, 2, 2));
    EXPECT_EQ(S(DecideStatusByState(data, 6, 0, tessaly::JpState)), T(tessaly::JpState, 5, 5));
    EXPECT_EQ(S(DecideStatusByState(data, 5, 0, tessaly::JpState)), T(tessaly::JpState, 1, 4));
    EXPECT_EQ(S(DecideStatusByState(data, 2, 0, tessaly::GcState)), T(tessaly::GcState, -1, -1));
}

TEST_F(StatusRecord, FieldsFollowTheCaretAndItsCharacter) {
    Para(3, tessaly::AlignmentCpDq, 0, 0, 0, 25);
    Layout();
    W(0).WdSpace = 3;
    W(0).EditFont([&](tessaly::mLogFont& f) { f.lfWeight = 700; });
    W(1).EditMark(2, [&](tessaly::aExtralWordInfo& s) { s.IndexType = 49; });
    data.AboutPageInfo.nScale = 1.256f;
    tessaly::aSendMsg msg;
    FillStatusCommon(data, edit->Paragraphs, 2, -1, msg);
    EXPECT_EQ(msg.SelStart, 1);
    EXPECT_EQ(msg.SelLength, 1);
    EXPECT_EQ(msg.SelIndexType[2], 49);
    EXPECT_FLOAT_EQ(msg.Pro, 1.26f);
    EXPECT_EQ(msg.PartAlignment, tessaly::AlignmentCpDq);
    EXPECT_EQ(msg.PartLineSpace, 2);  // 2.5 to even
    const StdFontInfo font = FillStatusAttributes(data, edit->Paragraphs, DecideStatus(data, 1, 0), msg);
    EXPECT_EQ(font.FaceName, "song");
    EXPECT_TRUE(font.Bold);
    EXPECT_EQ(msg.SelFontSize, 30);
    EXPECT_EQ(msg.cf, 10);
    EXPECT_EQ(msg.SelWordSpace, 0);  // lyric-aligned paragraph
    EXPECT_EQ(msg.ShowWordSpace, 3);
}

TEST_F(StatusRecord, DueWhenTheCaretOrItsMarksChangedOrADocumentWasLoaded) {
    const struct {
        int32_t start, length;
        int16_t mark;  // the first mark code of the caret character
        bool due;
    } rows[] = {{0, 0, 0, true},  // a fresh document
                {0, 0, 0, false}, {2, 0, 0, true}, {2, 1, 0, true}, {2, 4, 0, true}, {2, 4, 0, false},
                {2, -1, 0, true}, {2, 0, 0, true}, {2, 0, 7, true},  // an undo under a caret that stayed
                {2, 0, 7, false}, {2, 0, 0, true}};
    const auto due = [&](int32_t start, int32_t length, int16_t mark) {
        tessaly::aSendMsg msg;
        msg.SelStart = start;
        msg.SelLength = length;
        msg.SelIndexType[0] = mark;
        return StatusDue(data, msg);
    };
    for (const auto& r : rows) EXPECT_EQ(r.due, due(r.start, r.length, r.mark)) << r.start << "+" << r.length;
    Start("12|");
    EXPECT_TRUE(due(2, 0, 0));
}

// Every edit makes the status due again, under a caret that stayed and marks that did not change
// (the window test: the mark list and the status bar after each edit command).
TEST_F(StatusRecord, DueAfterEveryEditUnderACaretThatStayed) {
    const auto due = [&] {
        Relayout();
        tessaly::aSendMsg msg;
        FillStatusCommon(data, edit->Paragraphs, 1, 0, msg);
        return StatusDue(data, msg);
    };
    int32_t to = 3;
    const std::function<void()> edits[] = {[&] { edit->Typed.DeleteWord(1, 0); }, [&] { edit->Undo.UserUndo(); },
                                           [&] { edit->Undo.UserRedo(); },
                                           [&] { edit->Clipboard.DragDropWord(0, 1, to); }};
    due();
    for (const auto& e : edits) {
        EXPECT_FALSE(due());
        e();
        EXPECT_TRUE(due());
    }
}

// After a key in the middle of a paragraph of many pages, broken again to its end, the characters
// behind the key wait to be placed; the record reads the paragraph's attributes off its far end
// without placing them (that cost the distance to the end).
TEST_F(StatusRecord, AKeyInALongParagraphLeavesItsEndUnplaced) {
    Start(std::string(3000, '1') + "|");
    Para(3000, tessaly::AlignmentFar);
    data.WriteHeight = 200;
    Layout();
    ASSERT_GT(data.PageCount(), 10);
    edit->Typed.DeleteWord(1500, 1);
    Relayout();
    RebreakFromCutLine(data);
    tessaly::aSendMsg msg;
    FillStatusCommon(data, edit->Paragraphs, 1500, 0, msg);
    EXPECT_EQ(msg.PartAlignment, tessaly::AlignmentFar);
    const auto waiting = data.WordInfo.TakeDeferred();
    EXPECT_TRUE(std::any_of(waiting.begin(), waiting.end(),
                            [](const auto& run) { return run.first < 2990 && 2990 < run.second; }));
}

}  // namespace
}  // namespace notaline
