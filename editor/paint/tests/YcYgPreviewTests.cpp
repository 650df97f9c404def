#include <gtest/gtest.h>

#include "PaintFixture.h"
#include "paint/YcYgPreview.h"

namespace notaline {
namespace {

using Kind = RecordingCanvas::Kind;

struct YcYgPreviewTest : test::PaintTest {
    tessaly::mLogFont font;
    void SetUp() override {
        Build("1");
        font.lfHeight = -102;  // one position unit is 5 pixels
        font.lfWeight = 400;
    }
    std::vector<RecordingCanvas::Op> Draw(float hYg, float hYc) {
        tessaly::aFontTbl entry = data.FontTbl[0];
        entry.hYg = hYg;
        entry.hYc = hYc;
        const EditorData samples = MakeYcYgSamples(data, font, entry, 0);
        canvas.Ops.clear();
        DrawYcYgPreview(canvas, samples);
        std::vector<RecordingCanvas::Op> texts;
        for (const auto& op : canvas.Ops)
            if (op.What == Kind::Text) texts.push_back(op);
        return texts;
    }
};

TEST_F(YcYgPreviewTest, SixteenDigitsSideBySideFromTheFirstPoint) {
    const EditorData samples = MakeYcYgSamples(data, font, data.FontTbl[0], 0);
    ASSERT_EQ(16, samples.WordCount());
    float x = 30;
    for (int32_t c = 0; c < 16; ++c) {
        const auto& w = samples.WordInfo[static_cast<size_t>(c)];
        EXPECT_EQ('0' + c % 8, w.WdAsc);
        EXPECT_FLOAT_EQ(x, w.Left);
        EXPECT_FLOAT_EQ(40, w.Top);
        EXPECT_GT(w.WdSize.cx, 0);
        x += w.WdSize.cx;
    }
    // Samples 14 and 15 are plain digits.
    EXPECT_EQ(0, samples.WordInfo[14].Yc + samples.WordInfo[14].YG);
    EXPECT_EQ(6, samples.WordInfo[13].YG);  // the lowest dot over two lines
    EXPECT_EQ(2, samples.WordInfo[13].Yc);
}

TEST_F(YcYgPreviewTest, PendingPositionsMoveLinesAndDotsByTheirUnits) {
    const auto at0 = Draw(0, 0);
    const auto at3 = Draw(2, 3);
    ASSERT_EQ(at0.size(), at3.size());
    int lines = 0, lowDots = 0, highDots = 0;
    for (size_t k = 0; k < at0.size(); ++k) {
        const char first = at0[k].Text.empty() ? 0 : at0[k].Text[0];
        const int32_t moved = at3[k].Box.Top - at0[k].Box.Top;
        if (first >= '0' && first <= '7' && at0[k].Text.size() == 1) {
            EXPECT_EQ(0, moved);  // the digits stay
        } else if (first >= 33 && first <= 35 && at0[k].Text.size() == 10) {
            EXPECT_EQ(15, moved);  // lines three units down
            ++lines;
        } else if (first >= 39 && first <= 41) {
            EXPECT_EQ(15, moved);  // low dots follow the lines
            ++lowDots;
        } else if (first >= 36 && first <= 38) {
            EXPECT_EQ(-10, moved);  // high dots two units up
            ++highDots;
        }
    }
    EXPECT_EQ(12, lines);
    EXPECT_EQ(9, lowDots);
    EXPECT_EQ(3, highDots);
}

}  // namespace
}  // namespace notaline
