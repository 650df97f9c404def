#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "model/document/EditorData.h"

namespace notaline {

// Size of the first character of `Text` drawn with GDI+ in the character font `Font`, at the
// screen zoom, to hundredths. A space measures as "2". `Flag` has no effect.
tessaly::SIZEF MeasureWordGdip(const EditorData& data, const tessaly::mLogFont& Font, std::string_view Text,
                               int32_t Flag = 0);

// Size of `Text` drawn with GDI in the character font `Font`, without the zoom.
tessaly::SIZEF MeasureWordGdi(const EditorData& data, const tessaly::mLogFont& Font, std::string_view Text);

// A character's code as the code page 936 bytes a font is asked for: a code above 255 is a
// lead and a trail byte. E009 is asked for as ")".
std::string CodeText(int16_t code);

// The logical height (negative: character height) of a size in points at the host window's DPI.
int32_t PointToLogHeight(const EditorData& data, float Points);

// Code page 936 text as the UTF-16 that a font of this character set draws: in the symbol set each
// code b is U+F000 + b and a two-byte code F0 xx is U+F0xx. Empty when the text is not valid.
std::u16string TextForCharset(std::string_view gbk, uint8_t charset);

}  // namespace notaline
