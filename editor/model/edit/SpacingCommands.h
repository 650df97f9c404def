#pragma once

#include <cstdint>

#include "model/document/EditorData.h"
#include "model/edit/UndoRedo.h"

namespace notaline {

// What the spacing and raise getters answer when the characters differ.
inline constexpr float MixedValue = -10001.0f;

// Extra space after characters, their raise, and vertical stacks of characters. The nudges of
// the keyboard and repeated raises on one range coalesce into one undo step.
class SpacingCommands {
public:
    SpacingCommands(EditorData& data, UndoRedo& undo) : data_(data), undo_(undo) {}

    // Paragraph ends do not count when the values of a range are compared.
    float SelWordSpace(int32_t start, int32_t length) const;
    // An empty range gives the value to the character at the caret.
    bool SelWordSpace(int32_t start, int32_t length, float value);
    // Adds delta to each character's space; presses on one range make one step.
    bool SetWordSpace(int32_t start, int32_t length, int32_t delta);
    float UpSpace(int32_t start, int32_t length) const;
    // Raises on one range in a row make one step.
    bool UpSpace(int32_t start, int32_t length, float value);

    // The stacking of the editor's selection: (0, 0) unless it is one stack's run.
    tessaly::aShuPai ShuPai() const;
    // Numbers the selection as a stack counting up (Number 1) or down (any other non-zero), or
    // with Number 0 dissolves every stack the selection touches; true when it recorded a step.
    bool ShuPai(const tessaly::aShuPai& value);
    // ShuPai let with a caret taken as its one character; true when it recorded a step.
    bool MustFormatShuPai(int32_t FormatType, int32_t tSpace);

    tessaly::FontExInfo FontExInfo() const;
    // Stacking, spacing and raise of the selection, each its own step.
    void FontExInfo(const tessaly::FontExInfo& info);

private:
    const StoredWord& Word(int32_t i) const { return data_.WordInfo[static_cast<size_t>(i)]; }
    aUndoRange SpaceRange(int32_t start, int32_t length) const;
    bool Stack(int32_t number, float space);
    void StackRange(int32_t selStart, int32_t selLength, int32_t& first, int32_t& last) const;
    template <class Change>
    bool Coalesce(int32_t pendingKind, int32_t stepKind, const aUndoRange& before, const aUndoRange& after,
                  Change&& change);

    EditorData& data_;
    UndoRedo& undo_;
};

}  // namespace notaline
