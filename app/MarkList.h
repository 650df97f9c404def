#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The caret character's marks as the side panel lists them: the blank-filled names, the list
// position → slot map, and which of the panel's eight buttons fit a mark.
namespace tavolin {

inline constexpr size_t kMarkNameWidth = 10;  // characters, not bytes

// A mark's name cut or blank-filled to ten characters; codes without a name give ten NULs, the
// empty name ten blanks.
std::u16string PaddedMarkName(int32_t code);

inline constexpr std::u16string_view kArcStartName = u"弧线起点";
inline constexpr std::u16string_view kArcEndName = u"弧线落点";

struct MarkList {
    std::vector<std::u16string> entries;
    std::vector<int8_t> slots;  // slot of each entry: a removed mark leaves its slot empty in place
    std::vector<int32_t> codes;
};

// numberArcEnds: the status update numbers arc ends too and leaves out blank names.
MarkList BuildMarkList(const std::array<int32_t, 8>& slotCodes, bool numberArcEnds);

// The code an entry names: numbered arc entries name the arc start or end; 0 when none does.
int32_t CodeOfEntry(std::u16string_view entry);

// The editor's answers some masks depend on, for the caret character.
struct MarkFacts {
    virtual ~MarkFacts() = default;
    virtual int32_t CanDelYY() const = 0;
    virtual bool CanDelAreaInfo(int32_t code) const = 0;
    virtual bool IsKhHuXianRight() const = 0;
    virtual bool IsKhLingYingRight() const = 0;
    virtual bool IsKHTFZRight() const = 0;
    virtual bool IsKfKhTFZRight() const = 0;
    virtual int32_t SelLength() const = 0;
};

// Bits 0-5 the value buttons, bit 6 delete, bit 7 help editing.
using ButtonMask = uint8_t;
ButtonMask SetExtralButtons(int32_t code, const MarkFacts& facts);
// The mask written as the panel's eight "0"/"1" characters.
std::string MaskText(ButtonMask mask);

// Marks removed with their partner as one range.
bool IsRangeDeleteCode(int32_t code);

}  // namespace tavolin
