#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace tessaly {

// A control unit seen in place: word and text point into the line, or into
// the scratch strings when the text had to be unescaped.
struct UnitView {
    std::string_view word;
    float value = 0;
    std::string_view text;
};

struct UnitScratch {
    std::string word;
    std::string text;
};

// The unit at `pos`, exactly as cText::nCtlUnit cuts it (same unit, same new
// position, same failures), but without copying the common plain forms. The
// views stay valid until the next call with the same scratch.
bool NextUnit(std::string_view line, int32_t& pos, UnitView& unit, UnitScratch& scratch);

}  // namespace tessaly
