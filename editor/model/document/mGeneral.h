#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "model/document/EditorData.h"

namespace notaline {

// The paragraphs an edit of (Start, DelLength) touches, before the edit, into data.InputDat.
// For a change in place DelLength = AddLength = the range's length. Confined: the edit changes
// no character but those it puts in place of the DelLength at Start, so the layout may break
// their paragraph again from their line.
void SetInputDat(EditorData& data, int32_t Start, int32_t DelLength, int32_t AddLength, bool Confined = false);

// The first paragraph end at or after From, -1 when none; read off the lines while they hold the
// document, which in a long paragraph costs its lines, not its characters.
int32_t ParaEndAtOrAfter(const EditorData& data, int32_t From);

int32_t FindParaStartWord(const EditorData& data, int32_t Start);
int32_t FindParaEndWord(const EditorData& data, int32_t Start, int32_t Length);
int32_t FindParaStartLine(const EditorData& data, int32_t Start);
int32_t FindParaEndLine(const EditorData& data, int32_t Start, int32_t Length);

// The line or page holding a character; 0 when none does.
int32_t GetLineOfWord(const EditorData& data, int32_t Index);
int32_t GetPageOfWord(const EditorData& data, int32_t Index);
// The line holding a character, when the layout has placed it on one.
std::optional<tessaly::aLineInfo> LineOfWord(const EditorData& data, int32_t word);
// The last character of a line that exists in the document.
int32_t LastWordOfLine(const EditorData& data, const tessaly::aLineInfo& line);

// The character of a line a vertical caret move lands on: the first whose centre is at or after X.
int32_t GetWordIndexAtX(const EditorData& data, int32_t Line, int16_t X);

// 1 Shift, 2 Ctrl, 4 Alt; and 1 left, 2 right, 4 middle button; read at the moment of the call.
int16_t GetShiftState(const EditorData& data);
int16_t GetMouseButtons(const EditorData& data);
bool IsKeyDown(const EditorData& data, int32_t VirtualKey);

// The halves of a packed mark value: the remainder by 65536 with the value's sign, and the
// signed upper 16 bits.
int32_t GetLoWord(int32_t Value);
int32_t GetHiWord(int32_t Value);

// a * b / c rounded half away from zero, as the window system's MulDiv; -1 when c is 0 or the
// result does not fit.
int32_t MulDiv(int32_t a, int32_t b, int32_t c);

// Whether a duration may be given to the character.
bool CanSetYcOnWord(const EditorData& data, int32_t Index);

// The system's beep, when the control has the system's services.
void BeepOn(const EditorData& data);

// Whether a normal file of that name exists; any error gives false.
bool FileExists(std::u16string_view Path);

}  // namespace notaline
