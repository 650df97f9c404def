// Feeds arbitrary bytes to the ZoRiv reader. Whatever it accepts must write again, and what was
// written must read back to records that write the same bytes again.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "ZoRivFormat.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tessaly::JpData doc;
    if (!tessaly::ParseZoRiv({data, size}, 1.5, doc, nullptr).Ok()) return 0;
    std::vector<uint8_t> bytes;
    if (!tessaly::FormatZoRiv(doc, 1.5, bytes, nullptr).Ok()) std::abort();
    tessaly::JpData again;
    if (!tessaly::ParseZoRiv(bytes, 1.5, again, nullptr).Ok()) std::abort();
    if (again.WordInfo.size() != doc.WordInfo.size() || again.PlayInfo.Track.size() != doc.PlayInfo.Track.size())
        std::abort();
    std::vector<uint8_t> second;
    if (!tessaly::FormatZoRiv(again, 1.5, second, nullptr).Ok() || second != bytes) std::abort();
    return 0;
}
