#pragma once

#include <cstdint>
#include <optional>

#include "model/document/EditorData.h"
#include "model/edit/TypedText.h"
#include "model/layout/SourceLines.h"

namespace notaline {

// Whether Ctrl+Tab may align the caret's character to the source line, given the caret
// paragraph's alignment; when not, the message to show (UTF-8).
bool CanAlignToSource(const EditorData& data, SourceKind kind, int32_t alignment, const char*& message);

// The space that Ctrl+Tab inserts before the caret's character, so that the character lands on
// the next lyric-alignment position.
tessaly::aWordInfo MakeAlignSpaceWord(EditorData& data, const InputAttributes& in);

// The spacing after the character before the caret that puts the caret's character on the next
// bar position; nothing when it starts its line, and nothing (after a beep) when it lies right of
// every position.
std::optional<float> BarAlignmentGap(EditorData& data);

}  // namespace notaline
