#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// Code page 936 (GBK): the one place where document text meets Unicode. Document text stays
// GBK bytes everywhere else; conversion never depends on the process's ANSI code page.
namespace tessaly {

// nullopt for any sequence that is not valid code page 936 (a lone or trailing lead byte, a bad
// trail byte), never a replacement character.
std::optional<std::u16string> Cp936ToUtf16(std::string_view gbk);
// For text only shown: each character that is not valid code page 936 becomes U+FFFD.
std::u16string Cp936ToUtf16Replacing(std::string_view gbk);

// nullopt when a character has no code page 936 form (no best-fit substitutes), or for an
// unpaired surrogate.
std::optional<std::string> Utf16ToCp936(std::u16string_view text);

// Strict UTF-8 (no overlongs, surrogates or values above U+10FFFF); sources and tests use it.
std::optional<std::u16string> Utf8ToUtf16(std::string_view utf8);
std::optional<std::string> Utf16ToUtf8(std::u16string_view text);

inline bool IsGbkLeadByte(uint8_t b) {
    return b >= 0x81 && b <= 0xFE;
}
inline bool IsGbkTrailByte(uint8_t b) {
    return b >= 0x40 && b <= 0xFE && b != 0x7F;
}

// Bytes of the character that starts at byte i: 2 for a lead byte followed by a trail byte,
// 1 otherwise (a lead byte without a valid trail stands alone), 0 at or past the end.
// Scanners step by this so a trail byte such as 0x5C is never read as a backslash.
inline size_t GbkCharLength(std::string_view text, size_t i) {
    if (i >= text.size()) return 0;
    if (i + 1 < text.size() && IsGbkLeadByte(static_cast<uint8_t>(text[i])) &&
        IsGbkTrailByte(static_cast<uint8_t>(text[i + 1])))
        return 2;
    return 1;
}

// The longest head of `text` of at most `room` bytes that splits no character: a fixed-size
// field cut inside a character would hold a lead byte that joins whatever follows it.
size_t FittingLength(std::string_view text, size_t room);

// Fills a fixed-size text field with the head of `text` that fits whole, zeros after it.
void FillTextField(std::span<uint8_t> field, std::string_view text);
template <size_t N>
void FillTextField(uint8_t (&field)[N], std::string_view text) {
    FillTextField(std::span<uint8_t>(field, N), text);
}

// The characters of a GBK text, each a view of its one or two bytes.
std::vector<std::string_view> SplitGbkChars(std::string_view text);

// A character's code as the document stores it (aWordInfo::WdAsc): 0 to 255 for a single byte,
// the lead byte in the high half for a double-byte character (宋 "\xCB\xCE" is -13362).
// nullopt unless `ch` is exactly one character.
std::optional<int16_t> WdAscFromGbk(std::string_view ch);

// The bytes of a character code: one byte for 0 to 255, two for a negative code whose halves
// are a lead and a trail byte; nullopt otherwise (256 to 32767 name no character).
std::optional<std::string> GbkFromWdAsc(int16_t code);
// Whether GbkFromWdAsc gives the code's bytes.
inline bool HasGbkForm(int16_t code) {
    const auto bits = static_cast<uint16_t>(code);
    return bits <= 0xFF ||
           (IsGbkLeadByte(static_cast<uint8_t>(bits >> 8)) && IsGbkTrailByte(static_cast<uint8_t>(bits)));
}

}  // namespace tessaly
