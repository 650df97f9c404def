#pragma once

#include <cstdint>

#include "records/PageRules.h"
#include "records/Records.h"

namespace notaline {

using tessaly::IsUsablePageSetup;
using tessaly::IsUsablePaper;
using tessaly::IsUsableScale;
using tessaly::kMaxPaperSide;
using tessaly::kMaxZoom;
using tessaly::kMinZoom;
using tessaly::MarginsFit;
using tessaly::pA3;
using tessaly::pA4;
using tessaly::pCustom;

// Page-number sizes (large, middle, small) and positions (none, centre, left, right, outside, inside).
inline constexpr int32_t kMaxPageNumberSize = 2;
inline constexpr int32_t kMaxPagePos = 5;

// A stored page setup made usable by those rules, each value moved as little as they allow: an
// unknown paper or orientation becomes portrait A4, a custom size at least 1 mm each way, margins
// at least 0 and small enough to leave room to write, a scale that is not positive 1. Usable
// values are kept. True when something was repaired.
bool RepairPageSetup(tessaly::AboutPageInfo& page);

}  // namespace notaline
