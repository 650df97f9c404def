#include "model/DocumentFiles.h"

#include <filesystem>
#include <string>

#include "ZoRivFormat.h"

namespace notaline {

namespace {

class HostProgress final : public tessaly::ProgressSink {
public:
    HostProgress(const FileDocumentSource::ProgressFn& progress, intptr_t window)
        : progress_(progress), window_(window) {}
    void Progress(int32_t percent) override {
        if (progress_) progress_(window_, percent);
    }

private:
    const FileDocumentSource::ProgressFn& progress_;
    intptr_t window_;
};

std::filesystem::path PathOf(std::u16string_view name) {
    return std::filesystem::path(std::u16string(name));
}

}  // namespace

DocumentRead FileDocumentSource::ReadRtfFile(intptr_t, std::u16string_view) {
    DocumentRead read;
    read.Reason = "DaDur documents cannot be read yet";
    return read;
}

DocumentRead FileDocumentSource::ReadDocFile(intptr_t HostWindow, std::u16string_view FileName) {
    HostProgress progress(progress_, HostWindow);
    DocumentRead read;
    const tessaly::ZoRivStatus status = tessaly::ReadZoRivFile(PathOf(FileName), zoom_, read.Doc, &progress);
    read.Ok = status.Ok();
    read.Reason = status.reason;
    return read;
}

}  // namespace notaline
