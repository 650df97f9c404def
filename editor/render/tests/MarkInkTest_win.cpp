#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

#include "DocumentBuilder.h"
#include "InkPage_win.h"
#include "model/document/MarkSlots.h"
#include "paint/MarkDispatch.h"
#include "paint/RecordingCanvas.h"
#include "render/GdiCanvas_win.h"
#include "render/GdiTextMeasurer_win.h"
#include "render/PageGraphics_win.h"

namespace notaline {
namespace {

namespace flat = Gdiplus::DllExports;
using test::SetMark;
using Page = ink::Page<>;
using ink::Empty;
using ink::Inflate;
using ink::Inside;
using ink::Intersects;

constexpr int kWidth = 960;

// A document of two lines, ten characters each, with one mark of every kind that draws.
struct MarkInkTest : ::testing::Test {
    EditorData data;
    GdiTextMeasurer measurer;

    void SetUp() override {
        test::SetWords(data, "1234567890123456789|");
        test::SetLines(data, {10, 10});
        data.Measurer = measurer;
        ink::UseNotationTables(data);
        data.AboutFileInfo.CMScale = 60;
        for (int32_t i = 0; i < data.WordCount(); ++i) {
            auto& w = data.WordInfo[static_cast<size_t>(i)];
            const int32_t column = i % 10;
            w.Left = 40 + 80.0f * static_cast<float>(column);
            w.Right = w.Left + 80;
            w.Top = i < 10 ? 120.0f : 330.0f;
            // Laid-out boxes are a cell high: the font's ascent and descent, 58.5 at this size.
            w.Bottom = w.Top + 60;
            w.WdSize = {30, 59};
            w.EditFont([&](tessaly::mLogFont& f) { f.lfHeight = -51; });
            w.EditFont([&](tessaly::mLogFont& f) { f.lfWeight = 400; });
            w.cf = static_cast<int16_t>(i % 2);
        }
        SetMark(data, 0, 0, 2, 8);         // centred glyph
        SetMark(data, 0, 1, 25, -20, -4);  // shifted letter
        SetMark(data, 0, 2, 72, 0, 1);     // arc on one line
        SetMark(data, 2, 0, 73, 0, 1);
        SetMark(data, 1, 0, 8, 10, 3);     // trill
        SetMark(data, 1, 1, 135, 0, 0);    // solfège digit
        SetMark(data, 2, 1, 33, 3, 4);     // time signature
        SetMark(data, 3, 0, 170, 12, 0);   // tempo term
        SetMark(data, 3, 1, 85, -16, 6);   // key change in three pieces
        SetMark(data, 4, 0, 77, 8, 3);     // octave line
        SetMark(data, 4, 1, 16, 12, -20);  // bar-rest number
        SetMark(data, 5, 0, 74, 14, 2);    // tuplet on one line
        SetExtralWordVal3(data, 5, 0, "3");
        SetMark(data, 7, 0, 75, 14, 2);
        SetMark(data, 5, 1, 131, -18, 0);  // framed bar number
        SetExtralWordVal3(data, 5, 1, "12");
        SetMark(data, 6, 0, 117, 0, 1);   // arpeggio
        SetMark(data, 6, 1, 142, 10, 6);  // press vibrato
        SetMark(data, 7, 1, 82, -22, 2);  // decrescendo
        SetMark(data, 8, 0, 89, 14);      // volta to the next line
        SetExtralWordVal3(data, 8, 0, "1.");
        SetMark(data, 12, 0, 90, 14);
        SetMark(data, 8, 1, 150, 0, 4);  // bowing slur to the next line
        SetMark(data, 11, 0, 151, 0, 4);
        SetMark(data, 9, 0, 74, 8, 6);  // tuplet to the next line
        SetExtralWordVal3(data, 9, 0, "5");
        SetMark(data, 13, 0, 75, 8, 6);
        SetMark(data, 10, 0, 81, -22, 4);  // crescendo
        SetMark(data, 14, 0, 119, 10, 0);  // custom text
        SetExtralWordVal3(data, 14, 0, "rit.");
        SetMark(data, 14, 1, 119, 30, 0);  // a text an older file cut inside a character
        data.WordInfo[14].EditMark(
            1, [](tessaly::aExtralWordInfo& s) { std::memcpy(s.ExtralWordVal3, "a\xC9\xF9\xB2", 4); });
        SetMark(data, 15, 0, 37, 12, 0);  // tempo change
        SetExtralWordVal3(data, 15, 0, "96");
        SetMark(data, 16, 0, 70, 0, 2);  // repeat signs
        SetMark(data, 17, 0, 71, 0, 2);
        SetMark(data, 18, 0, 109, 8, 2);   // no vibrato
        SetMark(data, 18, 1, 34, -20, 2);  // tempo span
    }

