#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "model/document/EditorData.h"
#include "model/document/WordRange.h"
#include "model/document/mGeneral.h"
#include "model/edit/UndoRedo.h"

namespace notaline {

// The font the host's font dialog shows and returns; the control wraps it in its font object.
struct StdFontInfo {
    std::string FaceName;  // code page 936
    float Size = 0;        // points
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool Strikethrough = false;
    int16_t Charset = 0;
};

// The character whose value an empty range at `start` answers: the one before the caret, or the
// one at the caret when a paragraph end comes before it, the first at the start; -1 when the caret
// stands between two paragraph ends (or after the last character), where the default answers.
int32_t CaretReference(const EditorData& data, int32_t start);

// One recorded change in place, a characters step: the images cover before.FirstWord..LastWord, the
// layout is told of InputStart..InputStart + InputLength - 1, then `change` edits the characters.
// Confined: `change` edits no character outside that range. False when the change would alter
// nothing (no step) or the journal refused the step; the document is then as it was.
template <class Change>
bool RecordWordStep(EditorData& data, UndoRedo& undo, const aUndoRange& before, const aUndoRange& after,
                    int32_t InputStart, int32_t InputLength, Change&& change, bool confined = false);

// The look of the characters of a range: colours, font, size, styles, duration and octave, and
// the octave-dot and duration-line heights of one font-table row. Every setter is one undo step.
class CharAttributes {
public:
    CharAttributes(EditorData& data, UndoRedo& undo) : data_(data), undo_(undo) {}

    // Colour values (not indexes); 0 in connecting-line state or when the characters differ.
    uint32_t SelForeColor(int32_t start, int32_t length) const;
    bool SelForeColor(int32_t start, int32_t length, uint32_t colour);
    uint32_t SelBackColor(int32_t start, int32_t length) const;
    bool SelBackColor(int32_t start, int32_t length, uint32_t colour);
    uint32_t SelWordBkColor(int32_t start, int32_t length) const;
    // Paragraph ends keep no background.
    bool SelWordBkColor(int32_t start, int32_t length, uint32_t colour);
    bool DelBackColor(int32_t start, int32_t length);

    bool Bold(int32_t start, int32_t length) const;
    bool Bold(int32_t start, int32_t length, bool value);
    bool Italic(int32_t start, int32_t length) const;
    bool Italic(int32_t start, int32_t length, bool value);
    // Only text characters and symbols take an underline, only text characters a strike-out.
    bool Underline(int32_t start, int32_t length) const;
    bool Underline(int32_t start, int32_t length, bool value);
    bool StrikeOut(int32_t start, int32_t length) const;
    bool StrikeOut(int32_t start, int32_t length, bool value);

    // Code page 936 face names; symbols and paragraph ends keep the notation font.
    std::string SelFontName(int32_t start, int32_t length) const;
    bool SelFontName(int32_t start, int32_t length, std::string_view name);
    float SelFontSize(int32_t start, int32_t length) const;
    // Widens the editor's selection to whole grace-note groups when it is the range given.
    bool SelFontSize(int32_t start, int32_t length, float size);
    StdFontInfo StdFont(int32_t start, int32_t length, uint32_t& SelColor) const;
    bool StdFont(int32_t start, int32_t length, uint32_t SelColor, const StdFontInfo& font);

    // An empty range beeps and changes nothing.
    uint8_t WordYC(int32_t start, int32_t length) const;
    bool WordYC(int32_t start, int32_t length, int32_t value);
    uint8_t WordYg(int32_t start, int32_t length) const;
    bool WordYg(int32_t start, int32_t length, int32_t value);

    // EditFontTbl's octave-dot and duration-line heights into font-table row EditFontTblIndex.
    bool ChangFontTbl();

private:
    const StoredWord& Word(int32_t i) const { return data_.WordInfo[static_cast<size_t>(i)]; }
    // What an empty range answers: the character before the caret, at the start the first one.
    int32_t Reference(int32_t start) const { return start > 0 ? start - 1 : 0; }
    uint32_t ColourOf(int32_t index) const;
    uint32_t BackColour(int32_t start, int32_t length) const;
    const std::string& FaceOf(int32_t fontIndex) const;
    uint8_t CommonByte(int32_t start, int32_t length, uint8_t StoredWord::*field) const;
    bool StyleOf(int32_t start, int32_t length, uint8_t tessaly::mLogFont::*field) const;
    template <class Test>
    bool AllWords(int32_t start, int32_t length, Test&& test) const;
    template <class Change>
    bool SetWords(int32_t start, int32_t length, bool resized, Change&& change);
    bool SetColourIndex(int32_t start, int32_t length, uint32_t colour, bool fore);
    bool SetStyle(int32_t start, int32_t length, uint8_t tessaly::mLogFont::*field, bool value, uint8_t kinds);
    template <class Applies>
    bool SetByte(int32_t start, int32_t length, int32_t value, int32_t most, uint8_t StoredWord::*field,
                 Applies&& applies);
    void SetHeight(int32_t i, int32_t height);

    EditorData& data_;
    UndoRedo& undo_;
};

template <class Change>
bool RecordWordStep(EditorData& data, UndoRedo& undo, const aUndoRange& before, const aUndoRange& after,
                    int32_t InputStart, int32_t InputLength, Change&& change, bool confined) {
    if (!ChangesWords(data, before.FirstWord, before.LastWord, change)) return false;
    undo.EndPendingStep();
    if (!undo.Begin(kStepWords, before)) return false;
    SetInputDat(data, InputStart, InputLength, InputLength, confined);
    change();
    return undo.Finish(kStepWords, after);
}

}  // namespace notaline
