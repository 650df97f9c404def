#include "model/layout/ParagraphEnds.h"

#include <algorithm>

#include "model/document/MarkCodes.h"
#include "model/document/MarkSlots.h"
#include "model/document/mGeneral.h"
#include "model/layout/LineBreaker.h"

namespace notaline {

namespace {

int32_t LastParagraphEnd(const EditorData& data) {
    for (int32_t i = data.WordCount() - 1; i >= 0; --i)
        if (IsParaEnd(data, i)) return i;
    return -1;
}

int32_t ParagraphEndOrLast(const EditorData& data, int32_t position) {
    const int32_t end = ParagraphEndFrom(data, position);
    return end >= 0 ? end : LastParagraphEnd(data);
}

}  // namespace

std::optional<tessaly::aPartInfo> GetPartInfoFromCtlWord(const EditorData& data, int32_t i) {
    tessaly::aPartInfo part;
    if (i < 0 || static_cast<size_t>(i) >= data.WordInfo.size()) return part;
    // As stored: reading the attributes of a far paragraph end must not place the characters
    // up to it.
    for (const auto& slot : data.WordInfo.Stored(static_cast<size_t>(i)).ExtralWordInfo) {
        const int32_t v = slot.ExtralWordVal1;
        int16_t* field = nullptr;
        switch (slot.IndexType) {
            case kMarkLeftIndent: field = &part.LeftIndentation; break;
            case kMarkRightIndent: field = &part.RightIndentation; break;
            case kMarkFirstLineIndent: field = &part.FirstLineIndentation; break;
            case kMarkSpacingBefore: field = &part.SpacingBefore; break;
            case kMarkSpacingAfter: field = &part.SpacingAfter; break;
            case kMarkLineSpace: field = &part.LineSpace; break;
            case kMarkAlignment: part.AlignmentMethod = static_cast<tessaly::Alignment>(v); break;
            default: break;
        }
        if (!field) continue;
        if (v < INT16_MIN || v > INT16_MAX) return std::nullopt;
        *field = static_cast<int16_t>(v);
    }
    return part;
}

int32_t FindPartCtlWord(const EditorData& data, int32_t position) {
    return std::max(ParagraphEndFrom(data, position), 0);
}

int32_t FindSelPartCtlWord(const EditorData& data, int32_t start, int32_t length) {
    return FindPartCtlWord(data, start + std::max(length, 1) - 1);
}

int32_t ParagraphEndFrom(const EditorData& data, int32_t position) {
    return ParaEndAtOrAfter(data, std::max(position, 0));
}

ParagraphSpan ParagraphEndSpan(const EditorData& data, int32_t from, int32_t to) {
    ParagraphSpan span;
    span.First = ParagraphEndOrLast(data, from);
    span.Last = std::max(ParagraphEndOrLast(data, to), span.First);
    return span;
}

void CopyExtralSlots(EditorData& data, int32_t destination, int32_t source) {
    if (!data.IsWord(destination) || !data.IsWord(source)) return;
    const MarkSlotArray from = data.WordInfo[static_cast<size_t>(source)].Marks();
    data.WordInfo[static_cast<size_t>(destination)].EditMarks([&](MarkSlotArray& to) {
        for (int32_t s = 0; s < kSlotCount; ++s) {
            to[s].IndexType = from[s].IndexType;
            to[s].ExtralWordVal1 = from[s].ExtralWordVal1;
            to[s].ExtralWordVal2 = from[s].ExtralWordVal2;
        }
    });
}

}  // namespace notaline
