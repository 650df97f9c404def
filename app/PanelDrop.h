#pragma once
// Dropping a dragged side panel: its new top reorders the slots. The caller then re-stacks the
// panels and stores the order (SavePanelState).
#include "PanelLayout.h"

namespace tavolin {

// offset: how far the drop point lies below the dragged panel's top. False when the panel has
// no slot, which leaves the order as it was.
bool DropPanel(PanelArrangement& panels, const FormGeometry& g, int dragPanelIndex, double offset);

}  // namespace tavolin
