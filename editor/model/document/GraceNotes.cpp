#include "model/document/GraceNotes.h"

#include <string>

#include "model/document/CharKinds.h"
#include "model/document/MarkCodes.h"
#include "model/document/MarkSlots.h"
#include "model/document/mGeneral.h"
#include "records/Numbers.h"

namespace notaline {

namespace {

int32_t GroupValue(const EditorData& data, int32_t word) {
    return GetExtralWordInfo(data, word, kMarkGraceNote).ExtralWordVal1;
}

}  // namespace

int32_t GetGraceNoteCode(const EditorData& data, int32_t word) {
    const auto slot = GetExtralWordInfo(data, word, kMarkGraceNote);
    return tessaly::CLng(tessaly::Val(std::to_string(slot.ExtralWordVal1) + std::to_string(slot.ExtralWordVal2)));
}

bool IsGraceNoteJoined(const EditorData& data, int32_t word) {
    const int32_t group = GroupValue(data, word);
    if (group >= 1 && group <= 3) return true;
    // A group after its main note never reaches back over a paragraph end: paragraphs are laid
    // out one by one, and the next one's first character must not change this one's lines.
    if (word >= data.WordCount() - 1 || IsParaEnd(data, word)) return false;
    return GroupValue(data, word + 1) >= 4;
}

bool CheckGraceNoteDrop(EditorData& data, int32_t position) {
    if (position < 1) return true;
    if (HasExtralType(data, position - 1, kMarkGraceNote) && HasExtralType(data, position, kMarkGraceNote)) {
        BeepOn(data);
        return false;
    }
    return true;
}

void FixGraceNoteGroup(EditorData& data) {
    WidenToGraceGroups(data, data.SelStart, data.SelLength);
}

void WidenToGraceGroups(const EditorData& data, int32_t& start, int32_t& length) {
    if (length < 0) {
        length = -length;
        start -= length;
    }
    if (length == 0) return;

    switch (GetGraceNoteCode(data, start)) {
        case 21:
        case 51:
            if (length == 1) length = 2;
            break;
        case 22:
        case 32:
        case 52:
        case 62:
            start -= 1;
            length += 1;
            break;
        case 31:
        case 61:
            if (length == 1 || length == 2) length = 3;
            break;
        case 33:
        case 63:
            start -= 2;
            length += 2;
            break;
        default: break;
    }

    switch (GetGraceNoteCode(data, start + length - 1)) {
        case 21:
        case 51:
        case 32:
        case 62: length += 1; break;
        case 31:
        case 61: length += 2; break;
        default: break;
    }
}

}  // namespace notaline
