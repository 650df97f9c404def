#pragma once
// Opening and closing the help editing area of the attached-mark side panel.
#include "PanelLayout.h"

namespace tavolin {

inline constexpr double kHelpClosedHeight = 2100, kHelpOpenHeight = 5100;

// Toggles the height of side panel `panel` between the two help heights and moves every side
// panel below it by the difference, in the geometry and in their slots' stored tops. Any other
// height (a collapsed panel) is left alone; false then.
bool ToggleHelpArea(PanelArrangement& panels, FormGeometry& g, int panel);

}  // namespace tavolin
