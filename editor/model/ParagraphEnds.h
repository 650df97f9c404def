#pragma once

#include <cstdint>
#include <optional>

#include "model/EditorData.h"

namespace notaline {

// The attributes a paragraph end keeps in its slots (codes 155 to 161). nullopt when an indent or
// spacing value does not fit 16 bits.
std::optional<tessaly::aPartInfo> GetPartInfoFromCtlWord(const EditorData& data, int32_t i);

// The first paragraph end at or after position; 0 when none.
int32_t FindPartCtlWord(const EditorData& data, int32_t position);

// The first paragraph end at or after the selection's last character; 0 when none.
int32_t FindSelPartCtlWord(const EditorData& data, int32_t start, int32_t length);

}  // namespace notaline
