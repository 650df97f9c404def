#pragma once

#include <cstdint>

#include "records/Records.h"

namespace notaline {

// Paper types of AboutPageInfo.PaperType.
enum PaperType : uint8_t { pA4 = 0, pA3 = 1, pCustom = 9 };

// The zoom's range, and a custom paper's sides in millimetres (page buffers stay within reason).
inline constexpr float kMinZoom = 0.55f;
inline constexpr float kMaxZoom = 2.4f;
inline constexpr int32_t kMaxPaperSide = 1000;
// Page-number sizes (large, middle, small) and positions (none, centre, left, right, outside, inside).
inline constexpr int32_t kMaxPageNumberSize = 2;
inline constexpr int32_t kMaxPagePos = 5;

// Whether the layout can lay out pages of this setup: a known paper and orientation (a custom
// paper of 1 to kMaxPaperSide mm each way), margins of at least 0 that leave room to write, a positive scale.
bool IsUsablePaper(const tessaly::AboutPageInfo& page);
bool MarginsFit(const tessaly::AboutPageInfo& page, const tessaly::RECT& margins);
bool IsUsableScale(float scale);

// A stored page setup made usable by those rules, each value moved as little as they allow: an
// unknown paper or orientation becomes portrait A4, a custom size at least 1 mm each way, margins
// at least 0 and small enough to leave room to write, a scale that is not positive 1. Usable
// values are kept. True when something was repaired.
bool RepairPageSetup(tessaly::AboutPageInfo& page);

}  // namespace notaline
