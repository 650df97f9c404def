#pragma once

#include <cstdint>

#include "records/Records.h"

namespace notaline {

// Paper types of AboutPageInfo.PaperType.
enum PaperType : uint8_t { pA4 = 0, pA3 = 1, pCustom = 9 };

// Whether the layout can lay out pages of this setup: a known paper and orientation (a custom
// paper of positive size), margins of at least 0 that leave room to write, a positive scale.
bool IsUsablePaper(const tessaly::AboutPageInfo& page);
bool MarginsFit(const tessaly::AboutPageInfo& page, const tessaly::RECT& margins);
bool IsUsableScale(float scale);

// A stored page setup made usable by those rules, each value moved as little as they allow: an
// unknown paper or orientation becomes portrait A4, a custom size at least 1 mm each way, margins
// at least 0 and small enough to leave room to write, a scale that is not positive 1. Usable
// values are kept. True when something was repaired.
bool RepairPageSetup(tessaly::AboutPageInfo& page);

}  // namespace notaline
