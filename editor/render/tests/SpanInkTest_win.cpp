#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "DocumentBuilder.h"
#include "InkPage_win.h"
#include "model/document/MarkSlots.h"
#include "paint/ArcSpans.h"
#include "paint/PageLayers.h"
#include "paint/RecordingCanvas.h"
#include "render/GdiCanvas_win.h"
#include "render/GdiTextMeasurer_win.h"

namespace notaline {
namespace {

using test::SetMark;
using Kind = RecordingCanvas::Kind;
using SpanPage = ink::Page<960, 480>;

// Two pages: lines 0 and 1 on the first, line 2 on the second; ten characters a line, 80 apart.
// Line 0: an arc, a dotted slur, a pad-finger slide, a tuplet and an arc into line 1. Line 1: a
// grace pair before its note, one after its note, a big glissando with room and one without, and
// an arc over the page break into line 2.
struct SpanInkTest : ::testing::Test {
    EditorData data;
    GdiTextMeasurer measurer;

    void SetUp() override {
        test::SetWords(data, "12345678901234567890123456789|");
        test::SetLines(data, {10, 10, 10});
        data.PageInfo = {{0, 2, 0, 20}, {2, 1, 20, 10}};
        data.Measurer = measurer;
        ink::UseNotationTables(data);
        data.AboutPageInfo.nScale = 1;
        data.PageWidthPx = 960;
        data.PageHeightPx = 480;
        data.WriteLeft = 10, data.WriteTop = 10, data.WriteRight = 950, data.WriteBottom = 470;
        const float tops[] = {120, 330, 120};
        for (int32_t i = 0; i < data.WordCount(); ++i) {
            auto& w = data.WordInfo[static_cast<size_t>(i)];
            w.Left = 40 + 80.0f * static_cast<float>(i % 10);
            w.Right = w.Left + 80;
            w.Top = tops[std::min(i / 10, 2)];
            w.Bottom = w.Top + 60;
            w.WdSize = {30, 59};
            w.EditFont([&](tessaly::mLogFont& f) { f.lfHeight = -51; });
            w.EditFont([&](tessaly::mLogFont& f) { f.lfWeight = 400; });
            w.cb = -1;
        }
        // Arcs at the height proposed for them; the dotted slur's stored value is 232 higher.
        const auto arc = static_cast<int32_t>(std::lround(GetHuXianYPos(data, 0, 2)));
        SetMark(data, 0, 0, 72, arc, 1);  // arc
        SetMark(data, 1, 0, 73, 0, 1);
        SetMark(data, 2, 0, 152, 0x400000 | (arc + 232), 2);  // dotted slur
        SetMark(data, 3, 0, 153, 0, 2);
        SetMark(data, 4, 0, 146, 6, 3);  // pad-finger slide
        SetMark(data, 5, 0, 147, 0, 3);
        SetMark(data, 6, 0, 74, 2, 4);  // tuplet
        SetExtralWordVal3(data, 6, 0, "3");
        SetMark(data, 7, 0, 75, 2, 4);
        SetMark(data, 9, 0, 72, 4, 5);  // across the line break
        SetMark(data, 12, 1, 73, 4, 5);
        // Grace notes: small, re-measured, set tight against each other and their note.
        const std::pair<int32_t, float> grace[] = {{10, 160}, {11, 180}, {14, 320}, {15, 340}};
        for (auto [i, left] : grace) {
            auto& w = data.WordInfo[static_cast<size_t>(i)];
            w.EditFont([&](tessaly::mLogFont& f) { f.lfHeight = -31; });
            w.WdSize = {18, 36};
            w.Left = left;
            w.Right = left + 20;
        }
        data.WordInfo[12].cf = 1;
        data.WordInfo[10].YG = 5;
        SetMark(data, 10, 0, 38, 2, 1);  // before note 12
        SetMark(data, 11, 0, 38, 2, 2);
        SetMark(data, 14, 0, 38, 5, 1);  // after note 13
        SetMark(data, 15, 0, 38, 5, 2);
        SetMark(data, 16, 0, 144, 0, 6);  // glissando with room: 50 pixels
        SetMark(data, 17, 0, 145, 0, 6);
        data.WordInfo[19].Left = 730;  // 20 pixels from 18's right edge: no room
        SetMark(data, 18, 0, 144, 0, 7);
        SetMark(data, 19, 0, 145, 0, 7);
        SetMark(data, 19, 1, 72, 4, 8);  // across the page break
        SetMark(data, 21, 0, 73, 4, 8);
        SetMark(data, 13, 0, 144, 0, 9);  // a glissando over the page break, from (310, 364.5)
        SetMark(data, 25, 0, 145, 0, 9);  // to (440, 154.5) on the next page
    }

