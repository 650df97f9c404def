#pragma once
// Small helpers of the main window: word halves, colours, numeric keys, font-size names, the keys
// typed as marks and the command line.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tavolin {

int32_t GetLoWord(int32_t x);
int32_t GetHiWord(int32_t x);

// An ARGB value from an alpha and an OLE colour (red in its low byte); the colour's top byte is
// ignored.
int32_t SwapColorBytes(uint8_t alpha, int32_t colour);

// The key a numeric box keeps: Backspace, digits, and one "." when the text has none; else 0.
int16_t NumKeyFilter(int16_t keyAscii, std::wstring_view text);

// The Chinese name of a point size, empty when it has none.
std::wstring FontSizeName(float size);
// The points of a size name, or the number at the start of any other text (0 when none).
float FontSizeValue(std::wstring_view text);

// The mark a character typed in notation mode stands for, 0 when it stays a character.
int32_t TypedMarkCode(int32_t keyAscii);

// The document path named on the command line (the text after the program's name): quotes are
// stripped only when both ends have one; nothing for fewer than two characters.
std::optional<std::wstring> CommandLinePath(std::wstring_view args);

}  // namespace tavolin
