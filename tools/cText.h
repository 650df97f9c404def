#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "records/Document.h"

namespace tessaly {

// The lexical layer of DaDur lines: control units and text escapes.
// Lines and texts are code page 936 bytes; positions are 1-based byte positions, and a
// double-byte character is always stepped over whole, so its trail byte is never taken for a
// backslash or a brace. Malformed escapes (bad or missing hex digits) are reported through `ok`.
class cText {
public:
    // The control unit that starts at `pos`. `pos` is left on the unit's last byte, so the
    // caller's step of +1 lands on the next unit. At or past the line's last character the unit
    // is empty (number 0) and `pos` stays. `ok` is false, with `pos` unchanged, when the unit
    // holds a malformed escape or a number beyond Single, or when `pos` is below 1.
    static aCtlUnit nCtlUnit(std::string_view line, int32_t& pos, bool& ok);

    // The unescaped text from the start of `text` up to a backslash that begins no escape.
    // `taken` receives the bytes consumed. On a malformed escape `ok` is false, and the result
    // and `taken` cover what came before it.
    static std::string RtfStr2Str(std::string_view text, int32_t& taken, bool& ok);

    // `text` escaped for a DaDur line; `escaped` tells whether any character was escaped.
    static std::string Str2RtfStr(std::string_view text, bool& escaped);

    // A light conversion for plain text: tabs, line breaks and double-byte characters become
    // control words and escapes; backslashes and braces stay as they are.
    static std::string StrToASC(std::string_view text);
};

}  // namespace tessaly
