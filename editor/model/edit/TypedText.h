#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/document/EditorData.h"

namespace notaline {

// What a new character takes from the status record and its font object.
struct InputAttributes {
    std::string FontName;  // code page 936
    float Size = 9;        // points
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;
    int16_t Weight = 400;
    int16_t cf = 0;
    int16_t cb = 0;
    int16_t SelWordSpace = 0;
};

// The character codes of code page 936 text: a byte, or a lead and trail byte as one signed code.
// A lead byte without its trail is dropped.
std::vector<int16_t> CharCodes(std::string_view gbk);

// True when every character of the text is one a notation line is typed with.
bool IsJpText(std::string_view gbk);

std::vector<tessaly::aWordInfo> MakeLyricWords(EditorData& data, const InputAttributes& in, std::string_view gbk);
std::vector<tessaly::aWordInfo> MakeNotationWords(EditorData& data, const InputAttributes& in, std::string_view gbk);

// Typed text by the input state: notation when all of it is notation, else lyrics, switching the
// state to lyrics (true when it switched). Connecting-line state and empty text build nothing.
bool TextToWords(EditorData& data, const InputAttributes& in, std::string_view gbk,
                 std::vector<tessaly::aWordInfo>& out);

// One paragraph end per character of the text, sized and coloured from the character before the
// caret and carrying the attribute marks of the paragraph end that follows it.
std::vector<tessaly::aWordInfo> MakeInputWordInfo(EditorData& data, int32_t selStart, int32_t selLength,
                                                  std::string_view gbk);

// The character and font of a host symbol; Known false for a code with no character.
struct SymbolChar {
    int16_t Code = 0;
    bool NotationFont = false;
    bool Known = false;
};
SymbolChar SymbolForMark(int32_t markCode);

// The record of a host symbol with its mark in slot 0; switches to notation input. False (and the
// state untouched) for an unknown mark code, which must insert nothing.
bool BuildSymbolWord(EditorData& data, const InputAttributes& in, int32_t markCode, int32_t value,
                     tessaly::aWordInfo& out);

}  // namespace notaline
