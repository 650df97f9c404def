#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

#include "model/LayoutView.h"

namespace notaline {

// The document files through the tools library's portable readers, with progress to the host
// window.
class FileDocumentSource final : public DocumentSource {
public:
    using ProgressFn = std::function<void(intptr_t window, int32_t percent)>;
    // zoom: the screen's zoom factor, which the readers scale spacing by.
    FileDocumentSource(ProgressFn progress, double zoom) : progress_(std::move(progress)), zoom_(zoom) {}

    DocumentRead ReadRtfFile(intptr_t HostWindow, std::u16string_view FileName) override;
    DocumentRead ReadDocFile(intptr_t HostWindow, std::u16string_view FileName) override;

private:
    ProgressFn progress_;
    double zoom_;
};

}  // namespace notaline
