#include "PanelDrop.h"

#include <utility>

namespace tavolin {

bool DropPanel(PanelArrangement& panels, const FormGeometry& g, int dragPanelIndex, double offset) {
    if (dragPanelIndex < 0 || dragPanelIndex >= kSidePanels) return false;
    auto& slots = panels.PanelStates;
    const size_t slot = static_cast<size_t>(panels.FindPanelSlot(dragPanelIndex));
    if (slot >= slots.size()) return false;
    slots[slot].PanelTop = static_cast<float>(g.side[dragPanelIndex].Top + offset);
    // Exchange sort: equal tops keep their order.
    for (size_t i = 0; i < slots.size(); ++i)
        for (size_t j = i + 1; j < slots.size(); ++j)
            if (slots[i].PanelTop > slots[j].PanelTop) std::swap(slots[i], slots[j]);
    return true;
}

}  // namespace tavolin
