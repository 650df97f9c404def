#pragma once

#include <cstdint>
#include <optional>

#include "model/document/EditorData.h"

namespace notaline {

// The attributes a paragraph end keeps in its slots (codes 155 to 161). nullopt when an indent or
// spacing value does not fit 16 bits.
std::optional<tessaly::aPartInfo> GetPartInfoFromCtlWord(const EditorData& data, int32_t i);

// The first paragraph end at or after position; 0 when none.
int32_t FindPartCtlWord(const EditorData& data, int32_t position);

// The first paragraph end at or after the selection's last character; 0 when none.
int32_t FindSelPartCtlWord(const EditorData& data, int32_t start, int32_t length);

// The first paragraph end at or after position; -1 when none.
int32_t ParagraphEndFrom(const EditorData& data, int32_t position);

// The paragraph ends a command over a stretch of characters acts on: from the one at or after
// `from` to the one at or after `to`. A position behind the last paragraph end belongs to the
// last paragraph. First is -1 only when the document has no paragraph end.
struct ParagraphSpan {
    int32_t First = -1;
    int32_t Last = -1;
    bool Empty() const { return First < 0; }
};
ParagraphSpan ParagraphEndSpan(const EditorData& data, int32_t from, int32_t to);

// Copies the code and the first two values of all eight slots (not the texts) from one character
// to another, as a paragraph end that takes over another paragraph's attributes does.
void CopyExtralSlots(EditorData& data, int32_t destination, int32_t source);

}  // namespace notaline