    std::vector<RecordingCanvas::Op> Predicted(int32_t page, double scale = 1) {
        RecordingCanvas recorder;
        PaintContext ctx(data, recorder);
        ctx.Scale = scale;
        DrawPageMarkLayer(ctx, page);
        return recorder.Ops;
    }
    void Render(SpanPage& target, int32_t page, double scale = 1) {
        GdiCanvas canvas(target.Dc(), target.Graphics());
        PaintContext ctx(data, canvas);
        ctx.Scale = scale;
        DrawPageMarkLayer(ctx, page);
    }
};

IntRect Bounds(const RecordingCanvas::Op& op) {
    switch (op.What) {
        case Kind::Arc:
        case Kind::Fitted:
            return ink::Inflate({static_cast<int32_t>(op.Layout.X), static_cast<int32_t>(op.Layout.Y),
                                 static_cast<int32_t>(std::ceil(op.Layout.X + op.Layout.Width)),
                                 static_cast<int32_t>(std::ceil(op.Layout.Y + op.Layout.Height))},
                                2);
        case Kind::Triangle: {
            IntRect r{1 << 20, 1 << 20, -(1 << 20), -(1 << 20)};
            for (const auto& p : op.Points) {
                r.Left = std::min(r.Left, static_cast<int32_t>(std::floor(p.X)));
                r.Top = std::min(r.Top, static_cast<int32_t>(std::floor(p.Y)));
                r.Right = std::max(r.Right, static_cast<int32_t>(std::ceil(p.X)));
                r.Bottom = std::max(r.Bottom, static_cast<int32_t>(std::ceil(p.Y)));
            }
            return ink::Inflate(r, 1);
        }
        case Kind::Line: return ink::Inflate(op.Box, 2);
        case Kind::TextAt: {
            const int32_t em = std::abs(op.Font.lfHeight);
            return {op.Box.Left - em, op.Box.Top - em, op.Box.Left + 2 * em, op.Box.Top + 2 * em};
        }
        default: return (op.Flags & kDtNoClip) ? ink::Inflate(op.Box, std::abs(op.Font.lfHeight)) : op.Box;
    }
}

std::wstring BuildFolder() {
    wchar_t exe[MAX_PATH];
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring path(exe);
    return path.substr(0, path.find_last_of(L"\\/")) + L"\\..";
}

int Count(const std::vector<RecordingCanvas::Op>& ops, Kind kind) {
    return static_cast<int>(std::count_if(ops.begin(), ops.end(), [&](const auto& op) { return op.What == kind; }));
}

bool HasText(const std::vector<RecordingCanvas::Op>& ops, const std::string& text) {
    return std::any_of(ops.begin(), ops.end(), [&](const auto& op) { return op.Text == text; });
}

TEST_F(SpanInkTest, EverySpanMarkInksItsPredictedBoxOnBothPages) {
    for (int32_t page : {0, 1}) {
        SCOPED_TRACE(page);
        const auto ops = Predicted(page);
        SpanPage target;
        Render(target, page);
        target.SavePngAs(BuildFolder() + L"\\span-marks-page" + std::to_wstring(page + 1) + L".png");
        int checked = 0;
        for (const auto& op : ops) {
            if (op.What == Kind::Fill || op.What == Kind::Focus || (op.What == Kind::Text && op.Text.empty())) continue;
            // A piece clipped to no width, as a cut span's middle from a line's last note.
            if (op.What == Kind::Text && !(op.Flags & kDtNoClip) && op.Box.Right <= op.Box.Left) continue;
            // A piece of a glissando that lies on the other page.
            if (!ink::Intersects(Bounds(op), {0, 0, 960, 480})) continue;
            SCOPED_TRACE(::testing::Message() << "kind " << static_cast<int>(op.What) << " text " << op.Text);
            EXPECT_GT(target.InkIn(Bounds(op)), 0);
            ++checked;
        }
        if (page == 0) {
            EXPECT_GE(checked, 20);
            EXPECT_EQ(2, Count(ops, Kind::Fitted));  // the arc and the dotted slur
            EXPECT_EQ(3, Count(ops, Kind::Arc));     // the slide and the tuplet's halves
            // The glissando with room; the one over the page break has its head on the next page.
            EXPECT_EQ(1, Count(ops, Kind::Triangle));
            for (const char* t : {"SSSS", "U", "T", "\xF0\xCD", "\xF0\xCE", "L", "3"})
                EXPECT_TRUE(HasText(ops, t)) << t;
            // Between the glissando without room's anchors (710 to 730 at y 364.5) only the shaft of
            // the one over the page break passes, along its line: no head, nothing above or below.
            EXPECT_EQ(0, target.InkIn({712, 355, 728, 362}));
            EXPECT_EQ(0, target.InkIn({712, 367, 728, 372}));
            // The glissando over the page break runs along its line to the line's end, not down to
            // the page's foot.
            EXPECT_GT(target.InkIn({740, 360, 762, 369}), 0);
            EXPECT_EQ(0, target.InkIn({352, 460, 380, 480}));
        } else {
            // The page-break arc's end piece on the second page, where its end lies.
            EXPECT_TRUE(HasText(ops, "\xF0\x9E"));
            EXPECT_GT(target.InkIn({120, 60, 240, 200}), 0);
            // The glissando comes in at its line's start and ends with its head at (440, 154.5).
            EXPECT_EQ(1, Count(ops, Kind::Triangle));
            EXPECT_GT(target.InkIn({38, 150, 60, 159}), 0);
            EXPECT_EQ(0, target.InkIn({352, 0, 380, 20}));
            EXPECT_GT(target.InkIn({418, 140, 442, 170}), 0);
        }
    }
}

// Painting reads the document and never writes it: a glissando without room, drawn at every zoom,
// stays in the document, nothing is marked changed and no window appears.
TEST_F(SpanInkTest, GlissandoWithoutRoomIsNotDrawnAndChangesNothing) {
    const auto before = test::DocumentBytes(data);
    int windows = 0;
    const auto count = [](HWND, LPARAM p) -> BOOL {
        ++*reinterpret_cast<int*>(p);
        return TRUE;
    };
    EnumThreadWindows(GetCurrentThreadId(), count, reinterpret_cast<LPARAM>(&windows));
    for (double z : {0.25, 0.5, 0.75, 1.0, 1.25, 1.5, 2.0, 3.0, 4.0}) {
        SCOPED_TRACE(z);
        SpanPage target;
        Render(target, 0, z);
        // The glissando without room draws no head at any zoom; the one with room on this page
        // always does.
        EXPECT_EQ(1, Count(Predicted(0, z), Kind::Triangle));
    }
    int after = 0;
    EnumThreadWindows(GetCurrentThreadId(), count, reinterpret_cast<LPARAM>(&after));
    EXPECT_EQ(windows, after);
    EXPECT_EQ(before, test::DocumentBytes(data));
    EXPECT_FALSE(data.ModifiedPlay || data.ModifiedDrum);
    EXPECT_EQ(144, data.WordInfo[18].ExtralWordInfo[0].IndexType);
    EXPECT_EQ(145, data.WordInfo[19].ExtralWordInfo[0].IndexType);
}

}  // namespace
}  // namespace notaline
