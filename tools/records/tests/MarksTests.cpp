#include <gtest/gtest.h>

#include "records/Marks.h"

namespace tessaly::marks {
namespace {

// The columns agree with each other over every row.
TEST(MarkTable, RowsAgree) {
    for (const MarkRow& row : kMarks) {
        SCOPED_TRACE(row.Code);
        EXPECT_EQ(&row, &MarkOf(row.Code));
        const bool glyphPainter = row.Painter == MarkPainter::Glyph || row.Painter == MarkPainter::ShiftedGlyph;
        EXPECT_EQ(glyphPainter, row.Glyph != 0);
        if (row.Pair != 0) {
            EXPECT_EQ(row.Code, MarkOf(row.Pair).Pair);  // both ends name each other
            EXPECT_EQ(1, std::abs(row.Pair - row.Code));
            EXPECT_NE(IsPairStartCode(row.Code), IsPairEndCode(row.Code));
        }
        if (IsArcStartCode(row.Code)) {
            EXPECT_TRUE(IsArcEndCode(row.Pair));
        }
        EXPECT_EQ(row.Code != 0, row.Stored);
    }
    EXPECT_EQ(&kMarks[0], &MarkOf(-1));
    EXPECT_EQ(&kMarks[0], &MarkOf(kMarkLastCode + 1));
    for (int32_t code : {-1, 0, kMarkLastCode + 1}) {
        EXPECT_FALSE(IsPairStartCode(code)) << code;
        EXPECT_FALSE(IsPairEndCode(code)) << code;
    }
}

TEST(MarkTable, KindsByCode) {
    struct Case {
        int32_t Code;
        MarkPainter Painter;
        bool PlayMark;
        std::string_view Name;
    };
    const Case cases[] = {
        {kMarkFermata, MarkPainter::Glyph, false, "延长号"},
        {kMarkDaCapo, MarkPainter::ShiftedGlyph, false, "D.C.反复记号"},
        {kMarkSegno, MarkPainter::ShiftedGlyph, false, "D.S.反复目标记号"},
        {kMarkDaCapoAlCoda, MarkPainter::ShiftedGlyph, false, "D.C.alCoda记号"},
        {kMarkDaCapoAlFine, MarkPainter::ShiftedGlyph, false, "D.C.alFine记号"},
        {kMarkCoda, MarkPainter::ShiftedGlyph, false, "灯笼记号"},
        {kMarkTimeSignature, MarkPainter::Fraction, true, "节奏拍号"},
        {kMarkKeyC, MarkPainter::None, true, "C 调"},
        {kMarkTempoJ, MarkPainter::None, true, "音速J"},
        {kMarkEquals, MarkPainter::None, true, "等于号"},
        {kMarkDottedSlurStart, MarkPainter::ArcStart, false, "连顿弓起点"},
        {kMarkBigGlissandoEnd, MarkPainter::None, false, "大滑音终点"},
        {kMarkTempoLast, MarkPainter::Tempo, false, "极急"},
        {127, MarkPainter::None, false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Code);
        EXPECT_EQ(c.Painter, MarkOf(c.Code).Painter);
        EXPECT_EQ(c.PlayMark, IsPlayMarkCode(c.Code));
        EXPECT_EQ(c.Name, MarkNameOf(c.Code));
    }
    EXPECT_EQ(10u, kPairStartCodes.size());
    EXPECT_EQ(6u, kArcStartCodes.size());
}

}  // namespace
}  // namespace tessaly::marks
