#include "model/DocumentFiles.h"

#include <filesystem>
#include <string>

#include "DaDurFile.h"
#include "ZoRivFormat.h"

namespace notaline {

namespace {

class HostProgress final : public tessaly::ProgressSink {
public:
    HostProgress(tessaly::DaDurSystem& system, intptr_t window) : system_(system), window_(window) {}
    void Progress(int32_t percent) override { system_.Progress(window_, percent); }

private:
    tessaly::DaDurSystem& system_;
    intptr_t window_;
};

std::filesystem::path PathOf(std::u16string_view name) {
    return std::filesystem::path(std::u16string(name));
}

}  // namespace

DocumentRead FileDocumentSource::ReadRtfFile(intptr_t HostWindow, std::u16string_view FileName) {
    tessaly::DaDurFile file(system_);
    const tessaly::DaDurStatus status = file.ReadRtfFile(HostWindow, PathOf(FileName));
    DocumentRead read;
    read.Ok = status.ok;
    read.Reason = status.reason;
    if (read.Ok) read.Doc = file.TakeJpData();  // one copy of a large document, not two
    return read;
}

DocumentRead FileDocumentSource::ReadDocFile(intptr_t HostWindow, std::u16string_view FileName) {
    HostProgress progress(system_, HostWindow);
    DocumentRead read;
    const tessaly::ZoRivStatus status =
        tessaly::ReadZoRivFile(PathOf(FileName), system_.ZoomFactor(), read.Doc, &progress);
    read.Ok = status.Ok();
    read.Reason = status.reason;
    return read;
}

}  // namespace notaline
