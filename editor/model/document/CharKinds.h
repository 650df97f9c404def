#pragma once

#include <cstdint>

#include "model/document/EditorData.h"

namespace notaline {

// Character kinds (aWordInfo.IsJpGcCtl).
inline constexpr uint8_t kCharText = 0;     // lyric or text
inline constexpr uint8_t kCharNote = 1;     // notation character
inline constexpr uint8_t kCharSymbol = 2;   // symbol in the notation font; a note wherever notes are tested
inline constexpr uint8_t kCharParaEnd = 3;  // paragraph end; its slots hold the paragraph's attributes

// Reads no vertical box, so asking about a far character settles nothing.
inline bool IsParaEnd(const EditorData& data, int32_t Index) {
    return data.IsWord(Index) && data.WordInfo.Stored(static_cast<size_t>(Index)).IsJpGcCtl == kCharParaEnd;
}

}  // namespace notaline
