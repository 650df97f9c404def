#include "PaintFixture.h"
#include "model/document/mGeneral.h"
#include "paint/BigGlissando.h"
#include "paint/GraceCells.h"
#include "paint/PageLayers.h"
#include "paint/PrintPages.h"

namespace notaline::test {
namespace {

using Kind = RecordingCanvas::Kind;

// A big glissando from character 0 to 1; anchors at y = 151 - 25.5, from x = 130 to the end's left.
struct GlissandoTest : PaintTest {
    void Glissando(float endLeft) {
        Build("1234|");
        data.WordInfo[1].Left = endLeft;
        SetMark(data, 0, 0, 144, 0, 3);
        SetMark(data, 1, 1, 145, 0, 3);
    }
    void DrawAt(double scale) {
        canvas.Ops.clear();
        PaintContext ctx(data, canvas);
        ctx.Scale = scale;
        DrawExtralWord(ctx, 0);
    }
};

TEST_F(GlissandoTest, RoomLimitIsExclusive) {
    Glissando(154);  // exactly 24 pixels
    EXPECT_FALSE(BigHuaYingHasRoom(data, 0, 1, 1));
    EXPECT_FALSE(BigHuaYingHasRoom(data, 0, 1, 1.5));  // 36 at 1.5 against a limit of 36
    Glissando(154.01f);
    EXPECT_TRUE(BigHuaYingHasRoom(data, 0, 1, 1));
    EXPECT_FALSE(BigHuaYingHasRoom(data, 0, 9, 1));
    EXPECT_FALSE(BigHuaYingHasRoom(data, -1, 1, 1));
    // A raise counts in the straight distance.
    Glissando(140);
    data.WordInfo[1].UpSpace = 30;
    EXPECT_TRUE(BigHuaYingHasRoom(data, 0, 1, 1));
}

TEST_F(GlissandoTest, ArrowRunsBetweenTheAnchorsWithItsHeadAtTheEnd) {
    Glissando(190);
    DrawAt(1);
    const auto& head = canvas.Ops.at(0);
    ASSERT_EQ(Kind::Triangle, head.What);
    EXPECT_EQ((FloatPoint{190, 125.5f}), head.Points[0]);
    // 20 long, its base 2 × 20 × tan 15° wide.
    EXPECT_NEAR(170, head.Points[1].X, 1e-4);
    EXPECT_NEAR(125.5 - 5.359, head.Points[1].Y, 1e-3);
    EXPECT_NEAR(125.5 + 5.359, head.Points[2].Y, 1e-3);
    const auto& shaft = canvas.Ops.at(1);
    EXPECT_EQ((IntRect{130, 126, 170, 126}), shaft.Box);
    EXPECT_EQ(1.0f, shaft.Width);
    data.IsPrinting = true;
    DrawAt(2);
    EXPECT_NEAR(380, canvas.Ops.at(0).Points[0].X, 1e-4);  // read at the pass's zoom
    EXPECT_NEAR(340, canvas.Ops.at(0).Points[1].X, 1e-4);
    EXPECT_EQ(6.0f, canvas.Ops.at(1).Width);

    // An end left of the start, as at the head of a later line: the head still points at it.
    Glissando(40);
    DrawAt(1);
    EXPECT_NEAR(60, canvas.Ops.at(0).Points[1].X, 1e-4);
}

TEST_F(GlissandoTest, WithoutRoomOrEndNothingIsDrawnAndTheDocumentStays) {
    for (float left : {154.0f, 150.0f}) {
        Glissando(left);
        const auto before = DocumentBytes(data);
        for (double z : {0.5, 1.0, 1.5, 2.0, 4.0}) {
            DrawAt(z);
            EXPECT_TRUE(canvas.Ops.empty()) << z;
        }
        EXPECT_EQ(before, DocumentBytes(data));
        EXPECT_EQ(144, Slot(0, 0).IndexType);
        EXPECT_EQ(145, Slot(1, 1).IndexType);
    }
    Glissando(300);
    SetMark(data, 1, 1, 145, 0, 4);  // another pair's end
    DrawAt(1);
    EXPECT_TRUE(canvas.Ops.empty());
    SetMark(data, 3, 2, 145, 0, 3);  // its end further on, past a mark of the same pair number
    SetMark(data, 2, 0, 73, 0, 3);
    DrawAt(1);
    EXPECT_EQ(Kind::Triangle, canvas.Ops.at(0).What);
    EXPECT_FLOAT_EQ(220, canvas.Ops.at(0).Points[0].X);
    // The end on the next page: the arrow runs to it one page height lower.
    data.PageInfo = {{0, 1, 0, 3}, {1, 1, 3, 2}};
    data.PageHeightPx = 500;
    DrawAt(1);
    EXPECT_EQ((FloatPoint{220, 625.5f}), canvas.Ops.at(0).Points[0]);
}

// One straight arrow from its start's page to its end's, one character a page, each page drawing
// it in its own frame: pages in between, however many, as well as the two ends; found from the
// starts before a page or from the ends after it.
TEST_F(GlissandoTest, AGlissandoAcrossPagesIsDrawnOnEveryPageItCrosses) {
    const struct {
        int32_t First, Last;
        std::vector<int32_t> PageStarts;
    } cases[] = {{0, 2, {0, 1, 2}}, {0, 3, {0, 1, 2, 3}}, {1, 4, {0, 2, 3, 4}}};
    for (const auto& c : cases) {
        Glissando(300);
        SetMark(data, 0, 0, 0, 0, 0);
        SetMark(data, 1, 1, 0, 0, 0);
        SetMark(data, c.First, 0, 144, 0, 3);
        SetMark(data, c.Last, 1, 145, 0, 3);
        const auto pages = static_cast<int32_t>(c.PageStarts.size());
        data.PageInfo.clear();
        for (int32_t page = 0; page < pages; ++page) {
            const int32_t at = c.PageStarts[static_cast<size_t>(page)];
            const int32_t next = page + 1 < pages ? c.PageStarts[static_cast<size_t>(page) + 1] : data.WordCount();
            data.PageInfo.push_back({page, 1, at, next - at});
        }
        data.PageHeightPx = 500;
        const int32_t firstPage = GetPageOfWord(data, c.First), lastPage = pages - 1;
        const auto& start = data.WordInfo[static_cast<size_t>(c.First)];
        const int32_t shaftLeft = static_cast<int32_t>(start.Left + start.WdSize.cx);
        for (int32_t n = 2 * firstPage; n < 2 * pages; ++n) {
            const int32_t page = n / 2;
            const bool print = n % 2;
            SCOPED_TRACE(testing::Message()
                         << c.First << " to " << c.Last << ", page " << page << (print ? ", printed" : ""));
            canvas.Ops.clear();
            PaintContext ctx(data, canvas);
            print ? DrawPrintPage(ctx, u"", page) : DrawPageMarkLayer(ctx, page);
            std::vector<RecordingCanvas::Op> arrow;
            for (const auto& op : canvas.Ops)
                if (op.What == Kind::Triangle || (op.What == Kind::Line && op.Box.Left == shaftLeft))
                    arrow.push_back(op);
            ASSERT_EQ(2u, arrow.size());
            EXPECT_FLOAT_EQ(125.5f + (lastPage - page) * 500, arrow[0].Points[0].Y);
            EXPECT_EQ(126 - (page - firstPage) * 500, arrow[1].Box.Top);  // the shaft leaves from the start
            EXPECT_EQ(page > firstPage, BigHuaYingEntersPage(data, page));
        }
    }
}

// The search for glissandi entering a page reads only marks: characters of other pages waiting to
// be placed (behind a key in a long paragraph) stay waiting, however far it looks.
TEST_F(GlissandoTest, TheSearchOverOtherPagesPlacesNoWaitingCharacter) {
    Build(std::string(59, '1') + "|");
    SetMark(data, 12, 0, 144, 0, 3);
    SetMark(data, 25, 1, 145, 0, 3);
    data.PageInfo.clear();
    for (int32_t page = 0; page < 6; ++page) data.PageInfo.push_back({page, 1, page * 10, 10});
    data.PageHeightPx = 500;
    static int32_t placings = 0;
    placings = 0;
    data.WordInfo.Defer(
        35, 60, [](void*, size_t, size_t, size_t end, ptrdiff_t) { return ++placings, end; }, nullptr);
    for (int32_t page = 0; page < 6; ++page) EXPECT_EQ(page == 2, BigHuaYingEntersPage(data, page)) << page;
    EXPECT_EQ(placings, 0);
}

// From the last note of a line to the first of the next: a shaft from the start to past its
// line's end, and the arrow from before the next line's start to the end (its tip at 100, 225.5),
// on screen and printed; with the end on the next page each page draws its own piece.
TEST_F(GlissandoTest, AGlissandoAcrossALineBreakIsDrawnInTwoPiecesAlongTheLines) {
    Build("1234|", {2, 3});
    for (int32_t i = 2; i < data.WordCount(); ++i) {
        auto& w = data.WordInfo[static_cast<size_t>(i)];
        w.Left -= 2 * kPitch, w.Top += 100, w.Bottom += 100;
    }
    SetMark(data, 1, 0, 144, 0, 3);
    SetMark(data, 2, 0, 145, 0, 3);
    data.PageHeightPx = 500;
    const IntRect shaft{170, 126, 200, 126}, arrow{70, 226, 80, 226};
    const struct {
        PageArray pages;
        int32_t page;
        std::vector<IntRect> lines;
    } cases[] = {{{{0, 1, 0, 5}}, 0, {shaft, arrow}},
                 {{{0, 1, 0, 2}, {1, 1, 2, 3}}, 0, {shaft}},
                 {{{0, 1, 0, 2}, {1, 1, 2, 3}}, 1, {arrow}}};
    for (const auto& c : cases) {
        data.PageInfo = c.pages;
        for (bool print : {false, true}) {
            SCOPED_TRACE(testing::Message()
                         << c.pages.size() << " pages, page " << c.page << (print ? ", printed" : ""));
            canvas.Ops.clear();
            data.IsPrinting = print;  // as a print job sets it
            PaintContext ctx(data, canvas);
            print ? DrawPrintPage(ctx, u"", c.page) : DrawPageMarkLayer(ctx, c.page);
            std::vector<IntRect> lines;
            for (const auto& op : canvas.Ops) {
                // Not the page corners; a head only at the end's piece.
                if (op.What == Kind::Line && op.Box.Top == op.Box.Bottom && op.Box.Top > 100) {
                    lines.push_back(op.Box);
                    EXPECT_EQ(print ? 6.0f : 1.0f, op.Width);
                }
                if (op.What == Kind::Triangle) {
                    EXPECT_EQ((FloatPoint{100, 225.5f}), op.Points[0]);
                }
            }
            EXPECT_EQ(c.lines, lines);
        }
    }
}

// A two-note group before its main note (character 2, colour 1), drawn from its members' slots.
struct GraceTest : PaintTest {
    void Group(int32_t form, uint8_t yg0 = 0, uint8_t yg1 = 0) {
        Build("12345|");
        const int32_t first = form <= 3 ? 0 : 1;
        const int32_t main = form <= 3 ? 2 : 0;
        data.WordInfo[static_cast<size_t>(main)].cf = 1;
        data.WordInfo[static_cast<size_t>(first)].YG = yg0;
        data.WordInfo[static_cast<size_t>(first + 1)].YG = yg1;
        SetMark(data, first, 0, 38, form, 1);
        SetMark(data, first + 1, 0, 38, form, 2);
        canvas.Ops.clear();
        canvas.SetTextColor(0x123456);
        Draw(first);
    }
    const RecordingCanvas::Op* Find(const std::string& text) const {
        for (const auto& op : canvas.Ops)
            if (op.Text == text) return &op;
        return nullptr;
    }
};

TEST_F(GraceTest, FirstMemberDrawsLiftedNoteAndTheGroupStrokesInTheMainColour) {
    Group(2);
    ASSERT_EQ(3u, canvas.Ops.size());
    // Lifted 32 units of -51: 80 pixels; in the note's own font, in the main note's colour.
    EXPECT_EQ("1", canvas.Ops[0].Text);
    EXPECT_EQ((IntRect{100, 20, 130, 71}), canvas.Ops[0].Box);
    EXPECT_EQ(0x0000FFu, canvas.Ops[0].Colour);
    EXPECT_EQ(kDtCenter | kDtBottom | kDtSingleLine, canvas.Ops[0].Flags);
    // Strokes 12 and 14 units below the duration line (3): from the first's left to the last's right.
    EXPECT_EQ("SSSS", canvas.Ops[1].Text);
    EXPECT_EQ((IntRect{100, 58, 180, 108}), canvas.Ops[1].Box);
    EXPECT_EQ("U", canvas.Ops[2].Text);
    EXPECT_EQ((IntRect{100, 62, 180, 114}), canvas.Ops[2].Box);
    EXPECT_EQ("Tolvane", FaceOf(canvas.Ops[2].Font));

    // The second member: its own note only, in the colour the surface holds.
    canvas.Ops.clear();
    canvas.SetTextColor(0x00FF00);
    Draw(1);
    ASSERT_EQ(1u, canvas.Ops.size());
    EXPECT_EQ((IntRect{140, 20, 170, 71}), canvas.Ops[0].Box);
    EXPECT_EQ(0x00FF00u, canvas.Ops[0].Colour);
}

TEST_F(GraceTest, StrokesPassBeneathTheLowestDotsForEveryOctaveValue) {
    // Largest YG of the group -> units below the duration line of the two strokes.
    const int32_t levels[7][2] = {{12, 14}, {12, 14}, {12, 14}, {12, 14}, {15, 17}, {18, 20}, {22, 24}};
    for (uint8_t yg = 0; yg <= 7; ++yg) {
        SCOPED_TRACE(static_cast<int>(yg));
        Group(2, 0, yg);
        const auto* first = Find("SSSS");
        if (yg == 7) {
            EXPECT_EQ(nullptr, first);
            continue;
        }
        ASSERT_NE(nullptr, first);
        EXPECT_EQ(Px(100 - 80 + (3 + levels[yg][0]) * 2.5), first->Box.Top);
        EXPECT_EQ(Px(100 - 80 + (3 + levels[yg][1]) * 2.5), Find("U")->Box.Top);
    }
    Group(2, 4, 5);  // one low dot and two: the lower decides
    EXPECT_EQ(Px(20 + 21 * 2.5), Find("SSSS")->Box.Top);
    // The member's own dots: two high ones hYg (15) units above it, three low ones 12 below hYc.
    Group(1, 2);
    EXPECT_EQ(Px(20 - 37.5), Find("%")->Box.Top);
    Group(1, 6);
    EXPECT_EQ(Px(20 + 37.5), Find(")")->Box.Top);
}

TEST_F(GraceTest, GroupAfterItsNoteAndGroupsThatDoNotFitTheDocument) {
    Group(5);
    EXPECT_EQ(0x0000FFu, canvas.Ops.at(0).Colour);  // the main note before it
    EXPECT_EQ("T", canvas.Ops.back().Text);
    // Form 4 on the first character: no note before it, the colour stays.
    canvas.Ops.clear();
    Build("12|");
    SetMark(data, 0, 0, 38, 4, 1);
    canvas.SetTextColor(0x123456);
    Draw(0);
    EXPECT_EQ(0x123456u, canvas.Ops.at(0).Colour);
    EXPECT_EQ("T", canvas.Ops.back().Text);
    // A group of three on the last characters: the note, no strokes past the document's end.
    canvas.Ops.clear();
    Build("12|");
    SetMark(data, 1, 0, 38, 3, 1);
    Draw(1);
    EXPECT_EQ(1u, canvas.Ops.size());
    // A font-table entry that is not there: nothing.
    canvas.Ops.clear();
    data.WordInfo[1].EditFont([](tessaly::mLogFont& f) { f.FontTblIndex = 40; });
    Draw(1);
    EXPECT_TRUE(canvas.Ops.empty());
}

}  // namespace
}  // namespace notaline::test