    std::vector<RecordingCanvas::Op> Predicted() {
        RecordingCanvas recorder;
        PaintContext ctx(data, recorder);
        for (int32_t i = 0; i < data.WordCount(); ++i) DrawExtralWord(ctx, i);
        return recorder.Ops;
    }
};

void Replay(GdiCanvas& canvas, const RecordingCanvas::Op& op) {
    using Kind = RecordingCanvas::Kind;
    switch (op.What) {
        case Kind::Text:
        case Kind::TextAt:
            canvas.SelectFont(op.Font);
            canvas.SetTextColor(op.Colour);
            if (op.What == Kind::Text) {
                canvas.DrawTextInRect(op.Text, op.Box, op.Flags);
            } else {
                canvas.TextOutAt(op.Box.Left, op.Box.Top, op.Text);
            }
            break;
        case Kind::Line:
            canvas.PenLine(op.Box.Left, op.Box.Top, op.Box.Right, op.Box.Bottom, op.Colour, op.Width);
            break;
        case Kind::DashedRect:
            canvas.DashedRect(op.Box.Left, op.Box.Top, op.Box.Right - op.Box.Left, op.Box.Bottom - op.Box.Top,
                              op.Colour, op.DashStyle, op.Width);
            break;
        case Kind::Translucent:
            canvas.TranslucentText(op.Text, op.Font, op.Charset, op.Layout, op.Colour, op.Flags);
            break;
        default: break;  // the marks neither fill nor frame
    }
}

// Each drawing call alone on a white page: its ink lies where the recorder says it goes.
TEST_F(MarkInkTest, EachCallInksWhereTheRecorderPredicts) {
    const auto ops = Predicted();
    ASSERT_GT(ops.size(), 40u);
    Page page;
    using Kind = RecordingCanvas::Kind;
    for (size_t n = 0; n < ops.size(); ++n) {
        const auto& op = ops[n];
        page.Clear();
        {
            GdiCanvas canvas(page.Dc(), page.Graphics());
            Replay(canvas, op);
        }
        const IntRect ink = page.Ink();
        const int em = std::abs(op.Font.lfHeight);
        SCOPED_TRACE(::testing::Message()
                     << "call " << n << " kind " << static_cast<int>(op.What) << " box " << op.Box.Left << ","
                     << op.Box.Top << "," << op.Box.Right << "," << op.Box.Bottom << " ink " << ink.Left << ","
                     << ink.Top << "," << ink.Right << "," << ink.Bottom);
        switch (op.What) {
            case Kind::Text:
                if (!(op.Flags & kDtNoClip)) {
                    if (Empty(op.Box)) {
                        EXPECT_TRUE(Empty(ink));
                        continue;
                    }
                    EXPECT_TRUE(Empty(ink) || Inside(ink, Inflate(op.Box, 1)));
                    if (op.Box.Right - op.Box.Left >= 8) {
                        EXPECT_FALSE(Empty(ink));
                    }
                } else {
                    ASSERT_FALSE(Empty(ink));
                    EXPECT_TRUE(Intersects(ink, Inflate(op.Box, 2)));
                    // Bottom-aligned, not clipped: the ink stays within a line's height of the box.
                    EXPECT_TRUE(Inside(ink, {op.Box.Left - em, op.Box.Top - em, kWidth, op.Box.Bottom + em}));
                }
                break;
            case Kind::TextAt:
                ASSERT_FALSE(Empty(ink));
                EXPECT_TRUE(Intersects(ink, Inflate({op.Box.Left, op.Box.Top, op.Box.Left, op.Box.Top}, 3 * em)));
                break;
            case Kind::Line:
            case Kind::DashedRect:
                ASSERT_FALSE(Empty(ink));
                EXPECT_TRUE(Inside(ink, Inflate(op.Box, static_cast<int>(op.Width) + 2)));
                break;
            case Kind::Translucent: {
                ASSERT_FALSE(Empty(ink));
                const IntRect layout{static_cast<int32_t>(op.Layout.X), static_cast<int32_t>(op.Layout.Y),
                                     static_cast<int32_t>(op.Layout.X + op.Layout.Width),
                                     static_cast<int32_t>(op.Layout.Y + op.Layout.Height)};
                EXPECT_TRUE(Inside(ink, Inflate(layout, 4)));
                // Translucent over white: no pixel is fully the text's colour.
                bool opaque = false;
                for (int y = ink.Top; y < ink.Bottom; ++y)
                    for (int x = ink.Left; x < ink.Right; ++x) opaque |= page.At(x, y) == 0x000000u;
                EXPECT_FALSE(opaque);
                break;
            }
            default: break;
        }
    }
}

TEST_F(MarkInkTest, AWholePageOfMarks) {
    Page page;
    {
        GdiCanvas canvas(page.Dc(), page.Graphics());
        PaintContext ctx(data, canvas);
        for (int32_t i = 0; i < data.WordCount(); ++i) DrawExtralWord(ctx, i);
    }
    const IntRect ink = page.Ink();
    EXPECT_LT(ink.Left, 60);
    EXPECT_GT(ink.Bottom, 330);
    page.SavePng(L"marks-page.png");
}

}  // namespace
}  // namespace notaline
