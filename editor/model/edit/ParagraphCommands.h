#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "model/document/DoArray.h"
#include "model/document/EditorData.h"
#include "model/edit/UndoRedo.h"
#include "model/layout/ParagraphEnds.h"

namespace notaline {

// A field of the paragraph attributes that differs between the selected paragraphs (get), or
// that stays as it is (let).
inline constexpr int32_t kMixedValue = -10001;
// What SelSpacingBefore get answers when the selected paragraphs differ.
inline constexpr int32_t kMixedSpacing = -10000;

// The paragraph attributes of a selection, kept in the slots of the paragraph ends. Each setter
// is one undoable step and changes only the slots a paragraph end already has. A negative length
// means the characters before start. The setters answer whether they changed the document; the
// caller lays out and redraws.
class ParagraphCommands {
public:
    ParagraphCommands(EditorData& data, DoArray& array, UndoRedo& undo);

    // The attributes of the selected paragraphs, kMixedValue where they differ; nullopt when a
    // paragraph end holds a value that does not fit its field.
    std::optional<tessaly::aPartInfo> PartAtt(int32_t start, int32_t length) const;
    // Fields that are kMixedValue stay as they are.
    bool PartAtt(int32_t start, int32_t length, const tessaly::aPartInfo& info);
    // Each selected paragraph's own attributes, in order; those PartAtt reads as differing among
    // them. Empty where PartAtt gives nullopt.
    std::vector<tessaly::aPartInfo> OwnPartAtts(int32_t start, int32_t length) const;

    // The alignment of the selected paragraphs; -1 when they differ.
    int32_t Alignment(int32_t start, int32_t length) const;
    bool Alignment(int32_t start, int32_t length, tessaly::Alignment value);

    // The space before the selected paragraphs; kMixedSpacing when they differ.
    int32_t SelSpacingBefore(int32_t start, int32_t length) const;
    // The keyboard form: repeated changes at one paragraph make one step.
    bool SelSpacingBefore(int32_t start, int32_t length, int32_t value);
    // The space before every selected paragraph.
    bool SelParLineSpace(int32_t start, int32_t length, int32_t value);

private:
    struct Selection {
        int32_t Start = 0;
        int32_t Length = 0;
        bool Ok = false;
    };
    Selection Normalised(int32_t start, int32_t length) const;
    // Beeps when the value does not fit a paragraph's spacing.
    bool SpacingFits(int32_t value) const;
    // The paragraph ends from the one at or after `from` to the one at or after `to`.
    ParagraphSpan Span(int32_t from, int32_t to) const;
    // From the paragraph of the first selected character to that of the last one.
    ParagraphSpan SelectedParagraphs(const Selection& sel) const;
    // The first slot with the code in every paragraph end of the span takes the value.
    void SetFirstSlots(const ParagraphSpan& span, int32_t code, int32_t value);
    // The value of the code in the first paragraph end; `mixed` when another one in the span
    // holds the code with another value.
    int32_t CommonSlotValue(const ParagraphSpan& span, int32_t code, int32_t mixed) const;
    int32_t ParagraphEndsIn(const ParagraphSpan& span) const;
    // A step over the span's characters: the before-image, the edit described to the layout.
    bool Begin(int32_t kind, const ParagraphSpan& span, const Selection& sel, int32_t del);
    // Its after-image: the same characters and selection.
    bool End(int32_t kind, int32_t add);

    EditorData& data_;
    UndoRedo& undo_;
};

}  // namespace notaline
