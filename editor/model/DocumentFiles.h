#pragma once

#include <cstdint>
#include <string_view>

#include "DaDurSystem.h"
#include "model/DocumentSource.h"

namespace notaline {

// The document files through the tools library's portable readers: DaDur (and the built-in
// default document) and ZoRiv, with progress to the host window.
class FileDocumentSource final : public DocumentSource {
public:
    explicit FileDocumentSource(tessaly::DaDurSystem& system) : system_(system) {}

    DocumentRead ReadRtfFile(intptr_t HostWindow, std::u16string_view FileName) override;
    DocumentRead ReadDocFile(intptr_t HostWindow, std::u16string_view FileName) override;

private:
    tessaly::DaDurSystem& system_;
};

}  // namespace notaline
