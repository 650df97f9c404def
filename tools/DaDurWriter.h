#pragma once
#include <cstdint>
#include <string>

#include "DaDurReader.h"
#include "DaDurSystem.h"
#include "WordSink.h"
#include "records/JpData.h"

namespace tessaly {

// Turns a document into the bytes of a DaDur file: fonts and colours that
// nothing uses are left out, pair numbers are renumbered in the order of
// their starts, and character attributes are written only where they change.
class DaDurWriter {
public:
    DaDurWriter(DaDurSystem& system, double zoom) : system_(system), zoom_(zoom) {}

    // Progress goes to hwnd when it is not 0.
    std::string Write(const JpData& doc, intptr_t hwnd);
    // The same with the characters taken from `words` (doc.WordInfo is not read).
    std::string Write(const JpData& doc, const WordSource& words, intptr_t hwnd);

private:
    DaDurSystem& system_;
    double zoom_;
};

}  // namespace tessaly
