#include "HelpArea.h"

namespace tavolin {

bool ToggleHelpArea(PanelArrangement& panels, FormGeometry& g, int panel) {
    if (panel < 0 || panel >= kSidePanels) return false;
    TwipsRect& self = g.side[panel];
    double height = 0;
    if (self.Height == kHelpOpenHeight)
        height = kHelpClosedHeight;
    else if (self.Height == kHelpClosedHeight)
        height = kHelpOpenHeight;
    else
        return false;
    const double shift = height - self.Height;
    self.Height = height;
    for (PanelState& slot : panels.PanelStates)
        if (slot.PanelTop == static_cast<float>(self.Top)) slot.PanelHeight = static_cast<float>(height);
    // A lower panel's stored top is its own slot's, wherever the slots stand.
    for (int j = 0; j < kSidePanels; ++j) {
        if (j == panel || g.side[j].Top <= self.Top) continue;
        g.side[j].Top += shift;
        const int slot = panels.FindPanelSlot(j);
        if (slot < static_cast<int>(panels.PanelStates.size()))
            panels.PanelStates[static_cast<size_t>(slot)].PanelTop += static_cast<float>(shift);
    }
    return true;
}

}  // namespace tavolin
