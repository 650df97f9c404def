#include "model/document/DocumentFiles.h"

#include <algorithm>
#include <filesystem>
#include <string>
#include <utility>

#include "DaDurFile.h"
#include "FileErrors.h"
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

// ASCII lower-cased: file-name endings compare without case.
std::u16string LowerEnding(std::u16string_view name, size_t length) {
    std::u16string end(name.substr(name.size() > length ? name.size() - length : 0));
    for (auto& c : end)
        if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
    return end;
}

}  // namespace

DocumentKind DocumentKindOf(std::u16string_view name) {
    const std::u16string ending = LowerEnding(name, 6);
    if (name.empty() || ending == u".dadur") return DocumentKind::DaDur;
    if (ending == u".zoriv") return DocumentKind::ZoRiv;
    return DocumentKind::Other;
}

namespace {

// The characters come from `words`, or doc.WordInfo when there is none.
SaveOutcome Save(tessaly::JpData doc, const tessaly::WordSource* words, tessaly::DaDurSystem& system,
                 intptr_t HostWindow, std::u16string_view FileName) {
    SaveOutcome out;
    const DocumentKind kind = FileName.empty() ? DocumentKind::Other : DocumentKindOf(FileName);
    if (kind == DocumentKind::Other) {
        out.Reason = "只能保存为 .DaDur 或 .ZoRiv 文件。";  // UTF-8
        return out;
    }
    try {
        if (kind == DocumentKind::DaDur) {
            tessaly::DaDurFile file(system);
            file.LetJpData(std::move(doc));
            const tessaly::DaDurStatus status = words ? file.WriteRtfFile(PathOf(FileName), HostWindow, *words)
                                                      : file.WriteRtfFile(PathOf(FileName), HostWindow);
            out.Ok = status.ok;
            out.Reason = status.reason;
        } else {
            HostProgress progress(system, HostWindow);
            const tessaly::WordArray own(doc.WordInfo);
            const tessaly::ZoRivStatus status = tessaly::WriteZoRivFile(
                PathOf(FileName), doc, words ? *words : own, system.ZoomFactor(), HostWindow ? &progress : nullptr);
            out.Ok = status.Ok();
            out.Reason = status.reason;
        }
    } catch (const std::bad_alloc&) {
        out.Ok = false;
        out.Reason = std::string(tessaly::FileErrorText(tessaly::kErrTooLarge));
    }
    return out;
}

}  // namespace

SaveOutcome SaveJpFile(const EditorData& data, WholeLayout, tessaly::DaDurSystem& system, intptr_t HostWindow,
                       std::u16string_view FileName) {
    try {
        return SaveJpFile(SnapshotOf(data), system, HostWindow, FileName);
    } catch (const std::bad_alloc&) {
        return SaveOutcome{false, std::string(tessaly::FileErrorText(tessaly::kErrTooLarge))};
    }
}

SaveOutcome SaveJpFile(tessaly::JpData doc, tessaly::DaDurSystem& system, intptr_t HostWindow,
                       std::u16string_view FileName) {
    return Save(std::move(doc), nullptr, system, HostWindow, FileName);
}

SaveOutcome SaveJpFile(DocumentSnapshot snapshot, tessaly::DaDurSystem& system, intptr_t HostWindow,
                       std::u16string_view FileName) {
    const SnapshotWords words(snapshot.Words, snapshot.WordCount, snapshot.Settle);
    return Save(std::move(snapshot.Rest), &words, system, HostWindow, FileName);
}

void DropSpareItem(tessaly::JpData& doc) {
    auto& items = doc.HwWordInfo;
    items.resize(std::min(items.size(), static_cast<size_t>(std::max(doc.FileInfo.HwWordCount, 0))));
}

DocumentRead FileDocumentSource::ReadRtfFile(intptr_t HostWindow, std::u16string_view FileName) {
    tessaly::DaDurFile file(system_);
    StoreSink words;
    const tessaly::DaDurStatus status = file.ReadRtfFile(HostWindow, PathOf(FileName), words);
    DocumentRead read;
    read.Ok = status.ok;
    read.Reason = status.reason;
    if (read.Ok) {
        read.Doc = file.TakeJpData();
        read.Words = words.TakeStore();
        DropSpareItem(read.Doc);
    }
    return read;
}

DocumentRead FileDocumentSource::ReadDocFile(intptr_t HostWindow, std::u16string_view FileName) {
    HostProgress progress(system_, HostWindow);
    DocumentRead read;
    StoreSink words;
    const tessaly::ZoRivStatus status =
        tessaly::ReadZoRivFile(PathOf(FileName), system_.ZoomFactor(), read.Doc, words, &progress);
    read.Ok = status.Ok();
    read.Reason = status.reason;
    if (read.Ok) read.Words = words.TakeStore();
    return read;
}

}  // namespace notaline
