#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "model/document/StoreSink.h"
#include "records/JpData.h"

namespace notaline {

// The outcome of reading one document.
struct DocumentRead {
    bool Ok = false;
    std::string Reason;  // UTF-8: why not Ok, or, when Ok, why the file read ends early
    tessaly::JpData Doc;
    // The characters, when the reader put them straight into a store; else Doc.WordInfo holds them.
    WordStore Words{};
};

// Where loading gets a document from: the two file formats' readers. Progress goes to the host
// window while they read.
class DocumentSource {
public:
    virtual ~DocumentSource() = default;
    // A DaDur file; the empty name gives the built-in default document.
    virtual DocumentRead ReadRtfFile(intptr_t HostWindow, std::u16string_view FileName) = 0;
    // A ZoRiv file.
    virtual DocumentRead ReadDocFile(intptr_t HostWindow, std::u16string_view FileName) = 0;
};

}  // namespace notaline
