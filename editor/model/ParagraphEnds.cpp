#include "model/ParagraphEnds.h"

#include <algorithm>

#include "model/MarkCodes.h"
#include "model/MarkSlots.h"

namespace notaline {

std::optional<tessaly::aPartInfo> GetPartInfoFromCtlWord(const EditorData& data, int32_t i) {
    tessaly::aPartInfo part;
    if (i < 0 || static_cast<size_t>(i) >= data.WordInfo.size()) return part;
    for (const auto& slot : data.WordInfo[static_cast<size_t>(i)].ExtralWordInfo) {
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
    for (int32_t i = std::max(position, 0); i < data.WordCount(); ++i)
        if (data.IsWord(i) && data.WordInfo[static_cast<size_t>(i)].IsJpGcCtl == 3) return i;
    return 0;
}

int32_t FindSelPartCtlWord(const EditorData& data, int32_t start, int32_t length) {
    return FindPartCtlWord(data, start + std::max(length, 1) - 1);
}

}  // namespace notaline
