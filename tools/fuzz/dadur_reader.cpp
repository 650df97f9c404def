// Reads arbitrary bytes as a DaDur file, then writes what was read and reads that back: neither
// may crash, read out of bounds or leak, and what the writer wrote must read back to records that
// write the same bytes again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "DaDurReader.h"
#include "DaDurWriter.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tessaly::NoDaDurSystem system({"tolvane"}, 1.25, 120);
    tessaly::DaDurReader reader(system, system.ZoomFactor());
    tessaly::JpData doc;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    // As a file is read: a last line without its end counts as cut off.
    const bool cut = !bytes.empty() && bytes.back() != '\n' && bytes.back() != '\r';
    if (!reader.Read(tessaly::SplitDaDurLines(bytes), 1, doc, cut).ok) return 0;
    const std::string written = tessaly::DaDurWriter(system, system.ZoomFactor()).Write(doc, 1);
    tessaly::JpData again;
    if (!tessaly::DaDurReader(system, system.ZoomFactor()).Read(tessaly::SplitDaDurLines(written), 0, again).ok)
        std::abort();
    if (tessaly::DaDurWriter(system, system.ZoomFactor()).Write(again, 0) != written) std::abort();
    return 0;
}
