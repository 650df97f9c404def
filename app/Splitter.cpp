#include "Splitter.h"

#include <algorithm>

namespace tavolin {

void Splitter::MouseDown(int button, double y) {
    if (button != kLeft) return;
    dragging_ = true;
    downY_ = y;
}

bool Splitter::MouseMove(double y, FormGeometry& g) const {
    if (!dragging_) return false;
    double newTop = g.splitter.Top + y - downY_;
    const double lowest = g.innerHeight - g.statusHeight - 800;
    newTop = std::min(newTop, lowest);
    // In a window too small for both limits the editor keeps its minimum rather than going negative.
    newTop = std::max(newTop, g.editor.Top + kEditorMinimum);
    g.splitter.Top = newTop;
    g.splitter.Height = kSplitterDragHeight;
    colour_ = kSplitterDragColour;
    return true;
}

void Splitter::MouseUp(int button, FormGeometry& g, const PanelArrangement& panels) {
    if (button == kLeft) {
        dragging_ = false;
        g.splitter.Height = kSplitterRestHeight;
        g.editor.Height = g.splitter.Top - g.editor.Top;
        if (panels.RefPictureShown == 1) {
            g.picture.Top = g.splitter.Top + g.splitter.Height;
            const double topH = panels.TopBarShown ? g.top.Height : 0;
            g.picture.Height = std::max(
                0.0, g.innerHeight - g.statusHeight - g.editor.Height - g.splitter.Height - (g.top.Top + topH) - 100);
        }
    }
    colour_ = kSplitterRestColour;
}

}  // namespace tavolin
