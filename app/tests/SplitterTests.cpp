#include <gtest/gtest.h>

#include "Splitter.h"

namespace tavolin {
namespace {

FormGeometry Form(double innerHeight) {
    FormGeometry g;
    g.innerHeight = innerHeight;
    g.statusHeight = 300;
    g.top = {200, 100, 12000, 1200};
    g.editor = {200, 1400, 10000, 4000};
    g.splitter = {200, 5400, 10000, 180};
    g.picture = {200, 5580, 10000, 2000};
    return g;
}

TEST(Splitter, DragIsClampedAndTheReleaseSharesTheHeight) {
    const struct {
        const char* name;
        double innerHeight, moveBy, top;
    } rows[] = {
        {"free move", 9000, 500, 5900},
        {"above the editor's minimum", 9000, -5000, 1400 + 1200},
        {"into the status bar", 9000, 5000, 9000 - 300 - 800},
        {"window too small: the editor keeps its minimum", 2500, 0, 1400 + 1200},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        FormGeometry g = Form(r.innerHeight);
        PanelArrangement panels;
        panels.RefPictureShown = 1;
        Splitter s;
        s.MouseDown(Splitter::kLeft, 90);
        ASSERT_TRUE(s.MouseMove(90 + r.moveBy, g));
        EXPECT_EQ(r.top, g.splitter.Top);
        EXPECT_EQ(kSplitterDragHeight, g.splitter.Height);
        EXPECT_EQ(kSplitterDragColour, s.Colour());
        s.MouseUp(Splitter::kLeft, g, panels);
        EXPECT_FALSE(s.Dragging());
        EXPECT_EQ(kSplitterRestHeight, g.splitter.Height);
        EXPECT_EQ(r.top - 1400, g.editor.Height);
        EXPECT_EQ(r.top + kSplitterRestHeight, g.picture.Top);
        EXPECT_GE(g.picture.Height, 0);
        if (r.innerHeight == 9000) {
            EXPECT_EQ(9000 - 300 - g.editor.Height - 180 - 1300 - 100, g.picture.Height);
        }
    }
}

TEST(Splitter, RightButtonOnlyGreysAndNoPictureKeepsItsPlace) {
    FormGeometry g = Form(9000);
    PanelArrangement panels;
    Splitter s;
    s.MouseDown(Splitter::kRight, 90);
    EXPECT_FALSE(s.MouseMove(500, g));
    s.MouseUp(Splitter::kRight, g, panels);
    EXPECT_EQ(4000, g.editor.Height);
    EXPECT_EQ(kSplitterRestColour, s.Colour());

    s.MouseDown(Splitter::kLeft, 0);
    s.MouseMove(-400, g);
    s.MouseUp(Splitter::kLeft, g, panels);
    EXPECT_EQ(3600, g.editor.Height);
    EXPECT_EQ(5580, g.picture.Top) << "without a picture only the editor changes";
}

}  // namespace
}  // namespace tavolin
