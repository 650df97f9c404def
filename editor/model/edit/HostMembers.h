#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "model/document/EditorData.h"
#include "model/edit/UndoRedo.h"

namespace notaline {

// What the control's host members decide, apart from the COM face that calls them.

// The zoom a host asks for, cut to two decimals and kept within 0.55 to 2.4; Beep when it was not.
struct ZoomStep {
    float Scale = 1;
    bool Beep = false;
};
ZoomStep ClampZoom(float value);

// The suggested file name from the first line: code page 936 bytes of its text characters,
// spaces, paragraph ends and notation-font symbols left out, characters a file name cannot hold
// replaced by "_", at most 32 characters.
std::string DefaultFileName(const EditorData& data);

// Whether the selection (or the caret character when the length is 0) takes an octave or a
// duration; a negative length takes neither.
bool CanSetWordYg(const EditorData& data, int32_t start, int32_t length);
bool CanSetWordYc(const EditorData& data, int32_t start, int32_t length);
// Whether the selection, read forwards, may be stacked vertically.
bool CanShuPaiWord(const EditorData& data, int32_t start, int32_t length);

// The paired marks whose end the caret character may carry with its start in an earlier paragraph.
enum class PairKind { OpenVolta, Arc, Tuplet, Volta };
bool PairEndRight(const EditorData& data, int32_t caret, PairKind kind);

// The caret character's stacking space rounded to the nearest, halves to even; -1000 unstacked.
int16_t WordShuPaiSpace(const EditorData& data, int32_t caret);
// A Single handed to the host as Integer: nearest, halves to even, kept within 16 bits.
int16_t RoundToInteger(double value);

// The proposed height of a new arc over the selection, in slot units: from the distance of the
// last selected character's centre from the first's, 0 when it lies left or beyond 3.5 widths.
float ArcHeight(const EditorData& data, int32_t start, int32_t length);

// Everything but the final paragraph end.
void SelectAll(EditorData& data);

// One undo step each; false when nothing changed (refused, or nothing to change).
// Lyric "0" to "7" and "-" of the selection become notation characters; a backward selection is
// made forward first.
bool TurnToYFWord(EditorData& data, UndoRedo& undo);
// The mark code of one slot.
bool SetExtralType(EditorData& data, UndoRedo& undo, int32_t word, int32_t slot, int32_t code);
// The play settings' metre into the first time-signature mark.
bool ApplyPlayTimeSignature(EditorData& data, UndoRedo& undo);

// Whether a line may be the lyric-alignment source (notes to align to) or the bar-alignment
// source (bar lines to align to).
bool IsLyricSourceLine(const EditorData& data, int32_t line);
bool IsBarSourceLine(const EditorData& data, int32_t line);

}  // namespace notaline
