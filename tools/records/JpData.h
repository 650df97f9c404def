#pragma once
#include <cstdint>
#include <vector>

#include "Document.h"
#include "Playback.h"

namespace tessaly {

// The eight parts of one document, as the readers and writers hand them to
// the editor and take them back, in their exchange order.
struct JpData {
    AboutFileInfo FileInfo{};
    AboutPageInfo PageInfo{};
    aPlayInfo PlayInfo{};
    std::vector<aFontTbl> FontTbl;
    std::vector<uint32_t> ColorTbl;  // &HAABBGGRR
    std::vector<aWordInfo> WordInfo;
    std::vector<aHwWordInfo> HwWordInfo;
    std::vector<XjDrumData> XjDrum;
};

}  // namespace tessaly
